// burnlet-flash [--no-verify] [--block N] [--address A] [--edition NAME] FILE
#pragma once

#include "update_engine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace flashtool {

struct Options {
    bool verify = true;
    bool help = false;
    uint16_t blockSize = firmware::kDefaultBlockSize;
    std::optional<uint32_t> address;
    firmware::FlashLayout flash = firmware::kBootLoaderFlash;
    std::string file;
};

struct ParsedOptions {
    std::optional<Options> options;
    std::string error;
};

ParsedOptions parseCommandLine(const std::vector<std::string> &arguments);
std::string usageText();

}  // namespace flashtool
