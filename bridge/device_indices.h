#pragma once

// The device-table entries the bridge addresses.
namespace DeviceIndex {
inline constexpr int kKeyboard = 0;
inline constexpr int kMouse = 1;
inline constexpr int kMousePad = 2;
inline constexpr int kMouse3336 = 4;
inline constexpr int kAccessory = 5;
// The 560 family's profiles, the 553 key-matrix switch and its options.
inline constexpr int kProfileDevice = 0;

constexpr int mouse(int is3336) { return is3336 ? kMouse3336 : kMouse; }
} // namespace DeviceIndex
