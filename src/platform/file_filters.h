#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace facetor {

/// One entry of a prompt's filter list: the name shown and the patterns of the files it shows.
struct FileFilter {
  std::string name;
  std::vector<std::string> patterns;
};

/// The text of string resource `resource` (130, the Open prompt's filter list, or 131, the
/// Save prompt's); empty for any other number.
std::string_view resourceText(int resource);

/// Splits a filter list as the resources hold it, display name and pattern alternating, each
/// followed by "|" ("DXF Files (*.dxf)|*.dxf|All Files(*.*)|*.*|"). A pattern may list several
/// patterns separated by ";". A name without a pattern is dropped.
std::vector<FileFilter> parseFilterList(std::string_view text);

/// A pattern as a case-sensitive file system must be asked for it to match the way the
/// Windows prompts match: letters match either case ("*.dxf" becomes "*.[dD][xX][fF]"), and
/// "*.*" matches every name, also one without a dot.
std::string caseBlindPattern(std::string_view pattern);

}  // namespace facetor
