// On Linux the pointer settings of GNOME are changed through `gsettings`
// (in place of SystemParametersInfoW): the speed 1..20 maps linearly onto
// GNOME's -1..1, the double-click time is taken in milliseconds. There is no
// desktop-wide wheel setting, so scroll lines are only logged.
#include "pointer_settings.h"

#include "logging.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace {

const QString kMouseSchema = QStringLiteral("org.gnome.desktop.peripherals.mouse");
constexpr int kGsettingsTimeoutMs = 3000;

bool runGsettings(const QString &key, const QString &value)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (program.isEmpty())
        return false;
    QProcess process;
    process.start(program, {QStringLiteral("set"), kMouseSchema, key, value});
    return process.waitForFinished(kGsettingsTimeoutMs) && process.exitStatus() == QProcess::NormalExit
           && process.exitCode() == 0;
}

std::unique_ptr<PointerSettings> &installed()
{
    static std::unique_ptr<PointerSettings> settings = std::make_unique<PointerSettings>();
    return settings;
}

} // namespace

bool PointerSettings::setCursorSpeed(int speed)
{
    const double gnomeSpeed = (qBound(1, speed, 20) - 1) / 19.0 * 2.0 - 1.0;
    return runGsettings(QStringLiteral("speed"), QString::number(gnomeSpeed, 'f', 3));
}

bool PointerSettings::setWheelScrollLines(unsigned lines)
{
    qCInfo(lcPlatform) << "wheel scroll lines" << lines << "- the desktop has no such setting";
    return false;
}

bool PointerSettings::setDoubleClickTime(int milliseconds)
{
    return runGsettings(QStringLiteral("double-click"), QString::number(milliseconds));
}

PointerSettings &PointerSettings::current() { return *installed(); }

void PointerSettings::install(std::unique_ptr<PointerSettings> settings)
{
    installed() = settings ? std::move(settings) : std::make_unique<PointerSettings>();
}
