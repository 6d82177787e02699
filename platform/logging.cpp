#include "logging.h"

Q_LOGGING_CATEGORY(lcShell, "gearconsole.shell")
Q_LOGGING_CATEGORY(lcHid, "gearconsole.hid")
Q_LOGGING_CATEGORY(lcBridge, "gearconsole.bridge")
Q_LOGGING_CATEGORY(lcPlatform, "gearconsole.platform")
Q_LOGGING_CATEGORY(lcCapture, "gearconsole.capture", QtInfoMsg)

bool debugAskedForByName(const QLoggingCategory &category)
{
    if (!category.isDebugEnabled())
        return false;
    // The last rule that names this very category's debug level decides;
    // wildcards ("*.debug=true", "gearconsole.*") never count.
    const QByteArray wanted = QByteArray(category.categoryName()) + ".debug";
    bool asked = false;
    const QByteArray rules = qgetenv("QT_LOGGING_RULES").replace('\n', ';');
    for (const QByteArray &rule : rules.split(';')) {
        const qsizetype equals = rule.indexOf('=');
        if (equals < 0 || rule.left(equals).trimmed() != wanted)
            continue;
        asked = rule.mid(equals + 1).trimmed() == "true";
    }
    return asked;
}
