#pragma once

#include "run/run_state.h"

namespace facetor {

inline constexpr const char* kOpenPromptTitle =
    "Select DXF File (foo.DXF -> foo.x3d) 3DFACE Only Parsable";
inline constexpr const char* kSavePromptTitle = "Save X3D2.0 file with Any name You Specify!";

/// The Open prompt, starting with an empty file name. On confirmation dxfPath holds the chosen
/// path and the result is true; false when the user cancelled or the prompt failed.
bool askDxfPath(RunState& run);

/// The Save prompt, offering x3dPath as its file name. On confirmation x3dPath holds the chosen
/// path and the result is true; false when the user cancelled or the prompt failed.
bool askX3dPath(RunState& run);

}  // namespace facetor
