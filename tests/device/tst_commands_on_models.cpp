// The command set against the virtual device models: what a command writes
// is what the device keeps, and the reading commands give it back.
#include "device/hid_thread.h"
#include "device/virtual/keyboard_model.h"
#include "device/virtual/model_factory.h"
#include "device/virtual/mouse_model.h"
#include "device/virtual/virtual_backend.h"
#include "support/command_drivers.h"
#include "support/test_workspace.h"

#include <QtTest>

namespace {

uchar *bytesOf(QByteArray &array) { return reinterpret_cast<uchar *>(array.data()); }

// One table entry of the given type, its device in place and found.
struct ModelRig
{
    ModelRig(int type, int reportLength, bool isEncode = false)
    {
        QMap<QString, QString> entry = tableEntry("beef", "0001", "ff00", "0001", reportLength, isEncode);
        entry.insert(QStringLiteral("type"), QString::number(type));
        workspace.writeDeviceTable({entry});
        VirtualHidBackend &hid = installVirtualBackend();
        device = std::make_unique<Hid_Thread>();
        const DeviceInfo &info = device->devices()[0];
        virtualDevice = hid.add(std::make_shared<VirtualDevice>(
            VirtualDevice::Identity{"virtual:0", info.vid, info.pid, info.usagePage, info.usage},
            makeDeviceModel(info, 0, false), info.isEncode));
        device->detectDevices();
    }
    template <typename Model> Model &model() { return dynamic_cast<Model &>(virtualDevice->model()); }

    TestWorkspace workspace;
    std::unique_ptr<Hid_Thread> device;
    std::shared_ptr<VirtualDevice> virtualDevice;
};

} // namespace

class TestCommandsOnModels : public QObject
{
    Q_OBJECT

private slots:
    void init() { std::fill_n(Hid_Thread::SecrecyCode, 8, 0); }

    void keyboardKeepsWhatItIsSent_data()
    {
        QTest::addColumn<int>("reportLength");
        QTest::addColumn<bool>("isEncode");
        QTest::newRow("64, plain") << 64 << false;
        QTest::newRow("32, plain") << 32 << false;
        QTest::newRow("64, scrambled") << 64 << true;
    }
    void keyboardKeepsWhatItIsSent()
    {
        QFETCH(int, reportLength);
        QFETCH(bool, isEncode);
        ModelRig rig(0, reportLength, isEncode);
        const KeyboardPage page;
        const QList<int> options = page.apply(*rig.device);

        auto &keyboard = rig.model<KeyboardModel>();
        QCOMPARE(keyboard.keyMatrix(), page.matrix);
        QCOMPARE(keyboard.macro(3), page.macro);
        QCOMPARE(keyboard.picture(4), page.picture);
        QCOMPARE(keyboard.stageColours(), page.colours);
        QCOMPARE(int(keyboard.effect().mode), 2);
        QCOMPARE(int(keyboard.effect().brightness), 254);
        QCOMPARE(int(keyboard.effect().speed), 3);
        QCOMPARE(int(keyboard.effect().direction), 1);
        QCOMPARE(options, QList<int>({9, 8, 7, 6}));
    }

    void scramblingEditionUnderIndexZeroUnderstandsItsCommands()
    {
        // The shipped table: dusken is entry 4 and scrambles its reports.
        TestWorkspace workspace;
        HidSeam::install(nullptr);
        qputenv("GEARCONSOLE_VIRTUAL_DEVICES", "4");
        struct Reset { ~Reset() { qunsetenv("GEARCONSOLE_VIRTUAL_DEVICES"); } } reset;
        Hid_Thread device;
        device.detectDevices();
        QCOMPARE(int(device.connectionState()), 16);

        QByteArray matrix = pattern(512, 8);
        device.hidSetRGBLedEffect(0, 3, 0, 200, 2, 1);
        device.hidSetKeyMatrix(0, bytesOf(matrix));
        std::shared_ptr<VirtualDevice> dusken;
        for (const auto &live : VirtualHidBackend::liveDevices())
            if (live->identity().path == "virtual:4")
                dusken = live;
        QVERIFY(dusken);
        auto &keyboard = dynamic_cast<KeyboardModel &>(dusken->model());
        QCOMPARE(keyboard.ignoredReports(), 0);
        QCOMPARE(int(keyboard.effect().mode), 3);
        QCOMPARE(int(keyboard.effect().brightness), 200);
        QCOMPARE(keyboard.keyMatrix(), matrix);
    }

    void mouseProfilesRoundTrip_data()
    {
        QTest::addColumn<int>("reportLength");
        QTest::newRow("two reports at 64") << 64;
        QTest::newRow("four reports at 32") << 32;
    }
    void mouseProfilesRoundTrip()
    {
        QFETCH(int, reportLength);
        ModelRig rig(1, reportLength);
        QByteArray profile = pattern(128, 5);
        rig.device->hid560_0CH_setProfile(0, bytesOf(profile), 2);
        QCOMPARE(rig.model<MouseModel>().profile(2), profile);

        QByteArray readBack(128, '\0');
        rig.device->hid560_8CH_readProfile(bytesOf(readBack), 2);
        QCOMPARE(readBack, profile);

        rig.device->hid560_02H_SetCurrentProfile(0, 3);
        uchar current = 0;
        rig.device->hid560_82H_GetCurrentProfile(0, current);
        QCOMPARE(int(current), 3);
    }

    void mouseStagesAndButtons()
    {
        ModelRig rig(1, 32);
        rig.device->hidARM_08H_SetDPI(0, 47, 63, 71, 1, 0);
        rig.device->hidARM_07H_SetDPI(0, 2, 3, 3, 7, 15, 31);
        auto &mouse = rig.model<MouseModel>();
        QCOMPARE(mouse.dpiStages().toHex(' '), QByteArray("03 07 0f 1f 2f 3f 47 01"));
        QCOMPARE(int(mouse.dpiMask()), 3);

        rig.device->hid553_0BH_SetCurrentDPI(0, 5);
        uchar stage = 0;
        rig.device->hid553_8BH_GetCurrentDPI(0, stage);
        QCOMPARE(int(stage), 5);

        QByteArray buttons = pattern(64, 6);
        rig.device->hidARM_03H_SetKeyMatrix(0, bytesOf(buttons));
        QCOMPARE(mouse.buttons(), buttons);

        QByteArray macro = pattern(192, 7);
        rig.device->hid52352_05H_SetMacroKey(0, 11, bytesOf(macro));
        QCOMPARE(mouse.longMacro(11), macro);
    }
};

QTEST_GUILESS_MAIN(TestCommandsOnModels)
#include "tst_commands_on_models.moc"
