#include "i18n/language_file.h"
#include "platform/settings_format.h"

#include "platform/logging.h"

#include <QFileInfo>
#include <QSettings>

bool isPlainLanguageCode(const QString &languageCode)
{
    if (languageCode.isEmpty() || languageCode.contains(QLatin1String(".."))
        || languageCode.contains(QLatin1Char('/')) || languageCode.contains(QLatin1Char('\\')))
        return false;
    for (const QChar c : languageCode) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString languageFilePath(const QString &languageCode)
{
    return QStringLiteral("./modules/i18n/") + languageCode + QStringLiteral(".ini");
}

namespace {

// An unquoted value holding ", " reads back from an INI file as a list; the
// text the translator wrote is that list joined again.
QString textOf(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1String(", "));
    return value.toString();
}

} // namespace

QStringList readLanguageSection(const QString &section, const QString &languageCode)
{
    if (!isPlainLanguageCode(languageCode)) {
        qCWarning(lcBridge) << "language code refused, not a plain file name:" << languageCode;
        return {};
    }
    const QString file = languageFilePath(languageCode);
    if (!QFileInfo::exists(file))
        return {};

    // Settings files are read as UTF-8, which is how the language files are saved.
    const QSettings strings(file, settingsFormat());
    bool isNumber = false;
    const int total = strings.value(section + QStringLiteral("/total")).toInt(&isNumber);
    if (!isNumber || total <= 0)
        return {};
    if (total > kMaxLanguageStrings) {
        qCWarning(lcBridge) << "language section refused:" << section << "in" << file << "claims" << total
                            << "strings";
        return {};
    }

    QStringList texts;
    texts.reserve(total);
    for (int i = 0; i < total; ++i)
        texts.append(textOf(strings.value(section + QLatin1Char('/') + QString::number(i))));
    return texts;
}
