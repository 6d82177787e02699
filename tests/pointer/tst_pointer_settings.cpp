// The pointer settings through the view, with the desktops' real tools in a
// private home: GNOME's gsettings on a dconf store behind a private session
// bus, and KDE's kwriteconfig. A value that is not stored is a failure.
#include "bridge/myqquickview.h"
#include "support/log_capture.h"
#include "support/test_workspace.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A home of its own (configuration and runtime folders) and a session bus
// that starts dconf's service on demand, for the life of the object.
struct PrivateSession
{
    QTemporaryDir home;
    QProcess bus;

    bool start()
    {
        QDir(home.path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(home.path() + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit() + "/config");
        qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit() + "/runtime");
        bus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!bus.waitForReadyRead(5000))
            return false;
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
        return true;
    }
    ~PrivateSession()
    {
        bus.terminate();
        bus.waitForFinished(3000);
    }
};

QString gsetting(const QString &key)
{
    QProcess get;
    get.start(QStringLiteral("gsettings"), {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.peripherals.mouse"), key});
    get.waitForFinished(5000);
    return QString::fromUtf8(get.readAllStandardOutput()).trimmed();
}

int failures(const LogCapture &log)
{
    return log.count(QStringLiteral("setCursorSpeed Failed")) + log.count(QStringLiteral("setDoubleClickSpeed Failed"))
           + log.count(QStringLiteral("setVerticalScrollLines Failed"));
}

} // namespace

class TestPointerSettings : public QObject
{
    Q_OBJECT

private slots:
    // Speed 7 is 14 of 20, libinput's 0.368; double-click speed 5 is 550 ms.
    void gnomeSettingsStickOnlyWhereTheyAreStored()
    {
        TestWorkspace workspace;
        PrivateSession session;
        QVERIFY(session.start());
        qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
        myQQuickView view;

        qputenv("GSETTINGS_BACKEND", "dconf");
        {
            LogCapture log;
            view.mouseSetCursorSpeed(7);
            view.mouseSetDoubleClickSpeed(5);
            QCOMPARE(failures(log), 0);
        }
        QCOMPARE(gsetting(QStringLiteral("speed")).toDouble(), 0.368);
        QCOMPARE(gsetting(QStringLiteral("double-click")), QStringLiteral("550"));

        // Each run of gsettings has a store of its own that ends with it.
        qputenv("GSETTINGS_BACKEND", "memory");
        LogCapture log;
        view.mouseSetCursorSpeed(3);
        view.mouseSetDoubleClickSpeed(2);
        QCOMPARE(log.count(QStringLiteral("setCursorSpeed Failed")), 1);
        QCOMPARE(log.count(QStringLiteral("setDoubleClickSpeed Failed")), 1);
        QCOMPARE(log.count(QStringLiteral("did not stick")), 2);
        qunsetenv("GSETTINGS_BACKEND");
    }

    void kdeSettingsGoToItsFiles()
    {
        TestWorkspace workspace;
        PrivateSession session;
        QVERIFY(session.start());
        qputenv("XDG_CURRENT_DESKTOP", "KDE");
        qputenv("XDG_SESSION_TYPE", "x11");
        myQQuickView view;
        LogCapture log;
        view.mouseSetCursorSpeed(0);
        view.mouseSetDoubleClickSpeed(5);
        view.mouseSetVerticalScrollLines(4);
        QCOMPARE(failures(log), 0);
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QCOMPARE(QSettings(config + QStringLiteral("/kcminputrc"), QSettings::IniFormat).value("Mouse/XLbInptPointerAcceleration").toString(),
                 QStringLiteral("-1.000"));
        QSettings globals(config + QStringLiteral("/kdeglobals"), QSettings::IniFormat);
        QCOMPARE(globals.value("KDE/DoubleClickInterval").toInt(), 550);
        QCOMPARE(globals.value("KDE/WheelScrollLines").toInt(), 4);

        // Elsewhere nothing is changed, and each setting says so.
        qputenv("XDG_CURRENT_DESKTOP", "X-Unknown");
        view.mouseSetCursorSpeed(5);
        view.mouseSetDoubleClickSpeed(5);
        view.mouseSetVerticalScrollLines(5);
        QCOMPARE(failures(log), 3);
        QCOMPARE(log.count(QStringLiteral("no known place")), 3);
    }
};

QTEST_MAIN(TestPointerSettings)
#include "tst_pointer_settings.moc"
