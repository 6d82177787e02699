// The whole of burnlet-flash, callable in-process: reads and checks the image, then runs the
// update engine (erase, program, verify, restart) and says how it ended.
// Exit codes: 0 done; 1 the device or the update failed; 2 bad arguments or image;
// 3 stopped by a signal, at a safe point.
#pragma once

#include "update_engine.h"

#include <ostream>
#include <string>
#include <vector>

namespace flashtool {

enum ExitCode { kProgrammed = 0, kDeviceFailed = 1, kBadInput = 2, kStopped = 3 };

// `engine` is the one a signal handler may stop; the tool makes its own when none is given.
int runFlashTool(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err,
                 firmware::UpdateEngine *engine = nullptr);

}  // namespace flashtool
