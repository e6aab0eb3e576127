#include <fcntl.h>
#include <unistd.h>

#include <iostream>
#include <string_view>

#include "platform/platform.h"
#include "run/run_conversion.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: facetor [DRAWING]\n"
    "Converts the 3DFACE entities of the ASCII DXF file DRAWING into an X3D scene written\n"
    "beside it under the same name with the extension .x3d (DRAWING may omit .dxf).\n"
    "Without DRAWING, the input and then the output file are asked for on standard input.\n"
    "The settings file lies beside the executable, named like it with the extension .cfg;\n"
    "it is created with default content when missing.\n"
    "\n"
    "  -h, --help  show this text and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Exit status: 0 after a completed conversion, 255 after a failure or a cancelled prompt.\n";

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
  std::string_view first = argc > 1 ? argv[1] : "";
  if (first == "-h" || first == "--help") {
    std::cout << kUsage << std::flush;
    return 0;
  }
  if (first == "--version") {
    std::cout << "facetor " << FACETOR_VERSION << '\n' << std::flush;
    return 0;
  }

  // Only the first argument is the drawing; any further ones are ignored.
  auto platform = facetor::makePlatform();
  int status = facetor::runConversion(*platform, first);
  return status < 0 ? 255 : status;
}
