// The whole of burnlet-flash, callable in-process: reads and checks the image, then
// connects, enters download mode, programs (and verifies), resets the device.
// Exit codes: 0 programmed; 1 the device or library failed; 2 bad arguments or image.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace flashtool {

enum ExitCode { kProgrammed = 0, kDeviceFailed = 1, kBadInput = 2 };

int runFlashTool(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err);

}  // namespace flashtool
