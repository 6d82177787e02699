#include "image_loader.h"

#include "intel_hex.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace flashtool {

namespace {
std::string lowerExtension(const std::string &path)
{
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}
}  // namespace

bool looksLikeIntelHex(const std::string &path)
{
    const std::string extension = lowerExtension(path);
    return extension == "hex" || extension == "ihx" || extension == "ihex";
}

LoadedImage loadImage(const std::string &path, std::optional<uint32_t> rawAddress)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {std::nullopt, "cannot open " + path};

    LoadedImage loaded;
    if (looksLikeIntelHex(path)) {
        if (rawAddress)
            return {std::nullopt, "--address applies to raw binary images; a HEX file carries its own addresses"};
        loaded = parseIntelHex(file);
    } else {
        FlashImage image;
        image.start = rawAddress.value_or(0);
        image.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (file.bad())
            return {std::nullopt, "cannot read " + path};
        loaded.image = std::move(image);
    }
    if (loaded.image) {
        if (auto why = whyUnprogrammable(*loaded.image))
            return {std::nullopt, *why};
    }
    if (!loaded.error.empty())
        loaded.error = path + ": " + loaded.error;
    return loaded;
}

}  // namespace flashtool
