// The tests run the program in the console: with a display in reach, a run of the real
// executable with no terminal on its standard input would show dialogs and wait for a user.
// Only the GUI test, a script of its own, drives the dialogs.

#include <cstdlib>

namespace {

const bool kDesktopHidden = [] {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  return true;
}();

}  // namespace
