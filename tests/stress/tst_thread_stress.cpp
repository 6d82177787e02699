// Detection, the vendor-report poll and commands from the GUI thread running
// together for a few seconds while the shipped table's keyboard (entry 0),
// scrambling keyboard (entry 4) and lighting accessory with its secondary
// interface (entry 5) are plugged and unplugged: nothing crashes, every report
// a device receives is one whole command report or data chunk, and every
// command returns within its bound.
#include "device/hid_thread.h"
#include "device/scrambling.h"
#include "device/virtual/virtual_backend.h"
#include "device/virtual/virtual_environment.h"
#include "support/test_workspace.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSet>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

constexpr int kRunMs = 5000;
// A command waits for the handshake at most 255 × 8 ms; the longest transfer
// here is the four 560 reports with their 128 ms pauses. The rest is room
// for a loaded machine or a sanitized build.
constexpr qint64 kCommandBoundMs = 255 * 8 + 4 * 128 + 1500;

// Time an operation took, less what ran nested inside it (operations that
// the event processing of a command's wait started).
class OwnTime
{
public:
    qint64 measure(const std::function<void()> &operation)
    {
        QElapsedTimer clock;
        clock.start();
        m_nested.append(0);
        operation();
        const qint64 nested = m_nested.takeLast();
        const qint64 total = clock.elapsed();
        if (!m_nested.isEmpty())
            m_nested.last() += total;
        return total - nested;
    }

private:
    QList<qint64> m_nested;
};

// Command reports as the device families define them, every argument set to
// one tag, so that a report mixing two commands cannot pass for a whole one.
QByteArray withChecksum(QByteArray report)
{
    quint8 sum = 0;
    for (int i = 1; i <= 7; ++i)
        sum += quint8(report.at(i));
    report[8] = char(~sum);
    return report;
}
QByteArray ledEffect(char t) { return withChecksum(QByteArray::fromHex("000600") + QByteArray(5, t) + '\0'); }
QByteArray keyMatrixHeader() { return QByteArray::fromHex("000800000800000000"); }
QByteArray securityProbe(char t) { return withChecksum(QByteArray::fromHex("0000") + QByteArray(4, t) + QByteArray(3, '\0')); }
QByteArray reportRate(char n, char t) { return withChecksum(QByteArray::fromHex("0003") + n + t + QByteArray(5, '\0')); }

QByteArray scrambled(QByteArray report)
{
    Scrambling::encrypt(reinterpret_cast<uint8_t *>(report.data()) + 1, Hid_Thread::SecrecyCode);
    return report;
}

// A chunk of a data block: report ID 0, then bytes of one block only.
bool isWholeChunk(const QByteArray &report, const QSet<char> &blockTags)
{
    return report.size() > 1 && report.at(0) == 0 && blockTags.contains(report.at(1))
           && report.count(report.at(1)) == report.size() - 1;
}

} // namespace

