#include <windows.h>

#include "platform/win32_platform.h"
#include "run/run_conversion.h"

// The program has no window: a drawing dropped on it, or none, starts one conversion whose
// result is the exit status. The command line arrives without the program's own name.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  auto platform = facetor::makeWin32Platform(instance);
  return facetor::runConversion(*platform, commandLine != nullptr ? commandLine : "");
}
