// Connecting and disconnecting, status queries, download mode, the control-byte
// read-modify-write forms and the wait for the progress word.
#include "sim_fixture.h"

#include <QtTest>

using namespace testing;

class DeviceSessionTests : public QObject {
    Q_OBJECT

private slots:
    void connectOpensEveryDeviceUpToEight_data()
    {
        QTest::addColumn<int>("present");
        QTest::addColumn<int>("opened");
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("three") << 3 << 3;
        QTest::newRow("eight") << 8 << 8;
        QTest::newRow("twelve") << 12 << 8;
    }

    void connectOpensEveryDeviceUpToEight()
    {
        QFETCH(int, present);
        QFETCH(int, opened);
        freshDevice();
        sim().devicesPresent = present;

        QCOMPARE(ConnectToWriter(), 0u);

        QCOMPARE(sim().openHandles(), opened);
        QCOMPARE(sim().log.searches, 1);
        QCOMPARE(EnableFWEN(1), 0u);
        QCOMPARE(sim().log.commands.back().handle, sim().handleOf(0));
    }

    void secondConnectKeepsTheHandles()
    {
        QVERIFY(connectedDevice(3));
        QCOMPARE(ConnectToWriter(), 0u);
        QCOMPARE(sim().log.searches, 0);
        QCOMPARE(sim().openHandles(), 3);
        QVERIFY(sim().log.closed.empty());
        QCOMPARE(EnableFWEN(1), 0u);
        QCOMPARE(sim().log.commands.back().handle, sim().handleOf(0));
    }

    void disconnectWithNothingOpenTouchesNothing()
    {
        freshDevice();
        QCOMPARE(DisConnectWriter(), 0u);
        QCOMPARE(sim().log.calls, 0);
    }

    void disconnectClosesEveryHandle()
    {
        QVERIFY(connectedDevice(5));
        QCOMPARE(DisConnectWriter(), 0u);
        QCOMPARE(sim().openHandles(), 0);
        QCOMPARE(sim().log.closed.size(), size_t(5));
        uint8_t status[8];
        QCOMPARE(GetDeviceInfoCmd(status), uint32_t(BURNLET_TRANSFER_FAILED));
    }

    void handleThatWouldNotCloseIsTriedAgain()
    {
        QVERIFY(connectedDevice(2));
        sim().faults.closeFails = true;
        QCOMPARE(DisConnectWriter(), 0u);
        QCOMPARE(sim().openHandles(), 2);

        sim().faults.closeFails = false;
        QCOMPARE(DisConnectWriter(), 0u);
        QCOMPARE(sim().openHandles(), 0);
        QCOMPARE(sim().log.closed.size(), size_t(4));
    }

    void failedSearchPassesTheErrorOn_data()
    {
        QTest::addColumn<uint>("searchError");
        QTest::addColumn<uint>("result");
        QTest::newRow("layer code") << 0x4711u << 0x4711u;
        QTest::newRow("no code still fails") << 0u << uint(BURNLET_TRANSFER_FAILED);
    }

    void failedSearchPassesTheErrorOn()
    {
        QFETCH(uint, searchError);
        QFETCH(uint, result);
        freshDevice();
        sim().faults.searchError = searchError;
        QCOMPARE(ConnectToWriter(), result);
        QCOMPARE(sim().openHandles(), 0);
        QCOMPARE(EnableFWEN(1), uint32_t(BURNLET_TRANSFER_FAILED));
    }

    void deviceInfoCopiesTheStatusBlock()
    {
        QVERIFY(connectedDevice());
        sim().device.version = 0x37;
        sim().device.setControlByte(0x45);
        QCOMPARE(InitialWriteFlashCmd(0x1000, 16, 0), 0);  // progress word 0x1000 + 512

        uint8_t status[8] = {};
        QCOMPARE(GetDeviceInfoCmd(status), 0u);
        const uint8_t expected[8] = {0x37, 0x45, 'w', 'u', 'm', '-', 0x00, 0x12};
        QCOMPARE(QByteArray(reinterpret_cast<char *>(status), 8), QByteArray(reinterpret_cast<const char *>(expected), 8));
    }

    void failedStatusReadLeavesTheBufferAlone()
    {
        QVERIFY(connectedDevice());
        sim().faults.failStatusReadAt = 0;
        uint8_t status[8];
        std::fill(std::begin(status), std::end(status), 0xAA);
        QCOMPARE(GetDeviceInfoCmd(status), uint32_t(BURNLET_TRANSFER_FAILED));
        QVERIFY(std::all_of(std::begin(status), std::end(status), [](uint8_t b) { return b == 0xAA; }));
    }

