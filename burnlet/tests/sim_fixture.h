// Shared set-up for the tests: a fresh simulated boot loader, and the library connected to it.
#pragma once

#include "burnlet.h"
#include "simulator.h"

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace testing {

inline bootsim::Simulator &sim()
{
    return bootsim::simulator();
}

// Library disconnected, device powered on with no faults, progress 0, empty log.
inline void freshDevice()
{
    DisConnectWriter();
    sim().reset();
    SetTransProgress(0);
}

// As freshDevice, then connected; the log starts empty after the connection.
inline bool connectedDevice(int devicesPresent = 1)
{
    freshDevice();
    sim().devicesPresent = devicesPresent;
    const bool connected = ConnectToWriter() == BURNLET_OK;
    sim().log = bootsim::CallLog{};
    return connected;
}

// Connected and in download mode, as a flashing client leaves it before programming.
inline bool downloadReady()
{
    if (!connectedDevice())
        return false;
    sim().device.downloadMode = true;
    return true;
}

// Deterministic, non-repeating test data.
inline std::vector<uint8_t> pattern(size_t length, uint8_t seed = 1)
{
    std::vector<uint8_t> data(length);
    uint32_t state = 0x9E3779B9u * seed;
    for (uint8_t &byte : data) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(state >> 24);
    }
    return data;
}

inline QByteArray bytes(const std::vector<uint8_t> &data)
{
    return QByteArray(reinterpret_cast<const char *>(data.data()), static_cast<int>(data.size()));
}

template <size_t N>
QByteArray bytes(const std::array<uint8_t, N> &data)
{
    return QByteArray(reinterpret_cast<const char *>(data.data()), static_cast<int>(N));
}

inline QByteArray flashRange(uint32_t address, size_t length)
{
    QByteArray range;
    for (size_t i = 0; i < length; ++i)
        range.append(static_cast<char>(sim().device.flash[(address + i) % bootsim::kFlashBytes]));
    return range;
}

inline QByteArray sentData()
{
    QByteArray all;
    for (const bootsim::SentData &write : sim().log.writes)
        all.append(bytes(write.bytes));
    return all;
}

}  // namespace testing
