// The real program in a desktop session of its own: a private X server with
// a small window manager, a private session bus on which this test is the
// StatusNotifier watcher and tray host, and the program started as the user
// or the login session starts it.
#include "platform/copy_data_channel.h"
#include "platform/single_instance.h"
#include "support/test_workspace.h"
#include "late_tray.h"

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

#include <optional>

namespace {

const QString kTitle = QStringLiteral("VORTAN KELD SOFTWARE");

// org.kde.StatusNotifierWatcher as a desktop's panel offers it, as much of
// it as an item uses; the host (this test) is registered from the start.
class Watcher : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems MEMBER items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)

public:
    explicit Watcher(QObject *parent) : QDBusAbstractAdaptor(parent) {}
    bool hostRegistered() const { return true; }
    QStringList items;

public slots:
    void RegisterStatusNotifierItem(const QString &service) { items << service; }
};

// One entry of a com.canonical.dbusmenu layout: (id, properties, children).
struct MenuEntry
{
    int id = 0;
    QVariantMap properties;
    QList<MenuEntry> children;
};

const QDBusArgument &operator>>(const QDBusArgument &argument, MenuEntry &entry)
{
    argument.beginStructure();
    argument >> entry.id >> entry.properties;
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        MenuEntry childEntry;
        qvariant_cast<QDBusArgument>(child.variant()) >> childEntry;
        entry.children << childEntry;
    }
    argument.endArray();
    argument.endStructure();
    return argument;
}