    void bootLoaderVersionIsStatusByteZero()
    {
        QVERIFY(connectedDevice());
        sim().device.version = 0x5C;
        uint8_t version = 0;
        QCOMPARE(GetBootLoaderVersion(&version), 0);
        QCOMPARE(version, uint8_t(0x5C));
    }

    void downloadModeNeedsTheMarker_data()
    {
        QTest::addColumn<QByteArray>("marker");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("entered");
        QTest::newRow("marker") << QByteArray("wum-") << 0 << true;
        QTest::newRow("other text") << QByteArray("app1") << int(BURNLET_TRANSFER_FAILED) << false;
        QTest::newRow("case differs") << QByteArray("WUM-") << int(BURNLET_TRANSFER_FAILED) << false;
    }

    void downloadModeNeedsTheMarker()
    {
        QFETCH(QByteArray, marker);
        QFETCH(int, result);
        QFETCH(bool, entered);
        QVERIFY(connectedDevice());
        char text[5] = {};
        std::copy_n(marker.constData(), 4, text);
        sim().device.setMarker(text);

        QCOMPARE(EntryDownloadMode(), result);

        QCOMPARE(sim().device.downloadMode, entered);
        QCOMPARE(sim().log.commands.size(), size_t(entered ? 1 : 0));
    }

    void maskedControlByteWrite_data()
    {
        QTest::addColumn<uint>("current");
        QTest::addColumn<uint>("value");
        QTest::addColumn<uint>("mask");
        QTest::addColumn<uint>("written");
        QTest::newRow("mask 0 writes it back") << 0x5Cu << 0xFFu << 0x00u << 0x5Cu;
        QTest::newRow("clear low bits") << 0x83u << 0x00u << 0x03u << 0x80u;
        QTest::newRow("set high nibble") << 0x0Fu << 0xA5u << 0xF0u << 0xAFu;
        QTest::newRow("value outside mask ignored") << 0x10u << 0xFFu << 0x01u << 0x11u;
    }

    void maskedControlByteWrite()
    {
        QFETCH(uint, current);
        QFETCH(uint, value);
        QFETCH(uint, mask);
        QFETCH(uint, written);
        QVERIFY(connectedDevice());
        sim().device.setControlByte(uint8_t(current));

        QCOMPARE(SetBCTL(uint8_t(value), uint8_t(mask)), 0u);

        QCOMPARE(sim().log.statusReads, 1);
        QCOMPARE(sim().log.commands.size(), size_t(1));
        QCOMPARE(uint(sim().log.commands[0].bytes[0]), 6u);
        QCOMPARE(uint(sim().log.commands[0].bytes[1]), written);
    }

    void lowNibbleControlByteWrite_data()
    {
        QTest::addColumn<uint>("current");
        QTest::addColumn<uint>("value");
        QTest::addColumn<uint>("written");
        QTest::newRow("0x5A on 0x83") << 0x83u << 0x5Au << 0x8Au;
        QTest::newRow("0xF1 on 0x3C") << 0x3Cu << 0xF1u << 0x31u;
    }

    void lowNibbleControlByteWrite()
    {
        QFETCH(uint, current);
        QFETCH(uint, value);
        QFETCH(uint, written);
        QVERIFY(connectedDevice());
        sim().device.setControlByte(uint8_t(current));

        QCOMPARE(SetBCTL_HSBS(uint8_t(value)), 0u);

        QCOMPARE(sim().log.commands.size(), size_t(1));
        QCOMPARE(uint(sim().log.commands[0].bytes[1]), written);
    }

    void processEndPollsUntilTheWordArrives()
    {
        QVERIFY(connectedDevice());
        sim().device.behaviour.bytesPerStatusRead = 16;
        QCOMPARE(InitialVerifyFlashCmd(0x0100, 64, 0), 0);
        auto data = pattern(64);
        QVERIFY(HT_WriteUSB(sim().handleOf(0), data.data(), 64));
        sim().log.statusReads = 0;

        QCOMPARE(ProcessEnd(0x0100 + 32 + 512), uint16_t(0));

        QCOMPARE(sim().log.statusReads, 4);  // 16 bytes consumed per read: 8 words each
    }

    void processEndGivesUpAfterTenThousandReads()
    {
        QVERIFY(connectedDevice());
        QCOMPARE(InitialVerifyFlashCmd(0x0100, 64, 0), 0);
        sim().log.statusReads = 0;

        QCOMPARE(ProcessEnd(0x0100 + 32 + 512), uint16_t(BURNLET_PROGRESS_TIMEOUT));

        QCOMPARE(sim().log.statusReads, 10000);
    }
};

QTEST_APPLESS_MAIN(DeviceSessionTests)
#include "test_device_session.moc"
