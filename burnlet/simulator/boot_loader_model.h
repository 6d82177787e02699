// A model of the boot loader at the far end of HIDDLL: 64 KiB of flash, an option area, the
// control byte with its busy periods, the progress word that advances as data is consumed,
// download mode with its marker, erase, and device-side verify and blank check.
//
// It behaves as flash does: programming can only clear bits (a cell becomes old AND new),
// and only an erase sets a page back to 0xFF, so a client that programs without erasing
// leaves wrong contents, as it would on the device.
//
// Flash data arrive as whole 64-byte output reports, as the kernel hands them over, each
// counting the data it carries (hiddll/data_reports.h); a report that does not follow that
// layout is counted and ignored.
//
// Data areas of the opcode-2/3 commands: 0 main flash, 1 option area, 2 blank check of main
// flash (every two bytes received check one flash byte for the erased value 0xFF).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace bootsim {

constexpr size_t kFlashBytes = 0x10000;
constexpr size_t kOptionBytes = 256;
constexpr size_t kPageBytes = 128;
constexpr uint8_t kErased = 0xFF;

using Packet = std::array<uint8_t, 8>;
using Status = std::array<uint8_t, 8>;

enum class Session { None, Write, Verify };
enum Area : uint8_t { kMainFlash = 0, kOptionArea = 1, kBlankCheckArea = 2 };

// How the device behaves over time, and the faults it can be given.
struct Behaviour {
    int busyReadsAfterControlWrite = 2;  // status reads that show bit 7 after opcode 6
    size_t bytesPerStatusRead = 0;       // data consumed per status read; 0 = all on arrival
    bool busyStuck = false;              // bit 7 never clears
    bool controlByteStuck = false;       // opcode 6 is ignored
    bool progressWordStalls = false;     // the progress word never reaches its value
    int stuckCell = -1;                  // a flash address that keeps its value, written or erased
};

class BootLoaderModel {
public:
    BootLoaderModel();

    // Factory state: erased flash and option area, marker "wum-", control byte 0.
    void powerOn();
    // Unplugged and plugged in again: flash and option area keep what they hold, modes and
    // transfers start afresh (the counters of what it was sent stay for the tests).
    void powerCycle();

    void command(const Packet &packet);
    Status readStatus();
    // One output report without its report-ID byte.
    void receiveReport(const uint8_t *report, size_t size);

    void setControlByte(uint8_t value);  // bit 7 raises the failure flag
    void setMarker(const char (&marker)[5]);

    Behaviour behaviour;
    std::vector<uint8_t> flash;
    std::vector<uint8_t> option;
    uint8_t version = 0x21;

    bool downloadMode = false;
    bool flashWriteOpen = false;
    uint8_t hardwareStop = 0;
    uint8_t pageUnit = 0;
    int resets = 0;
    int erases = 0;
    int malformedReports = 0;  // reports whose data count does not fit the layout
    size_t overrunBytes = 0;   // data beyond the length of the transfer they arrived in

    Session session() const { return session_; }
    uint8_t sessionArea() const { return sessionArea_; }
    size_t consumed() const { return consumed_; }
    uint16_t progressWord() const;

private:
    explicit BootLoaderModel(Behaviour initial);
    void openSession(Session kind, const Packet &packet);
    void receive(const uint8_t *data, size_t count);
    void consumePending(size_t limit);
    void consumeByte(uint8_t byte);
    void writeByte(size_t index, uint8_t byte);
    void compareByte(size_t index, uint8_t byte);

    std::array<uint8_t, 4> marker_{};
    uint8_t control_ = 0;
    bool failed_ = false;
    int busyReadsLeft_ = 0;
    Session session_ = Session::None;
    uint16_t sessionAddress_ = 0;
    uint16_t sessionLength_ = 0;
    uint8_t sessionArea_ = 0;
    std::deque<uint8_t> pending_;
    size_t consumed_ = 0;
};

}  // namespace bootsim
