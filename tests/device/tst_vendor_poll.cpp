// The vendor-report poll on its pool thread.
#include "device/hid_thread.h"
#include "device/virtual/virtual_backend.h"
#include "device/virtual/virtual_environment.h"
#include "support/log_capture.h"
#include "support/test_workspace.h"
#include "support/wire_trace.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

struct PollRig
{
    PollRig()
    {
        hid = &installVirtualBackend();
        device = std::make_unique<Hid_Thread>();
        addVirtualDevicesForEntry(*hid, device->devices(), 5);
        device->detectDevices();
        vendor = hid->find("virtual:5:2");
    }
    ~PollRig()
    {
        if (device)
            device->pollRunning = false;
    }

    TestWorkspace workspace;
    VirtualHidBackend *hid = nullptr;
    std::unique_ptr<Hid_Thread> device;
    std::shared_ptr<VirtualDevice> vendor;
};

} // namespace

class TestVendorPoll : public QObject
{
    Q_OBJECT

private slots:
    void fourByteReportSetsSupportData()
    {
        PollRig rig;
        QVERIFY(rig.vendor);
        QCOMPARE(rig.device->devices()[5].path2, QStringLiteral("virtual:5:2"));
        rig.device->startPollingUSBVendorCmd();
        rig.vendor->queueInputReport(QByteArray::fromHex("00070000"));
        QTRY_COMPARE(rig.device->getSupportData().toInt(), 7);

        rig.vendor->queueInputReport(QByteArray::fromHex("000900"));
        rig.vendor->queueInputReport(QByteArray::fromHex("0009000000"));
        QTRY_VERIFY(rig.vendor->records().size() >= 3);
        QTest::qWait(50);
        QCOMPARE(rig.device->getSupportData().toInt(), 7);
    }

    void detectionGetsTheLockWhileThePollReads()
    {
        PollRig rig;
        rig.device->startPollingUSBVendorCmd();
        // Detections land at different points of the poll's 400 ms read;
        // each must find the lock freed before its bound runs out.
        for (int i = 0; i < 5; ++i) {
            QTest::qWait(40 + i * 90);
            QVERIFY2(rig.device->lockForDetection(), qPrintable(QStringLiteral("detection %1").arg(i)));
            rig.device->detectDevices();
            rig.device->unlockAfterDetection();
        }
        QCOMPARE(rig.device->devices()[5].path2, QStringLiteral("virtual:5:2"));
        rig.vendor->queueInputReport(QByteArray::fromHex("00050000"));
        QTRY_COMPARE(rig.device->getSupportData().toInt(), 5);

        // Unplugged, the interface fails to open and the poll stops reading
        // it; detection finding it again hands the path back.
        LogCapture log;
        rig.hid->remove("virtual:5:2");
        QTRY_COMPARE(log.count(QStringLiteral("vendor reports: cannot open")), 1);
        rig.hid->add(rig.vendor);
        QVERIFY(rig.device->lockForDetection());
        rig.device->detectDevices();
        rig.device->unlockAfterDetection();
        rig.vendor->queueInputReport(QByteArray::fromHex("00060000"));
        QTRY_COMPARE(rig.device->getSupportData().toInt(), 6);
    }

    void noSecondaryInterfaceNeverTouchesTheDevice()
    {
        TestWorkspace workspace;
        VirtualHidBackend &hid = installVirtualBackend();
        Hid_Thread device;
        addVirtualDevicesForEntry(hid, device.devices(), 0);
        device.detectDevices();
        device.startPollingUSBVendorCmd();
        QTest::qWait(300);
        QCOMPARE(device.getSupportData().toInt(), 0);
        for (const auto &virtualDevice : hid.devices())
            QVERIFY(virtualDevice->records().isEmpty());

        // The idle poll sleeps until detection hands it an interface: an
        // accessory plugged in later is read without a restart.
        addVirtualDevicesForEntry(hid, device.devices(), 5);
        QVERIFY(device.lockForDetection());
        device.detectDevices();
        device.unlockAfterDetection();
        hid.find("virtual:5:2")->queueInputReport(QByteArray::fromHex("00040000"));
        QTRY_COMPARE(device.getSupportData().toInt(), 4);
    }

    void setSupportDataKeepsTheLowByte_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("300") << QVariant(300) << 44;
        QTest::newRow("text 7") << QVariant(QStringLiteral("7")) << 7;
        QTest::newRow("not a number") << QVariant(QStringLiteral("x")) << 0;
    }
    void setSupportDataKeepsTheLowByte()
    {
        QFETCH(QVariant, value);
        QFETCH(int, expected);
        Hid_Thread device;
        device.setSupportData(value);
        QCOMPARE(device.getSupportData().toInt(), expected);
    }

    void stopReturnsAfterHalfASecondWhileAReadIsPending()
    {
        PollRig rig;
        rig.device->startPollingUSBVendorCmd();
        QTest::qWait(50);  // the loop now waits in its 400 ms read
        QElapsedTimer clock;
        clock.start();
        rig.device->stopPollingUSBVendorCmd();
        QVERIFY(clock.elapsed() >= 500 && clock.elapsed() < 700);
        QVERIFY(!rig.device->pollRunning);
    }

    void destroyingTheDeviceObjectWaitsForTheLoop()
    {
        auto rig = std::make_unique<PollRig>();
        rig->device->startPollingUSBVendorCmd();
        QTest::qWait(50);
        QElapsedTimer clock;
        clock.start();
        rig->device.reset();  // must not return while a read runs on it
        QVERIFY(clock.elapsed() < 600);
    }
};

QTEST_GUILESS_MAIN(TestVendorPoll)
#include "tst_vendor_poll.moc"
