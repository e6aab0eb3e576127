#pragma once

#include "run/run_state.h"

namespace facetor {

/// Writes what follows the color groups inside and after the whole-object transform: the scale
/// box with its label (when enabled), the end of the transform, the two viewpoints and the
/// turntable rotation (when enabled). Every size derives from heightExtent, the box's half
/// size. Without a recognised settings header, box and rotation are written whatever the
/// switches say.
void writeSceneTail(RunState& run);

}  // namespace facetor
