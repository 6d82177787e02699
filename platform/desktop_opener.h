#pragma once
#include <QString>

#include <memory>

// Opens a file, program or folder with the desktop's handler, as the
// system shell opens a path given to it.
class DesktopOpener
{
public:
    virtual ~DesktopOpener() = default;
    virtual bool open(const QString &path);

    static DesktopOpener &current();
    // Replaces the opener; null puts the desktop one back.
    static void install(std::unique_ptr<DesktopOpener> opener);
};
