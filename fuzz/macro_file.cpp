// Macro files (modules/macro/<name>.bin) read through the macro library, and
// the name lists (modules/setting/name.bin) read through NameList: the input
// is written as both and read back the way the program does. The settings
// text reader under both is checked on its own as well: its text written
// again reads back to the same text, and wherever the settings library can
// safely be asked (no value in a serialized form, which it would hand to its
// binary stream), it reads the same values as the library.
#include "fuzz_support.h"
#include "macros/macro_library.h"
#include "macros/name_list.h"
#include "platform/ini_text.h"

#include <QSettings>

namespace {

// A value with its kind, lists entry by entry.
QString described(const QVariant &value)
{
    const int type = value.metaType().id();
    if (type == QMetaType::QVariantList || type == QMetaType::QStringList) {
        QString text = QString::number(type) + QLatin1Char('[');
        for (const QVariant &entry : value.toList())
            text += described(entry) + QLatin1Char('|');
        return text + QLatin1Char(']');
    }
    if (type == QMetaType::QByteArray)
        return QStringLiteral("b:") + QString::fromLatin1(value.toByteArray().toHex());
    return QString::number(type) + QLatin1Char(':') + value.toString();
}

// Keys a program can ask for: the library looks a key up by its normalized
// form (no empty part), so others are never found.
bool isReachable(const QString &key)
{
    return !key.isEmpty() && !key.startsWith(QLatin1Char('/')) && !key.endsWith(QLatin1Char('/'))
           && !key.contains(QLatin1String("//"));
}

QStringList described(const QMap<QString, QVariant> &values)
{
    QStringList all;
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (isReachable(it.key()))
            all << it.key() + QLatin1Char('=') + described(it.value());
    }
    return all;
}

QMap<QString, QVariant> reachable(const QMap<QString, QVariant> &values)
{
    QMap<QString, QVariant> kept;
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (isReachable(it.key()))
            kept.insert(it.key(), it.value());
    }
    return kept;
}

void checkSettingsText(const QByteArray &bytes)
{
    const IniText::Reading reading = IniText::read(bytes);
    // (A key ending in "/" is written ending in "\", which takes the "=".)
    const QByteArray written = IniText::write(reachable(reading.values));
    if (IniText::write(reachable(IniText::read(written).values)) != written)
        __builtin_trap();
    if (reading.serialized > 0)
        return;
    const fuzz::InputFile file(bytes, QStringLiteral("library"), QStringLiteral("l"), QStringLiteral(".ini"));
    const QSettings library(file.path(), QSettings::IniFormat);
    QMap<QString, QVariant> libraryValues;
    for (const QString &key : library.allKeys()) {
        if (isReachable(key))
            libraryValues.insert(key, library.value(key));
    }
    if (described(libraryValues) != described(reading.values))
        __builtin_trap();
}

} // namespace

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

    checkSettingsText(bytes);
    return 0;
}
