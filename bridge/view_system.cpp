// myQQuickView: the desktop's pointer settings, the keyboard's advanced key
// functions and the firmware updaters.
#include "myqquickview.h"

#include "platform/data_folder.h"
#include "platform/desktop_opener.h"
#include "platform/logging.h"
#include "platform/pointer_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

constexpr int kDoubleClickSlowestMs = 900;
constexpr int kDoubleClickStepMs = 70;
constexpr uint kDoubleClickFastestStep = 12;

// Updater programs by keyboard edition (the connection state's lowest bit),
// in ./update/ beside the program or in the installed updater folder.
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
    // Detached, so that quitting the program never interrupts a flash. It runs
    // in its own folder, as when the user starts it from there; the paths are
    // absolute because the folder may be relative to ours.
    const QDir folder(QFileInfo(DataFolder::updaterFolder()).absoluteFilePath());
    const QString program = folder.filePath(QLatin1String(kUpdaters[index]));
    if (!QProcess::startDetached(program, {}, folder.path()))
        qCWarning(lcBridge) << "updater" << program << "could not be started";
}
