#include "dxf/survey.h"

#include <algorithm>

#include "run/report.h"

namespace facetor {
namespace {

// Adds `color` to the list unless it is there already. False when the list is full.
bool addColor(RunState& run, std::int32_t color) {
  auto used = run.colorList.begin() + run.colorCount;
  if (std::find(run.colorList.begin(), used, color) != used) return true;
  if (run.colorCount == static_cast<std::int32_t>(kMaxColors)) return false;
  *used = color;
  ++run.colorCount;
  return true;
}

bool fail(RunState& run, std::string_view text1, std::string_view text2, std::int32_t number,
          std::string_view lineText) {
  showReport(run.platform, IconKind::Error, text1, text2, number, run.dxfPath, lineText,
             run.dxfFile.lineNo());
  run.dxfFile.close();
  return false;
}

}  // namespace

bool surveyColors(RunState& run) {
  DxfScanner& dxf = run.dxfFile;
  run.colorCount = 0;
  bool faceSeen = false;
  for (;;) {
    if (dxf.nextEntity() == EntityScan::FaceStart) {
      faceSeen = true;
      if (!dxf.readFaceHeader()) {
        return fail(run, msg::kWrongColorCode, msg::kShouldBe62, dxf.groupCode(), msg::kLine);
      }
      if (dxf.faceColor() > 255) {
        return fail(run, msg::kColorAbove255, "", dxf.faceColor(), msg::kLine);
      }
      if (!addColor(run, dxf.faceColor())) {
        return fail(run, msg::kTooManyColors, "", static_cast<std::int32_t>(kMaxColors) + 1,
                    msg::kLine);
      }
      dxf.setFaceColor(-1);
    }
    if (dxf.endReached()) {
      if (faceSeen) break;
      return fail(run, msg::kNotDxf, msg::kCheckNameFormat, 0, msg::kLineColon);
    }
  }
  dxf.setFaceColor(-1);
  std::sort(run.colorList.begin(), run.colorList.begin() + run.colorCount);
  return true;
}

}  // namespace facetor
