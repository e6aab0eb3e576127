#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "platform/platform.h"

namespace facetor {

/// The Open and Save prompts of a console: answers are read line by line from `in` (a trailing
/// CR is dropped), questions and notes go to `out`. The title and the question of each round
/// are shown only when `interactive` (a person is typing); notes and the replace question are
/// always shown. End of input cancels wherever an answer is awaited, so nothing ever waits on
/// a closed input.
class ConsolePrompts {
 public:
  ConsolePrompts(std::istream& in, std::ostream& out, bool interactive)
      : in_(in), out_(out), interactive_(interactive) {}

  /// Open: asks until the name of an existing file is typed; a name without an extension
  /// also finds that name followed by the default extension. An empty line cancels.
  /// Save: offers `initialName`, which an empty line accepts; a typed name without an
  /// extension gets the default extension; an existing file is replaced only when the user
  /// says so. The result is the chosen path made absolute, or nothing when cancelled.
  std::optional<std::string> ask(const FilePrompt& prompt, const std::string& initialName);

 private:
  std::optional<std::string> askOpen(const FilePrompt& prompt);
  std::optional<std::string> askSave(const FilePrompt& prompt, const std::string& initialName);
  /// The next line of input without its line end; nothing at end of input.
  std::optional<std::string> readAnswer();

  std::istream& in_;
  std::ostream& out_;
  bool interactive_;
};

}  // namespace facetor
