#pragma once
#include <memory>

// The desktop's pointer settings. The values are those of the Windows
// settings the program has always set (pointer speed 1..20, wheel scroll
// lines, double-click time in ms); each implementation applies what its
// desktop offers and returns false when the setting was not applied.
class PointerSettings
{
public:
    virtual ~PointerSettings() = default;
    virtual bool setCursorSpeed(int speed);
    virtual bool setWheelScrollLines(unsigned lines);
    virtual bool setDoubleClickTime(int milliseconds);

    static PointerSettings &current();
    // Replaces the settings seam; null puts the desktop one back.
    static void install(std::unique_ptr<PointerSettings> settings);
};
