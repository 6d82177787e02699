// Preparing the control byte before the device accepts flash data.
#pragma once

#include <cstdint>

namespace burnlet {

// Clears control-byte bits 0-1 and waits until the device shows the settled value:
// 38 when it stays busy, 39 when the bits will not clear, 254 on a transfer failure.
int32_t settleControlByte();

}  // namespace burnlet
