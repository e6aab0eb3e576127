#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "platform/console_prompts.h"
#include "platform/platform.h"

namespace facetor {
namespace {

/// The console platform: messages go to the standard streams, the file prompts read the
/// standard input.
class PosixPlatform : public Platform {
 public:
  std::string executablePath() override {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || path.empty()) return {};
    // The executable has no extension. A "." of our own marks where it would start, so the
    // settings file becomes "<path>.cfg" even when a folder name holds a dot.
    return path.string() + ".";
  }

  int messageBox(IconKind icon, const std::string& text, const std::string&) override {
    switch (icon) {
      case IconKind::Error:
        std::cerr << "facetor: error: " << text << '\n' << std::flush;
        break;
      case IconKind::Warning:
        std::cerr << "facetor: warning: " << text << '\n' << std::flush;
        break;
      case IconKind::Information:
        std::cout << text << '\n' << std::flush;
        break;
    }
    return kIdOk;
  }

  std::optional<std::string> askPath(const FilePrompt& prompt,
                                     const std::string& initialName) override {
    return prompts_.ask(prompt, initialName);
  }

  std::int64_t calendarSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }

  LocalTime localTime() override {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return {1970, 1, 1, 0, 0, 0};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
  }

  bool caseSensitivePaths() const override { return true; }
  void setThreadLocale() override {}

 private:
  ConsolePrompts prompts_{std::cin, std::cerr, isatty(0) != 0};
};

}  // namespace

std::unique_ptr<Platform> makePlatform() { return std::make_unique<PosixPlatform>(); }

}  // namespace facetor
