#pragma once

#include "run/run_state.h"

namespace facetor {

/// Writes one group per color of the color table, in slot order: a transform named after the
/// color holding an indexed face set of triangles and an appearance that instances the
/// color's material prototype. Each color costs two scans of the DXF: the index pass writes
/// the index list, the point pass the points, and their triangle counts must agree.
///
/// True when every color has been written; polygonTotal and heightExtent then hold their final
/// values and lineNo the line count of the last pass. False after a failure, which has been
/// reported; both files are then closed.
bool writeColorGroups(RunState& run);

/// The number of triangles a face makes: 2, unless corner 3 repeats corner 2 exactly.
inline int trianglesOf(const FaceRecord& face) {
  bool second = face.x[3] != face.x[2] || face.y[3] != face.y[2] || face.z[3] != face.z[2];
  return second ? 2 : 1;
}

/// Raises heightExtent to the integer part of `z` when z is larger, saturating at the largest
/// 32-bit integer.
void updateHeight(std::int32_t& heightExtent, float z);

}  // namespace facetor