class Session
{
public:
    bool start(bool withTray = true)
    {
        for (const char *name : {"Xvfb", "openbox", "wmctrl", "xdotool", "dbus-daemon"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty())
                return false;
        // Both servers choose a free address themselves and print it once ready.
        xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                            QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                                            QStringLiteral("tcp")});
        bus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                  QStringLiteral("--print-address=1")});
        if (!xvfb.waitForReadyRead(10000) || !bus.waitForReadyRead(10000))
            return false;
        environment.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + QString::fromLatin1(xvfb.readLine().trimmed()));
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromLatin1(bus.readLine().trimmed()));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));

        windowManager.setProcessEnvironment(environment);
        windowManager.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        for (int i = 0; i < 100 && run(QStringLiteral("wmctrl"), {QStringLiteral("-m")}) != 0; ++i)
            QTest::qWait(100);

        connection.emplace(QDBusConnection::connectToBus(environment.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")),
                                                         QStringLiteral("session")));
        watcher = new Watcher(&watcherObject);
        return !withTray
               || (connection->registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcherObject)
                   && connection->registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
    }

    ~Session()
    {
        connection.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("session"));
        for (QProcess *process : {&windowManager, &bus, &xvfb}) {
            process->terminate();
            process->waitForFinished(3000);
        }
    }

    int run(const QString &tool, const QStringList &arguments, QByteArray *output = nullptr)
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(tool, arguments);
        process.waitForFinished(10000);
        if (output)
            *output = process.readAllStandardOutput();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // The sizes of the program's mapped windows ("1000x640" is the main window).
    QStringList shownWindows()
    {
        QByteArray output;
        run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                        QLatin1Char('^') + kTitle + QLatin1Char('$'), QStringLiteral("getwindowgeometry"),
                                        QStringLiteral("%@")},
            &output);
        QStringList sizes;
        for (const QByteArray &line : output.split('\n'))
            if (line.trimmed().startsWith("Geometry: "))
                sizes << QString::fromLatin1(line.trimmed().mid(10));
        return sizes;
    }
    bool mainWindowShown() { return shownWindows().contains(QStringLiteral("1000x640")); }
    // The main window's top-left corner on the screen, and its ICCCM state.
    QPoint windowOrigin()
    {
        QByteArray output;
        run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                        QLatin1Char('^') + kTitle + QLatin1Char('$'), QStringLiteral("getwindowgeometry")},
            &output);
        const QByteArray at = output.mid(output.indexOf("Position: ") + 10).split(' ').value(0);
        return QPoint(at.split(',').value(0).toInt(), at.split(',').value(1).toInt());
    }
    QByteArray windowState()
    {
        QByteArray id, state;
        run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--name"), QLatin1Char('^') + kTitle + QLatin1Char('$')}, &id);
        run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::fromLatin1(id.split('\n').value(0)), QStringLiteral("WM_STATE")}, &state);
        return state;
    }
    bool clickAt(QPoint at)
    {
        return run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                                              QStringLiteral("click"), QStringLiteral("1")}) == 0;
    }

    // What the window manager does on Alt+F4: asks the window to close.
    bool closeWindow() { return run(QStringLiteral("wmctrl"), {QStringLiteral("-c"), kTitle}) == 0; }

    QDBusMessage callItem(const QString &path, const QString &interface, const QString &method, const QVariantList &arguments)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(watcher->items.value(0), path, interface, method);
        call.setArguments(arguments);
        return connection->call(call);
    }
    QDBusMessage activate()
    {
        return callItem(QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.kde.StatusNotifierItem"),
                        QStringLiteral("Activate"), {0, 0});
    }
    // The tray menu's entries as a host reads them: the item names its menu.
    QList<MenuEntry> menu()
    {
        const QDBusMessage menuPath =
            callItem(QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.freedesktop.DBus.Properties"),
                     QStringLiteral("Get"), {QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Menu")});
        menuObject = qvariant_cast<QDBusObjectPath>(menuPath.arguments().value(0).value<QDBusVariant>().variant()).path();
        if (menuObject.isEmpty() || menuObject == QLatin1String("/"))
            return {};
        const QDBusMessage layout = callItem(menuObject, QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("GetLayout"),
                                             {0, -1, QStringList()});
        MenuEntry root;
        if (layout.arguments().size() == 2)
            qvariant_cast<QDBusArgument>(layout.arguments().at(1)) >> root;
        return root.children;
    }
    QDBusMessage click(int id)
    {
        return callItem(menuObject, QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("Event"),
                        {id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u});
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    Watcher *watcher = nullptr;

private:
    QProcess xvfb, bus, windowManager;
    std::optional<QDBusConnection> connection;
    QObject watcherObject;
    QString menuObject;
};

// A copy of the program of its own in a scratch workspace, so that its
// single-instance name is shared with no other run.
struct Program
{
    explicit Program(const QString &language)
    {
        QSettings(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat)
            .setValue(QStringLiteral("common/language"), language);
        QFile::copy(QStringLiteral(GEARCONSOLE_BINARY_DIR "/gearconsole"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ~Program()
    {
        process.kill();
        process.waitForFinished(3000);
    }

    void start(Session &session, const QStringList &arguments)
    {
        process.setProcessEnvironment(session.environment);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(path, arguments);
    }
    bool running() const { return process.state() == QProcess::Running; }
    // A second start with these arguments; its exit code.
    int startAgain(Session &session, const QStringList &arguments)
    {
        QProcess second;
        second.setProcessEnvironment(session.environment);
        second.start(path, arguments);
        return second.waitForFinished(10000) ? second.exitCode() : -1;
    }

    // A warning from an updater, shown in a message box.
    bool sendWarning(const QByteArray &text)
    {
        QLocalSocket sender;
        sender.connectToServer(CopyDataChannel::serverName(SingleInstance::socketPath(SingleInstance::defaultId(path))));
        return sender.waitForConnected(5000)
               && sender.write(CopyDataChannel::encode(9487, text + '\0', quint32(text.size()))) > 0
               && sender.waitForBytesWritten(5000);
    }

    TestWorkspace workspace;
    const QString path = workspace.path() + QStringLiteral("/gearconsole");
    QProcess process;
};

QStringList labels(const QList<MenuEntry> &entries)
{
    QStringList result;
    for (const MenuEntry &entry : entries)
        result << entry.properties.value(QStringLiteral("label")).toString();
    return result;
}

} // namespace

class TestDesktopSession : public QObject
{
    Q_OBJECT

private slots:
    // Closing the window or the warning box leaves the program in the tray; a
    // click on the item brings the window back; only Quit ends the program.
    void staysResidentUntilQuit()
    {
        Session session;
        if (!session.start())
            QSKIP("no private X server, window manager or session bus here");
        Program program(QStringLiteral("English"));
        program.start(session, {});
        QTRY_VERIFY_WITH_TIMEOUT(session.mainWindowShown(), 20000);
        QTRY_COMPARE(session.watcher->items.size(), 1);

        QVERIFY(session.closeWindow());
        QTRY_VERIFY(!session.mainWindowShown());
        QVERIFY(program.sendWarning("Update failed"));
        QTRY_COMPARE(session.shownWindows().size(), 1);
        QVERIFY(session.closeWindow());
        QTRY_VERIFY(session.shownWindows().isEmpty());
        QVERIFY(program.running());

        const QDBusMessage activated = session.activate();
        QCOMPARE(activated.type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY(session.mainWindowShown());

        const QList<MenuEntry> entries = session.menu();
        QCOMPARE(labels(entries), QStringList({QStringLiteral("Show"), QStringLiteral("Quit (_Q)")}));
        QCOMPARE(session.click(entries.at(1).id).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(program.process.state(), QProcess::NotRunning, 10000);
        QCOMPARE(program.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.process.exitCode(), 0);
    }

    // The login entry starts the program in the tray only; the menu's Show
    // (in the UI's language) or a start by the user brings the window.
    void loginEntryStartsHiddenInTheTray()
    {
        Session session;
        if (!session.start())
            QSKIP("no private X server, window manager or session bus here");
        QSettings entry(QStringLiteral(GEARCONSOLE_SOURCE_DIR "/packaging/autostart/example.vortan.gearconsole.desktop"),
                        QSettings::IniFormat);
        QStringList exec = entry.value(QStringLiteral("Desktop Entry/Exec")).toString().split(QLatin1Char(' '));
        QCOMPARE(exec.takeFirst(), QStringLiteral("gearconsole"));

        Program program(QStringLiteral("ChineseSimplified"));
        program.start(session, exec);
        QTRY_COMPARE_WITH_TIMEOUT(session.watcher->items.size(), 1, 20000);
        // The item may register before it names its menu: a host reads it
        // again on the item's NewMenu signal.
        QList<MenuEntry> entries;
        QTRY_VERIFY_WITH_TIMEOUT(!(entries = session.menu()).isEmpty(), 10000);
        QCOMPARE(labels(entries).value(0), QStringLiteral("显示"));
        // Nothing to wait for when nothing should happen: a shown window
        // would be mapped long before this.
        for (int i = 0; i < 20; ++i) {
            QVERIFY(session.shownWindows().isEmpty());
            QTest::qWait(100);
        }

        // The login entry run again (a second session) leaves it in the tray;
        // the user's own start shows the window.
        QCOMPARE(program.startAgain(session, exec), 1);
        for (int i = 0; i < 20; ++i) {
            QVERIFY(session.shownWindows().isEmpty());
            QTest::qWait(100);
        }
        QCOMPARE(program.startAgain(session, {}), 1);
        QTRY_VERIFY(session.mainWindowShown());

        QVERIFY(session.closeWindow());
        QTRY_VERIFY(!session.mainWindowShown());
        QCOMPARE(session.click(entries.at(0).id).type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY(session.mainWindowShown());
    }

    // Where no tray could bring it back, the window shows all the same;
    // closing it then minimises it, a second start brings it back, and the
    // help menu offers Quit.
    void withoutATrayTheWindowKeepsAWayBackAndAWayOut()
    {
        Session session;
        if (!session.start(false))
            QSKIP("no private X server, window manager or session bus here");
        Program program(QStringLiteral("English"));
        program.start(session, {QStringLiteral("--hidden")});
        QTRY_VERIFY_WITH_TIMEOUT(session.mainWindowShown(), 20000);
        QVERIFY(session.closeWindow());
        QTRY_VERIFY(!session.mainWindowShown());
        QVERIFY2(session.windowState().contains("Iconic"), session.windowState().constData());
        QVERIFY(program.running());
        QCOMPARE(program.startAgain(session, {}), 1);
        QTRY_VERIFY(session.mainWindowShown());

        const QPoint origin = session.windowOrigin();
        QTest::qWait(1500);   // the start-up's busy second
        QVERIFY(session.clickAt(origin + QPoint(910, 21)));    // help
        QTest::qWait(300);
        QVERIFY(session.clickAt(origin + QPoint(880, 127)));   // its fourth entry, Quit
        QTRY_COMPARE_WITH_TIMEOUT(program.process.state(), QProcess::NotRunning, 10000);
        QCOMPARE(program.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.process.exitCode(), 0);
    }

    // A logout (or `systemctl --user stop`, a kill) sends SIGTERM: the
    // program ends as Quit ends it, with what was just changed in its files
    // and nothing of it left in the runtime folder.
    void terminationKeepsWhatWasJustChanged()
    {
        Session session;
        if (!session.start())
            QSKIP("no private X server, window manager or session bus here");
        Program program(QStringLiteral("English"));
        program.start(session, {});
        QTRY_VERIFY_WITH_TIMEOUT(session.mainWindowShown(), 20000);
        const QPoint origin = session.windowOrigin();
        QTest::qWait(1500);   // the start-up's busy second
        QVERIFY(session.clickAt(origin + QPoint(113, 500)));  // the profile panel's New
        const auto newProfileListed = [&] {
            QFile names(program.workspace.path() + QStringLiteral("/modules/setting/name.bin"));
            return names.open(QIODevice::ReadOnly) && names.readAll().contains("profile_1");
        };
        QTRY_VERIFY_WITH_TIMEOUT(newProfileListed(), 5000);
        program.process.terminate();
        QVERIFY(program.process.waitForFinished(10000));
        QCOMPARE(program.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.process.exitCode(), 0);
        QSettings global(program.workspace.path() + QStringLiteral("/modules/setting/apConfig.bin"), QSettings::IniFormat);
        QCOMPARE(global.value(QStringLiteral("keyboard/profileNo")).toInt(), 1);
        const QString socket = SingleInstance::socketPath(SingleInstance::defaultId(program.path));
        QVERIFY(!socket.isEmpty());
        QCOMPARE(QDir(QFileInfo(socket).path()).entryList({QFileInfo(socket).fileName() + QLatin1Char('*')},
                                                         QDir::AllEntries | QDir::System | QDir::Hidden),
                 QStringList());
    }

    // A tray that comes a moment after the program (the panel starting late
    // at login) keeps the window hidden.
    void hiddenStartWaitsForALateTray()
    {
        Session session;
        if (!session.start(false))
            QSKIP("no private X server, window manager or session bus here");
        Program program(QStringLiteral("English"));
        program.start(session, {QStringLiteral("--hidden")});
        QTest::qWait(2000);
        LateTray tray(session.environment.value(QStringLiteral("DISPLAY")));
        QVERIFY(tray.isAnnounced());
        for (int waited = 0; waited < 12000; waited += 500) {
            QTest::qWait(500);
            QVERIFY2(!session.mainWindowShown(), qPrintable(QString::number(waited)));
        }
        QVERIFY(program.running());
    }
};

QTEST_GUILESS_MAIN(TestDesktopSession)
#include "tst_desktop_session.moc"
