#include "run/run_conversion.h"

#include <cstdint>

#include "dxf/survey.h"
#include "materials/color_table.h"
#include "run/paths.h"
#include "run/prompts.h"
#include "run/report.h"
#include "run/run_state.h"
#include "settings/settings.h"
#include "x3d/document.h"

namespace facetor {

int runConversion(Platform& platform, std::string_view commandLine) {
  RunState run(platform);
  run.modulePath = platform.executablePath();
  openSettings(run);
  platform.setThreadLocale();

  if (!commandLine.empty()) {
    run.dxfPath = pathFromCommandLine(commandLine);
    run.inputFromDialog = false;
  } else {
    if (!askDxfPath(run)) return -1;
    run.inputFromDialog = true;
  }
  DerivedNames names = deriveNames(run.dxfPath, platform.caseSensitivePaths());
  run.dxfPath = std::move(names.dxfPath);
  run.x3dPath = std::move(names.x3dPath);

  if (!run.dxfFile.open(run.dxfPath)) {
    showReport(platform, IconKind::Error, msg::kCantOpenDxf, run.dxfPath, 0, "", "", 0);
    return -1;
  }
  if (!surveyColors(run)) return -1;
  run.dxfFile.restart();
  run.dxfFile.setFaceColor(-1);

  // The only seeding of the run: random materials depend on the second the run started in.
  run.random.seed(static_cast<std::uint32_t>(platform.calendarSeconds()));
  buildMaterials(run.colorTable, run.colorList, run.colorCount, run.random);
  readSettings(run);

  if (run.inputFromDialog && !askX3dPath(run)) return -1;
  // Opening the output empties it: when it is the drawing itself, that would destroy it.
  if (sameFile(run.dxfPath, run.x3dPath)) {
    showReport(platform, IconKind::Error, msg::kCantWriteX3d, msg::kOutputIsInput, 0,
               run.x3dPath, "", 0);
    run.dxfFile.close();
    return -1;
  }
  if (!run.x3dFile.open(run.x3dPath)) {
    showReport(platform, IconKind::Error, msg::kCantWriteX3d, msg::kWriteProtected, 0,
               run.x3dPath, "", 0);
    run.dxfFile.close();
    return -1;
  }
  if (!writeX3dDocument(run)) return -1;

  // Both files are closed: the document is complete on disk while the report is on screen.
  showReport(platform, IconKind::Information, msg::kCompleted, run.dxfPath, 0, "    \n",
             run.x3dPath, 0);
  return 0;
}

}  // namespace facetor
