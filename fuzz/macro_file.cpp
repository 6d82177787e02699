// Macro files (modules/macro/<name>.bin) read through the macro library, and
// the name lists (modules/setting/name.bin) read through NameList: the input
// is written as both and read back the way the program does.
#include "fuzz_support.h"
#include "macros/macro_library.h"
#include "macros/name_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);

    const fuzz::InputFile macro(bytes, QStringLiteral("macro"), QStringLiteral("m"), QStringLiteral(".bin"));
    const QStringList loaded = MacroLibrary(macro.folder()).load(macro.stem());
    // The steps, then repeat, delay and times.
    if (loaded.size() < 3 || loaded.size() > MacroLibrary::kMaxSteps + 3)
        __builtin_trap();

    const fuzz::InputFile names(bytes, QStringLiteral("setting"), QStringLiteral("name"), QStringLiteral(".bin"));
    for (const int type : {NameList::KeyboardMacros, NameList::MouseMacros, NameList::Profiles, NameList::GunSelection})
        (void)NameList::read(names.path(), NameList::key(type, 0));
    return 0;
}
