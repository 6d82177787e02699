#pragma once
#include <cstdint>

// Device commands as data. A command report is 9 bytes: report ID 0, the
// opcode, then bytes 2 to 8, each either a constant, one of the command's
// arguments, or the checksum (complement of the sum of bytes 1 to 7).
namespace Cmd {

using Byte = int16_t;

constexpr Byte arg(int n) { return Byte(0x100 + n); }
constexpr Byte CS = 0x200;

constexpr bool isArg(Byte b) { return b >= 0x100 && b < 0x200; }
constexpr int argIndex(Byte b) { return b - 0x100; }

enum Pause : uint8_t {
    NoPause,
    Settle,      // 128 ms after the command report and after its data block
    AfterEight,  // no settle pause; 8 ms after the transfer
};

// A writing command: the report, the data block that follows it (bytes),
// and the pauses.
struct Write
{
    const char *failureLine;
    uint8_t opcode;
    Byte bytes[7];  // bytes 2 to 8
    int blockLength;
    Pause pause;
};

// A reading command: the report, and how the answer report is preset before
// the exchange. Outputs are copied from answer bytes 2, 3, ... afterwards.
struct Read
{
    const char *failureLine;
    uint8_t opcode;
    Byte bytes[7];
    // Byte 1 of the preset answer; with presetOutputs the incoming output
    // values follow in bytes 2, 3, ... (a failed exchange leaves them as
    // they came). Without it the preset is all zero.
    uint8_t answerOpcode;
    bool presetOutputs;
};

} // namespace Cmd
