// A whole conversion through the recording fake platform. The input holds the drawing and,
// after the first separator line, the settings file; without a separator the run creates the
// default settings file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "fake_platform.h"
#include "run/run_conversion.h"
#include "scratch_dir.h"

namespace {

using facetor::IconKind;
using facetor::fuzzing::readBytes;
using facetor::fuzzing::ScratchDir;
using facetor::fuzzing::writeBytes;
using facetor::testing::FakePlatform;

constexpr std::string_view kSeparator = "\n#facetor-settings#\n";
constexpr std::string_view kDocumentEnd = "</X3D>\r\n<!-- ";
constexpr std::string_view kSummaryEnd = " polygons. -->\r\n";

bool endsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::set<std::string> filesIn(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t separator = bytes.find(kSeparator);
  const std::string_view drawing = bytes.substr(0, separator);
  const ScratchDir& dir = ScratchDir::get();
  dir.clear();
  const std::string dxfPath = dir.file("in.dxf");
  const std::string settingsPath = dir.file("facetor.cfg");
  writeBytes(dxfPath, drawing);
  std::string settings;
  if (separator != std::string_view::npos) {
    settings = bytes.substr(separator + kSeparator.size());
    writeBytes(settingsPath, settings);
  }

  FakePlatform platform;
  platform.modulePath = dir.file("facetor.exe");
  const int status = facetor::runConversion(platform, dxfPath);

  // Exactly one message: the completion report, or the failure.
  FACETOR_FUZZ_CHECK(status == 0 || status == -1);
  FACETOR_FUZZ_CHECK(platform.boxes.size() == 1);
  FACETOR_FUZZ_CHECK(platform.boxes[0].icon ==
                     (status == 0 ? IconKind::Information : IconKind::Error));
  FACETOR_FUZZ_CHECK(platform.prompts.empty());

  // The drawing and an existing settings file are only read; nothing else appears but the
  // document (also a failed one, when the failure came while it was written).
  FACETOR_FUZZ_CHECK(readBytes(dxfPath) == drawing);
  if (separator != std::string_view::npos) FACETOR_FUZZ_CHECK(readBytes(settingsPath) == settings);
  std::set<std::string> names = filesIn(dir.path());
  names.erase("in.x3d");
  FACETOR_FUZZ_CHECK((names == std::set<std::string>{"in.dxf", "facetor.cfg"}));

  if (status == 0) {
    const std::string document = readBytes(dir.file("in.x3d"));
    FACETOR_FUZZ_CHECK(document.find(kDocumentEnd) != std::string::npos);
    FACETOR_FUZZ_CHECK(endsWith(document, kSummaryEnd));
  }
  return 0;
}
