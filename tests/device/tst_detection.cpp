// Detection against virtual devices: which interface is found, which bits
// are set, and where keyboard commands then go.
#include "device/hid_thread.h"
#include "device/virtual/virtual_backend.h"
#include "support/log_capture.h"
#include "support/test_workspace.h"
#include "support/wire_trace.h"

#include <QtTest>

namespace {

std::shared_ptr<VirtualDevice> addInterface(VirtualHidBackend &backend, const QByteArray &path, quint16 vid,
                                            quint16 pid, quint16 usagePage, quint16 usage)
{
    return backend.add(std::make_shared<VirtualDevice>(VirtualDevice::Identity{path, vid, pid, usagePage, usage},
                                                       std::make_unique<EchoModel>()));
}

} // namespace

class TestDetection : public QObject
{
    Q_OBJECT

private slots:
    void secondOfThreeInterfacesMatches()
    {
        TestWorkspace workspace;
        workspace.writeDeviceTable({tableEntry("1111", "0001", "ff00", "0001")});
        VirtualHidBackend &hid = installVirtualBackend();
        addInterface(hid, "kbd:boot", 0x1111, 0x0001, 0x0001, 0x0006);
        addInterface(hid, "kbd:vendor", 0x1111, 0x0001, 0xff00, 0x0001);
        addInterface(hid, "kbd:consumer", 0x1111, 0x0001, 0x000c, 0x0001);

        Hid_Thread device;
        device.detectDevices();
        QCOMPARE(int(device.connectionState()), 1);
        QCOMPARE(device.devices()[0].path, QStringLiteral("kbd:vendor"));
    }

    void laterOfTwoMatchesWins()
    {
        TestWorkspace workspace;
        workspace.writeDeviceTable({tableEntry("1111", "0001", "ff00", "0001"), tableEntry("1111", "0002", "ff00", "0001")});
        VirtualHidBackend &hid = installVirtualBackend();
        addInterface(hid, "a:first", 0x1111, 0x0001, 0xff00, 0x0001);
        addInterface(hid, "a:second", 0x1111, 0x0001, 0xff00, 0x0001);
        addInterface(hid, "b:only", 0x1111, 0x0002, 0x0001, 0x0006);  // wrong usage

        Hid_Thread device;
        device.detectDevices();
        QCOMPARE(device.devices()[0].path, QStringLiteral("a:second"));
        QCOMPARE(int(device.connectionState()), 1);
    }

    void entryEightIsFoundButSetsNoBit()
    {
        TestWorkspace workspace;
        QList<QMap<QString, QString>> table;
        for (int i = 0; i < 9; ++i)
            table.append(tableEntry("2222", QString::number(i + 1, 16).rightJustified(4, '0'), "ff00", "0001"));
        workspace.writeDeviceTable(table);
        VirtualHidBackend &hid = installVirtualBackend();
        addInterface(hid, "ninth", 0x2222, 0x0009, 0xff00, 0x0001);

        Hid_Thread device;
        device.detectDevices();
        QCOMPARE(int(device.connectionState()), 0);
        QCOMPARE(device.devices()[0].path, QStringLiteral("ninth"));
        QVERIFY(device.devices()[8].path.isEmpty());
    }

    void keyboardOfEntryTwoIsReachedThroughIndexZero()
    {
        TestWorkspace workspace;
        workspace.writeDeviceTable({tableEntry("3333", "0001", "ff00", "0001"), tableEntry("3333", "0002", "ff00", "0001"),
                                    tableEntry("3333", "0003", "ff00", "0001")});
        VirtualHidBackend &hid = installVirtualBackend();
        auto keyboard = addInterface(hid, "us-keyboard", 0x3333, 0x0003, 0xff00, 0x0001);

        Hid_Thread device;
        device.detectDevices();
        QCOMPARE(int(device.connectionState()), 4);

        uchar b1 = 1, b2 = 2, b3 = 3, b4 = 4;
        device.hid553_00H_GetSecrecyCode(0, b1, b2, b3, b4);
        QCOMPARE(keyboard->records().size(), 2);  // command out, answer in
        QCOMPARE(int(b4), 4);

        keyboard->clearRecords();
        b1 = b2 = b3 = b4 = 9;
        device.hid553_00H_GetSecrecyCode(2, b1, b2, b3, b4);
        QVERIFY(keyboard->records().isEmpty());
        QCOMPARE(int(b1), 0);  // the probe's answer preset is all zero
    }

    // The kernel gives a freed node to the next device plugged in (the boot
    // loader, after an update restarts the keyboard): a page sent while
    // nothing is found must not reach it.
    void nothingFoundKeepsNoPath()
    {
        TestWorkspace workspace;
        QMap<QString, QString> accessory = tableEntry("4444", "0002", "ff00", "0001", 32);
        accessory.insert(QStringLiteral("usagePage2"), QStringLiteral("ff01"));
        accessory.insert(QStringLiteral("usage2"), QStringLiteral("0001"));
        workspace.writeDeviceTable({tableEntry("4444", "0001", "ff00", "0001"), accessory});
        VirtualHidBackend &hid = installVirtualBackend();
        addInterface(hid, "hidraw0", 0x4444, 0x0001, 0xff00, 0x0001);
        addInterface(hid, "hidraw1", 0x4444, 0x0002, 0xff01, 0x0001);
        Hid_Thread device;
        device.detectDevices();
        QCOMPARE(int(device.connectionState()), 1);
        QCOMPARE(device.devices()[1].path2, QStringLiteral("hidraw1"));

        hid.remove("hidraw0");
        hid.remove("hidraw1");
        auto stranger = addInterface(hid, "hidraw0", 0x04d9, 0x8022, 0xff00, 0x0001);
        device.detectDevices();
        QCOMPARE(int(device.connectionState()), 0);
        QVERIFY(device.devices()[0].path.isEmpty());
        QVERIFY(device.devices()[1].path2.isEmpty());
        QByteArray matrix(512, '\x11');
        device.hidSetKeyMatrix(0, reinterpret_cast<uchar *>(matrix.data()));
        QVERIFY(stranger->records().isEmpty());
    }

