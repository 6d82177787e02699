// The keyboard editions an update program can be for, by the name it is installed under,
// with the flash each one's boot loader programs.
#pragma once

#include <cstdint>
#include <string>

namespace firmware {

struct FlashLayout {
    uint32_t flashBytes = 0;  // addresses 0 to flashBytes - 1
    uint32_t pageBytes = 0;   // the unit of an erase
};

// What the boot loader's protocol can address at all: the limit when no edition is known.
constexpr FlashLayout kBootLoaderFlash{0x10000, 128};

struct Edition {
    int index;              // the keyboard type the window passes, and the device-table entry
    const char *program;    // the updater's file name without ".exe"
    const char *name;       // as the user reads it
    FlashLayout flash;
};

constexpr int kEditionCount = 5;
const Edition &edition(int index);  // 0 to kEditionCount - 1

// The edition an updater is for, from the file name it was started under (with or without
// ".exe", any folder before it); null for a name of no edition.
const Edition *editionForProgram(const std::string &fileName);

}  // namespace firmware
