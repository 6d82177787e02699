// The side menu and the profile list of the real window, clicked as a user
// would: the pages follow the side menu, a profile click switches profile.
#include "page_rig.h"

class TestPageNavigation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { chooseSceneGraphBackend(); }

    void sideMenuChoosesThePage()
    {
        PageRig rig;
        QVERIFY(rig.ready);
        QCOMPARE(ui::rootProperty(*rig.window, "sidePage").toInt(), 0);
        QVERIFY(rig.item("lightPage")->isVisible());
        QVERIFY(ui::click(*rig.window, "sideButton1"));
        QCOMPARE(ui::rootProperty(*rig.window, "sidePage").toInt(), 1);
        QVERIFY(rig.item("keyPage")->isVisible());
        QVERIFY(!rig.item("lightPage")->isVisible());
        QVERIFY(ui::click(*rig.window, "sideButton2"));
        QVERIFY(rig.item("macroEditor")->isVisible());
        QVERIFY(!rig.item("keyboard")->isVisible());
    }

    void newProfileIsSelected()
    {
        PageRig rig;
        QVERIFY(rig.ready);
        QVERIFY(ui::click(*rig.window, "newBtn"));
        QTRY_COMPARE(ui::rootProperty(*rig.window, "profileNo").toInt(), 1);
        QVERIFY(ui::click(*rig.window, "profileItem0"));
        QTRY_COMPARE(ui::rootProperty(*rig.window, "profileNo").toInt(), 0);
    }
};

QTEST_MAIN(TestPageNavigation)
#include "tst_page_navigation.moc"
