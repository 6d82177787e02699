// Every failure path with the result code it must give and what it leaves in the progress
// value, each provoked by a fault of the simulated boot loader or a refused request.
#include "sim_fixture.h"

#include <QtTest>
#include <functional>

using namespace testing;

namespace {
constexpr int32_t kProgressBefore = 33;

std::vector<uint8_t> &data256()
{
    static std::vector<uint8_t> data = pattern(256, 7);
    return data;
}

int64_t program(bool verify = true)
{
    return Program(0x4000, 256, data256().data(), 0, 64, 0, 50, verify, true);
}

int64_t verify()
{
    return Verify(0x4000, 256, data256().data(), 0, 64, 1, 0, 100);
}

void flashHoldsTheData()
{
    std::copy(data256().begin(), data256().end(), sim().device.flash.begin() + 0x4000);
}

struct FailureCase {
    const char *name;
    std::function<void()> arrange;
    std::function<int64_t()> act;
    int64_t result;
    int32_t progress;                        // the progress value afterwards
    std::function<bool()> sideEffects = {};  // further checks on the log or device
};

const std::vector<FailureCase> &failureCases()
{
    using bootsim::Behaviour;
    static const std::vector<FailureCase> cases = {
        // 254: a data transfer fails.
        {"program: write fails", [] { sim().faults.failWriteAt = 2; }, [] { return program(); }, 254, -1,
         [] { return sim().log.opcodes().back() == 3; }},  // flash writing is left open
        {"program without reporting: write fails", [] { sim().faults.failWriteAt = 0; },
         [] { return Program(0x4000, 256, data256().data(), 0, 64, 0, 50, false, false); }, 254, -1},
        {"verify: write fails", [] { flashHoldsTheData(); sim().faults.failWriteAt = 1; }, [] { return verify(); },
         254, 0},
        {"verify pro: write fails", [] { sim().faults.failWriteAt = 0; },
         [] { return VerifyPro(0x4000, 256, data256().data(), 64); }, 254, -1},
        {"write option: write fails", [] { sim().faults.failWriteAt = 1; },
         [] { return WriteOption(0, 64, data256().data(), 16); }, 254, -1,
         [] { return sim().log.opcodes().back() == 3; }},
        {"option verify: write fails", [] { sim().faults.failWriteAt = 0; },
         [] { return OptVerify(0, 32, data256().data()); }, 254, -1},
        {"blank check: write fails", [] { sim().faults.failWriteAt = 1; },
         [] { return BlankCheck(0, 64, 2, 16); }, 254, -1},

        // 254: a status read fails.
        {"program: first status read fails", [] { sim().faults.failStatusReadAt = 0; }, [] { return program(); },
         254, kProgressBefore, [] { return sim().log.commands.empty(); }},
        {"program: read in the wait for the word fails", [] { sim().faults.failStatusReadAt = 5; },
         [] { return program(false); }, 254, 50},
        {"masked control write: read fails", [] { sim().faults.failStatusReadAt = 0; },
         [] { return int64_t(SetBCTL(1, 1)); }, 254, kProgressBefore, [] { return sim().log.commands.empty(); }},
        {"low nibble write: read fails", [] { sim().faults.failStatusReadAt = 0; },
         [] { return int64_t(SetBCTL_HSBS(1)); }, 254, kProgressBefore, [] { return sim().log.commands.empty(); }},
        {"download mode: read fails", [] { sim().faults.failStatusReadAt = 0; }, [] { return EntryDownloadMode(); },
         254, kProgressBefore, [] { return sim().log.commands.empty(); }},
        {"version: read fails", [] { sim().faults.failStatusReadAt = 0; },
         [] { uint8_t v = 0xEE; const int32_t r = GetBootLoaderVersion(&v); return v == 0xEE ? r : -1; }, 254,
         kProgressBefore},
        {"option verify: closing read fails", [] { sim().faults.failStatusReadAt = 0; },
         [] { return OptVerify(0, 32, data256().data()); }, 254, kProgressBefore},
        {"blank check: read fails", [] { sim().faults.failStatusReadAt = 1; },
         [] { return BlankCheck(0, 64, 2, 16); }, 254, 25},

        // 254: a command fails.
        {"flash write enable fails", [] { sim().faults.failOpcode = 4; }, [] { return int64_t(EnableFWEN(1)); },
         254, kProgressBefore},
        {"hardware stop fails", [] { sim().faults.failOpcode = 4; }, [] { return int64_t(EnableHWSTP(1)); }, 254,
         kProgressBefore},
        {"control byte write fails", [] { sim().faults.failOpcode = 6; }, [] { return int64_t(SetBCTL(1)); }, 254,
         kProgressBefore},
        {"open write fails", [] { sim().faults.failOpcode = 3; }, [] { return InitialWriteFlashCmd(0, 1, 0); }, 254,
         kProgressBefore},
        {"open verify fails", [] { sim().faults.failOpcode = 2; }, [] { return InitialVerifyFlashCmd(0, 1, 0); },
         254, kProgressBefore},
        {"erase command fails", [] { sim().faults.failOpcode = 1; }, [] { return ErasePageFlashCmd(0, 0); }, 254,
         kProgressBefore},
        {"page unit fails", [] { sim().faults.failOpcode = 5; }, [] { return FlashPageUnitCmd(1); }, 254,
         kProgressBefore},
        {"download mode command fails", [] { sim().faults.failOpcode = 7; }, [] { return EntryDownloadMode(); },
         254, kProgressBefore},
        {"erase page: erase fails, writing stays open", [] { sim().faults.failOpcode = 1; },
         [] { return ErasePage(0, 0); }, 254, kProgressBefore,
         [] { return sim().log.opcodes() == std::vector<uint8_t>{4, 1}; }},
        {"program: open write fails", [] { sim().faults.failOpcode = 3; }, [] { return program(); }, 254,
         kProgressBefore, [] { return sim().log.writes.empty(); }},
        {"program: closing flash write fails", [] { sim().faults.failCommandAt = 3; }, [] { return program(); },
         254, 50, [] { return sim().log.countOpcode(2) == 0; }},
        {"verify: open fails", [] { sim().faults.failOpcode = 2; }, [] { return verify(); }, 254, kProgressBefore,
         [] { return sim().log.writes.empty(); }},
        {"blank check: open fails", [] { sim().faults.failOpcode = 2; }, [] { return BlankCheck(0, 64, 2, 16); },
         254, kProgressBefore, [] { return sim().log.writes.empty(); }},

        // 38, 39: the control byte will not settle.
        {"program: busy bit stuck", [] { sim().device.behaviour.busyStuck = true; }, [] { return program(); }, 38,
         kProgressBefore, [] { return sim().log.statusReads == 1 + 1 + 99 && sim().log.countOpcode(6) == 1; }},
        {"program: control byte will not clear",
         [] { sim().device.setControlByte(0x03); sim().device.behaviour.controlByteStuck = true; },
         [] { return program(); }, 39, kProgressBefore,
         [] { return sim().log.countOpcode(6) == 100 && sim().log.writes.empty(); }},

        // 45: the progress word never arrives.
        {"program: progress word stalls", [] { sim().device.behaviour.progressWordStalls = true; },
         [] { return program(); }, 45, 50, [] { return sim().log.countOpcode(4) == 1; }},
        {"verify: progress word stalls",
         [] { flashHoldsTheData(); sim().device.behaviour.progressWordStalls = true; }, [] { return verify(); }, 45,
         0, [] { return sim().log.writes.size() == 1 && sim().log.statusReads == 10000; }},
        {"verify pro: progress word stalls", [] { sim().device.behaviour.progressWordStalls = true; },
         [] { return VerifyPro(0x4000, 256, data256().data(), 64); }, 45, kProgressBefore},

        // 43, 44: the device reports a difference.
        {"program: a flash cell keeps its value",
         [] {
             sim().device.behaviour.stuckCell = 0x4000 + 200;
             sim().device.flash[0x4000 + 200] = data256()[200] ^ 0x55;
         },
         [] { return program(); }, 43, 87},  // 50 + three of four verified blocks of the remaining 50
        {"verify: flash differs", [] { flashHoldsTheData(); sim().device.flash[0x4000] ^= 0xFF; },
         [] { return verify(); }, 43, 0},
        {"blank check: range written", [] { sim().device.flash[10] = 0x7F; },
         [] { return BlankCheck(0, 64, 2, 16); }, 44, 0},
        {"option verify: short data", [] {}, [] { return OptVerify(0, 31, data256().data()); }, 43, kProgressBefore,
         [] { return sim().log.calls == 0; }},

        // 254 without touching the device: requests that cannot be carried out.
        {"program: block size 0", [] {}, [] { return Program(0, 16, data256().data(), 0, 0, 0, 100, true, true); },
         254, kProgressBefore, [] { return sim().log.calls == 0; }},
        {"verify: block size 0", [] {}, [] { return Verify(0, 16, data256().data(), 0, 0, 1, 0, 100); }, 254,
         kProgressBefore, [] { return sim().log.calls == 0; }},
        {"write option: block size 0", [] {}, [] { return WriteOption(0, 16, data256().data(), 0); }, 254,
         kProgressBefore, [] { return sim().log.calls == 0; }},
        {"blank check: block size 0", [] {}, [] { return BlankCheck(0, 16, 2, 0); }, 254, kProgressBefore,
         [] { return sim().log.calls == 0; }},
        {"blank check: block size 65", [] {}, [] { return BlankCheck(0, 130, 2, 65); }, 254, kProgressBefore,
         [] { return sim().log.calls == 0; }},
        {"program: no data", [] {}, [] { return Program(0, 16, nullptr, 0, 8, 0, 100, true, true); }, 254,
         kProgressBefore, [] { return sim().log.calls == 0; }},
        {"verify pro: no data", [] {}, [] { return VerifyPro(0, 16, nullptr, 8); }, 254, kProgressBefore,
         [] { return sim().log.calls == 0; }},
        {"device info: no buffer", [] {}, [] { return int64_t(GetDeviceInfoCmd(nullptr)); }, 254, kProgressBefore,
         [] { return sim().log.calls == 0; }},
        {"not connected", [] { DisConnectWriter(); }, [] { return program(); }, 254, kProgressBefore,
         [] { return sim().log.commands.empty(); }},
        {"download mode: marker missing", [] { sim().device.setMarker("app!"); },
         [] { return EntryDownloadMode(); }, 254, kProgressBefore, [] { return sim().log.commands.empty(); }},
    };
    return cases;
}
}  // namespace

class FailureTests : public QObject {
    Q_OBJECT

private slots:
    void everyFailureGivesItsCode_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < failureCases().size(); ++i)
            QTest::newRow(failureCases()[i].name) << int(i);
    }

    void everyFailureGivesItsCode()
    {
        QFETCH(int, index);
        const FailureCase &c = failureCases()[size_t(index)];
        QVERIFY(downloadReady());
        SetTransProgress(kProgressBefore);
        c.arrange();
        sim().log = bootsim::CallLog{};

        QCOMPARE(c.act(), c.result);

        QCOMPARE(int32_t(GetTransProgress()), c.progress);
        if (c.sideEffects)
            QVERIFY2(c.sideEffects(), "the device saw other calls than expected");
    }

    void largestBlankCheckBlockIsAccepted()
    {
        QVERIFY(connectedDevice());
        QCOMPARE(BlankCheck(0, 128, 2, 64), 0);
        QCOMPARE(sim().log.writes.size(), size_t(2));
    }
};

QTEST_APPLESS_MAIN(FailureTests)
#include "test_failures.moc"
