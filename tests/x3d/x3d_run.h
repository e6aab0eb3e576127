#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "documents.h"
#include "fake_platform.h"
#include "run/run_state.h"
#include "temp_dir.h"

namespace facetor::testing {

/// A run record with its output open in a temporary directory, for the stages that write the
/// document.
struct X3dRun {
  X3dRun() {
    run.x3dPath = dir.file("out.x3d");
    EXPECT_TRUE(run.x3dFile.open(run.x3dPath));
  }

  /// Opens `text` as the run's DXF.
  void drawing(std::string_view text) {
    run.dxfPath = dir.file("in.dxf");
    writeFile(run.dxfPath, text);
    EXPECT_TRUE(run.dxfFile.open(run.dxfPath));
  }

  /// Puts `colors` (ascending) into the color table with a material each.
  void colors(std::initializer_list<std::int32_t> colors) {
    run.colorCount = 0;
    for (std::int32_t color : colors) {
      ColorRecord& record = run.colorTable[static_cast<std::size_t>(run.colorCount++)];
      record.color = color;
      record.material = "diffuseColor='1 1 1'";
    }
  }

  /// Closes the output if it is still open and returns its lines.
  std::vector<std::string> lines() {
    if (run.x3dFile.isOpen()) {
      EXPECT_TRUE(run.x3dFile.close());
    }
    return documentLines(readFile(run.x3dPath));
  }

  TempDir dir;
  FakePlatform platform;
  RunState run{platform};
};

}  // namespace facetor::testing
