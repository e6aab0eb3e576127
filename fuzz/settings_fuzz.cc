// Arbitrary bytes as the settings file beside the executable: opened and read as a run does,
// for a drawing that uses the built-in colors and a few others.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fake_platform.h"
#include "materials/color_table.h"
#include "run/run_state.h"
#include "scratch_dir.h"
#include "settings/settings.h"

namespace {

using facetor::RunState;
using facetor::fuzzing::readBytes;
using facetor::fuzzing::ScratchDir;
using facetor::fuzzing::writeBytes;
using facetor::testing::FakePlatform;

constexpr std::int32_t kColors[] = {-1, 0, 1, 2, 5, 7, 12, 13, 100, 254, 255};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ScratchDir& dir = ScratchDir::get();
  const std::string settingsPath = dir.file("facetor.cfg");
  writeBytes(settingsPath, bytes);

  // One record for every input, as a fresh one per input costs more than the reading: its
  // readers' blocks are large allocations, which the sanitizer maps and unmaps each time.
  // Everything the settings stages read is set again here.
  static FakePlatform platform;
  static RunState run(platform);
  platform.boxes.clear();
  platform.modulePath = dir.file("facetor.exe");
  run.modulePath = platform.modulePath;
  run.colorCount = 0;
  for (std::int32_t color : kColors)
    run.colorList[static_cast<std::size_t>(run.colorCount++)] = color;
  run.random.seed(1);
  facetor::buildMaterials(run.colorTable, run.colorList, run.colorCount, run.random);

  facetor::openSettings(run);
  FACETOR_FUZZ_CHECK(run.settingsPath == settingsPath);
  FACETOR_FUZZ_CHECK(run.settingsAvailable);
  FACETOR_FUZZ_CHECK(platform.boxes.empty());
  facetor::readSettings(run);
  FACETOR_FUZZ_CHECK(!run.settingsFile.isOpen());

  // The table keeps its colors in their slots, and a material never holds a line end or the
  // comment that followed it.
  for (std::int32_t slot = 0; slot < run.colorCount; ++slot) {
    const facetor::ColorRecord& record = run.colorTable[static_cast<std::size_t>(slot)];
    FACETOR_FUZZ_CHECK(record.color == kColors[slot]);
    FACETOR_FUZZ_CHECK(record.material.find_first_of("\n#") == std::string::npos);
  }
  // A settings file is only ever read.
  FACETOR_FUZZ_CHECK(readBytes(settingsPath) == bytes);
  return 0;
}
