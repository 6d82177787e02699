// A whole firmware update of a 64 KiB image with verification, through the update engine:
// built once against libHIDDLL, hidraw and a uhid boot loader (run inside the kernel test VM
// by bench/firmware_update.sh), and once against the simulated boot loader, whose HIDDLL
// calls cost nothing but the model's work. Prints the time of each step and of the whole.
#include "update_engine.h"

#ifdef UPDATE_THROUGH_THE_KERNEL
#include "uhid/emulated_devices.h"

#include <hidapi/hidapi.h>
#else
#include "simulator.h"
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <thread>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
constexpr uint32_t kImageBytes = 64 * 1024;
constexpr uint8_t kOldFirmware = 0x5A;

const char *stageName(firmware::Stage stage)
{
    switch (stage) {
    case firmware::Stage::Connecting: return "connect";
    case firmware::Stage::Erasing: return "erase";
    case firmware::Stage::BlankChecking: return "blank check";
    case firmware::Stage::Programming: return "write";
    case firmware::Stage::Verifying: return "verify";
    case firmware::Stage::Restarting: return "restart";
    default: return "other";
    }
}

#ifdef UPDATE_THROUGH_THE_KERNEL
const char *const kPath = "kernel path (libHIDDLL, hidraw, uhid boot loader)";
std::unique_ptr<EmulatedBootLoader> g_loader;

bool prepareDevice()
{
    g_loader = std::make_unique<EmulatedBootLoader>([](bootsim::BootLoaderModel &model) {
        std::fill(model.flash.begin(), model.flash.end(), kOldFirmware);
    });
    for (int tries = 0; tries < 500; ++tries) {
        hid_device_info *list = hid_enumerate(0x04d9, 0x8022);
        const bool listed = list != nullptr;
        hid_free_enumeration(list);
        if (listed)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool flashHolds(const std::vector<uint8_t> &image)
{
    bool same = false;
    g_loader->withModel([&](bootsim::BootLoaderModel &model) {
        same = std::equal(image.begin(), image.end(), model.flash.begin());
    });
    g_loader.reset();
    return same;
}
constexpr int kRounds = 3;
#else
const char *const kPath = "simulated boot loader (no transfer cost)";

bool prepareDevice()
{
    bootsim::Simulator &sim = bootsim::simulator();
    sim.reset();
    std::fill(sim.device.flash.begin(), sim.device.flash.end(), kOldFirmware);
    return true;
}

bool flashHolds(const std::vector<uint8_t> &image)
{
    return std::equal(image.begin(), image.end(), bootsim::simulator().device.flash.begin());
}
constexpr int kRounds = 5;
#endif
}  // namespace

int main()
{
    firmware::FirmwareImage image;
    image.runs.push_back({0, std::vector<uint8_t>(kImageBytes)});
    for (size_t i = 0; i < kImageBytes; ++i)
        image.runs[0].bytes[i] = uint8_t(i * 7 + 3);

    std::vector<double> totals;
    std::map<firmware::Stage, double> stageSeconds;
    for (int round = 0; round < kRounds; ++round) {
        if (!prepareDevice()) {
            std::printf("firmware update: the boot loader did not appear\n");
            return 1;
        }
        firmware::UpdateEngine engine;
        std::atomic<bool> running{true};
        std::map<firmware::Stage, double> seen;
        // The steps' times, sampled as a window's timer would see them.
        std::thread watcher([&] {
            auto last = Clock::now();
            firmware::Stage stage = engine.stage();
            while (running) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
                const auto now = Clock::now();
                seen[stage] += std::chrono::duration<double>(now - last).count();
                last = now;
                stage = engine.stage();
            }
        });
        const auto start = Clock::now();
        const firmware::Outcome outcome = engine.run(image, firmware::UpdateOptions{});
        totals.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        running = false;
        watcher.join();
        if (!outcome.succeeded() || !flashHolds(image.runs[0].bytes)) {
            std::printf("firmware update: %s\n",
                        firmware::describeOutcome(outcome, firmware::Language::English).c_str());
            return 1;
        }
        for (const auto &[stage, seconds] : seen)
            stageSeconds[stage] += seconds / kRounds;
    }
    std::sort(totals.begin(), totals.end());
    std::printf("firmware update of 64 KiB with verification, block %u, %s: %.0f ms (median of %d)\n",
                unsigned(firmware::kDefaultBlockSize), kPath, totals[totals.size() / 2] * 1e3, kRounds);
    std::printf("   ");
    for (const auto &[stage, seconds] : stageSeconds) {
        if (stage != firmware::Stage::Preparing && stage != firmware::Stage::Finished)
            std::printf(" %s %.0f ms;", stageName(stage), seconds * 1e3);
    }
    std::printf("\n");
    return 0;
}
