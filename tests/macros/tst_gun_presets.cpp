// Gun presets through the bridge: the preset file and what reaches a virtual
// mouse of the 560 family (a changed profile image) and of the 553 family
// (the gun-data command after the option read).
#include "device/hid_thread.h"
#include "device/virtual/mouse_model.h"
#include "device/virtual/virtual_backend.h"
#include "device/virtual/virtual_device.h"
#include "macro_test_rig.h"
#include "support/log_capture.h"

#include <QtTest>

namespace {
const QString kPresetFile = QStringLiteral("./modules/gun/gunData.bin");
constexpr quint8 kGetOptions553 = 0x83;
constexpr quint8 kSetGunData553 = 0x04;
constexpr quint8 kSetProfile560 = 0x0C;

// A 553-family mouse that answers the keyboard-option read with the given
// four bytes and keeps everything else as the mouse model does.
class OptionAnsweringMouse final : public DeviceModel
{
public:
    explicit OptionAnsweringMouse(QByteArray options) : m_options(std::move(options)) {}
    void commandReport(const QByteArray &report) override
    {
        m_answerOptions = report.size() > 1 && quint8(report.at(1)) == kGetOptions553;
        if (!m_answerOptions)
            mouse.commandReport(report);
    }
    void outputReport(const QByteArray &report) override { mouse.outputReport(report); }
    QByteArray answerReport() override
    {
        if (!m_answerOptions)
            return mouse.answerReport();
        QByteArray answer(9, '\0');
        answer[1] = char(kGetOptions553);
        answer.replace(2, 4, m_options);
        return answer;
    }
    QList<QByteArray> takeInputReports() override { return mouse.takeInputReports(); }

