#pragma once

inline constexpr const char *kKeyboardUiUri = "Gearconsole.Keyboard";

// Makes the keyboard picture's items ("PalettePicture", "KeyTints", "KeyMarks") known to every
// QML engine of the process. Call before the UI is loaded; later calls do
// nothing.
void registerKeyboardUiTypes();
