// convert_bench: times whole conversions of generated drawings, as the program runs them: the
// settings file, the survey, the materials, and two passes per color writing the document.
//
//   convert_bench [--size BYTES --colors C] [--spread] [--lf] [--repeat N]
//
// Without --size and --colors it runs the two standard cases: 100 MB with 8 colors and 10 MB
// with 64 colors. Each drawing is generated in a fresh folder under /tmp, converted once to
// warm the page cache and then N times (default 3), and removed at the end. Throughput counts
// every read of the drawing: (1 + 2 C) x size / time.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "bench_support.h"
#include "run/run_conversion.h"

namespace {

using facetor::bench::parseNumber;

struct Case {
  std::uint64_t size;
  std::int32_t colors;
};

int usage(const char* problem) {
  std::fprintf(stderr,
               "convert_bench: %s\n"
               "usage: convert_bench [--size BYTES --colors C] [--spread] [--lf] [--repeat N]\n"
               "  BYTES takes the suffixes k, M and G (powers of 1000)\n",
               problem);
  return 2;
}

bool runCase(const Case& c, bool spread, bool crlf, int repeat) {
  char pattern[] = "/tmp/convert_bench_XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    std::perror("convert_bench: mkdtemp");
    return false;
  }
  const std::filesystem::path folder = pattern;
  const std::string drawing = (folder / "drawing.dxf").string();
  facetor::tools::DrawingOptions options;
  options.targetBytes = c.size;
  options.colors = c.colors;
  options.spreadColors = spread;
  options.crlf = crlf;
  bool ok = facetor::bench::generateDrawing(drawing, options, "convert_bench");

  if (ok) {
    facetor::bench::QuietPlatform platform((folder / "facetor.exe").string());
    int status = -1;
    facetor::bench::Timing timing = facetor::bench::timeRepeated(
        repeat, [&] { return facetor::runConversion(platform, drawing); }, status);
    ok = status == 0;
    std::error_code error;
    const auto input = std::filesystem::file_size(drawing, error);
    const auto output = std::filesystem::file_size(folder / "drawing.x3d", error);
    const double reads = static_cast<double>(input) * (1 + 2 * c.colors);
    std::printf(
        "%d colors, %.1f MB in, %.1f MB out: min %.3f s, median %.3f s; "
        "%.2f GB/s over %d reads (median %.2f GB/s); peak RSS %ld KiB%s\n",
        c.colors, static_cast<double>(input) / 1e6, static_cast<double>(output) / 1e6,
        timing.best, timing.median, reads / timing.best / 1e9, 1 + 2 * c.colors,
        reads / timing.median / 1e9, facetor::bench::peakRssKiB(),
        ok ? "" : "  (the conversion FAILED)");
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Case> cases;
  std::uint64_t size = 0;
  std::uint64_t colors = 0;
  bool spread = false;
  bool crlf = true;
  int repeat = 3;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::uint64_t number = 0;
    bool hasValue = i + 1 < argc;
    if (arg == "--size") {
      if (!hasValue || !parseNumber(argv[++i], size) || size == 0) {
        return usage("--size needs a positive number of bytes");
      }
    } else if (arg == "--colors") {
      if (!hasValue || !parseNumber(argv[++i], colors) || colors < 1 || colors > 255) {
        return usage("--colors needs a number from 1 to 255");
      }
    } else if (arg == "--repeat") {
      if (!hasValue || !parseNumber(argv[++i], number) || number < 1 || number > 100) {
        return usage("--repeat needs a number from 1 to 100");
      }
      repeat = static_cast<int>(number);
    } else if (arg == "--spread") {
      spread = true;
    } else if (arg == "--lf") {
      crlf = false;
    } else {
      return usage("unknown argument");
    }
  }
  if ((size == 0) != (colors == 0)) return usage("--size and --colors go together");
  if (size != 0) {
    cases.push_back({size, static_cast<std::int32_t>(colors)});
  } else {
    cases = {{100'000'000, 8}, {10'000'000, 64}};
  }

  bool ok = true;
  for (const Case& c : cases) ok = runCase(c, spread, crlf, repeat) && ok;
  return ok ? 0 : 1;
}
