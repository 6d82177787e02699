#include "command_line.h"

#include <cerrno>
#include <cstdlib>

namespace flashtool {

namespace {
// Decimal or 0x-prefixed hex, within [lowest, highest].
std::optional<uint32_t> parseNumber(const std::string &text, uint32_t lowest, uint32_t highest)
{
    if (text.empty() || text[0] == '-' || text[0] == '+')
        return std::nullopt;
    char *end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || value < lowest || value > highest)
        return std::nullopt;
    return static_cast<uint32_t>(value);
}
}  // namespace

std::string usageText()
{
    return "usage: burnlet-flash [--no-verify] [--block N] [--address A] [--edition NAME] FILE\n"
           "  FILE           firmware image: Intel HEX or raw binary, told apart by content\n"
           "  --no-verify    do not check the flash against the image after writing\n"
           "                 (the device then restarts into firmware nobody checked)\n"
           "  --block N      bytes per data transfer, 1 to " + std::to_string(firmware::kLargestBlock) +
           " (default " + std::to_string(firmware::kDefaultBlockSize) + ")\n"
           "  --address A    load address of a raw binary, 0 to 0xFFFF (default 0)\n"
           "  --edition NAME the keyboard (tarnelUK, sovrinUK, tarnelUS, sovrinUS, dusken), whose\n"
           "                 flash the image must fit (default: the boot loader's 64 KiB)\n"
           "The device is erased where the image has data, written, verified and restarted.\n"
           "Exit status: 0 done, 1 the device or update failed, 2 bad arguments or image,\n"
           "3 stopped by a signal.\n";
}

ParsedOptions parseCommandLine(const std::vector<std::string> &arguments)
{
    Options options;
    bool haveFile = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        const bool takesValue = argument == "--block" || argument == "--address" || argument == "--edition";
        if (takesValue && i + 1 >= arguments.size())
            return {std::nullopt, argument + " needs a value"};
        if (argument == "--verify") {
            options.verify = true;  // the default; kept for scripts that ask for it
        } else if (argument == "--no-verify") {
            options.verify = false;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--block") {
            const auto value = parseNumber(arguments[++i], 1, firmware::kLargestBlock);
            if (!value)
                return {std::nullopt, "--block must be a number from 1 to " + std::to_string(firmware::kLargestBlock) +
                                          ", not '" + arguments[i] + "'"};
            options.blockSize = static_cast<uint16_t>(*value);
        } else if (argument == "--address") {
            const auto value = parseNumber(arguments[++i], 0, 0xFFFF);
            if (!value)
                return {std::nullopt, "--address must be a number from 0 to 0xFFFF, not '" + arguments[i] + "'"};
            options.address = *value;
        } else if (argument == "--edition") {
            const firmware::Edition *edition = firmware::editionForProgram(arguments[++i]);
            if (!edition)
                return {std::nullopt, "--edition must be one of tarnelUK, sovrinUK, tarnelUS, sovrinUS, dusken, not '" +
                                          arguments[i] + "'"};
            options.flash = edition->flash;
        } else if (argument.size() > 1 && argument[0] == '-') {
            return {std::nullopt, "unknown option " + argument};
        } else if (haveFile) {
            return {std::nullopt, "only one image file can be programmed at a time"};
        } else {
            options.file = argument;
            haveFile = true;
        }
    }
    if (!haveFile && !options.help)
        return {std::nullopt, "no image file given"};
    return {options, {}};
}

}  // namespace flashtool
