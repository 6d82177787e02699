#include "flash_tool.h"

#include "command_line.h"
#include "hex_format.h"
#include "image_check.h"
#include "image_file.h"
#include "progress_bar.h"
#include "update_lock.h"

namespace flashtool {

namespace {
constexpr const char *kName = "burnlet-flash: ";

const std::string &unchanged()
{
    static const std::string text =
        firmware::describeState(firmware::Outcome{}, firmware::Language::English);
    return text;
}

int refuse(std::ostream &err, const std::string &why)
{
    err << kName << why << ". " << unchanged() << '\n';
    return kBadInput;
}

std::string describeImage(const firmware::FirmwareImage &image)
{
    std::string text = std::to_string(image.totalBytes()) + " bytes";
    if (image.runs.size() == 1)
        return text + " at " + firmware::hexWord(image.runs.front().address);
    text += " in " + std::to_string(image.runs.size()) + " runs";
    for (const firmware::Run &run : image.runs)
        text += ", " + firmware::hexWord(run.address) + "-" + firmware::hexWord(run.end() - 1);
    return text;
}

int exitCodeFor(const firmware::Outcome &outcome)
{
    if (outcome.succeeded())
        return kProgrammed;
    return outcome.cause == firmware::Cause::Stopped ? kStopped : kDeviceFailed;
}
}  // namespace

int runFlashTool(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err,
                 firmware::UpdateEngine *engine)
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
    const firmware::ImageRead read = firmware::readImageFile(options.file, options.address);
    if (!read.image)
        return refuse(err, read.refusal);
    if (auto why = firmware::whyUnprogrammable(*read.image, options.flash))
        return refuse(err, options.file + ": " + *why);
    const firmware::UpdateOptions update{options.flash, options.blockSize, options.verify};
    if (auto why = firmware::whyOptionsRefused(update))
        return refuse(err, *why);

    firmware::UpdateLock lock;
    if (!lock.take()) {
        firmware::Outcome busy;
        busy.cause = firmware::Cause::AnotherUpdate;
        err << kName << (lock.heldElsewhere() ? firmware::describeOutcome(busy, firmware::Language::English)
                                              : lock.why() + ". " + unchanged())
            << '\n';
        return kDeviceFailed;
    }

    firmware::UpdateEngine ownEngine;
    firmware::UpdateEngine &running = engine ? *engine : ownEngine;
    out << "Updating with " << describeImage(*read.image)
        << (read.image->format == firmware::ImageFormat::IntelHex ? " (Intel HEX)" : " (raw binary)")
        << (options.verify ? ", verifying it after writing" : ", without verifying it") << '\n'
        << std::flush;
    ProgressBar bar(err, [&running] { return static_cast<int32_t>(running.progress()); });
    bar.start();
    const firmware::Outcome outcome = running.run(*read.image, update);
    bar.stop();

    if (outcome.succeeded())
        out << "Done. " << firmware::describeOutcome(outcome, firmware::Language::English) << '\n';
    else
        err << kName << firmware::describeOutcome(outcome, firmware::Language::English) << '\n';
    return exitCodeFor(outcome);
}

}  // namespace flashtool
