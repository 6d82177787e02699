// On Linux the pointer settings go where the running desktop reads them (in
// place of SystemParametersInfoW): GNOME's through gsettings, KDE Plasma's
// into its configuration files; other desktops are left alone. Both take
// the libinput speed -1..1, onto which the speed 1..20 maps linearly, and
// the double-click time in milliseconds.
#include "pointer_settings.h"

#include "desktop_setting.h"
#include "logging.h"

using DesktopSetting::Desktop;

namespace {

const QString kGnomeMouse = QStringLiteral("org.gnome.desktop.peripherals.mouse");

QString libinputSpeed(int speed)
{
    return QString::number((qBound(1, speed, 20) - 1) / 19.0 * 2.0 - 1.0, 'f', 3);
}

bool unknownDesktop(const char *setting)
{
    qCInfo(lcPlatform) << setting << "not set: no known place for it on the desktop"
                       << qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    return false;
}

bool writeKdeGlobal(const QString &key, int value)
{
    if (!DesktopSetting::writeKdeConfig(QStringLiteral("kdeglobals"), QStringLiteral("KDE"), key, QString::number(value)))
        return false;
    DesktopSetting::announceKdeMouseChange();
    return true;
}

std::unique_ptr<PointerSettings> &installed()
{
    static std::unique_ptr<PointerSettings> settings = std::make_unique<PointerSettings>();
    return settings;
}

} // namespace

bool PointerSettings::setCursorSpeed(int speed)
{
    switch (DesktopSetting::running()) {
    case Desktop::Gnome:
        return DesktopSetting::writeGsetting(kGnomeMouse, QStringLiteral("speed"), libinputSpeed(speed));
    case Desktop::Kde:
        // Plasma on Wayland keeps the speed of each device in its compositor;
        // on X11 it applies this one to every pointer at login.
        if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland")) {
            qCInfo(lcPlatform) << "pointer speed not set: KDE Plasma on Wayland keeps it per device";
            return false;
        }
        return DesktopSetting::writeKdeConfig(QStringLiteral("kcminputrc"), QStringLiteral("Mouse"),
                                              QStringLiteral("XLbInptPointerAcceleration"), libinputSpeed(speed));
    case Desktop::Other:
        break;
    }
    return unknownDesktop("pointer speed");
}

bool PointerSettings::setWheelScrollLines(unsigned lines)
{
    switch (DesktopSetting::running()) {
    case Desktop::Gnome:
        qCInfo(lcPlatform) << "wheel scroll lines" << lines << "- GNOME has no such setting";
        return false;
    case Desktop::Kde:
        return writeKdeGlobal(QStringLiteral("WheelScrollLines"), int(lines));
    case Desktop::Other:
        break;
    }
    return unknownDesktop("wheel scroll lines");
}

bool PointerSettings::setDoubleClickTime(int milliseconds)
{
    switch (DesktopSetting::running()) {
    case Desktop::Gnome:
        return DesktopSetting::writeGsetting(kGnomeMouse, QStringLiteral("double-click"), QString::number(milliseconds));
    case Desktop::Kde:
        return writeKdeGlobal(QStringLiteral("DoubleClickInterval"), milliseconds);
    case Desktop::Other:
        break;
    }
    return unknownDesktop("double-click time");
}

PointerSettings &PointerSettings::current() { return *installed(); }

void PointerSettings::install(std::unique_ptr<PointerSettings> settings)
{
    installed() = settings ? std::move(settings) : std::make_unique<PointerSettings>();
}