    MouseModel mouse{64};

private:
    QByteArray m_options;
    bool m_answerOptions = false;
};

// A profile image with every byte set, bit 2 of byte 65 included.
QByteArray filledImage()
{
    QByteArray image(128, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(0x55 + 3 * i) | char(0x04);
    return image;
}

// A workspace whose device entry 0 is a virtual mouse, its global settings
// saying whether it has a gun mode and which family it speaks, and a bridge
// opened on it.
struct MouseRig
{
    MouseRig(bool isGun, const QString &icType, std::unique_ptr<DeviceModel> model)
    {
        QMap<QString, QString> entry = tableEntry("beef", "0001", "ff00", "0001", 64);
        entry.insert(QStringLiteral("type"), QStringLiteral("1"));
        workspace.writeDeviceTable({entry});
        {
            QSettings global(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
            global.setValue("mouse/isGun", isGun);
            global.setValue("mouse/icType", icType);
        }
        VirtualHidBackend &hid = installVirtualBackend();
        device = std::make_unique<Hid_Thread>();
        const DeviceInfo &info = device->devices()[0];
        virtualDevice = hid.add(std::make_shared<VirtualDevice>(
            VirtualDevice::Identity{"virtual:0", info.vid, info.pid, info.usagePage, info.usage}, std::move(model),
            false));
        device->detectDevices();
        device->setDevicePath(0, QStringLiteral("virtual:0"));  // detection gives index 0 to keyboards only
        view = std::make_unique<myQQuickView>();
        view->device = device.get();
    }
    ~MouseRig() { view.reset(); }

    // Opcodes of the command reports the mouse received, in order.
    QList<int> opcodes() const
    {
        QList<int> result;
        for (const VirtualDevice::Record &record : virtualDevice->records()) {
            if (record.direction == VirtualDevice::Direction::FeatureOut && record.plain.size() > 1)
                result.append(quint8(record.plain.at(1)));
        }
        return result;
    }
    MouseModel &mouse() { return dynamic_cast<MouseModel &>(virtualDevice->model()); }

    TestWorkspace workspace;
    std::unique_ptr<Hid_Thread> device;
    std::shared_ptr<VirtualDevice> virtualDevice;
    std::unique_ptr<myQQuickView> view;
};

std::unique_ptr<DeviceModel> plainMouse() { return std::make_unique<MouseModel>(64); }
} // namespace

class TestGunPresets : public QObject
{
    Q_OBJECT

private slots:
    void init() { std::fill_n(Hid_Thread::SecrecyCode, 8, 0); }

    void theShippedPresetsAreListed()
    {
        BridgeRig rig;
        QVERIFY(QFile::exists(kPresetFile));
        ParsedSettings file(kPresetFile);
        file->beginGroup("gunData");
        QStringList shipped = file->childKeys();
        QVERIFY(shipped.size() >= 2);
        QStringList listed = rig.view->getGunDataKey();
        shipped.sort();
        listed.sort();
        QCOMPARE(listed, shipped);
        for (const QString &name : shipped)
            QCOMPARE(stringsOf(rig.view->getGunData(name)), file->value(name).toStringList());
    }

    void aSavedPresetReadsBackInOrder()
    {
        BridgeRig rig;
        rig.view->mouseSaveGundata("A", {5, 17, 42, 0, 1, 200, 99});
        QCOMPARE(stringsOf(rig.view->getGunData("A")), QStringList({"5", "17", "42", "0", "1", "200"}));
        QCOMPARE(ParsedSettings(kPresetFile)->value("gunData/A").toStringList(),
                 QStringList({"5", "17", "42", "0", "1", "200"}));
        QVERIFY(rig.view->getGunDataKey().contains("A"));
    }

    void aShortListSavesNothing()
    {
        BridgeRig rig;
        const QByteArray before = fileBytes(kPresetFile);
        LogCapture log;
        rig.view->mouseSaveGundata("Short", {1, 2, 3, 4, 5});
        QCOMPARE(fileBytes(kPresetFile), before);
        QVERIFY(rig.view->getGunData("Short").isEmpty());
        QCOMPARE(log.count("mouseSaveGundata"), 1);
    }

    void changingRenamesAndRewritesWithFiveValues()
    {
        BridgeRig rig;
        rig.view->mouseSaveGundata("Old", {1, 2, 3, 4, 5, 6});
        rig.view->modifyGundata(1, {"New", 7, 8, 9, 10, 11, "Old"});
        QVERIFY(rig.view->getGunData("Old").isEmpty());
        QCOMPARE(stringsOf(rig.view->getGunData("New")), QStringList({"7", "8", "9", "10", "11"}));
        ParsedSettings file(kPresetFile);
        QVERIFY(!file->contains("gunData/Old"));
        QCOMPARE(file->value("gunData/New").toStringList(), QStringList({"7", "8", "9", "10", "11"}));
    }

    void changingUnderTheSameNameRewritesIt()
    {
        BridgeRig rig;
        rig.view->mouseSaveGundata("Same", {1, 2, 3, 4, 5, 6});
        rig.view->modifyGundata(1, {"Same", 6, 5, 4, 3, 2, "Same"});
        QCOMPARE(stringsOf(rig.view->getGunData("Same")), QStringList({"6", "5", "4", "3", "2"}));
    }

    void removingAndUnknownChanges()
    {
        BridgeRig rig;
        rig.view->mouseSaveGundata("Gone", {1, 2, 3, 4, 5, 6});
        rig.view->mouseSaveGundata("Stays", {6, 5, 4, 3, 2, 1});
        rig.view->modifyGundata(0, {"Gone"});
        QVERIFY(rig.view->getGunData("Gone").isEmpty());
        QVERIFY(!ParsedSettings(kPresetFile)->contains("gunData/Gone"));

        const QByteArray before = fileBytes(kPresetFile);
        rig.view->modifyGundata(2, {"Stays", 1, 1, 1, 1, 1, "Stays"});
        rig.view->modifyGundata(1, {"Stays", 1, 1, 1, 1, 1});  // no old name
        rig.view->modifyGundata(0, {});
        QCOMPARE(fileBytes(kPresetFile), before);
        QCOMPARE(stringsOf(rig.view->getGunData("Stays")), QStringList({"6", "5", "4", "3", "2", "1"}));
    }

    void aMissingPresetFileIsNeverCreated()
    {
        BridgeRig rig;
        QVERIFY(QFile::remove(kPresetFile));
        rig.view->mouseSaveGundata("A", {1, 2, 3, 4, 5, 6});
        rig.view->modifyGundata(1, {"B", 1, 2, 3, 4, 5, "A"});
        rig.view->modifyGundata(0, {"A"});
        QVERIFY(!QFile::exists(kPresetFile));
        QVERIFY(rig.view->getGunData("A").isEmpty());
        QVERIFY(rig.view->getGunDataKey().isEmpty());
    }

    void unsafePresetNamesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("key path") << QStringLiteral("a/b");
        QTest::newRow("parent path") << QStringLiteral("../x");
        QTest::newRow("empty") << QString();
        QTest::newRow("backslash") << QStringLiteral("a\\b");
        QTest::newRow("tab") << QStringLiteral("a\tb");
    }
    void unsafePresetNamesAreRefused()
    {
        QFETCH(QString, name);
        BridgeRig rig;
        rig.view->mouseSaveGundata("Kept", {1, 2, 3, 4, 5, 6});
        const auto before = snapshot(rig.workspace.path());
        LogCapture log;
        rig.view->mouseSaveGundata(name, {1, 2, 3, 4, 5, 6});
        rig.view->modifyGundata(1, {name, 1, 2, 3, 4, 5, "Kept"});
        rig.view->modifyGundata(1, {"Kept", 1, 2, 3, 4, 5, name});
        rig.view->modifyGundata(0, {name});
        QVERIFY(rig.view->getGunData(name).isEmpty());
        QCOMPARE(snapshot(rig.workspace.path()), before);
        QCOMPARE(stringsOf(rig.view->getGunData("Kept")), QStringList({"1", "2", "3", "4", "5", "6"}));
        QCOMPARE(log.count("refused"), 5);
    }

    void sendingOnA560MouseChangesProfileImageOne()
    {
        MouseRig rig(true, "560", plainMouse());
        // Profile image 1 of the bridge starts as the mouse's profile 1.
        QByteArray image = filledImage();
        rig.device->hid560_0CH_setProfile(0, reinterpret_cast<uchar *>(image.data()), 1);
        rig.view->mouseReadProfile(1);
        rig.virtualDevice->clearRecords();

        rig.view->mouseSendGundata(0, {10, 20, 30});

        QByteArray expected = filledImage();
        expected[78] = char(0xF0);
        expected[79] = char(10);
        expected[80] = char(20);
        expected[81] = char(30);
        expected[65] = char(expected.at(65) & ~0x04);
        const QByteArray received = rig.mouse().profile(1);
        QCOMPARE(received.mid(78, 4).toHex(' '), QByteArray("f0 0a 14 1e"));
        QCOMPARE(int(quint8(received.at(65)) & 0x04), 0);
        QCOMPARE(received.toHex(' '), expected.toHex(' '));
        QCOMPARE(rig.opcodes(), QList<int>({kSetProfile560}));
        // The other profiles are untouched.
        QCOMPARE(rig.mouse().profile(2), QByteArray(128, '\0'));
    }

    void sendingOnA560MouseUsesTheLowEightBitsAndTheSlotsImage()
    {
        MouseRig rig(true, "560", plainMouse());
        rig.view->mouseSendGundata(3, {"300", -1, 255});
        const QByteArray received = rig.mouse().profile(4);
        QCOMPARE(received.mid(78, 4).toHex(' '), QByteArray("f0 2c ff ff"));
        QCOMPARE(rig.mouse().profile(1), QByteArray(128, '\0'));
    }

    void sendingOnA560MouseOutsideSlotsZeroToThreeSendsNothing()
    {
        MouseRig rig(true, "560", plainMouse());
        rig.virtualDevice->clearRecords();
        rig.view->mouseSendGundata(4, {10, 20, 30});
        rig.view->mouseSendGundata(-1, {10, 20, 30});
        QVERIFY(rig.opcodes().isEmpty());
    }

    void withoutGunModeNothingIsSentOrChanged()
    {
        MouseRig rig(false, "560", plainMouse());
        QByteArray image = filledImage();
        rig.device->hid560_0CH_setProfile(0, reinterpret_cast<uchar *>(image.data()), 1);
        rig.view->mouseReadProfile(1);
        rig.device->hid560_0CH_setProfile(0, reinterpret_cast<uchar *>(QByteArray(128, '\0').data()), 1);
        rig.virtualDevice->clearRecords();

        rig.view->mouseSendGundata(0, {10, 20, 30});
        QVERIFY(rig.opcodes().isEmpty());

        // The image the bridge holds is still what it read.
        rig.view->mouseSetProfile(1);
        QCOMPARE(rig.mouse().profile(1), filledImage());
    }

    void aShortValueListSendsNothing()
    {
        MouseRig rig(true, "553", plainMouse());
        rig.virtualDevice->clearRecords();
        rig.view->mouseSendGundata(2, {10, 20});
        QVERIFY(rig.opcodes().isEmpty());
    }

    void sendingOnA553MouseNegatesTheThirdValueWhenTheOptionIsSet()
    {
        auto model = std::make_unique<OptionAnsweringMouse>(QByteArray::fromHex("00000100"));
        OptionAnsweringMouse *mouse = model.get();
        MouseRig rig(true, "553", std::move(model));
        rig.virtualDevice->clearRecords();

        rig.view->mouseSendGundata(2, {10, 20, 30});

        QCOMPARE(rig.opcodes(), QList<int>({kGetOptions553, kSetGunData553}));
        QCOMPARE(mouse->mouse.gunData().toHex(' '), QByteArray("0a 14 e2 01"));
        const VirtualDevice::Record last = rig.virtualDevice->records().constLast();
        QCOMPARE(last.plain.left(8).toHex(' '), QByteArray("00 04 00 0a 14 e2 01 00"));
    }

    void sendingOnA553MouseKeepsTheThirdValueWhenTheOptionIsClear()
    {
        auto model = std::make_unique<OptionAnsweringMouse>(QByteArray::fromHex("ffff00ff"));
        OptionAnsweringMouse *mouse = model.get();
        MouseRig rig(true, "", std::move(model));
        rig.view->mouseSendGundata(0, {10, 20, 30});
        QCOMPARE(mouse->mouse.gunData().toHex(' '), QByteArray("0a 14 1e ff"));
    }
};

QTEST_MAIN(TestGunPresets)
#include "tst_gun_presets.moc"
