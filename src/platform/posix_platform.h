#pragma once

#include <memory>

#include "platform/platform.h"

namespace facetor {

/// How the program speaks to its user on Linux and other POSIX systems.
enum class Interface {
  Automatic,  // dialogs when a display can be opened and standard input is not a terminal
  Dialogs,    // dialogs; the console when no display can be opened
  Console,    // the standard streams only
};

/// The POSIX platform with the chosen interface. Without a display it speaks through the
/// console, so no message is ever lost.
std::unique_ptr<Platform> makePosixPlatform(Interface interface);

}  // namespace facetor
