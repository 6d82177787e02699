// Programming, verification, option data, blank check, erase and reset against the
// simulated boot loader, with the progress they report.
#include "sim_fixture.h"

#include <QtTest>
#include <atomic>
#include <thread>

using namespace testing;

namespace {
struct ProgressSample {
    bootsim::Session session;
    int32_t progress;
};

// Records the progress as seen from inside every data transfer.
std::vector<ProgressSample> &sampleProgressAtEveryWrite()
{
    static std::vector<ProgressSample> samples;
    samples.clear();
    sim().onWrite = [](const bootsim::SentData &) {
        samples.push_back({sim().device.session(), int32_t(GetTransProgress())});
    };
    return samples;
}

std::vector<int32_t> progressDuring(const std::vector<ProgressSample> &samples, bootsim::Session session)
{
    std::vector<int32_t> values;
    for (const ProgressSample &sample : samples) {
        if (sample.session == session)
            values.push_back(sample.progress);
    }
    return values;
}

QList<int> sizes(const std::vector<size_t> &values)
{
    QList<int> list;
    for (size_t v : values)
        list.append(int(v));
    return list;
}
}  // namespace

class TransferTests : public QObject {
    Q_OBJECT

private slots:
    void programSplitsDataIntoBlocks_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("blockSize");
        QTest::addColumn<QList<int>>("writes");
        QTest::newRow("exact multiple") << 128 << 32 << QList<int>{32, 32, 32, 32};
        QTest::newRow("remainder") << 100 << 32 << QList<int>{32, 32, 32, 4};
        QTest::newRow("shorter than a block") << 20 << 32 << QList<int>{20};
        QTest::newRow("one block") << 32 << 32 << QList<int>{32};
        QTest::newRow("odd block size") << 10 << 3 << QList<int>{3, 3, 3, 1};
    }

    void programSplitsDataIntoBlocks()
    {
        QFETCH(int, length);
        QFETCH(int, blockSize);
        QFETCH(QList<int>, writes);
        QVERIFY(downloadReady());
        auto data = pattern(size_t(length));

        QCOMPARE(Program(0x2000, uint16_t(length), data.data(), 0, uint16_t(blockSize), 0, 100, false, true), 0);

        QCOMPARE(sizes(sim().log.writeSizes()), writes);
        QCOMPARE(sentData(), bytes(data));
        QCOMPARE(flashRange(0x2000, size_t(length)), bytes(data));
        QCOMPARE(GetTransProgress(), 100u);
    }

    void programWithVerifyTakesOddSizes()
    {
        QVERIFY(downloadReady());
        auto data = pattern(101);

        QCOMPARE(Program(0x3000, 101, data.data(), 0, 33, 0, 50, true, true), 0);

        QCOMPARE(flashRange(0x3000, 101), bytes(data));
        QCOMPARE(GetTransProgress(), 100u);
    }

    void programOpensAndClosesFlashWriting_data()
    {
        QTest::addColumn<bool>("verify");
        QTest::addColumn<QByteArray>("opcodes");
        QTest::newRow("write only") << false << QByteArray("\x06\x04\x03\x04");
        QTest::newRow("with verify") << true << QByteArray("\x06\x04\x03\x04\x02");
    }

    void programOpensAndClosesFlashWriting()
    {
        QFETCH(bool, verify);
        QFETCH(QByteArray, opcodes);
        QVERIFY(downloadReady());
        sim().device.setControlByte(0x1F);
        auto data = pattern(64);

        QCOMPARE(Program(0x0400, 64, data.data(), 0, 16, 0, 50, verify, true), 0);

        QCOMPARE(bytes(sim().log.opcodes()), opcodes);
        const auto &commands = sim().log.commands;
        QCOMPARE(uint(commands[0].bytes[1]), 0x1Cu);  // control byte with bits 0-1 cleared
        QCOMPARE(uint(commands[1].bytes[1]), 1u);
        QCOMPARE(bytes(std::array<uint8_t, 5>{commands[2].bytes[1], commands[2].bytes[2], commands[2].bytes[3],
                                              commands[2].bytes[4], commands[2].bytes[5]}),
                 QByteArray("\x00\x04\x40\x00\x00", 5));
        QCOMPARE(uint(commands[3].bytes[1]), 0u);
        QVERIFY(!sim().device.flashWriteOpen);
    }

    void programWaitsOutTheBusyPeriod()
    {
        QVERIFY(downloadReady());
        sim().device.behaviour.busyReadsAfterControlWrite = 40;
        auto data = pattern(8);
        QCOMPARE(Program(0x0000, 8, data.data(), 0, 8, 0, 100, false, false), 0);
        QCOMPARE(sim().log.countOpcode(6), 1);
        QVERIFY(sim().log.statusReads > 40);
    }

    void programWithoutReportingLeavesProgressAlone_data()
    {
        QTest::addColumn<bool>("verify");
        QTest::newRow("write only") << false;
        QTest::newRow("with verify") << true;
    }

    void programWithoutReportingLeavesProgressAlone()
    {
        QFETCH(bool, verify);
        QVERIFY(downloadReady());
        SetTransProgress(37);
        auto &samples = sampleProgressAtEveryWrite();
        auto data = pattern(96);

        QCOMPARE(Program(0x3000, 96, data.data(), 0, 32, 0, 50, verify, false), 0);

        QVERIFY(!samples.empty());
        for (const ProgressSample &sample : samples)
            QCOMPARE(sample.progress, 37);
        QCOMPARE(GetTransProgress(), 37u);
    }

    void progressRunsToHalfWhileWritingThenToFullWhileVerifying()
    {
        QVERIFY(downloadReady());
        auto &samples = sampleProgressAtEveryWrite();
        auto data = pattern(256);

        QCOMPARE(Program(0x1000, 256, data.data(), 0, 64, 0, 50, true, true), 0);

        // Sampled before each block goes out: block k of 4 starts at base + k/4 of the span.
        QCOMPARE(progressDuring(samples, bootsim::Session::Write), (std::vector<int32_t>{0, 12, 25, 37}));
        QCOMPARE(progressDuring(samples, bootsim::Session::Verify), (std::vector<int32_t>{50, 62, 75, 87}));
        QCOMPARE(GetTransProgress(), 100u);
    }

    void progressHonoursBaseAndSpan()
    {
        QVERIFY(downloadReady());
        auto &samples = sampleProgressAtEveryWrite();
        auto data = pattern(200);

        QCOMPARE(Program(0x1000, 200, data.data(), 0, 50, 10, 80, false, true), 0);

        QCOMPARE(progressDuring(samples, bootsim::Session::Write), (std::vector<int32_t>{10, 30, 50, 70}));
        QCOMPARE(GetTransProgress(), 90u);
    }

    void progressCanBeReadFromAnotherThread()
    {
        QVERIFY(downloadReady());
        sim().device.behaviour.bytesPerStatusRead = 1;
        SetTransProgress(0);
        auto data = pattern(4096);
        std::atomic<bool> done{false};
        std::atomic<bool> started{false};
        std::vector<int32_t> seen;
        std::thread reader([&] {
            do {
                const int32_t now = int32_t(GetTransProgress());
                if (seen.empty() || seen.back() != now)
                    seen.push_back(now);
                started = true;
            } while (!done);
        });
        // The reader must be polling before the transfer starts.
        while (!started)
            std::this_thread::yield();
        const int32_t result = Program(0x0000, 4096, data.data(), 0, 64, 0, 50, true, true);
        done = true;
        reader.join();

        QCOMPARE(result, 0);
        QVERIFY(!seen.empty());
        QVERIFY(std::is_sorted(seen.begin(), seen.end()));
        QVERIFY(seen.front() >= 0 && seen.back() <= 100);
    }

    void progressWordWrapsAtTheTopOfTheAddressSpace_data()
    {
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("length");
        QTest::newRow("last 256 bytes") << 0xFF00 << 256;
        QTest::newRow("word passes 0xFFFF mid-transfer") << 0xFD00 << 0x300;
    }

    void progressWordWrapsAtTheTopOfTheAddressSpace()
    {
        QFETCH(int, address);
        QFETCH(int, length);
        QVERIFY(downloadReady());
        auto data = pattern(size_t(length));

        QCOMPARE(Program(uint16_t(address), uint16_t(length), data.data(), 0, 64, 0, 50, true, true), 0);
        QCOMPARE(VerifyPro(uint16_t(address), uint16_t(length), data.data(), 0), 0);

        QCOMPARE(flashRange(uint32_t(address), size_t(length)), bytes(data));
    }

    void verifyComparesBlockByBlock_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("blockSize");
        QTest::addColumn<int>("corruptAt");  // -1: flash matches
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("writes");
        QTest::newRow("match") << 128 << 32 << -1 << 0 << 4;
        QTest::newRow("match with remainder") << 100 << 32 << -1 << 0 << 4;
        QTest::newRow("mismatch in third block") << 128 << 32 << 70 << int(BURNLET_VERIFY_FAILED) << 3;
        QTest::newRow("mismatch in remainder") << 100 << 32 << 99 << int(BURNLET_VERIFY_FAILED) << 4;
        // The progress word counts whole 16-bit words, rounded down.
        QTest::newRow("odd block size and length") << 101 << 33 << -1 << 0 << 4;
        QTest::newRow("odd sizes, mismatch in the last byte") << 101 << 33 << 100 << int(BURNLET_VERIFY_FAILED) << 4;
    }

    void verifyComparesBlockByBlock()
    {
        QFETCH(int, length);
        QFETCH(int, blockSize);
        QFETCH(int, corruptAt);
        QFETCH(int, result);
        QFETCH(int, writes);
        QVERIFY(connectedDevice());
        auto data = pattern(size_t(length));
        std::copy(data.begin(), data.end(), sim().device.flash.begin() + 0x5000);
        if (corruptAt >= 0)
            sim().device.flash[0x5000 + size_t(corruptAt)] ^= 0x01;

        QCOMPARE(Verify(0x5000, uint16_t(length), data.data(), 0, uint16_t(blockSize), 1, 0, 100), result);

        QCOMPARE(int(sim().log.writes.size()), writes);
        QCOMPARE(bytes(sim().log.opcodes()), QByteArray("\x02"));
        // Progress covers the blocks that compared equal.
        const int verified = result == 0 ? length : (writes - 1) * blockSize;
        QCOMPARE(int32_t(GetTransProgress()), int32_t(double(verified) / length * 100));
    }

    void verifyProSendsEverythingAtOnce_data()
    {
        QTest::addColumn<bool>("corrupt");
        QTest::addColumn<int>("result");
        QTest::newRow("match") << false << 0;
        QTest::newRow("mismatch") << true << int(BURNLET_VERIFY_FAILED);
    }

    void verifyProSendsEverythingAtOnce()
    {
        QFETCH(bool, corrupt);
        QFETCH(int, result);
        QVERIFY(connectedDevice());
        auto data = pattern(300);
        std::copy(data.begin(), data.end(), sim().device.flash.begin() + 0x0800);
        if (corrupt)
            sim().device.flash[0x0800 + 299] ^= 0x80;

        QCOMPARE(VerifyPro(0x0800, 300, data.data(), 16), result);

        QCOMPARE(sizes(sim().log.writeSizes()), QList<int>{300});
        QCOMPARE(bytes(sim().log.commands[0].bytes), QByteArray("\x02\x00\x08\x2C\x01\x00\x00\x00", 8));
    }

    void writeOptionFillsTheOptionArea()
    {
        QVERIFY(downloadReady());
        auto &samples = sampleProgressAtEveryWrite();
        auto data = pattern(40);

        QCOMPARE(WriteOption(0x0010, 40, data.data(), 16), 0);

        QCOMPARE(bytes(sim().log.opcodes()), QByteArray("\x04\x03\x04"));
        QCOMPARE(uint(sim().log.commands[1].bytes[5]), 1u);  // option area
        QCOMPARE(sizes(sim().log.writeSizes()), (QList<int>{16, 16, 8}));
        QCOMPARE(bytes(std::vector<uint8_t>(sim().device.option.begin() + 0x10, sim().device.option.begin() + 0x38)),
                 bytes(data));
        QCOMPARE(progressDuring(samples, bootsim::Session::Write), (std::vector<int32_t>{0, 40, 80}));
        QCOMPARE(GetTransProgress(), 100u);
        QCOMPARE(sim().log.statusReads, 0);
    }

    void optionVerifyNeedsThirtyTwoBytes()
    {
        QVERIFY(connectedDevice());
        auto data = pattern(31);
        QCOMPARE(OptVerify(0, 31, data.data()), int(BURNLET_VERIFY_FAILED));
        QCOMPARE(sim().log.calls, 0);
    }

    void optionVerifyUsesTheFirstThirtyTwoBytes_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("corruptAt");
        QTest::addColumn<int>("result");
        QTest::newRow("exactly 32") << 32 << -1 << 0;
        QTest::newRow("tail ignored") << 48 << 40 << 0;
        QTest::newRow("mismatch in word 2") << 32 << 5 << int(BURNLET_VERIFY_FAILED);
        QTest::newRow("mismatch in last word") << 48 << 31 << int(BURNLET_VERIFY_FAILED);
    }

    void optionVerifyUsesTheFirstThirtyTwoBytes()
    {
        QFETCH(int, length);
        QFETCH(int, corruptAt);
        QFETCH(int, result);
        QVERIFY(connectedDevice());
        auto data = pattern(size_t(length));
        std::copy(data.begin(), data.begin() + 32, sim().device.option.begin() + 0x20);
        if (corruptAt >= 0)
            data[size_t(corruptAt)] ^= 0x10;

        QCOMPARE(OptVerify(0x20, uint16_t(length), data.data()), result);

        QCOMPARE(bytes(sim().log.commands[0].bytes), QByteArray("\x02\x20\x00\x80\x00\x01\x00\x00", 8));
        QCOMPARE(bytes(sim().log.commands[1].bytes), QByteArray("\x02\0\0\0\0\0\0\0", 8));  // empty verify closes it
        QCOMPARE(sim().log.writes.size(), size_t(1));
        const std::vector<uint8_t> &image = sim().log.writes[0].bytes;
        QCOMPARE(image.size(), size_t(128));
        for (size_t i = 0; i < image.size(); ++i)
            QCOMPARE(image[i], data[2 * (i / 8) + i % 2]);
    }

    void blankCheckWalksTheRange_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("blockSize");
        QTest::addColumn<int>("dirtyAt");  // -1: erased
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("progress");
        QTest::newRow("erased") << 64 << 16 << -1 << 0 << 4 << 100;
        QTest::newRow("erased with remainder") << 70 << 16 << -1 << 0 << 5 << 100;
        QTest::newRow("block of eight") << 64 << 8 << -1 << 0 << 8 << 100;
        QTest::newRow("largest block") << 200 << 64 << -1 << 0 << 4 << 100;
        QTest::newRow("dirty in third step") << 64 << 16 << 40 << int(BURNLET_NOT_BLANK) << 3 << 50;
        QTest::newRow("dirty in remainder") << 70 << 16 << 69 << int(BURNLET_NOT_BLANK) << 5 << 91;
    }

    void blankCheckWalksTheRange()
    {
        QFETCH(int, length);
        QFETCH(int, blockSize);
        QFETCH(int, dirtyAt);
        QFETCH(int, result);
        QFETCH(int, steps);
        QFETCH(int, progress);
        QVERIFY(connectedDevice());
        if (dirtyAt >= 0)
            sim().device.flash[0x6000 + size_t(dirtyAt)] = 0x00;
        sim().device.flash[0x6000 + size_t(length)] = 0x00;  // just past the range: not looked at

        QCOMPARE(BlankCheck(0x6000, uint16_t(length), bootsim::kBlankCheckArea, uint16_t(blockSize)), result);

        QCOMPARE(int(sim().log.writes.size()), steps);
        for (const bootsim::SentData &write : sim().log.writes) {
            QCOMPARE(int(write.bytes.size()), 2 * blockSize);
            QVERIFY(std::all_of(write.bytes.begin(), write.bytes.end(), [](uint8_t b) { return b == 0; }));
        }
        QCOMPARE(int32_t(GetTransProgress()), progress);
    }

    void erasePageLeavesItBlank()
    {
        QVERIFY(downloadReady());
        auto data = pattern(128);
        QCOMPARE(Program(0x0300, 128, data.data(), 0, 32, 0, 100, true, true), 0);
        QCOMPARE(BlankCheck(0x0300, 128, bootsim::kBlankCheckArea, 8), int(BURNLET_NOT_BLANK));
        sim().log = bootsim::CallLog{};

        QCOMPARE(ErasePage(0x0300, 0), 0);

        QCOMPARE(bytes(sim().log.opcodes()), QByteArray("\x04\x01\x04"));
        QCOMPARE(bytes(sim().log.commands[1].bytes), QByteArray("\x01\x00\x03\x00\x00\x00\x00\x00", 8));
        QVERIFY(!sim().device.flashWriteOpen);
        QCOMPARE(BlankCheck(0x0300, 128, bootsim::kBlankCheckArea, 8), 0);
    }

    void resetLeavesProgressFull_data()
    {
        QTest::addColumn<bool>("commandFails");
        QTest::newRow("device restarts") << false;
        QTest::newRow("no acknowledgement") << true;
    }

    void resetLeavesProgressFull()
    {
        QFETCH(bool, commandFails);
        QVERIFY(downloadReady());
        SetTransProgress(-1);
        if (commandFails)
            sim().faults.failOpcode = 8;

        BooltLoader_Reset();

        QCOMPARE(GetTransProgress(), 100u);
        QCOMPARE(bytes(sim().log.opcodes()), QByteArray("\x08"));
        QCOMPARE(sim().device.resets, commandFails ? 0 : 1);
    }

    void zeroLengthTransfersSendNoData()
    {
        QVERIFY(downloadReady());
        QCOMPARE(Program(0x0100, 0, nullptr, 0, 16, 0, 50, true, true), 0);
        QVERIFY(sim().log.writes.empty());
    }
};

QTEST_APPLESS_MAIN(TransferTests)
#include "test_transfers.moc"
