// What the benchmarks share: a silent platform, option parsing, timing, memory and drawings.

#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "../tools/dxf_writer.h"
#include "platform/platform.h"

namespace facetor::bench {

using Clock = std::chrono::steady_clock;

/// A platform that answers no prompt and prints every message box but the completion report.
class QuietPlatform : public Platform {
 public:
  explicit QuietPlatform(std::string modulePath = {}) : modulePath_(std::move(modulePath)) {}

  std::string executablePath() override { return modulePath_; }
  int messageBox(IconKind icon, const std::string& text, const std::string&) override {
    if (icon != IconKind::Information) std::fprintf(stderr, "message: %s\n", text.c_str());
    return kIdOk;
  }
  std::optional<std::string> askPath(const FilePrompt&, const std::string&) override {
    return std::nullopt;
  }
  std::int64_t calendarSeconds() override { return 0; }
  LocalTime localTime() override { return {2024, 1, 1, 0, 0, 0}; }
  bool caseSensitivePaths() const override { return true; }
  void setThreadLocale() override {}

 private:
  std::string modulePath_;
};

/// A count with an optional suffix k, M or G (powers of 1000).
inline bool parseNumber(std::string_view text, std::uint64_t& out) {
  std::uint64_t value = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || ptr == text.data()) return false;
  std::string_view rest(ptr, static_cast<std::size_t>(text.data() + text.size() - ptr));
  std::uint64_t factor = 1;
  if (rest == "k" || rest == "K") {
    factor = 1'000;
  } else if (rest == "M") {
    factor = 1'000'000;
  } else if (rest == "G") {
    factor = 1'000'000'000;
  } else if (!rest.empty()) {
    return false;
  }
  if (value > UINT64_MAX / factor) return false;
  out = value * factor;
  return true;
}

inline long peakRssKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // KiB on Linux
}

/// Best and median of a set of timings.
struct Timing {
  double best = 0;
  double median = 0;
};

/// Runs `pass` once to warm up and then `repeat` times; returns the timings and leaves the last
/// result of the pass in `result`.
template <class Pass, class Result>
Timing timeRepeated(int repeat, Pass&& pass, Result& result) {
  result = pass();
  std::vector<double> seconds;
  for (int i = 0; i < repeat; ++i) {
    auto start = Clock::now();
    result = pass();
    seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  std::sort(seconds.begin(), seconds.end());
  return {seconds.front(), seconds[seconds.size() / 2]};
}

/// Writes a generated drawing to `path`; prints what was written. False when it failed.
inline bool generateDrawing(const std::string& path, const tools::DrawingOptions& options,
                            const char* program) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  auto start = Clock::now();
  tools::DrawingSummary summary{};
  if (file != nullptr) summary = tools::writeDrawing(file, options);
  bool ok = file != nullptr && summary.ok && std::fclose(file) == 0;
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write %s\n", program, path.c_str());
    std::remove(path.c_str());
    return false;
  }
  std::printf("generated %s: %llu bytes, %llu faces, %d colors, %s line ends, %.2f s\n",
              path.c_str(), static_cast<unsigned long long>(summary.bytes),
              static_cast<unsigned long long>(summary.faces), summary.colors,
              options.crlf ? "CR LF" : "LF",
              std::chrono::duration<double>(Clock::now() - start).count());
  return true;
}

}  // namespace facetor::bench
