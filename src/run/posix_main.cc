#include <fcntl.h>
#include <unistd.h>

#include <iostream>
#include <span>
#include <string_view>

#include "run/posix_command_line.h"
#include "run/run_conversion.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: facetor [--ui=gui|console] [--] [DRAWING]\n"
    "Converts the 3DFACE entities of the ASCII DXF file DRAWING into an X3D scene written\n"
    "beside it under the same name with the extension .x3d (DRAWING may omit .dxf).\n"
    "Without DRAWING, the input and then the output file are asked for.\n"
    "The settings file lies beside the executable, named like it with the extension .cfg;\n"
    "it is created with default content when missing.\n"
    "\n"
    "Messages and prompts are dialogs on a desktop when standard input is not a terminal,\n"
    "and go through the terminal otherwise.\n"
    "  --ui=gui      dialogs (the terminal when no display can be opened)\n"
    "  --ui=console  the terminal: messages on standard error and output, prompts read\n"
    "                from standard input\n"
    "  -h, --help    show this text and exit\n"
    "  --version     show the version and exit\n"
    "\n"
    "Exit status: 0 after a completed conversion, 255 after a failure or a cancelled prompt,\n"
    "2 for an unknown option value.\n";

// A standard stream that was closed when the program started would be taken by the next
// file opened, and the settings file would then be read as answers to the Open prompt or
// have messages written into it. Closed ones are put on /dev/null.
void keepStandardStreamsOpen() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) == -1) {
      int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
      if (opened >= 0 && opened != fd) {
        dup2(opened, fd);
        close(opened);
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  keepStandardStreamsOpen();
  using Action = facetor::PosixCommandLine::Action;
  facetor::PosixCommandLine command = facetor::parsePosixCommandLine(
      std::span<const char* const>(argv + 1, argc > 1 ? static_cast<std::size_t>(argc - 1) : 0));
  switch (command.action) {
    case Action::Help:
      std::cout << kUsage << std::flush;
      return 0;
    case Action::Version:
      std::cout << "facetor " << FACETOR_VERSION << '\n' << std::flush;
      return 0;
    case Action::Unusable:
      std::cerr << "facetor: error: " << command.problem << "\nTry 'facetor --help'.\n"
                << std::flush;
      return 2;
    case Action::Convert:
      break;
  }

  auto platform = facetor::makePosixPlatform(command.interface);
  int status = facetor::runConversion(*platform, command.drawing);
  return status < 0 ? 255 : status;
}
