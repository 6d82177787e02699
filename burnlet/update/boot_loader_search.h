// How many boot loaders are plugged in, asked of HIDDLL before the library connects: the
// library would open up to eight and program whichever came first, so an update with more
// than one present is refused instead.
#pragma once

#include <cstdint>

namespace firmware {

struct BootLoaderCount {
    int found = 0;           // devices that could be opened
    uint32_t searchError = 0; // HT_HidGetLastError when none was found
};

// Opens each device in turn and closes it again; leaves nothing open. Must not run while
// the library is connected (it shares HIDDLL's search).
BootLoaderCount countBootLoaders();

}  // namespace firmware
