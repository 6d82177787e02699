#include "lighting_conversions.h"

#include <algorithm>
#include <array>

namespace LightingConversions {
namespace {

constexpr std::array<uint8_t, 18> kKeyboardModes = {0, 1, 2, 3, 4, 5, 6, 9, 10, 13, 14, 15, 16, 51, 52, 53, 54, 55};

uint8_t truncated(double value) { return uint8_t(int(value)); }

} // namespace

uint8_t keyboardMode(uint8_t uiEffect) { return uiEffect < kKeyboardModes.size() ? kKeyboardModes[uiEffect] : uiEffect; }
uint8_t keyboardBrightness(uint8_t value) { return truncated(value * 254.0 / 217.0); }
uint8_t keyboardSpeed(uint8_t value) { return truncated(4.0 - 4.0 * value / 217.0); }

uint8_t mousePadMode(uint8_t uiEffect) { return uiEffect == 1 ? 3 : uiEffect == 3 ? 1 : uiEffect; }
uint8_t mousePadBrightness(uint8_t value) { return truncated(value * 50.0 / 218.0); }
uint8_t mousePadSpeed(uint8_t value) { return truncated(value * 5.0 / 218.0); }

uint8_t accessoryMode(uint8_t uiEffect) { return uiEffect == 1 ? 4 : uiEffect == 3 ? 2 : uint8_t(uiEffect + 1); }
uint8_t accessoryLevel(uint8_t value) { return truncated(4.0 - 4.0 * value / 218.0); }

void stageColours(const uint8_t defaults[24], uint8_t type, uint8_t red, uint8_t green, uint8_t blue, uint8_t out[24])
{
    std::copy_n(defaults, 24, out);
    if (type == 0) {
        out[0] = red;
        out[1] = green;
        out[2] = blue;
    }
}

} // namespace LightingConversions
