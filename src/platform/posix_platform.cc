#include <ctime>
#include <iostream>

#include "platform/platform.h"

namespace facetor {
namespace {

class PosixPlatform : public Platform {
 public:
  std::string executablePath() override { return {}; }
  int messageBox(IconKind, const std::string& text, const std::string&) override {
    std::cerr << text << '\n';
    return kIdOk;
  }
  std::optional<std::string> askPath(const FilePrompt&, const std::string&) override {
    return std::nullopt;
  }
  std::int64_t calendarSeconds() override { return std::time(nullptr); }
  LocalTime localTime() override { return {}; }
  bool caseSensitivePaths() const override { return true; }
  void setThreadLocale() override {}
};

}  // namespace

std::unique_ptr<Platform> makePlatform() { return std::make_unique<PosixPlatform>(); }

}  // namespace facetor
