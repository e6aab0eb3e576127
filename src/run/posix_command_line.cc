#include "run/posix_command_line.h"

namespace facetor {

PosixCommandLine parsePosixCommandLine(std::span<const char* const> arguments) {
  PosixCommandLine command;
  using Action = PosixCommandLine::Action;
  constexpr std::string_view kUi = "--ui=";
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view argument = arguments[i];
    if (argument == "-h" || argument == "--help") {
      command.action = Action::Help;
      return command;
    }
    if (argument == "--version") {
      command.action = Action::Version;
      return command;
    }
    if (argument.starts_with(kUi)) {
      std::string_view choice = argument.substr(kUi.size());
      if (choice == "gui") {
        command.interface = Interface::Dialogs;
      } else if (choice == "console") {
        command.interface = Interface::Console;
      } else {
        command.action = Action::Unusable;
        command.problem = "unknown interface \"" + std::string(choice) +
                          "\" (--ui=gui or --ui=console)";
        return command;
      }
      continue;
    }
    if (argument == "--") {
      if (i + 1 < arguments.size()) command.drawing = arguments[i + 1];
      return command;
    }
    command.drawing = argument;
    return command;
  }
  return command;
}

}  // namespace facetor
