// Reading the device's 8-byte status block and the fields the library looks at.
#pragma once

#include "state.h"

namespace burnlet {

// Byte layout of the status block.
enum StatusByte : int {
    kVersionByte = 0,
    kControlByte = 1,
    kMarkerByte = 2,      // four ASCII bytes, 2 to 5
    kProgressWordByte = 6 // little-endian, 6 and 7
};

constexpr uint8_t kBusyOrFailedBit = 0x80;

// Reads the status into the library's status block; 0 or 254 (block untouched on failure).
int32_t readStatus();

uint8_t controlByte();
uint16_t progressWord();
bool busyOrFailed();
bool markerPresent();

}  // namespace burnlet
