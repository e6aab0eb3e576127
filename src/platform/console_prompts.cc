#include "platform/console_prompts.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace facetor {
namespace {

namespace fs = std::filesystem;

bool isFile(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error) && !fs::is_directory(path, error);
}

bool hasExtension(const std::string& name) { return fs::path(name).filename().has_extension(); }

std::string absoluteOf(const std::string& name) {
  std::error_code error;
  fs::path absolute = fs::absolute(name, error);
  return error ? name : absolute.lexically_normal().string();
}

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
    if (isFile(*name)) return absoluteOf(*name);
    // Like a file dialog with a default extension: "plate" finds "plate.dxf".
    if (!hasExtension(*name)) {
      std::string withExtension = *name + prompt.defaultExtension;
      if (isFile(withExtension)) return absoluteOf(withExtension);
    }
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
    } else if (!hasExtension(*name)) {
      *name += prompt.defaultExtension;
    }
    std::string path = absoluteOf(*name);
    std::error_code error;
    if (!fs::exists(path, error)) return path;

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
