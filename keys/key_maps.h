#pragma once
// The two maps of the keystroke capture: a keystroke as Windows reports it
// (scan code and extended flag) becomes a virtual-key code, and that becomes a
// HID usage code. Every lookup gives 0 for a key the maps do not hold, which
// means "not captured".

constexpr int kScanMapEntries = 105;
constexpr int kUsageMapEntries = 121;

// Scan map: scan code (0-255) and extended flag to a virtual-key code.
int virtualKeyOfScan(int scanCode, bool extended);
// Usage map: virtual-key code (0-255) to a HID usage code.
int usageOfVirtualKey(int virtualKey);

// One captured keystroke to its virtual-key code, with the two keys the
// capture decides before the scan map: Ctrl+Break (0x46 extended) reads as
// Pause, and Alt+Print Screen (0x54 with Alt held) as Print Screen. A scan
// code above 0xFF counts as 0.
int virtualKeyOfKeystroke(unsigned scanCode, bool extended, bool altHeld);
// The same keystroke to its HID usage code; 0 when either step has no entry.
int usageOfKeystroke(unsigned scanCode, bool extended, bool altHeld);
