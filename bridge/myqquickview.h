#pragma once
#include <QByteArray>
#include <QList>
#include <QQuickWidget>
#include <QString>
#include <QVariant>

class Hid_Thread;
class QSettings;

// The declarative view that shows the user interface and is the UI's only
// programming interface ("ui_View"). Its slots are kept in one fixed order,
// which fixes their meta-object indices; new slots go to their place in it.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT

public:
    explicit myQQuickView(QWidget *parent = nullptr);
    ~myQQuickView() override;

    // Set by the main window right after construction; not owned.
    Hid_Thread *device = nullptr;
    bool isGun = false;
    QString icType;

    static constexpr int kProfileCount = 10;
    static constexpr int kMouseProfileImageSize = 128;
    static constexpr int kMouseProfileImages = 5;

    // Captured input, handed to the UI queued.
    void detectKeyboard(uchar usbCode, uchar isDown);
    void detectMouse(uchar code, uchar isDown, int x, int y);

    // Calls a function of the UI's root item; does nothing without a root.
    void callRoot(const char *function, Qt::ConnectionType type, const QVariantList &arguments = {});

public slots:
    void clearHidBusy();
    void initUI();
    void runUI();
    QVariant getDeviceConnectState();
    void setDeviceIndex(QVariant index);
    QString getOpenSomeVendorPath(QString filterName);
    void setBusy(int busyTime);
    void setCurrentDPI(int dpiValue);
    void setProfile(int no);

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    QVariant globalValue(const QString &key) const;

    QSettings *globalStore = nullptr;
    QSettings *defaultsStore = nullptr;
    QList<QSettings *> profileStores;
    int currentProfile = 0;
    QByteArray mouseProfileImages[kMouseProfileImages];
};
