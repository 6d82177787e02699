#pragma once
#include <cstdint>

// Conversions of the UI's lighting values (effects, sliders 0..218) into the
// numbers each device expects. Computed in floating point and truncated
// towards zero, then used as a byte.
namespace LightingConversions {

// Keyboard: UI effect 0..17 to device mode; other numbers pass unchanged.
uint8_t keyboardMode(uint8_t uiEffect);
uint8_t keyboardBrightness(uint8_t value);  // 0..218 -> 0..255
uint8_t keyboardSpeed(uint8_t value);       // 0 -> 4 ... 217, 218 -> 0

uint8_t mousePadMode(uint8_t uiEffect);
uint8_t mousePadBrightness(uint8_t value);  // 0..218 -> 0..50
uint8_t mousePadSpeed(uint8_t value);       // 0..218 -> 0..5

uint8_t accessoryMode(uint8_t uiEffect);
uint8_t accessoryLevel(uint8_t value);      // brightness and speed: 0 -> 4 ... 218 -> 0

// The colour argument of the mousepad and the accessory.
constexpr uint8_t colourful(uint8_t lightColorful) { return lightColorful ? 7 : 0; }

// The 24 bytes (red, green, blue of stages 0 to 7) sent for the stage
// colours: the device's defaults, with stage 0 replaced when type is 0.
void stageColours(const uint8_t defaults[24], uint8_t type, uint8_t red, uint8_t green, uint8_t blue, uint8_t out[24]);

} // namespace LightingConversions
