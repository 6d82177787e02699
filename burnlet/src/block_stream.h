// Streaming flash data to the device in caller-sized blocks, plus the checks every
// streaming operation makes before it touches the device.
#pragma once

#include "burnlet.h"
#include "progress.h"
#include "state.h"

#include <algorithm>
#include <cstdint>

namespace burnlet {

// A block size of 0 would never advance and a null buffer cannot be sent: such requests
// are refused before anything reaches the device.
inline bool streamRequestValid(const uint8_t *data, uint16_t length, uint16_t blockSize)
{
    return blockSize != 0 && (data != nullptr || length == 0);
}

// The device's progress word after it consumed `consumed` bytes of a transfer that opened
// at `address`: it counts 16-bit words, offset by 512, modulo 65,536.
inline uint16_t expectedProgressWord(uint16_t address, uint32_t consumed)
{
    return static_cast<uint16_t>(address + consumed / 2 + 512);
}

// Hands `length` bytes to the device as full blocks followed by one unpadded remainder
// block. After each block afterBlock(sentSoFar) runs; a non-zero result ends the stream and
// is returned. A failed write sets the progress to progressOnFailedWrite and gives 254.
template <typename AfterBlock>
int32_t streamBlocks(uint8_t *data, uint16_t length, uint16_t blockSize, int32_t progressOnFailedWrite,
                     AfterBlock afterBlock)
{
    uint32_t sent = 0;
    while (sent < length) {
        const uint32_t piece = std::min<uint32_t>(blockSize, length - sent);
        if (!HT_WriteUSB(state().current, data + sent, piece)) {
            setProgress(progressOnFailedWrite);
            return BURNLET_TRANSFER_FAILED;
        }
        sent += piece;
        const int32_t result = afterBlock(sent);
        if (result != BURNLET_OK)
            return result;
    }
    return BURNLET_OK;
}

}  // namespace burnlet
