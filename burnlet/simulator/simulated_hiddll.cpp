// HIDDLL calls routed to the simulated boot loader.
#include "simulator.h"

#include "data_reports.h"

#include <algorithm>

namespace bootsim {

namespace {
// Handles are addresses inside this table, so each simulated device has a distinct one.
std::array<char, kMaxSimulatedDevices> g_handleTokens{};

constexpr unsigned int kNoMoreDevices = 0x2001;
constexpr unsigned int kBadHandle = 0x2002;
constexpr unsigned int kInjectedFault = 0x2003;

int deviceIndex(HANDLE handle)
{
    const auto *token = static_cast<const char *>(handle);
    if (token < g_handleTokens.data() || token >= g_handleTokens.data() + kMaxSimulatedDevices)
        return -1;
    return static_cast<int>(token - g_handleTokens.data());
}

bool usable(HANDLE handle)
{
    Simulator &sim = simulator();
    if (deviceIndex(handle) < 0 || !sim.isOpen(handle) || sim.unplugged) {
        sim.lastError = kBadHandle;
        return false;
    }
    return true;
}

bool isBootLoader(HANDLE handle)
{
    return deviceIndex(handle) == 0;
}

bool injected(int planned, int callNumber)
{
    if (planned != callNumber)
        return false;
    simulator().lastError = kInjectedFault;
    return true;
}

int openNext(HANDLE *handle)
{
    Simulator &sim = simulator();
    // The system drops an unplugged device's node a moment after its transfers fail.
    const bool stillListed = sim.unplugged && sim.faults.searchesFindingUnplugged-- > 0;
    if ((sim.unplugged && !stillListed) || sim.nextToFind >= std::min(sim.devicesPresent, kMaxSimulatedDevices)) {
        sim.lastError = kNoMoreDevices;
        return 0;
    }
    const int device = sim.nextToFind++;
    sim.open[device] = true;
    *handle = sim.handleOf(device);
    return 1;
}
}  // namespace

std::vector<uint8_t> CallLog::opcodes() const
{
    std::vector<uint8_t> result;
    for (const SentCommand &command : commands)
        result.push_back(command.bytes[0]);
    return result;
}

int CallLog::countOpcode(uint8_t opcode) const
{
    return static_cast<int>(std::count_if(commands.begin(), commands.end(),
                                          [opcode](const SentCommand &c) { return c.bytes[0] == opcode; }));
}

std::vector<size_t> CallLog::writeSizes() const
{
    std::vector<size_t> sizes;
    for (const SentData &write : writes)
        sizes.push_back(write.bytes.size());
    return sizes;
}

void Simulator::reset()
{
    device.powerOn();
    faults = FaultPlan{};
    log = CallLog{};
    devicesPresent = 1;
    onWrite = nullptr;
    open.fill(false);
    nextToFind = 0;
    lastError = 0;
    unplugged = false;
}

void Simulator::unplug()
{
    unplugged = true;
    open.fill(false);
    device.downloadMode = false;
    device.flashWriteOpen = false;
}

void Simulator::plugIn()
{
    unplugged = false;
    faults.unplugAtWrite = -1;
    faults.unplugAtStatusRead = -1;
    faults.unplugAtOpcode = -1;
}

HANDLE Simulator::handleOf(int deviceNumber) const
{
    return &g_handleTokens[static_cast<size_t>(deviceNumber)];
}

bool Simulator::isOpen(HANDLE handle) const
{
    const int index = deviceIndex(handle);
    return index >= 0 && open[static_cast<size_t>(index)];
}

int Simulator::openHandles() const
{
    return static_cast<int>(std::count(open.begin(), open.end(), true));
}

Simulator &simulator()
{
    static Simulator instance;
    return instance;
}

}  // namespace bootsim

using namespace bootsim;

// Exported from the program that links the simulator, so that libburnlet binds to these
// rather than to the hidapi layer it was linked against.
#define SIMULATED_HIDDLL extern "C" __attribute__((visibility("default")))

