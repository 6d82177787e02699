// What an update does to the flash, worked out from the image alone: the pages to erase
// (those the image's runs touch, nothing between them) and the transfers that write and
// check the runs.
#pragma once

#include "firmware_image.h"

#include <cstdint>
#include <vector>

namespace firmware {

struct FlashRange {
    uint32_t address = 0;
    uint32_t length = 0;

    bool operator==(const FlashRange &other) const { return address == other.address && length == other.length; }
};

struct Transfer {
    uint32_t address = 0;
    const uint8_t *data = nullptr;
    uint16_t length = 0;
};

// The whole pages each run touches, neighbouring pages merged into one range: the erase.
std::vector<FlashRange> pagesToErase(const FirmwareImage &image, uint32_t pageBytes);

// Pieces of at most `largest` bytes of `ranges`, for operations whose length is 16-bit.
std::vector<FlashRange> piecesOf(const std::vector<FlashRange> &ranges, uint32_t largest);

// The runs in transfers of at most `largest` bytes each; a run is never joined to another.
std::vector<Transfer> transfersOf(const FirmwareImage &image, uint32_t largest);

}  // namespace firmware
