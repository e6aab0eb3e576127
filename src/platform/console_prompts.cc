#include "platform/console_prompts.h"

#include <cctype>

#include "platform/file_names.h"

namespace facetor {
namespace {

bool isYes(std::string answer) {
  for (char& c : answer) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return answer == "y" || answer == "yes";
}

}  // namespace

std::optional<std::string> ConsolePrompts::ask(const FilePrompt& prompt,
                                               const std::string& initialName) {
  if (interactive_) out_ << prompt.title << '\n';
  return prompt.kind == PromptKind::Open ? askOpen(prompt) : askSave(prompt, initialName);
}

std::optional<std::string> ConsolePrompts::askOpen(const FilePrompt& prompt) {
  for (;;) {
    if (interactive_) out_ << "File to open (empty line cancels): " << std::flush;
    std::optional<std::string> name = readAnswer();
    if (!name || name->empty()) return std::nullopt;
    if (auto found = existingFileFor(*name, prompt.defaultExtension)) return found;
    out_ << "No such file: " << *name << '\n' << std::flush;
  }
}

std::optional<std::string> ConsolePrompts::askSave(const FilePrompt& prompt,
                                                   const std::string& initialName) {
  for (;;) {
    if (interactive_) {
      out_ << "File to write [" << initialName << "] (empty line keeps it): " << std::flush;
    }
    std::optional<std::string> name = readAnswer();
    if (!name) return std::nullopt;
    if (name->empty()) {
      if (initialName.empty()) continue;
      *name = initialName;
    } else {
      *name = withDefaultExtension(*name, prompt.defaultExtension);
    }
    std::string path = absolutePath(*name);
    if (!pathTaken(path)) return path;

    out_ << path << " already exists. Replace it? [y/N]" << (interactive_ ? " " : "\n")
         << std::flush;
    std::optional<std::string> reply = readAnswer();
    if (!reply) return std::nullopt;
    if (isYes(*reply)) return path;
  }
}

std::optional<std::string> ConsolePrompts::readAnswer() {
  std::string line;
  if (!std::getline(in_, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace facetor
