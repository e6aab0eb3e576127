#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace facetor::testing {

/// A platform for tests: prompts answer from a script, the clock is fixed, and every message
/// box is kept with its icon kind, text and caption.
class FakePlatform : public Platform {
 public:
  struct Box {
    IconKind icon;
    std::string text;
    std::string caption;
  };
  struct Prompt {
    FilePrompt prompt;
    std::string initialName;
  };

  std::string executablePath() override { return modulePath; }

  int messageBox(IconKind icon, const std::string& text, const std::string& caption) override {
    boxes.push_back({icon, text, caption});
    return kIdOk;
  }

  std::optional<std::string> askPath(const FilePrompt& prompt,
                                     const std::string& initialName) override {
    prompts.push_back({prompt, initialName});
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::int64_t calendarSeconds() override { return seconds; }
  LocalTime localTime() override { return time; }
  bool caseSensitivePaths() const override { return caseSensitive; }
  void setThreadLocale() override { ++localeCalls; }

  // The script and the record.
  std::string modulePath = "facetor.exe";
  std::deque<std::optional<std::string>> answers;  // nullopt: the user cancels
  std::int64_t seconds = 1718446530;               // 2024-06-15 10:15:30 UTC
  LocalTime time{2024, 6, 15, 10, 15, 30};
  bool caseSensitive = true;
  int localeCalls = 0;
  std::vector<Box> boxes;
  std::vector<Prompt> prompts;
};

}  // namespace facetor::testing
