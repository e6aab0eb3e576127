#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "platform/console_prompts.h"
#include "platform/posix_platform.h"
#ifdef FACETOR_WITH_GTK
#include "platform/gtk_dialogs.h"
#endif

namespace facetor {
namespace {

#ifndef FACETOR_WITH_GTK
/// Stands in for the dialogs in a build without them: there is never a display to open.
struct GtkDialogs {
  static std::unique_ptr<GtkDialogs> open() { return nullptr; }
  int messageBox(IconKind, const std::string&, const std::string&) { return 0; }
  std::optional<std::string> askPath(const FilePrompt&, const std::string&) { return {}; }
};
#endif

/// Messages and prompts as dialogs when there are dialogs; otherwise messages go to the
/// standard streams and the file prompts read the standard input.
class PosixPlatform : public Platform {
 public:
  explicit PosixPlatform(std::unique_ptr<GtkDialogs> dialogs) : dialogs_(std::move(dialogs)) {}

  std::string executablePath() override {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || path.empty()) return {};
    // The executable has no extension. A "." of our own marks where it would start, so the
    // settings file becomes "<path>.cfg" even when a folder name holds a dot.
    return path.string() + ".";
  }

  int messageBox(IconKind icon, const std::string& text, const std::string& caption) override {
    if (dialogs_) return dialogs_->messageBox(icon, text, caption);
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
    if (dialogs_) return dialogs_->askPath(prompt, initialName);
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
  std::unique_ptr<GtkDialogs> dialogs_;
  ConsolePrompts prompts_{std::cin, std::cerr, isatty(0) != 0};
};

}  // namespace

std::unique_ptr<Platform> makePosixPlatform(Interface interface) {
  std::unique_ptr<GtkDialogs> dialogs;
  bool wanted = interface == Interface::Dialogs ||
                (interface == Interface::Automatic && isatty(STDIN_FILENO) == 0);
  if (wanted) dialogs = GtkDialogs::open();
  if (interface == Interface::Dialogs && !dialogs) {
    std::cerr << "facetor: warning: no display can be opened; using the console\n" << std::flush;
  }
  return std::make_unique<PosixPlatform>(std::move(dialogs));
}

std::unique_ptr<Platform> makePlatform() { return makePosixPlatform(Interface::Automatic); }

}  // namespace facetor