    void secondaryInterfaceFillsItsOwnEntry()
    {
        TestWorkspace workspace;
        QMap<QString, QString> accessory = tableEntry("5555", "0001", "ff00", "0001", 32);
        accessory.insert(QStringLiteral("usagePage2"), QStringLiteral("ff01"));
        accessory.insert(QStringLiteral("usage2"), QStringLiteral("0001"));
        workspace.writeDeviceTable({tableEntry("5555", "0009", "ff00", "0001"), accessory});
        VirtualHidBackend &hid = installVirtualBackend();
        addInterface(hid, "acc:cmd", 0x5555, 0x0001, 0xff00, 0x0001);
        addInterface(hid, "acc:vendor", 0x5555, 0x0001, 0xff01, 0x0001);

        Hid_Thread device;
        device.detectDevices();
        QCOMPARE(int(device.connectionState()), 2);
        QCOMPARE(device.devices()[1].path2, QStringLiteral("acc:vendor"));
        QVERIFY(device.devices()[0].path2.isEmpty());
    }

    void entriesWithoutIdsAreNeverLookedFor()
    {
        // hidapi takes id 0 as "any": such an entry would match every
        // interface of that usage on the system.
        TestWorkspace workspace;
        workspace.writeDeviceTable({tableEntry("0", "0", "ff00", "0001"), tableEntry("1fff0", "0001", "ff00", "0001")});
        WireTrace trace(workspace.path());
        VirtualHidBackend &hid = installVirtualBackend();
        addInterface(hid, "any:zero", 0, 0, 0xff00, 0x0001);
        addInterface(hid, "any:low-bits", 0xfff0, 0x0001, 0xff00, 0x0001);

        LogCapture log;
        Hid_Thread device;
        device.detectDevices();
        device.detectDevices();
        QCOMPARE(int(device.connectionState()), 0);
        QVERIFY(device.devices()[0].path.isEmpty());
        QVERIFY(trace.read(QStringLiteral("ENUM")).isEmpty());
        QCOMPARE(log.count(QStringLiteral("never looked for - entries QList(0, 1)")), 1);
    }

    void editionFoundAsIndexZeroIsSentItsOwnWay()
    {
        // Index 0 names the interface of entry 1: its report length, its
        // scrambling and its code apply, not those of entry 0.
        TestWorkspace workspace;
        QMap<QString, QString> scrambled = tableEntry("6666", "0002", "ff00", "0001", 32, true);
        scrambled.insert(QStringLiteral("sCode"), QStringLiteral("735162"));
        workspace.writeDeviceTable({tableEntry("6666", "0001", "ff00", "0001", 64), scrambled});
        VirtualHidBackend &hid = installVirtualBackend();
        auto keyboard = hid.add(std::make_shared<VirtualDevice>(VirtualDevice::Identity{"edition:2", 0x6666, 2, 0xff00, 1},
                                                                std::make_unique<EchoModel>(), true));
        keyboard->setSecrecyCode("735162");
        std::fill_n(Hid_Thread::SecrecyCode, 8, 0);

        Hid_Thread device;
        device.detectDevices();
        QCOMPARE(int(device.connectionState()), 2);
        QVERIFY(device.chkDeviceIsEnCode(0));
        QByteArray keys(64, '\x4b');
        device.hidARM_03H_SetKeyMatrix(0, reinterpret_cast<uchar *>(keys.data()));
        auto &model = static_cast<EchoModel &>(keyboard->model());
        QCOMPARE(model.lastCommand().toHex(' '), QByteArray("00 03 00 00 01 00 00 00 fb"));
        QCOMPARE(model.receivedData(), keys);
        QList<int> outputSizes;
        for (const VirtualDevice::Record &record : keyboard->records())
            if (record.direction == VirtualDevice::Direction::Output)
                outputSizes << int(record.wire.size());
        QCOMPARE(outputSizes, QList<int>({33, 33}));
    }

    void environmentListMakesVirtualDevices()
    {
        TestWorkspace workspace;
        HidSeam::install(nullptr);
        qputenv("GEARCONSOLE_VIRTUAL_DEVICES", "2,5,x,99");
        // Installing happens only where no backend is in place yet.
        struct Reset { ~Reset() { qunsetenv("GEARCONSOLE_VIRTUAL_DEVICES"); } } reset;
        QVERIFY(!HidSeam::isInstalled());
        Hid_Thread device;
        device.detectDevices();
        QCOMPARE(int(device.connectionState()), 4 | 32);
        QCOMPARE(device.devices()[0].path, QStringLiteral("virtual:2"));  // the keyboard's, not the accessory's
        QCOMPARE(device.devices()[5].path2, QStringLiteral("virtual:5:2"));
    }
};

QTEST_GUILESS_MAIN(TestDetection)
#include "tst_detection.moc"
