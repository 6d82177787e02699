// Host-side cost of programming 32 KiB against the simulated boot loader with zero-latency
// calls: time per KiB and status reads per block, for several block sizes, with and without
// verification. A baseline that hands the same blocks straight to the simulator shows how
// much of the time is the simulator's own.
#include "burnlet.h"
#include "simulator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
constexpr uint16_t kImageBytes = 32 * 1024;
constexpr uint16_t kAddress = 0x4000;
constexpr int kRounds = 200;

using Clock = std::chrono::steady_clock;

struct Figures {
    double microsPerKiB;
    double statusReadsPerRound;
    double statusReadsPerBlock;  // per block of data sent, writing and verifying alike
};

void prepareDevice()
{
    bootsim::Simulator &sim = bootsim::simulator();
    DisConnectWriter();
    sim.reset();
    sim.device.behaviour.busyReadsAfterControlWrite = 0;  // zero latency
    sim.device.downloadMode = true;
    ConnectToWriter();
}

Figures measureProgram(std::vector<uint8_t> &image, uint16_t blockSize, bool verify)
{
    bootsim::Simulator &sim = bootsim::simulator();
    prepareDevice();
    double seconds = 0;
    long statusReads = 0;
    for (int round = 0; round < kRounds; ++round) {
        sim.log = bootsim::CallLog{};
        const auto start = Clock::now();
        const int32_t result = Program(kAddress, kImageBytes, image.data(), 0, blockSize, 0, 50, verify, true);
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        if (result != BURNLET_OK) {
            std::fprintf(stderr, "programming failed with %d\n", result);
            std::exit(1);
        }
        statusReads += sim.log.statusReads;
    }
    const double blocksPerRound = double((kImageBytes + blockSize - 1) / blockSize) * (verify ? 2 : 1);
    return {seconds * 1e6 / kRounds / (kImageBytes / 1024.0), double(statusReads) / kRounds,
            double(statusReads) / kRounds / blocksPerRound};
}

double measureSimulatorAlone(std::vector<uint8_t> &image, uint16_t blockSize)
{
    bootsim::Simulator &sim = bootsim::simulator();
    prepareDevice();
    HANDLE device = sim.handleOf(0);
    unsigned char openWrite[8] = {3, uint8_t(kAddress & 0xFF), uint8_t(kAddress >> 8), uint8_t(kImageBytes & 0xFF),
                                  uint8_t(kImageBytes >> 8), 0, 0, 0};
    double seconds = 0;
    for (int round = 0; round < kRounds; ++round) {
        sim.log = bootsim::CallLog{};
        const auto start = Clock::now();
        HT_SetUSBCmd(device, 8, openWrite);
        for (uint32_t at = 0; at < kImageBytes; at += blockSize)
            HT_WriteUSB(device, image.data() + at, std::min<uint32_t>(blockSize, kImageBytes - at));
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    return seconds * 1e6 / kRounds / (kImageBytes / 1024.0);
}
}  // namespace

int main()
{
    std::vector<uint8_t> image(kImageBytes);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 7 + 3);

    std::printf("burnlet: programming %u bytes, %d rounds each, simulated boot loader with zero latency\n",
                unsigned(kImageBytes), kRounds);
    std::printf("%6s  %-14s  %10s  %14s  %14s  %22s\n", "block", "mode", "us per KiB", "reads/transfer",
                "reads/block", "simulator alone us/KiB");
    for (uint16_t blockSize : {16, 64, 256, 1024}) {
        const double alone = measureSimulatorAlone(image, blockSize);
        for (bool verify : {false, true}) {
            const Figures f = measureProgram(image, blockSize, verify);
            std::printf("%6u  %-14s  %10.2f  %14.0f  %14.4f  %22.2f\n", unsigned(blockSize),
                        verify ? "program+verify" : "program", f.microsPerKiB, f.statusReadsPerRound,
                        f.statusReadsPerBlock, alone);
        }
    }
    DisConnectWriter();
    return 0;
}
