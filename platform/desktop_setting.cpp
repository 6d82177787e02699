#include "desktop_setting.h"

#include "logging.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <optional>

namespace DesktopSetting {
namespace {

// A tool that cannot lock its file (an unwritable configuration folder)
// retries for ever: it is given up after this long.
constexpr int kToolTimeoutMs = 3000;
// Stored values come back in the tool's own notation (0.474 as
// 0.47399999999999998): equal within this.
constexpr double kSameValue = 1e-6;

QString firstTool(const QStringList &names)
{
    for (const QString &name : names) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty())
            return program;
    }
    return {};
}

// The tool's standard output when it ran and exited 0.
std::optional<QString> run(const QString &program, const QStringList &arguments)
{
    if (program.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool readsBackAs(const QString &what, const std::optional<QString> &readBack, const QString &value)
{
    bool numeric = false;
    const double stored = readBack ? readBack->toDouble(&numeric) : 0;
    if (numeric && qAbs(stored - value.toDouble()) < kSameValue)
        return true;
    qCInfo(lcPlatform).noquote() << what << "did not stick: wrote" << value << "read back"
                                 << (readBack ? *readBack : QStringLiteral("nothing"));
    return false;
}

} // namespace

Desktop running()
{
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'));
    if (desktops.contains(QStringLiteral("GNOME"), Qt::CaseInsensitive))
        return Desktop::Gnome;
    if (desktops.contains(QStringLiteral("KDE"), Qt::CaseInsensitive))
        return Desktop::Kde;
    return Desktop::Other;
}

bool writeGsetting(const QString &schema, const QString &key, const QString &value)
{
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    const bool written = run(gsettings, {QStringLiteral("set"), schema, key, value}).has_value();
    return readsBackAs(schema + QLatin1Char(' ') + key,
                       written ? run(gsettings, {QStringLiteral("get"), schema, key}) : std::nullopt, value);
}

bool writeKdeConfig(const QString &file, const QString &group, const QString &key, const QString &value)
{
    const QStringList where = {QStringLiteral("--file"), file, QStringLiteral("--group"), group, QStringLiteral("--key"), key};
    // "--" ends the options: a negative speed is a value, not an option.
    const bool written = run(firstTool({QStringLiteral("kwriteconfig6"), QStringLiteral("kwriteconfig5")}),
                             where + QStringList{QStringLiteral("--"), value})
                             .has_value();
    return readsBackAs(QStringList{file, group, key}.join(QLatin1Char(' ')),
                       written ? run(firstTool({QStringLiteral("kreadconfig6"), QStringLiteral("kreadconfig5")}), where)
                               : std::nullopt,
                       value);
}

void announceKdeMouseChange()
{
    // KGlobalSettings' notifyChange(SettingsChanged = 3, SETTINGS_MOUSE = 0):
    // KDE programs then read the double-click interval and wheel lines again.
    run(QStandardPaths::findExecutable(QStringLiteral("dbus-send")),
        {QStringLiteral("--session"), QStringLiteral("--type=signal"), QStringLiteral("/KGlobalSettings"),
         QStringLiteral("org.kde.KGlobalSettings.notifyChange"), QStringLiteral("int32:3"), QStringLiteral("int32:0")});
}

} // namespace DesktopSetting
