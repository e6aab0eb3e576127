#include "run/posix_command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace facetor {
namespace {

using Action = PosixCommandLine::Action;

TEST(PosixCommandLine, OptionsComeBeforeTheDrawing) {
  struct Case {
    std::vector<const char*> arguments;
    Action action;
    Interface interface;
    const char* drawing;
  };
  const std::vector<Case> cases = {
      {{}, Action::Convert, Interface::Automatic, ""},
      {{"plate.dxf"}, Action::Convert, Interface::Automatic, "plate.dxf"},
      {{"plate", "more", "--help"}, Action::Convert, Interface::Automatic, "plate"},
      {{"--ui=gui"}, Action::Convert, Interface::Dialogs, ""},
      {{"--ui=console", "my plate"}, Action::Convert, Interface::Console, "my plate"},
      {{"--ui=gui", "--ui=console", "a"}, Action::Convert, Interface::Console, "a"},
      {{"--ui=console", "--", "--help"}, Action::Convert, Interface::Console, "--help"},
      {{"--"}, Action::Convert, Interface::Automatic, ""},
      {{"-h", "plate"}, Action::Help, Interface::Automatic, ""},
      {{"--ui=console", "--help"}, Action::Help, Interface::Console, ""},
      {{"--version"}, Action::Version, Interface::Automatic, ""},
      {{"--ui=tui", "plate"}, Action::Unusable, Interface::Automatic, ""},
      {{"--ui="}, Action::Unusable, Interface::Automatic, ""},
      // Anything else is a drawing, as it always was: the first argument is the drawing.
      {{"-x"}, Action::Convert, Interface::Automatic, "-x"},
      {{"--ui"}, Action::Convert, Interface::Automatic, "--ui"},
  };
  for (const Case& c : cases) {
    PosixCommandLine command = parsePosixCommandLine(c.arguments);
    std::string shown;
    for (const char* argument : c.arguments) shown.append(argument).append(" ");
    SCOPED_TRACE(shown);
    EXPECT_EQ(command.action, c.action);
    EXPECT_EQ(command.interface, c.interface);
    EXPECT_EQ(command.drawing, c.drawing);
  }
  EXPECT_EQ(parsePosixCommandLine(std::vector<const char*>{"--ui=tui"}).problem,
            "unknown interface \"tui\" (--ui=gui or --ui=console)");
}

}  // namespace
}  // namespace facetor
