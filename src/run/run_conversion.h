#pragma once

#include <string_view>

#include "platform/platform.h"

namespace facetor {

/// Performs one conversion run. `commandLine` is the command-line text after the program's own
/// name; when it is empty the input is asked for with the Open prompt. Returns 0 after a
/// completed conversion, -1 after any failure (reported in one message box) or cancellation
/// (reported by none).
int runConversion(Platform& platform, std::string_view commandLine);

}  // namespace facetor
