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
        // Detection gives index 0 to a keyboard only; another kind is reached directly.
        if (!info.isKeyboard())
            device->setDevicePath(0, QStringLiteral("virtual:0"));
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

    // The shipped table with each keyboard edition plugged in beside every
    // other device it names (the lighting accessory comes after the
    // editions): the keyboard takes index 0 and its commands, sent its own
    // way (dusken scrambles), and the others receive none of them.
    void everyEditionBesideTheOtherDevicesTakesItsCommands_data()
    {
        QTest::addColumn<int>("edition");
        for (int edition : {0, 1, 2, 3, 4})
            QTest::newRow(qPrintable(QStringLiteral("edition %1").arg(edition))) << edition;
    }
    void everyEditionBesideTheOtherDevicesTakesItsCommands()
    {
        QFETCH(int, edition);
        TestWorkspace workspace;
        HidSeam::install(nullptr);
        QList<int> others;
        int expectedState = 1 << edition;
        {
            Hid_Thread table;
            QVERIFY(table.devices()[edition].isKeyboard());
            for (int i = 0; i < table.devices().size(); ++i) {
                if (!table.devices()[i].isKeyboard()) {
                    others << i;
                    expectedState |= 1 << i;
                }
            }
        }
        QVERIFY(!others.isEmpty());
        QStringList plugged{QString::number(edition)};
        for (int other : others)
            plugged << QString::number(other);
        qputenv("GEARCONSOLE_VIRTUAL_DEVICES", plugged.join(QLatin1Char(',')).toLatin1());
        struct Reset { ~Reset() { qunsetenv("GEARCONSOLE_VIRTUAL_DEVICES"); } } reset;
        Hid_Thread device;
        device.detectDevices();
        QCOMPARE(int(device.connectionState()), expectedState);
        QCOMPARE(device.devices()[0].path, QStringLiteral("virtual:%1").arg(edition));

        QByteArray matrix = pattern(512, 8);
        device.hidSetRGBLedEffect(0, 3, 0, 200, 2, 1);
        device.hidSetKeyMatrix(0, bytesOf(matrix));
        for (const auto &live : VirtualHidBackend::liveDevices()) {
            const QByteArray path = live->identity().path;
            if (path == "virtual:" + QByteArray::number(edition)) {
                auto &keyboard = dynamic_cast<KeyboardModel &>(live->model());
                QCOMPARE(keyboard.ignoredReports(), 0);
                QCOMPARE(int(keyboard.effect().mode), 3);
                QCOMPARE(int(keyboard.effect().brightness), 200);
                QCOMPARE(keyboard.keyMatrix(), matrix);
            } else {
                QVERIFY2(live->records().isEmpty(), path.constData());
            }
        }
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
