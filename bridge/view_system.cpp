// myQQuickView: the desktop's pointer settings, the keyboard's advanced key
// functions and the firmware updaters.
#include "myqquickview.h"

#include "platform/data_folder.h"
#include "platform/desktop_opener.h"
#include "platform/logging.h"
#include "platform/pointer_settings.h"
#include "platform/updater_start.h"

#include <QDir>

namespace {

constexpr int kDoubleClickSlowestMs = 900;
constexpr int kDoubleClickStepMs = 70;
constexpr uint kDoubleClickFastestStep = 12;

// Updater programs by keyboard edition (the connection state's lowest bit),
// in ./update/ beside the program or in the installed updater folder; on
// Linux they are installed without ".exe" (platform/updater_start).
const char *const kUpdaters[] = {
    "tarnelUK.exe", "sovrinUK.exe", "tarnelUS.exe", "sovrinUS.exe", "dusken.exe",
};

} // namespace

void myQQuickView::mouseSetCursorSpeed(uint cursorSpeed)
{
    qCDebug(lcBridge) << "mouseSetCursorSpeed" << cursorSpeed;
    const int speed = cursorSpeed == 0 ? 1 : int(2 * cursorSpeed);
    if (!PointerSettings::current().setCursorSpeed(speed))
        qCDebug(lcBridge) << "setCursorSpeed Failed";
}

void myQQuickView::mouseSetVerticalScrollLines(uint lines)
{
    if (!PointerSettings::current().setWheelScrollLines(lines))
        qCDebug(lcBridge) << "setVerticalScrollLines Failed";
}

void myQQuickView::mouseSetDoubleClickSpeed(uint speed)
{
    // Speeds above 12 would ask for a negative time: they get the fastest one.
    const uint step = qMin(speed, kDoubleClickFastestStep);
    if (!PointerSettings::current().setDoubleClickTime(kDoubleClickSlowestMs - kDoubleClickStepMs * int(step)))
        qCDebug(lcBridge) << "setDoubleClickSpeed Failed";
}

void myQQuickView::keyboardAdvaceFunctionProc(uchar index)
{
    const QString key = QStringLiteral("keyboard/advaceFunction") + QString::number(index);
    const QString path = getGlobalData(key).toString();
    // Opening nothing would show some arbitrary folder: an unassigned key does nothing.
    if (path.isEmpty()) {
        qCDebug(lcBridge) << "no advanced function for key" << index;
        return;
    }
    // A relative path names a file beside the program's data (the working
    // folder): the desktop gets it whole, never as a relative URL.
    DesktopOpener::current().open(QDir::current().absoluteFilePath(path));
}

void myQQuickView::openUpdateExe(uchar index)
{
    if (index >= std::size(kUpdaters))
        return;
    // The updater speaks the UI's language (ChineseSimplified where none is stored, as the UI).
    QString language = getGlobalData(QStringLiteral("common/language")).toString();
    if (language.isEmpty())
        language = QStringLiteral("ChineseSimplified");
    UpdaterStart::instance().start(DataFolder::updaterFolder(), QLatin1String(kUpdaters[index]), language);
}
