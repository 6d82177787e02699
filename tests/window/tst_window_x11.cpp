// The real window under a private Xvfb: a file dialog parented to the view
// draws its own opaque background, and a field being edited takes keys again
// once the window has the focus back from another window.
#include "bridge/file_dialogs.h"
#include "pages/page_rig.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QScreen>

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

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

    // The export dialog proposes the profile's name with ".pf"; a name typed
    // without a suffix is saved with it, and the import dialog then lists it.
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
