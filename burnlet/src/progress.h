// The progress value that a client's UI polls while a transfer runs.
#pragma once

#include <cstdint>

namespace burnlet {

constexpr int32_t kProgressFailed = -1;
constexpr int32_t kProgressDone = 100;

void setProgress(int32_t value);
int32_t progress();

// base + truncate(done / total * span), the quotient taken in floating point.
int32_t scaledProgress(int32_t base, uint32_t done, uint32_t total, int32_t span);

}  // namespace burnlet