SIMULATED_HIDDLL int HT_FindHidFirstDevice(unsigned int vid, unsigned int pid, HANDLE *handle)
{
    Simulator &sim = simulator();
    ++sim.log.calls;
    ++sim.log.searches;
    if (sim.faults.searchError) {
        sim.lastError = *sim.faults.searchError;
        return 0;
    }
    if (vid != 0x04D9 || pid != 0x8022 || !handle) {
        sim.lastError = kNoMoreDevices;
        return 0;
    }
    sim.nextToFind = 0;
    return openNext(handle);
}

SIMULATED_HIDDLL int HT_FindHidNextDevice(HANDLE *handle)
{
    Simulator &sim = simulator();
    ++sim.log.calls;
    if (!handle)
        return 0;
    return openNext(handle);
}

SIMULATED_HIDDLL unsigned int HT_HidGetLastError(void)
{
    Simulator &sim = simulator();
    ++sim.log.calls;
    return sim.lastError;
}

SIMULATED_HIDDLL int HT_SetUSBCmd(HANDLE handle, int length, unsigned char *command)
{
    Simulator &sim = simulator();
    ++sim.log.calls;
    const int number = static_cast<int>(sim.log.commands.size());
    if (!usable(handle) || length != 8 || !command)
        return 0;
    Packet packet{};
    std::copy(command, command + 8, packet.begin());
    if (packet[0] == sim.faults.unplugAtOpcode && sim.log.countOpcode(packet[0]) == sim.faults.unplugAtOccurrence) {
        sim.unplug();
        return 0;
    }
    sim.log.commands.push_back({handle, packet});
    if (injected(sim.faults.failCommandAt, number) || injected(sim.faults.failOpcode, packet[0]))
        return 0;
    if (isBootLoader(handle))
        sim.device.command(packet);
    return 1;
}

SIMULATED_HIDDLL int HT_GetUSBAck(HANDLE handle, int length, unsigned char *status)
{
    Simulator &sim = simulator();
    ++sim.log.calls;
    const int number = sim.log.statusReads++;
    if (!usable(handle) || length != 8 || !status)
        return 0;
    if (number == sim.faults.unplugAtStatusRead)
        sim.unplug();
    if (!usable(handle) || injected(sim.faults.failStatusReadAt, number))
        return 0;
    const Status block = isBootLoader(handle) ? sim.device.readStatus() : Status{};
    std::copy(block.begin(), block.end(), status);
    return 1;
}

SIMULATED_HIDDLL int HT_WriteUSB(HANDLE handle, unsigned char *data, unsigned int count)
{
    Simulator &sim = simulator();
    ++sim.log.calls;
    const int number = static_cast<int>(sim.log.writes.size());
    if (!usable(handle) || (!data && count > 0))
        return 0;
    sim.log.writes.push_back({handle, std::vector<uint8_t>(data, data + count)});
    if (sim.onWrite)
        sim.onWrite(sim.log.writes.back());
    if (number == sim.faults.unplugAtWrite)
        sim.unplug();
    if (!usable(handle) || injected(sim.faults.failWriteAt, number))
        return 0;
    if (isBootLoader(handle)) {
        // The device gets whole reports, laid out as the hidapi layer lays them out.
        std::array<uint8_t, hiddll::kDataReportBytes> report{};
        for (size_t offset = 0; offset < count;) {
            offset += hiddll::fillDataReport(report.data(), data, count, offset);
            sim.device.receiveReport(report.data(), report.size());
        }
    }
    return 1;
}

SIMULATED_HIDDLL int CloseHandle(HANDLE handle)
{
    Simulator &sim = simulator();
    ++sim.log.calls;
    sim.log.closed.push_back(handle);
    // A handle of an unplugged device still closes, as the system's does.
    const bool wasOpenBeforeUnplug = sim.unplugged && deviceIndex(handle) >= 0;
    if (sim.faults.closeFails || (!wasOpenBeforeUnplug && !usable(handle)))
        return 0;
    sim.open[static_cast<size_t>(deviceIndex(handle))] = false;
    return 1;
}
