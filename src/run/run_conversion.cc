#include "run/run_conversion.h"

#include <cstdint>

#include "dxf/survey.h"
#include "materials/color_table.h"
#include "run/paths.h"
#include "run/prompts.h"
#include "run/report.h"
#include "run/run_state.h"
#include "settings/settings.h"

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

  // The output stages (Save prompt, the X3D document, the completion report) are not part of
  // this build yet: the run ends here without writing anything.
  return -1;
}

}  // namespace facetor
