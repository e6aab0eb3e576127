#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/posix_platform.h"

namespace facetor {

/// What the POSIX program was asked to do by its arguments (without the program name).
struct PosixCommandLine {
  enum class Action { Convert, Help, Version, Unusable };
  Action action = Action::Convert;
  Interface interface = Interface::Automatic;
  /// The drawing: the first argument that is not an option; further arguments are ignored.
  std::string_view drawing;
  /// Why the arguments are unusable, for Action::Unusable.
  std::string problem;
};

/// Options come before the drawing: "-h"/"--help", "--version", "--ui=gui", "--ui=console",
/// and "--", after which the next argument is the drawing whatever it looks like. Help and
/// version end the reading of options at once.
PosixCommandLine parsePosixCommandLine(std::span<const char* const> arguments);

}  // namespace facetor
