// The real window under a private Xvfb: a file dialog parented to the view
// draws its own opaque background, a field being edited takes keys again
// once the window has the focus back from another window, and what is typed
// on the desktop reaches the program only while a page listens.
#include "app/ui_controler.h"
#include "bridge/file_dialogs.h"
#include "keys/key_capture.h"
#include "pages/page_rig.h"

#include <QAbstractItemView>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QScreen>

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>

namespace {

// Xvfb on a display number it picks itself (-displayfd), so that servers
// started at the same moment by other tests never collide.
struct PrivateXServer
{
    pid_t pid = -1;

    bool start()
    {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return false;
        pid = fork();
        if (pid == 0) {
            close(pipeEnds[0]);
            const std::string fd = std::to_string(pipeEnds[1]);
            freopen("/dev/null", "w", stderr);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x800x24", "-nolisten", "tcp",
                   static_cast<char *>(nullptr));
            _exit(127);
        }
        close(pipeEnds[1]);
        std::string number;
        char c;
        while (pid > 0 && read(pipeEnds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(pipeEnds[0]);
        if (number.empty())
            return false;
        qputenv("DISPLAY", QByteArray(":") + number.c_str());
        qputenv("QT_QPA_PLATFORM", "xcb");
        return true;
    }
    ~PrivateXServer()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
};

double share(const QImage &image, const std::function<bool(QRgb)> &test)
{
    qsizetype hits = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            hits += test(image.pixel(x, y));
    return double(hits) / double(image.width() * image.height());
}

// Runs xdotool on the test's server and waits for it: the program reads
// nothing meanwhile, so all the events it caused are queued by then.
bool xdo(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    return tool.waitForFinished(5000) && tool.exitCode() == 0;
}

// What the UI was handed by the capture since the spy began, as "04 down".
QStringList keysSeen(const QSignalSpy &spy)
{
    QStringList keys;
    for (const QList<QVariant> &call : spy)
        keys << QStringLiteral("%1 %2").arg(call.at(1).toInt(), 2, 16, QLatin1Char('0'))
                    .arg(call.at(0).toBool() ? "down" : "up");
    return keys;
}

} // namespace

class TestWindowX11 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("no private X server could be started here");
        chooseSceneGraphBackend();
    }

    void importDialogIsOpaqueAndReadable()
    {
        PageRig rig;
        QVERIFY(rig.ready);
        // A desktop folder with one profile to show, in place of the user's.
        qputenv("HOME", rig.workspace.path().toUtf8());
        QVERIFY(QDir().mkpath(desktopDirectory()));
        QVERIFY(QFile::copy(QStringLiteral("./modules/setting/p1.bin"), desktopDirectory() + QStringLiteral("/Gaming.pf")));
        QImage drawn;
        QImage onScreen;
        // The dialog runs its own event loop inside the import; it is looked
        // at and cancelled from there.
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto *dialog = rig.window->view()->findChild<QFileDialog *>();
            if (!dialog || !dialog->isVisible())
                return;
            poll.stop();
            if (QTest::qWaitForWindowExposed(dialog)) {
                QTest::qWait(300);   // the file list fills in
                drawn = dialog->grab().toImage();
                onScreen = dialog->screen()->grabWindow(0, dialog->x(), dialog->y(), dialog->width(), dialog->height()).toImage();
            }
            dialog->reject();
        });
        poll.start(50);
        QVERIFY(!rig.window->view()->loadProfile(0));
        QVERIFY2(!drawn.isNull(), "no Qt-drawn file dialog was shown");

        const double transparent = share(drawn, [](QRgb pixel) { return qAlpha(pixel) == 0; });
        QVERIFY2(transparent < 0.01, qPrintable(QStringLiteral("%1 of the dialog is transparent").arg(transparent)));
        // What the X server shows: mostly the light window colour, on which the labels' dark text reads.
        const double light = share(onScreen, [](QRgb pixel) { return qGray(pixel) > 200; });
        QVERIFY2(light > 0.5, qPrintable(QStringLiteral("only %1 of the dialog on screen is light").arg(light)));
        const QString folder = qEnvironmentVariable("GEARCONSOLE_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            QVERIFY(QDir().mkpath(folder) && onScreen.save(QDir(folder).filePath(QStringLiteral("import-dialog.png"))));
    }

    void exportProposesTheNameAndTheImportFindsIt()
    {
        PageRig rig;
        QVERIFY(rig.ready);
        qputenv("HOME", rig.workspace.path().toUtf8());
        QVERIFY(QDir().mkpath(desktopDirectory()));
        rig.window->view()->updataNameList(2, {"Arena0"}, 0);
        QString proposed, suffix;
        QStringList listed;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto *dialog = rig.window->view()->findChild<QFileDialog *>();
            if (!dialog || !dialog->isVisible() || !QTest::qWaitForWindowExposed(dialog))
                return;
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!name)
                return;
            poll.stop();
            if (dialog->acceptMode() == QFileDialog::AcceptSave) {
                proposed = name->text();
                suffix = dialog->defaultSuffix();
                name->setText(QStringLiteral("gaming"));
                QTest::keyClick(name, Qt::Key_Return);
                return;
            }
            auto *files = dialog->findChild<QAbstractItemView *>(QStringLiteral("listView"));
            QTest::qWaitFor([&] { return files && files->model()->rowCount(files->rootIndex()) > 0; }, 3000);
            for (int row = 0; files && row < files->model()->rowCount(files->rootIndex()); ++row)
                listed << files->model()->index(row, 0, files->rootIndex()).data().toString();
            dialog->reject();
        });
        poll.start(50);
        rig.window->view()->saveProfile(0);
        QCOMPARE(proposed, QStringLiteral("Arena.pf"));
        QCOMPARE(suffix, QStringLiteral("pf"));
        const QString written = desktopDirectory() + QStringLiteral("/gaming.pf");
        QVERIFY2(QFileInfo::exists(written), qPrintable(written));
        QFile exported(written), profile(QStringLiteral("./modules/setting/p1.bin"));
        QVERIFY(exported.open(QIODevice::ReadOnly) && profile.open(QIODevice::ReadOnly));
        QCOMPARE(exported.readAll(), profile.readAll());

        poll.start(50);
        QVERIFY(!rig.window->view()->loadProfile(0));
        QVERIFY2(listed.contains(QStringLiteral("gaming.pf")), qPrintable(listed.join(',')));
    }

    void typingResumesAfterAnotherWindowHadTheFocus()
    {
        PageRig rig;
        QVERIFY(rig.ready);
        QVERIFY(ui::click(*rig.window, "sideButton2"));
        QVERIFY(ui::click(*rig.window, "macroNewButton"));
        QTRY_VERIFY(rig.item("macroNameListItem0") != nullptr);
        rig.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        QQuickItem *field = rig.item("timesField");
        QVERIFY(ui::click(*rig.window, "timesField", Qt::LeftButton, QPointF(40, 10)));   // cursor after the text
        QTest::keyClick(rig.window->windowHandle(), '2');
        QTRY_COMPARE(field->property("text").toString(), QStringLiteral("12"));

        QWidget other;
        other.resize(200, 100);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        rig.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        QTest::keyClick(rig.window->windowHandle(), '3');
        QTRY_COMPARE(field->property("text").toString(), QStringLiteral("123"));
    }

    // The program starts at login and stays resident: what is typed into
    // other programs (a password, a screen locker holding the keyboard)
    // never reaches it. Only recording, an armed key field and the insert
    // dialog see keys, and only while they listen.
    void capturesOnlyWhileAPageListens()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xdotool is not installed");
        PageRig rig;
        QVERIFY(rig.ready);
        KeyCapture capture;
        capture.setKeyboardCallback(&Widget::keyboardCaptured, rig.window.get());
        capture.setMouseCallback(&Widget::mouseCaptured, rig.window.get());
        QQuickItem *root = rig.window->view()->rootObject();
        QSignalSpy keys(root, SIGNAL(msg_KB(bool, int)));
        QSignalSpy buttons(root, SIGNAL(msg_MS(bool, int, int, int)));
        Display *other = XOpenDisplay(nullptr);
        QVERIFY(other);
        // Typed with no page listening: a while later, no key seen since the last clear.
        const auto unseen = [&](const QStringList &typed) {
            return xdo(typed) && (QTest::qWait(300), keysSeen(keys).isEmpty());
        };

        // Idle, grabbed or not: nothing.
        QVERIFY(xdo({"mousemove", "1100", "700", "type", "password"}));
        QCOMPARE(XGrabKeyboard(other, DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync, CurrentTime),
                 GrabSuccess);
        XSync(other, False);
        QVERIFY(unseen({"type", "secret", "click", "1"}));
        QCOMPARE(buttons.size(), 0);
        QVERIFY(!rig.window->view()->rootObject()->property("callLog").toStringList().contains("detectKeyboard"));
        keys.clear();

        // Recording, under the other client's grab: keys and buttons, each
        // button where it was clicked although the pointer moved on before
        // the program read it.
        QVERIFY(ui::click(*rig.window, "sideButton2"));
        QVERIFY(ui::click(*rig.window, "recordButton"));
        QTRY_VERIFY(KeyCapture::isListening());
        QVERIFY(xdo({"key", "a", "mousemove", "1200", "750", "click", "1", "mousemove", "5", "5"}));
        QTRY_COMPARE(keysSeen(keys), QStringList({"04 down", "04 up"}));
        QTRY_COMPARE(buttons.size(), 2);
        QCOMPARE(buttons.at(0), QVariantList({true, 0xf0, 1200, 750}));
        QCOMPARE(buttons.at(1), QVariantList({false, 0xf0, 1200, 750}));
        XUngrabKeyboard(other, CurrentTime);
        XSync(other, False);
        keys.clear();

        // Stopped: nothing again.
        QVERIFY(ui::click(*rig.window, "recordButton"));
        QTRY_VERIFY(!KeyCapture::isListening());
        QVERIFY(unseen({"type", "pin"}));

        // An armed key field listens, and hiding the window lets it go.
        QVERIFY(ui::click(*rig.window, "sideButton1"));
        QVERIFY(ui::click(*rig.window, "key9"));   // A
        QTRY_VERIFY(rig.item("singleKeyField") && rig.item("singleKeyField")->isVisible());
        QVERIFY(ui::click(*rig.window, "singleKeyField"));
        QTRY_VERIFY(KeyCapture::isListening());
        QVERIFY(xdo({"key", "b"}));
        QTRY_COMPARE(keysSeen(keys), QStringList({"05 down", "05 up"}));
        keys.clear();
        rig.window->controller()->onClose();
        QVERIFY(!KeyCapture::isListening());
        QCOMPARE(rig.item("keyPage")->property("armed").toString(), QString());
        QVERIFY(unseen({"key", "c"}));
        XCloseDisplay(other);
    }
};

int main(int argc, char **argv)
{
    // Started before the application object, which connects to it.
    PrivateXServer server;
    if (!server.start())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestWindowX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_x11.moc"
