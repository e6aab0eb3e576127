#pragma once

#include <cstdint>
#include <string>

#include "dxf/line_reader.h"
#include "dxf/scanner.h"
#include "materials/color_table.h"
#include "materials/pseudo_random.h"
#include "platform/platform.h"
#include "x3d/output_file.h"

namespace facetor {

/// The one record of a run, shared by every stage for the run's whole length.
struct RunState {
  explicit RunState(Platform& runPlatform) : platform(runPlatform) {}

  Platform& platform;

  // Paths. No length limit: a path is as long as the platform allows.
  std::string modulePath;        // the executable's full path; cut while deriving settingsPath
  std::string settingsPath;      // the settings file
  std::string dxfPath;           // the input; once derived it ends in ".dxf" (or ".DXF")
  std::string x3dPath;           // the output
  bool inputFromDialog = false;  // dxfPath came from the Open prompt, so the Save prompt asks

  // The settings file while it is open; lines are kept whole.
  LineReader settingsFile{LineReader::kWholeLines};
  // The DXF input with the state of the current scan: the line last read, the entity name,
  // the group code, the face being read (with its color) and the line number.
  DxfScanner dxfFile;
  // The X3D output while it is open.
  OutputFile x3dFile;

  std::int32_t colorCount = 0;    // entries of colorList in use
  // Triangle counters are 64-bit: a drawing of more than 2^31 triangles must not wrap them.
  std::int64_t faceCount = 0;     // triangles counted in the current color pass
  std::int64_t polygonTotal = 0;  // triangles written over all colors
  std::int32_t heightExtent = 0;  // integer part of the largest z written, or 0

  // Settings switches.
  bool scaleBoxOn = true;
  bool rotationOn = true;
  bool headerSeen = false;
  bool settingsAvailable = false;

  ColorList colorList{};
  ColorTable colorTable{};
  PseudoRandom random;
};

}  // namespace facetor
