#pragma once

#include <string>
#include <string_view>

#include "run/run_state.h"

namespace facetor {

/// The published system identifier of the X3D 3.0 document type.
inline constexpr std::string_view kX3dDtd = "http://www.web3d.org/specifications/x3d-3.0.dtd";
/// The credit line at the start of every scene.
inline constexpr std::string_view kCreditLine =
    "<!-- Made by facetor, the DXF 3DFACE to X3D converter: https://facetor.example.org/ -->";
/// The contact address named in the debug-bits comment.
inline constexpr std::string_view kContactAddress = "facetor@example.org";

/// Writes the whole X3D document into the open x3dFile: head, switch comment, one material
/// prototype per color, the color groups inside the whole-object transform, the scene tail,
/// the end of the scene and the summary comment. Then closes the DXF and the X3D file.
///
/// True when the document is complete on disk. False after a failure, which has been
/// reported: a color pass failed (the document then ends where it stopped), or writing the
/// file failed. Both files are closed either way.
bool writeX3dDocument(RunState& run);

/// The run's four settings switches as eight characters "0" or "1": "0001", then
/// settingsAvailable, headerSeen, scaleBoxOn and rotationOn.
std::string debugBits(const RunState& run);

/// `text` made fit for an XML attribute value in a UTF-8 document: & < > ' " as entity
/// references, tab, line feed and carriage return as character references, and every other
/// control character and every byte that is not part of valid UTF-8 as "?".
std::string escapeAttribute(std::string_view text);

/// Reports that writing the X3D file failed, closes the DXF and the X3D file, and returns
/// false.
bool reportWriteFailure(RunState& run);

}  // namespace facetor
