#pragma once

#include "run/run_state.h"

namespace facetor {

/// The first scan of the DXF: collects the distinct color indices of its 3DFACEs into
/// colorList, ascending, with colorCount (at least 1) entries, and leaves the DXF open. On a
/// face whose fifth line is not 62, a color above 255, more distinct colors than the color
/// table holds, or a file without faces, shows its message, closes the DXF and returns false.
bool surveyColors(RunState& run);

}  // namespace facetor
