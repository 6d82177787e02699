#include "progress.h"

#include "burnlet.h"
#include "state.h"

namespace burnlet {

void setProgress(int32_t value)
{
    state().progress.store(value, std::memory_order_relaxed);
}

int32_t progress()
{
    return state().progress.load(std::memory_order_relaxed);
}

int32_t scaledProgress(int32_t base, uint32_t done, uint32_t total, int32_t span)
{
    if (total == 0)
        return base;
    return base + static_cast<int32_t>(static_cast<double>(done) / static_cast<double>(total) * span);
}

}  // namespace burnlet

using namespace burnlet;

extern "C" uint32_t GetTransProgress(void)
{
    return static_cast<uint32_t>(progress());
}

extern "C" void SetTransProgress(int32_t value)
{
    setProgress(value);
}
