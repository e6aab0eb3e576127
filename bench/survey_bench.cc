// survey_bench: times the color survey on a large drawing, with the passes under it (reading
// the file, splitting it into lines, one output pass) to show where the time goes.
//
//   survey_bench [--size BYTES] [--colors C] [--lf] [--repeat N] [DRAWING.dxf]
//
// Without a drawing one of about BYTES (default 100M) is generated in /tmp and deleted at the
// end. Every pass runs once to warm the page cache and then N times (default 5).

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "bench_support.h"
#include "dxf/line_reader.h"
#include "dxf/scanner.h"
#include "dxf/survey.h"
#include "platform/platform.h"
#include "run/run_state.h"

namespace {

using facetor::bench::Clock;
using facetor::bench::parseNumber;
using facetor::bench::peakRssKiB;

struct Options {
  std::uint64_t size = 100'000'000;
  std::int32_t colors = 8;
  bool crlf = true;
  int repeat = 5;
  std::string path;  // empty: generate one
};

int usage(const char* problem) {
  std::fprintf(stderr,
               "survey_bench: %s\n"
               "usage: survey_bench [--size BYTES] [--colors C] [--lf] [--repeat N] "
               "[DRAWING.dxf]\n"
               "  BYTES takes the suffixes k, M and G (powers of 1000); default 100M\n",
               problem);
  return 2;
}

/// Runs `pass` once to warm up and then `repeat` times; prints min and median with the
/// throughput, and returns the last result of the pass.
template <class Pass>
auto timePass(const char* name, int repeat, std::uint64_t bytes, Pass&& pass) {
  decltype(pass()) result{};
  facetor::bench::Timing timing = facetor::bench::timeRepeated(repeat, pass, result);
  std::printf("%-22s min %8.2f ms  median %8.2f ms  %6.2f GB/s (median %.2f GB/s)\n", name,
              timing.best * 1e3, timing.median * 1e3,
              static_cast<double>(bytes) / timing.best / 1e9,
              static_cast<double>(bytes) / timing.median / 1e9);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::uint64_t number = 0;
    bool hasValue = i + 1 < argc;
    if (arg == "--size") {
      if (!hasValue || !parseNumber(argv[++i], number) || number == 0) {
        return usage("--size needs a positive number of bytes");
      }
      options.size = number;
    } else if (arg == "--colors") {
      if (!hasValue || !parseNumber(argv[++i], number) || number < 1 || number > 255) {
        return usage("--colors needs a number from 1 to 255");
      }
      options.colors = static_cast<std::int32_t>(number);
    } else if (arg == "--repeat") {
      if (!hasValue || !parseNumber(argv[++i], number) || number < 1 || number > 1000) {
        return usage("--repeat needs a number from 1 to 1000");
      }
      options.repeat = static_cast<int>(number);
    } else if (arg == "--lf") {
      options.crlf = false;
    } else if (arg.starts_with("-")) {
      return usage("unknown option");
    } else if (options.path.empty()) {
      options.path = arg;
    } else {
      return usage("more than one drawing");
    }
  }

  bool generated = options.path.empty();
  if (generated) {
    char name[] = "/tmp/survey_bench_XXXXXX.dxf";
    int fd = mkstemps(name, 4);
    if (fd < 0) {
      std::perror("survey_bench: mkstemps");
      return 1;
    }
    close(fd);
    options.path = name;
    facetor::tools::DrawingOptions drawing;
    drawing.targetBytes = options.size;
    drawing.colors = options.colors;
    drawing.crlf = options.crlf;
    if (!facetor::bench::generateDrawing(options.path, drawing, "survey_bench")) return 1;
  }

  std::error_code error;
  std::uint64_t bytes = std::filesystem::file_size(options.path, error);
  if (error) {
    std::fprintf(stderr, "survey_bench: cannot read %s\n", options.path.c_str());
    return 1;
  }
  std::printf("drawing %s: %llu bytes, %d repeats after one warm-up\n", options.path.c_str(),
              static_cast<unsigned long long>(bytes), options.repeat);
  long rssBefore = peakRssKiB();

  // The floor: the bytes alone, through the same block size as the line reader.
  timePass("read blocks", options.repeat, bytes, [&] {
    std::FILE* file = std::fopen(options.path.c_str(), "rb");
    std::uint64_t total = 0;
    if (file == nullptr) return total;
    std::unique_ptr<char[]> block(new char[facetor::LineReader::kDefaultBlockSize]);
    while (std::size_t got =
               std::fread(block.get(), 1, facetor::LineReader::kDefaultBlockSize, file)) {
      total += got;
    }
    std::fclose(file);
    return total;
  });

  std::int32_t lines = timePass("lines (LineReader)", options.repeat, bytes, [&] {
    facetor::LineReader reader(facetor::DxfScanner::kLineChars);
    reader.open(options.path);
    std::uint64_t characters = 0;
    while (!reader.atFileEnd()) {
      reader.readLine();
      characters += reader.line().size();
    }
    if (characters == 0) std::puts("no characters");
    return reader.lineNo();
  });

  facetor::bench::QuietPlatform platform;
  std::vector<std::int32_t> colors = timePass("survey (surveyColors)", options.repeat, bytes, [&] {
    auto run = std::make_unique<facetor::RunState>(platform);
    run->dxfPath = options.path;
    std::vector<std::int32_t> found;
    if (!run->dxfFile.open(options.path)) return found;
    run->dxfFile.setFaceColor(-1);
    if (!facetor::surveyColors(*run)) return found;
    found.assign(run->colorList.begin(), run->colorList.begin() + run->colorCount);
    return found;
  });
  if (colors.empty()) {
    std::fprintf(stderr, "survey_bench: the survey failed\n");
    if (generated) std::remove(options.path.c_str());
    return 1;
  }

  std::int32_t color = colors.front();
  char passName[40];
  std::snprintf(passName, sizeof passName, "scanColor(%d)", color);
  std::int64_t faces = timePass(passName, options.repeat, bytes, [&] {
    facetor::DxfScanner scanner;
    scanner.open(options.path);
    std::int64_t count = 0;
    facetor::ScanResult result =
        scanner.scanColor(color, [&](const facetor::FaceRecord&) { ++count; });
    return result == facetor::ScanResult::Ended ? count : -1;
  });

  std::printf("lines %d, colors %zu:", lines, colors.size());
  for (std::int32_t c : colors) std::printf(" %d", c);
  std::printf("\nfaces of color %d: %lld\n", color, static_cast<long long>(faces));
  std::printf("peak RSS %ld KiB (%ld KiB before the passes)\n", peakRssKiB(), rssBefore);

  if (generated) std::remove(options.path.c_str());
  return 0;
}