class TestThreadStress : public QObject
{
    Q_OBJECT

private slots:
    void detectionPollAndCommandsTogether()
    {
        TestWorkspace workspace;
        VirtualHidBackend &hid = installVirtualBackend();
        Hid_Thread device;
        for (int index : {0, 4, 5})
            addVirtualDevicesForEntry(hid, device.devices(), index);
        const QList<std::shared_ptr<VirtualDevice>> interfaces = hid.devices();
        QCOMPARE(interfaces.size(), 4);
        const std::shared_ptr<VirtualDevice> vendor = hid.find("virtual:5:2");
        QVERIFY(vendor);

        OwnTime ownTime;
        QSet<QByteArray> commandReports;
        QSet<char> blockTags;
        QSet<int> vendorValues{0};
        int detections = 0, detectionsPastBound = 0, commandsRun = 0;
        qint64 slowestMs = 0;
        QString slowest;
        char lastTag = 0;
        auto nextTag = [&] { return lastTag = char(quint8(lastTag) % 250 + 1); };

        // Detection as the window runs it after a burst of device changes.
        QTimer deviceTimer;
        deviceTimer.setSingleShot(true);
        deviceTimer.setInterval(60);
        connect(&deviceTimer, &QTimer::timeout, [&] {
            ownTime.measure([&] {
                if (!device.lockForDetection())
                    ++detectionsPastBound;
                device.detectDevices();
                if (device.connectionState() != 0)
                    device.setReady();
                device.unlockAfterDetection();
            });
            ++detections;
        });

        QRandomGenerator random(14);
        QList<bool> plugged(interfaces.size(), true);
        QTimer plugTimer;
        plugTimer.setInterval(170);
        connect(&plugTimer, &QTimer::timeout, [&] {
            const int i = int(random.bounded(int(interfaces.size())));
            plugged[i] = !plugged[i];
            if (plugged[i])
                hid.add(interfaces[i]);
            else
                hid.remove(interfaces[i]->identity().path);
            deviceTimer.start();
        });

        QTimer vendorTimer;
        vendorTimer.setInterval(40);
        connect(&vendorTimer, &QTimer::timeout, [&] {
            const char value = nextTag();
            vendorValues.insert(quint8(value));
            vendor->queueInputReport(QByteArray(1, '\0') + value + QByteArray(2, '\0'));
        });

        const QList<std::pair<QString, std::function<void(char)>>> commands = {
            {QStringLiteral("LED effect"), [&](char t) {
                 commandReports.insert(ledEffect(t));
                 const uchar u = uchar(t);
                 device.hidSetRGBLedEffect(0, u, u, u, u, u);
             }},
            {QStringLiteral("key matrix"), [&](char t) {
                 commandReports.insert(keyMatrixHeader());
                 blockTags.insert(t);
                 QByteArray block(512, t);
                 device.hidSetKeyMatrix(0, reinterpret_cast<uchar *>(block.data()));
             }},
            {QStringLiteral("security probe"), [&](char t) {
                 commandReports.insert(securityProbe(t));
                 uchar a = uchar(t), b = a, c = a, d = a;
                 device.hid553_00H_GetSecrecyCode(0, a, b, c, d);
             }},
            {QStringLiteral("report rate"), [&](char t) {
                 for (char n = 1; n <= 4; ++n)
                     commandReports.insert(reportRate(n, t));
                 device.hid560_03H_SetReportRate(0, uchar(t));
             }},
        };
        // Two controls of the UI, each sending one command at a time; the
        // one's command may start inside the other's wait.
        struct Control
        {
            QTimer timer;
            bool busy = false;
            int next = 0;
        } controls[2];
        for (int c = 0; c < 2; ++c) {
            controls[c].next = c;
            controls[c].timer.setInterval(c == 0 ? 30 : 70);
            connect(&controls[c].timer, &QTimer::timeout, [&, c] {
                Control &control = controls[c];
                if (control.busy)
                    return;
                control.busy = true;
                const auto &[name, send] = commands.at(control.next++ % commands.size());
                const char t = nextTag();
                const qint64 ms = ownTime.measure([&] { send(t); });
                if (ms > slowestMs) {
                    slowestMs = ms;
                    slowest = name;
                }
                ++commandsRun;
                control.busy = false;
            });
        }

        device.detectDevices();
        device.startPollingUSBVendorCmd();
        for (QTimer *timer : {&plugTimer, &vendorTimer, &controls[0].timer, &controls[1].timer})
            timer->start();
        QTest::qWait(kRunMs);
        for (QTimer *timer : {&plugTimer, &vendorTimer, &controls[0].timer, &controls[1].timer, &deviceTimer})
            timer->stop();
        device.stopPollingUSBVendorCmd();

        qInfo("%d commands (slowest: %s, %lld ms of its own), %d detections", commandsRun, qPrintable(slowest),
              slowestMs, detections);
        QVERIFY2(slowestMs <= kCommandBoundMs, qPrintable(QStringLiteral("%1 took %2 ms").arg(slowest).arg(slowestMs)));
        QCOMPARE(detectionsPastBound, 0);
        QVERIFY(commandsRun >= 8 && detections >= 5);
        QVERIFY(device.isReady());  // no command kept the handshake

        QSet<QByteArray> wholeReports = commandReports;
        for (const QByteArray &report : commandReports)
            wholeReports.insert(scrambled(report));
        int commandReportsSeen = 0, vendorReportsRead = 0;
        for (const auto &interface : interfaces) {
            for (const VirtualDevice::Record &record : interface->records()) {
                const QByteArray where = interface->identity().path + ": " + record.wire.toHex(' ');
                if (record.direction == VirtualDevice::Direction::FeatureOut) {
                    ++commandReportsSeen;
                    QVERIFY2(wholeReports.contains(record.wire), where.constData());
                } else if (record.direction == VirtualDevice::Direction::Output) {
                    QVERIFY2(isWholeChunk(record.wire, blockTags), where.constData());
                } else if (record.direction == VirtualDevice::Direction::Input && interface == vendor) {
                    ++vendorReportsRead;
                }
            }
        }
        QVERIFY(commandReportsSeen > 0);
        QVERIFY(vendorReportsRead > 0);
        QVERIFY(vendorValues.contains(device.getSupportData().toInt()));
    }
};

QTEST_GUILESS_MAIN(TestThreadStress)
#include "tst_thread_stress.moc"
