#include "safe_name.h"

#include "platform/logging.h"
#include "platform/safe_file.h"

#include <QFile>

namespace {
constexpr int kMaxNameLength = 100;
// A macro's file is "<name>.bin", and its writers add up to
// kWriterNameRoom bytes for files of their own beside it: the name's
// encoded length must leave room for both below the system's limit.
constexpr int kMacroFileSuffixBytes = 4;
constexpr int kMaxNameBytes = kMaxFileNameBytes - kMacroFileSuffixBytes - kWriterNameRoom;

// The name as it can stand in one log line: control characters spelt out.
QString printable(const QString &name)
{
    QString text;
    for (const QChar ch : name.left(kMaxNameLength + 20)) {
        if (ch.category() == QChar::Other_Control)
            text += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            text += ch;
    }
    return text;
}
} // namespace

QString unsafeNameReason(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("empty name");
    if (name.length() > kMaxNameLength)
        return QStringLiteral("longer than %1 characters").arg(kMaxNameLength);
    if (QFile::encodeName(name).size() > kMaxNameBytes)
        return QStringLiteral("longer than %1 bytes as a file name").arg(kMaxNameBytes);
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("names a folder");
    for (const QChar ch : name) {
        if (ch == QLatin1Char('/') || ch == QLatin1Char('\\'))
            return QStringLiteral("contains a path separator");
        if (ch.category() == QChar::Other_Control)
            return QStringLiteral("contains a control character");
    }
    return {};
}

bool acceptName(const char *operation, const QString &name)
{
    const QString reason = unsafeNameReason(name);
    if (reason.isEmpty())
        return true;
    qCWarning(lcBridge).noquote() << operation << "refused the name" << ('"' + printable(name) + '"')
                                  << "(" + reason + ")";
    return false;
}
