// myQQuickView: construction, the start-up handshake, device selection,
// busy calls, captured input and the file and folder picker.
#include "myqquickview.h"

#include "device/hid_thread.h"
#include "file_dialogs.h"
#include "keys/key_capture.h"
#include "platform/logging.h"
#include "platform/settings_writer.h"
#include "platform/store_files.h"
#include "ui/keyboard_ui_types.h"

#include <QFocusEvent>
#include <QQuickItem>
#include <QSettings>

myQQuickView::myQQuickView(QWidget *parent) : QQuickWidget(parent)
{
    registerKeyboardUiTypes();  // before the UI is loaded
    globalStore = new SettingsStore(StoreFiles::global(), StoreFiles::factoryGlobal());
    defaultsStore = new SettingsStore(StoreFiles::defaults());
    profileStores.resize(kProfileCount, nullptr);
    for (QByteArray &image : mouseProfileImages)
        image = QByteArray(kMouseProfileImageSize, '\0');
    lightingStaging = QByteArray(kLightingStagingSize, '\0');
    lightingStaging[0] = 6;
    lightingStaging[1025] = 4;

    isGun = globalValue(QStringLiteral("mouse/isGun")).toBool();
    icType = globalValue(QStringLiteral("mouse/icType")).toString();
}

myQQuickView::~myQQuickView()
{
    // The stores live as long as the program; deleting them here, at its
    // end, writes back what they still hold.
    delete globalStore;
    delete defaultsStore;
    qDeleteAll(profileStores);
}

void myQQuickView::writeStores()
{
    writeSettings(*globalStore);
    writeSettings(*defaultsStore);
    for (QSettings *store : std::as_const(profileStores)) {
        if (store)
            writeSettings(*store);
    }
}

QSettings *&myQQuickView::profileStore(int profile)
{
    QSettings *&store = profileStores[profile];
    if (!store)
        store = new SettingsStore(StoreFiles::profile(profile + 1), StoreFiles::defaults());
    return store;
}

QList<QSettings *> myQQuickView::profileStoresUpTo(int count)
{
    for (int profile = 0; profile < count; ++profile)
        profileStore(profile);
    return profileStores.mid(0, count);
}

QVariant myQQuickView::globalValue(const QString &key) const { return globalStore->value(key); }

void myQQuickView::callRoot(const char *function, Qt::ConnectionType type, const QVariantList &arguments)
{
    QQuickItem *root = rootObject();
    if (!root)
        return;
    QGenericArgument args[4];
    for (int i = 0; i < arguments.size() && i < 4; ++i)
        args[i] = Q_ARG(QVariant, arguments[i]);
    QMetaObject::invokeMethod(root, function, type, args[0], args[1], args[2], args[3]);
}

void myQQuickView::clearHidBusy() { device->setReady(); }

void myQQuickView::initUI() { callRoot("initUI", Qt::QueuedConnection); }

void myQQuickView::runUI() { callRoot("run", Qt::QueuedConnection); }

QVariant myQQuickView::getDeviceConnectState() { return QVariant(int(device->connectionState())); }

void myQQuickView::setDeviceIndex(QVariant index) { device->setCurrentDeviceIndex(index.toInt()); }

QString myQQuickView::getOpenSomeVendorPath(QString filterName)
{
    if (filterName.isEmpty())
        return FileDialogs::current().existingDirectory(this, tr("Open Folder"), desktopDirectory());
    return FileDialogs::current().openFileName(this, tr("Open File"), desktopDirectory(), filterName);
}

void myQQuickView::setBusy(int busyTime) { callRoot("setProtectUI", Qt::DirectConnection, {busyTime}); }

void myQQuickView::setCurrentDPI(int dpiValue) { callRoot("setCurrentDPI", Qt::DirectConnection, {dpiValue}); }

void myQQuickView::setProfile(int no) { callRoot("setProfile", Qt::DirectConnection, {no}); }

void myQQuickView::detectKeyboard(uchar usbCode, uchar isDown)
{
    callRoot("detectKeyboard", Qt::QueuedConnection, {bool(isDown), int(usbCode)});
}

void myQQuickView::detectMouse(uchar code, uchar isDown, int x, int y)
{
    callRoot("detectMouse", Qt::QueuedConnection, {bool(isDown), uint(code), uint(x), uint(y)});
}

void myQQuickView::setCaptureListening(bool listening) { KeyCapture::setListening(listening); }

void myQQuickView::endCaptureListening()
{
    callRoot("stopCapture", Qt::DirectConnection);
    KeyCapture::setListening(false);
}

void myQQuickView::focusInEvent(QFocusEvent *event)
{
    repaint();
    // The base hands the focus on to Qt Quick; without it the item being
    // edited takes no keys once the window has the focus back.
    QQuickWidget::focusInEvent(event);
}
