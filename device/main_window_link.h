#pragma once

// What the device object may ask of the main window: the bridge's isGun
// setting, which decides how often the repeated reports of the 560 mouse
// family are sent. Kept as a narrow interface so that the device layer does
// not depend on the shell.
class MainWindowLink
{
public:
    virtual ~MainWindowLink() = default;
    virtual bool isGun() const = 0;
};
