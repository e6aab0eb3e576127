// dxfgen: writes a DXF drawing of 3DFACEs in the layout facetor reads, for tests and timing.

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>

#include "dxf_writer.h"

namespace {

constexpr const char* kUsage =
    "usage: dxfgen [--faces N | --size BYTES] [--colors C] [--spread] [--lf] [--seed S] "
    "OUTPUT.dxf\n"
    "  --faces N     write N faces (default 1000)\n"
    "  --size BYTES  write faces until the file is about BYTES long; the suffixes k, M and G\n"
    "                multiply by 1000, 1000000 and 1000000000 (100M is 100000000 bytes)\n"
    "  --colors C    the faces take C colors in turn, 1 to C (1 to 255, default 8)\n"
    "  --spread      spread the C colors over 1 to 255 instead\n"
    "  --lf          end lines with LF instead of CR LF\n"
    "  --seed S      the seed of the coordinates (default 1)\n";

int usage(std::string_view problem) {
  if (!problem.empty()) {
    std::fprintf(stderr, "dxfgen: %.*s\n", static_cast<int>(problem.size()), problem.data());
  }
  std::fputs(kUsage, stderr);
  return 2;
}

// A whole unsigned number, with an optional suffix k, M or G when `suffixes` is set.
bool parseCount(std::string_view text, bool suffixes, std::uint64_t& out) {
  std::uint64_t value = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || ptr == text.data()) return false;
  std::string_view rest(ptr, static_cast<std::size_t>(text.data() + text.size() - ptr));
  std::uint64_t factor = 1;
  if (suffixes && rest.size() == 1) {
    switch (rest[0]) {
      case 'k':
      case 'K':
        factor = 1'000;
        break;
      case 'M':
        factor = 1'000'000;
        break;
      case 'G':
        factor = 1'000'000'000;
        break;
      default:
        return false;
    }
  } else if (!rest.empty()) {
    return false;
  }
  if (value > UINT64_MAX / factor) return false;
  out = value * factor;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  facetor::tools::DrawingOptions options;
  bool facesGiven = false;
  std::string output;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    auto value = [&](std::uint64_t& out, bool suffixes) {
      if (i + 1 == argc) return false;
      return parseCount(argv[++i], suffixes, out);
    };
    if (arg == "--faces") {
      if (!value(options.faces, false)) return usage("--faces needs a whole number");
      facesGiven = true;
    } else if (arg == "--size") {
      if (!value(options.targetBytes, true) || options.targetBytes == 0) {
        return usage("--size needs a positive number of bytes");
      }
    } else if (arg == "--colors") {
      std::uint64_t colors = 0;
      if (!value(colors, false) || colors < 1 || colors > 255) {
        return usage("--colors needs a number from 1 to 255");
      }
      options.colors = static_cast<std::int32_t>(colors);
    } else if (arg == "--spread") {
      options.spreadColors = true;
    } else if (arg == "--lf") {
      options.crlf = false;
    } else if (arg == "--seed") {
      if (!value(options.seed, false)) return usage("--seed needs a whole number");
    } else if (arg == "-h" || arg == "--help") {
      usage("");
      return 0;
    } else if (arg.starts_with("-") && arg != "-") {
      return usage("unknown option " + std::string(arg));
    } else if (output.empty()) {
      output = arg;
    } else {
      return usage("more than one output file");
    }
  }
  if (output.empty()) return usage("no output file");
  if (facesGiven && options.targetBytes != 0) return usage("--faces and --size exclude each other");

  std::FILE* file = output == "-" ? stdout : std::fopen(output.c_str(), "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "dxfgen: cannot write %s\n", output.c_str());
    return 1;
  }
  facetor::tools::DrawingSummary summary = facetor::tools::writeDrawing(file, options);
  bool ok = summary.ok && std::fflush(file) == 0;
  if (file != stdout) ok = std::fclose(file) == 0 && ok;
  if (!ok) {
    std::fprintf(stderr, "dxfgen: writing %s failed\n", output.c_str());
    return 1;
  }
  std::fprintf(file == stdout ? stderr : stdout,
               "dxfgen: %llu faces, %d colors, %llu bytes, %s line ends -> %s\n",
               static_cast<unsigned long long>(summary.faces), summary.colors,
               static_cast<unsigned long long>(summary.bytes), options.crlf ? "CR LF" : "LF",
               output.c_str());
  return 0;
}
