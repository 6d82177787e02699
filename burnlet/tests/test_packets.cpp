// Byte-exact command packets, the results of the single-command operations, and the
// library's exported names.
#include "sim_fixture.h"

#include <QtTest>
#include <dlfcn.h>
#include <functional>

using namespace testing;

namespace {
struct PacketCase {
    const char *name;
    std::function<int64_t()> send;
    std::array<uint8_t, 8> expected;
};

// The signature "GCBURN" in bytes 2-7.
const std::vector<PacketCase> &packetCases()
{
    static const std::vector<PacketCase> cases = {
        {"erase page", [] { return ErasePageFlashCmd(0x1234, 0x5A); }, {0x01, 0x34, 0x12, 0, 0, 0x5A, 0, 0}},
        {"open verify", [] { return InitialVerifyFlashCmd(0xBEEF, 0x0102, 3); }, {0x02, 0xEF, 0xBE, 0x02, 0x01, 0x03, 0, 0}},
        {"open write", [] { return InitialWriteFlashCmd(0x8001, 0xFFFF, 1); }, {0x03, 0x01, 0x80, 0xFF, 0xFF, 0x01, 0, 0}},
        {"flash write on", [] { return EnableFWEN(1); }, {0x04, 0x01, 0, 0, 0, 0, 0, 0}},
        {"flash write off", [] { return EnableFWEN(0); }, {0x04, 0x00, 0, 0, 0, 0, 0, 0}},
        {"flash write low byte", [] { return EnableFWEN(0x1FE); }, {0x04, 0xFE, 0, 0, 0, 0, 0, 0}},
        {"hardware stop", [] { return EnableHWSTP(1); }, {0x04, 0x01, 'G', 'C', 'B', 'U', 'R', 'N'}},
        {"page unit", [] { return FlashPageUnitCmd(0x40); }, {0x05, 0x40, 0, 0, 0, 0, 0, 0}},
        {"control byte", [] { return SetBCTL(0xA5); }, {0x06, 0xA5, 'G', 'C', 'B', 'U', 'R', 'N'}},
        {"download mode", [] { return EntryDownloadMode(); }, {0x07, 0, 0, 0, 0, 0, 0, 0}},
        {"reset", [] { BooltLoader_Reset(); return int64_t(0); }, {0x08, 0, 0, 0, 0, 0, 0, 0}},
    };
    return cases;
}

const char *const kExportedCNames[] = {
    "ConnectToWriter", "DisConnectWriter", "GetDeviceInfoCmd", "GetBootLoaderVersion", "EntryDownloadMode",
    "EnableFWEN", "EnableHWSTP", "SetBCTL_HSBS", "InitialWriteFlashCmd", "InitialVerifyFlashCmd",
    "ErasePageFlashCmd", "FlashPageUnitCmd", "ErasePage", "Program", "Verify", "VerifyPro", "WriteOption",
    "OptVerify", "BlankCheck", "ProcessEnd", "GetTransProgress", "SetTransProgress", "BooltLoader_Reset",
    "SW_Reset",
    // The two SetBCTL overloads, (unsigned char) and (unsigned char, unsigned char).
    "_Z7SetBCTLh", "_Z7SetBCTLhh",
};
}  // namespace

class PacketTests : public QObject {
    Q_OBJECT

private slots:
    void everyOpcodeHasItsExactBytes_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < packetCases().size(); ++i)
            QTest::newRow(packetCases()[i].name) << int(i);
    }

    void everyOpcodeHasItsExactBytes()
    {
        QFETCH(int, index);
        const PacketCase &c = packetCases()[size_t(index)];
        QVERIFY(connectedDevice(2));

        QCOMPARE(c.send(), int64_t(0));

        QCOMPARE(sim().log.commands.size(), size_t(1));
        QCOMPARE(bytes(sim().log.commands[0].bytes), bytes(c.expected));
        QCOMPARE(sim().log.commands[0].handle, sim().handleOf(0));
    }

    void signatureIsPrintableAscii()
    {
        QVERIFY(connectedDevice());
        QCOMPARE(SetBCTL(0), 0u);
        QCOMPARE(EnableHWSTP(0), 0u);
        for (const bootsim::SentCommand &command : sim().log.commands) {
            for (int i = 2; i < 8; ++i)
                QVERIFY2(command.bytes[i] >= 0x20 && command.bytes[i] < 0x7F, "signature byte not printable");
        }
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&sim().log.commands[0].bytes[2]), 6),
                 QByteArray(reinterpret_cast<const char *>(&sim().log.commands[1].bytes[2]), 6));
    }

    void swResetDoesNothing()
    {
        QVERIFY(connectedDevice());
        SetTransProgress(17);
        QCOMPARE(SW_Reset(), 0u);
        QCOMPARE(sim().log.calls, 0);
        QCOMPARE(GetTransProgress(), 17u);
    }

    void libraryExportsEveryFunction_data()
    {
        QTest::addColumn<QByteArray>("symbol");
        for (const char *name : kExportedCNames)
            QTest::newRow(name) << QByteArray(name);
    }

    void libraryExportsEveryFunction()
    {
        QFETCH(QByteArray, symbol);
        void *library = dlopen(BURNLET_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
        QVERIFY2(library, dlerror());
        QVERIFY2(dlsym(library, symbol.constData()), symbol.constData());
        dlclose(library);
    }

    void progressReadsMinusOneAsAllOnes()
    {
        SetTransProgress(-1);
        QCOMPARE(GetTransProgress(), 0xFFFFFFFFu);
        SetTransProgress(42);
        QCOMPARE(GetTransProgress(), 42u);
    }
};

QTEST_APPLESS_MAIN(PacketTests)
#include "test_packets.moc"
