// The key-setting page of the real window with a virtual keyboard, clicked
// as a user would: a key of the picture, a category and an entry, Save; the
// key matrix reaches the keyboard, follows the profile and returns to the
// factory assignment on "Recovery".
#include "page_rig.h"

#include "bridge/keyboard_layout.h"
#include "device/virtual/keyboard_model.h"

#include <QDir>

namespace {

constexpr int kKeyA = 9;     // hot spot "key9"
constexpr int kKeyEsc = 0;
constexpr int kMultimediaCategory = 2;
constexpr int kVolumeUp = 1;  // consumer usage 0x00E9
const QByteArray kVolumeUpCode = QByteArray::fromHex("00e90003");
const QByteArray kKeyACode = QByteArray::fromHex("04000000");
const QByteArray kEscCode = QByteArray::fromHex("29000000");
const QByteArray kFnCode = QByteArray::fromHex("00ff0507");

// The four matrix bytes the keyboard holds for a key of the picture (the
// virtual keyboard is found alone as entry 0: connection state 1).
QByteArray codeOnKeyboard(KeyboardModel *keyboard, int uiKey)
{
    return keyboard->keyMatrix().mid(4 * KeyboardLayout::matrixPosition(uiKey, 1), 4);
}

QStringList storedPair(PageRig &rig, int uiKey)
{
    QStringList pair;
    for (const QVariant &value : rig.window->view()->getDataList(QStringLiteral("keyboardKeyMatrix/%1").arg(uiKey), false))
        pair.append(value.toString());
    return pair;
}

// Key A of the picture becomes "Vol+" through the Key page.
bool assignVolumeUpToA(PageRig &rig)
{
    if (!ui::click(*rig.window, "sideButton1") || !ui::click(*rig.window, QStringLiteral("key%1").arg(kKeyA)))
        return false;
    if (!QTest::qWaitFor([&] { return ui::find(*rig.window, "keyboardPages")->property("selectKey").toInt() == kKeyA; }, 1000))
        return false;
    QQuickItem *multimedia = rig.item("multimediaList");
    if (!chooseRow(rig, "categoryList", kMultimediaCategory)
        || !QTest::qWaitFor([&] { return multimedia->isVisible(); }, 2000))
        return false;
    if (!chooseRow(rig, "multimediaList", kVolumeUp)
        || !QTest::qWaitFor([&] { return multimedia->property("currentIndex").toInt() == kVolumeUp
                                         && !multimedia->property("opened").toBool(); }, 2000))
        return false;
    return ui::click(*rig.window, "keySaveButton");
}

// A point of the window, clicked where no item has a name to find it by.
void clickWindowAt(PageRig &rig, QPoint point)
{
    QTest::mouseMove(rig.window->view(), point);
    QTest::mouseClick(rig.window->view(), Qt::LeftButton, {}, point);
    QCoreApplication::processEvents();
}

} // namespace

class TestKeyPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        chooseSceneGraphBackend();
    }

    void assignmentReachesTheKeyboard()
    {
        PageRig rig;
        QVERIFY(rig.ready);
        KeyboardModel *keyboard = rig.keyboard();
        QVERIFY(keyboard);
        QVERIFY2(ui::shown(*rig.window, QStringLiteral("key%1").arg(kKeyA)), "the picture has no hot spot for key A");

        QVERIFY(assignVolumeUpToA(rig));
        QTRY_COMPARE(codeOnKeyboard(keyboard, kKeyA), kVolumeUpCode);
        // The whole matrix went with it.
        QCOMPARE(codeOnKeyboard(keyboard, kKeyEsc), kEscCode);
        QCOMPARE(codeOnKeyboard(keyboard, kFnKeyIndex), kFnCode);
        QCOMPARE(storedPair(rig, kKeyA), QStringList({"3", "1"}));

        // The key is marked and its tip tells what it does.
        QVERIFY(ui::hover(*rig.window, QStringLiteral("key%1").arg(kKeyA), QPointF(15, 15)));
        QQuickItem *tip = rig.item("keyTip");
        QVERIFY(tip);
        QTRY_VERIFY(tip->isVisible());
        QTest::qWait(100);

        // A long assignment on a key near the picture's right edge: the tip
        // grows to its text and stays inside the picture.
        constexpr int kKeypadNine = 116;
        const QString longGroup = QStringLiteral("LCtrl+LShift+LAlt+Delete");
        rig.window->view()->setDataList(QStringLiteral("keyboardKeyMatrix/%1").arg(kKeypadNine), {"2", longGroup});
        QMetaObject::invokeMethod(ui::find(*rig.window, "keyboardPages"), "initialise",
                                  Q_ARG(QVariant, false), Q_ARG(QVariant, false), Q_ARG(QVariant, false));
        QVERIFY(ui::hover(*rig.window, QStringLiteral("key%1").arg(kKeypadNine), QPointF(10, 10)));
        QTRY_VERIFY(tip->isVisible() && tip->property("keyIndex").toInt() == kKeypadNine);
        QQuickItem *picture = tip->parentItem();
        const QRectF tipArea = tip->mapRectToItem(picture, QRectF(0, 0, tip->width(), tip->height()));
        QVERIFY2(QRectF(0, 0, picture->width(), picture->height()).contains(tipArea), "the tip leaves the picture");
        QVERIFY(tip->width() > 120);
        QTest::qWait(100);
        QVERIFY(saveScreenshot(rig, "key-page.png"));

        // While busy, "LOADING ......" reads on its own plate over the legends.
        QQuickItem *root = rig.window->view()->rootObject();
        QVERIFY(QMetaObject::invokeMethod(root, "controlUIEnable", Q_ARG(QVariant, false)));
        QTRY_VERIFY(rig.item("busyBackdrop") && rig.item("busyBackdrop")->isVisible());
        QVERIFY(saveScreenshot(rig, "busy.png"));
        QVERIFY(QMetaObject::invokeMethod(root, "controlUIEnable", Q_ARG(QVariant, true)));
    }

    void profileSwitchSendsThatProfilesMatrix()
    {
        PageRig rig;
        QVERIFY(rig.ready);
        KeyboardModel *keyboard = rig.keyboard();
        QVERIFY(keyboard);
        QVERIFY(assignVolumeUpToA(rig));
        QTRY_COMPARE(codeOnKeyboard(keyboard, kKeyA), kVolumeUpCode);

        // A new profile starts from the factory assignment and is sent.
        QVERIFY(ui::click(*rig.window, "newBtn"));
        QTRY_COMPARE(ui::rootProperty(*rig.window, "profileNo").toInt(), 1);
        QTRY_COMPARE(codeOnKeyboard(keyboard, kKeyA), kKeyACode);
        QCOMPARE(storedPair(rig, kKeyA), QStringList({"2", "A"}));
        // No key is selected in the new profile, and no key's panel shows.
        QTRY_VERIFY(rig.item("chooseKeyHint")->isVisible());
        QVERIFY(!rig.item("multimediaList")->isVisible());
        QVERIFY(saveScreenshot(rig, "key-page-no-key.png"));

        QVERIFY(ui::click(*rig.window, "profileItem0"));
        QTRY_COMPARE(ui::rootProperty(*rig.window, "profileNo").toInt(), 0);
        QTRY_COMPARE(codeOnKeyboard(keyboard, kKeyA), kVolumeUpCode);
        QCOMPARE(codeOnKeyboard(keyboard, kKeyEsc), kEscCode);
    }

    void recoverySendsTheFactoryMatrix()
    {
        PageRig rig;
        QVERIFY(rig.ready);
        KeyboardModel *keyboard = rig.keyboard();
        QVERIFY(keyboard);
        QVERIFY(assignVolumeUpToA(rig));
        QTRY_COMPARE(codeOnKeyboard(keyboard, kKeyA), kVolumeUpCode);

        // The title bar's help button (x 900, 20 × 20), then the menu's
        // second entry (27 px rows from y 27, 230 px from the right edge).
        clickWindowAt(rig, QPoint(910, 21));
        QTRY_VERIFY(ui::rootProperty(*rig.window, "helpMenuOpen").toBool());
        clickWindowAt(rig, QPoint(1000 - 230 + 60, 27 + 27 + 13));
        // It asks first.
        QTRY_VERIFY(rig.item("confirmOk") && rig.item("confirmOk")->isVisible());
        QCOMPARE(codeOnKeyboard(keyboard, kKeyA), kVolumeUpCode);
        QVERIFY(saveScreenshot(rig, "confirm-recovery.png"));
        QVERIFY(ui::click(*rig.window, "confirmOk"));
        QTRY_COMPARE(codeOnKeyboard(keyboard, kKeyA), kKeyACode);
        QCOMPARE(storedPair(rig, kKeyA), QStringList({"2", "A"}));
        QCOMPARE(codeOnKeyboard(keyboard, kFnKeyIndex), kFnCode);
        QTRY_VERIFY(!ui::rootProperty(*rig.window, "busy").toBool());
    }
};

QTEST_MAIN(TestKeyPage)
#include "tst_key_page.moc"
