// The simulated HIDDLL that tests and benchmarks link in place of the hidapi layer: the six
// HT_ calls and CloseHandle reach a BootLoaderModel, every call is logged, and faults can be
// planned for any of them.
#pragma once

#include "boot_loader_model.h"
#include "hiddll.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace bootsim {

struct FaultPlan {
    std::optional<unsigned int> searchError;  // the search fails; HT_HidGetLastError gives this
    int failWriteAt = -1;                     // 0-based number of the HT_WriteUSB call that fails
    int failStatusReadAt = -1;                // likewise for HT_GetUSBAck
    int failCommandAt = -1;                   // likewise for HT_SetUSBCmd
    int failOpcode = -1;                      // every command with this opcode fails
    bool closeFails = false;                  // CloseHandle returns 0
    int unplugAtWrite = -1;                   // the device goes away during this HT_WriteUSB call
    int unplugAtStatusRead = -1;              // or at this HT_GetUSBAck call
    int unplugAtOpcode = -1;                  // or when a command with this opcode arrives
    int unplugAtOccurrence = 0;               // for the how-manieth time (0-based)
    int searchesFindingUnplugged = 0;         // an unplugged device is still listed this many times
};

struct SentCommand {
    HANDLE handle;
    Packet bytes;
};

struct SentData {
    HANDLE handle;
    std::vector<uint8_t> bytes;
};

struct CallLog {
    int calls = 0;  // every entry into HIDDLL, whatever it was
    int searches = 0;
    int statusReads = 0;
    std::vector<SentCommand> commands;
    std::vector<SentData> writes;
    std::vector<HANDLE> closed;

    std::vector<uint8_t> opcodes() const;
    int countOpcode(uint8_t opcode) const;
    std::vector<size_t> writeSizes() const;
};

constexpr int kMaxSimulatedDevices = 16;

class Simulator {
public:
    // Back to one powered-on device, no faults, an empty log, no hook, no open handle.
    void reset();

    HANDLE handleOf(int device) const;  // device 0 is the boot loader the model stands for
    bool isOpen(HANDLE handle) const;
    int openHandles() const;

    BootLoaderModel device;
    FaultPlan faults;
    CallLog log;
    int devicesPresent = 1;
    // Runs inside HT_WriteUSB before the data reaches the device, e.g. to sample progress.
    std::function<void(const SentData &)> onWrite;

    // Unplugs every device: calls on their handles fail and the search finds nothing, until
    // plugIn() (the flash keeps what it holds, as the device's does).
    void unplug();
    void plugIn();
    bool unplugged = false;

    // State of the HIDDLL calls themselves.
    std::array<bool, kMaxSimulatedDevices> open{};
    int nextToFind = 0;
    unsigned int lastError = 0;
};

Simulator &simulator();

}  // namespace bootsim
