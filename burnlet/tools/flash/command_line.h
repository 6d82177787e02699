// burnlet-flash [--verify] [--block N] [--address A] FILE
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace flashtool {

constexpr uint16_t kDefaultBlockSize = 64;

struct Options {
    bool verify = false;
    bool help = false;
    uint16_t blockSize = kDefaultBlockSize;
    std::optional<uint32_t> address;
    std::string file;
};

struct ParsedOptions {
    std::optional<Options> options;
    std::string error;
};

ParsedOptions parseCommandLine(const std::vector<std::string> &arguments);
std::string usageText();

}  // namespace flashtool
