// Start-up order of the real window: the root document comes up with the
// first frame, the main screen (the keyboard pages with it) is built in
// slices afterwards, and the page initialisation asked for meanwhile runs
// once it is there.
#include "app/render_backend.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "device/virtual/virtual_backend.h"
#include "device/virtual/virtual_environment.h"
#include "support/test_workspace.h"

#include <QElapsedTimer>
#include <QQmlEngine>
#include <QQuickItem>
#include <QtTest>

namespace {

struct StartupRig
{
    StartupRig()
    {
        VirtualHidBackend &hid = installVirtualBackend();
        window = std::make_unique<Widget>();
        addVirtualDevicesForEntry(hid, window->device().devices(), 0);
    }

    QQuickItem *root() const { return window->view()->rootObject(); }
    QObject *pages() const { return root()->findChild<QObject *>(QStringLiteral("keyboardPages")); }
    // Detection finds the virtual keyboard and calls the root's initUI,
    // which makes the root visible (starting the main screen's loader) and
    // asks for the keyboard pages' initialisation.
    void detect() const
    {
        window->checkDevice();
        QTRY_VERIFY(root()->property("callLog").toStringList().contains(QStringLiteral("initUI")));
    }

    TestWorkspace workspace;
    std::unique_ptr<Widget> window;
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { chooseSceneGraphBackend(); }

    void mainScreenIsBuiltAfterTheFirstFrame()
    {
        StartupRig rig;
        buildAfterFirstFrame(*rig.window);
        QVERIFY(rig.window->view()->engine()->incubationController());

        rig.detect();
        QVERIFY2(!rig.pages(), "initUI returned with the main screen already built");
        QVERIFY(!rig.root()->property("pendingPageInit").isNull());

        rig.window->show();
        QTRY_VERIFY(rig.pages());
        // The initialisation initUI asked for ran once the pages were there.
        QTRY_VERIFY(rig.root()->property("pendingPageInit").isNull());
    }

    void unpaintedWindowStillGetsItsMainScreen()
    {
        StartupRig rig;
        QElapsedTimer sinceInstalled;
        sinceInstalled.start();
        buildAfterFirstFrame(*rig.window);
        rig.detect();
        QTRY_VERIFY_WITH_TIMEOUT(rig.pages(), 3000);
        QVERIFY(sinceInstalled.elapsed() >= kFirstFrameWaitMs);
    }

    // The view's engine comes without an incubation controller: without
    // ours the asynchronous loader builds everything inside initUI.
    void withoutTheControllerTheLoaderBuildsAtOnce()
    {
        StartupRig rig;
        QVERIFY(!rig.window->view()->engine()->incubationController());
        rig.detect();
        QVERIFY(rig.pages());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
