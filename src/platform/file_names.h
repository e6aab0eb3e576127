#pragma once

#include <optional>
#include <string>

namespace facetor {

/// The rules every file prompt applies to a name the user chose, whatever shows the prompt.

/// The existing file an Open prompt takes for `name`: the name itself when it is a file, else,
/// when it has no extension, the name followed by `defaultExtension` when that is a file
/// ("plate" finds "plate.dxf"). Relative names are made absolute. Nothing when neither exists.
std::optional<std::string> existingFileFor(const std::string& name,
                                           const std::string& defaultExtension);

/// The name a Save prompt writes for `name`: `defaultExtension` is added when the name has no
/// extension ("plate" becomes "plate.x3d"; ".hidden" and "a.b/plate" count as having none).
std::string withDefaultExtension(const std::string& name, const std::string& defaultExtension);

/// `name` made absolute against the current directory, in normal form; `name` itself when
/// that fails.
std::string absolutePath(const std::string& name);

/// Whether anything (a file, a directory, a dangling link) bears the name.
bool pathTaken(const std::string& path);

}  // namespace facetor
