// Language files (modules/i18n/<code>.ini): every section the file holds is
// read through the program's reader, and the first line of the input is also
// tried as a language code (refused or read, never a path out of the folder).
#include "fuzz_support.h"
#include "i18n/language_file.h"

#include <QSettings>

namespace {
constexpr int kMostSections = 16;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    // The reader looks in ./modules/i18n/ of the working directory.
    const fuzz::InScratchFolder inScratch;
    const fuzz::InputFile file(bytes, QStringLiteral("modules/i18n"), QStringLiteral("fz"), QStringLiteral(".ini"));

    QStringList sections = QSettings(file.path(), QSettings::IniFormat).childGroups().mid(0, kMostSections);
    sections << QStringLiteral("main") << QStringLiteral("keyCode");
    for (const QString &section : sections) {
        const QStringList texts = readLanguageSection(section, file.stem());
        if (texts.size() > kMaxLanguageStrings)
            __builtin_trap();
    }

    const QString code = fuzz::linesOf(bytes).value(0);
    const bool plain = isPlainLanguageCode(code);
    if (plain && (code.contains(QLatin1Char('/')) || code.contains(QLatin1String(".."))))
        __builtin_trap();
    (void)readLanguageSection(QStringLiteral("main"), code);
    return 0;
}
