// Arbitrary bytes as a DXF file: the color survey, then one output scan per color found, as a
// conversion makes them; and the line reader with small blocks against a plain line splitter.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/line_reader.h"
#include "dxf/scanner.h"
#include "dxf/survey.h"
#include "fake_platform.h"
#include "run/run_state.h"
#include "scratch_dir.h"

namespace {

using facetor::DxfScanner;
using facetor::FaceRecord;
using facetor::IconKind;
using facetor::LineReader;
using facetor::RunState;
using facetor::ScanResult;
using facetor::fuzzing::ScratchDir;
using facetor::fuzzing::writeBytes;
using facetor::testing::FakePlatform;

bool finite(const FaceRecord& face) {
  for (std::size_t i = 0; i < 4; ++i) {
    if (!std::isfinite(face.x[i]) || !std::isfinite(face.y[i]) || !std::isfinite(face.z[i])) {
      return false;
    }
  }
  return true;
}

// The survey and the output scans over `path`, as a conversion runs them.
void surveyAndScan(const std::string& path) {
  // One record for every input, as a fresh one per input costs more than the scans: its
  // readers' blocks are large allocations, which the sanitizer maps and unmaps each time.
  // Everything the survey reads is set again below or by open().
  static FakePlatform platform;
  static RunState run(platform);
  platform.boxes.clear();
  run.dxfPath = path;
  run.colorCount = 0;
  run.dxfFile.setFaceColor(-1);
  FACETOR_FUZZ_CHECK(run.dxfFile.open(path));
  if (!facetor::surveyColors(run)) {
    // One message, and the drawing is closed.
    FACETOR_FUZZ_CHECK(platform.boxes.size() == 1);
    FACETOR_FUZZ_CHECK(platform.boxes[0].icon == IconKind::Error);
    FACETOR_FUZZ_CHECK(!run.dxfFile.isOpen());
    return;
  }
  FACETOR_FUZZ_CHECK(platform.boxes.empty());
  FACETOR_FUZZ_CHECK(run.colorCount >= 1 &&
                     run.colorCount <= static_cast<std::int32_t>(facetor::kMaxColors));
  const auto used = run.colorList.begin() + run.colorCount;
  FACETOR_FUZZ_CHECK(std::adjacent_find(run.colorList.begin(), used,
                                        [](std::int32_t a, std::int32_t b) { return a >= b; }) ==
                     used);
  FACETOR_FUZZ_CHECK(run.colorList[static_cast<std::size_t>(run.colorCount - 1)] <= 255);

  DxfScanner& dxf = run.dxfFile;
  for (auto color = run.colorList.begin(); color != used; ++color) {
    // Two scans per color, as the index pass and the point pass make them.
    std::int64_t counts[2] = {0, 0};
    ScanResult results[2] = {};
    for (int pass = 0; pass < 2; ++pass) {
      dxf.restart();
      dxf.setFaceColor(-1);
      results[pass] = dxf.scanColor(*color, [&](const FaceRecord& face) {
        FACETOR_FUZZ_CHECK(face.color == *color);
        FACETOR_FUZZ_CHECK(finite(face));
        ++counts[pass];
      });
      FACETOR_FUZZ_CHECK(dxf.lineNo() >= 1);
    }
    // The file does not change between passes, so both see the same faces.
    FACETOR_FUZZ_CHECK(results[0] == results[1]);
    FACETOR_FUZZ_CHECK(counts[0] == counts[1]);
  }
}

// The lines of `bytes` as a reader must deliver them: split at LF, one CR before it dropped,
// `maxKept` characters kept; a last line without LF counts when it has any character.
std::vector<std::string_view> expectedLines(std::string_view bytes, std::size_t maxKept) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line.substr(0, std::min(line.size(), maxKept)));
  }
  return lines;
}

// Block sizes small enough that fuzz inputs cross blocks, chunks and both read paths.
void readLinesInSmallBlocks(const std::string& path, std::string_view bytes, unsigned selector) {
  static constexpr std::size_t kBlockSizes[] = {1, 2, 3, 17, 63, 64, 65, 130};
  static constexpr std::size_t kKept[] = {0, 1, 4, 255, LineReader::kWholeLines};
  const std::size_t blockSize = kBlockSizes[selector % std::size(kBlockSizes)];
  const std::size_t maxKept = kKept[(selector / std::size(kBlockSizes)) % std::size(kKept)];
  const std::vector<std::string_view> expected = expectedLines(bytes, maxKept);

  LineReader reader(maxKept, blockSize);
  FACETOR_FUZZ_CHECK(reader.open(path));
  for (int round = 0; round < 2; ++round) {  // the second round after restart()
    for (std::size_t i = 0; i < expected.size(); ++i) {
      FACETOR_FUZZ_CHECK(reader.readLine());
      FACETOR_FUZZ_CHECK(reader.line() == expected[i]);
      FACETOR_FUZZ_CHECK(reader.lineNo() == static_cast<std::int32_t>(i + 1));
    }
    const std::string_view last = expected.empty() ? std::string_view() : expected.back();
    FACETOR_FUZZ_CHECK(!reader.readLine());
    FACETOR_FUZZ_CHECK(reader.atFileEnd());
    FACETOR_FUZZ_CHECK(reader.line() == last);  // a read that delivers nothing keeps the line
    reader.restart();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = ScratchDir::get().file("drawing.dxf");
  writeBytes(path, bytes);
  surveyAndScan(path);
  readLinesInSmallBlocks(path, bytes, size == 0 ? 0u : data[size - 1]);
  return 0;
}
