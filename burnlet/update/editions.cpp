#include "editions.h"

#include <array>
#include <cstring>

namespace firmware {

namespace {
// In the order of the updater table and of the device table's keyboard entries. The flash
// layout is the boot loader's whole address space with its 128-byte erase pages for every
// edition until a keyboard's own figures say otherwise.
constexpr std::array<Edition, kEditionCount> kEditions = {{
    {0, "tarnelUK", "tarnel UK", kBootLoaderFlash},
    {1, "sovrinUK", "sovrin UK", kBootLoaderFlash},
    {2, "tarnelUS", "tarnel US", kBootLoaderFlash},
    {3, "sovrinUS", "sovrin US", kBootLoaderFlash},
    {4, "dusken", "dusken", kBootLoaderFlash},
}};

constexpr char kWindowsSuffix[] = ".exe";
}  // namespace

const Edition &edition(int index)
{
    return kEditions.at(static_cast<size_t>(index));
}

const Edition *editionForProgram(const std::string &fileName)
{
    std::string base = fileName.substr(fileName.find_last_of('/') == std::string::npos ? 0
                                                                                       : fileName.find_last_of('/') + 1);
    const size_t suffix = std::strlen(kWindowsSuffix);
    if (base.size() > suffix && base.compare(base.size() - suffix, suffix, kWindowsSuffix) == 0)
        base.resize(base.size() - suffix);
    for (const Edition &candidate : kEditions) {
        if (base == candidate.program)
            return &candidate;
    }
    return nullptr;
}

}  // namespace firmware
