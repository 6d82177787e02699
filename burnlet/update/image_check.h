// Whether an image can be programmed into a device's flash, decided before the device is
// touched: it holds data, every byte lies inside the flash, and its runs neither overlap
// nor come out of order.
#pragma once

#include "editions.h"
#include "firmware_image.h"

#include <optional>
#include <string>

namespace firmware {

// Why the image cannot be programmed, or nothing when it can.
std::optional<std::string> whyUnprogrammable(const FirmwareImage &image, const FlashLayout &flash);

}  // namespace firmware
