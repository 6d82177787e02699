// The gun preset file (modules/gun/gunData.bin): the preset names and each
// preset's list of values, read the way the bridge reads them, and each value
// turned into the byte a device receives.
#include "fuzz_support.h"
#include "macros/gun_presets.h"
#include "macros/safe_name.h"

namespace {
constexpr int kMostPresets = 32;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const fuzz::InputFile file(fuzz::bytesOf(data, size), QStringLiteral("gun"), QStringLiteral("gunData"),
                               QStringLiteral(".bin"));
    const GunPresetFile presets(file.path());
    QStringList names = presets.names().mid(0, kMostPresets);
    // A name the file cannot hold is refused before the file is read.
    names << QStringLiteral("../gunData") << QString();
    for (const QString &name : names) {
        const QVariantList values = presets.values(name);
        if (!unsafeNameReason(name).isEmpty() && !values.isEmpty())
            __builtin_trap();
        for (const QVariant &value : values)
            (void)GunData::lowByte(value);
    }
    return 0;
}
