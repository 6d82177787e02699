#include "flash_tool.h"

#include "burnlet.h"
#include "command_line.h"
#include "hex_format.h"
#include "image_loader.h"
#include "progress_bar.h"
#include "result_text.h"

namespace flashtool {

namespace {
constexpr uint8_t kMainFlashArea = 0;
constexpr const char *kName = "burnlet-flash: ";

int refuse(std::ostream &err, const std::string &why)
{
    err << kName << why << '\n';
    return kBadInput;
}

int deviceFailure(std::ostream &err, const std::string &step, uint32_t code)
{
    err << kName << step << " failed: " << describeResult(code) << '\n';
    return kDeviceFailed;
}

// Programs the image into a connected device; the device is left connected.
int programImage(FlashImage &image, const Options &options, std::ostream &out, std::ostream &err)
{
    const int32_t entered = EntryDownloadMode();
    if (entered != BURNLET_OK)
        return deviceFailure(err, "entering download mode", static_cast<uint32_t>(entered));

    out << "Programming " << image.bytes.size() << " bytes at " << hexWord(image.start)
        << (options.verify ? " with verification" : "") << '\n';
    ProgressBar bar(err);
    bar.start();
    const int32_t programmed = Program(static_cast<uint16_t>(image.start), static_cast<uint16_t>(image.bytes.size()),
                                       image.bytes.data(), kMainFlashArea, options.blockSize, 0,
                                       options.verify ? 50 : 100, options.verify, true);
    bar.stop();
    if (programmed != BURNLET_OK)
        return deviceFailure(err, "programming", static_cast<uint32_t>(programmed));

    BooltLoader_Reset();
    out << "Done; the device restarts with the new firmware.\n";
    return kProgrammed;
}
}  // namespace

int runFlashTool(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err)
{
    const ParsedOptions parsed = parseCommandLine(arguments);
    if (!parsed.options) {
        err << kName << parsed.error << '\n' << usageText();
        return kBadInput;
    }
    const Options &options = *parsed.options;
    if (options.help) {
        out << usageText();
        return kProgrammed;
    }

    // The image is read and checked whole before the device is touched.
    LoadedImage loaded = loadImage(options.file, options.address);
    if (!loaded.image)
        return refuse(err, loaded.error);

    const uint32_t connected = ConnectToWriter();
    if (connected != BURNLET_OK)
        return deviceFailure(err, "connecting to the boot loader", connected);
    const int result = programImage(*loaded.image, options, out, err);
    DisConnectWriter();
    return result;
}

}  // namespace flashtool
