#pragma once

#include <string>
#include <string_view>

namespace facetor {

/// The input path of a command line: leading blanks and double quotes are skipped, in any mix;
/// the path runs from there to the next double quote or the end. Tabs are not skipped, and
/// blanks inside the path and at its end stay part of it.
std::string pathFromCommandLine(std::string_view commandLine);

struct DerivedNames {
  std::string dxfPath;
  std::string x3dPath;
};

/// The input and output names of an input path. A final ".dxf" or ".DXF" (exactly those) is
/// removed; the input is the base name with ".dxf" and the output the base name with ".x3d".
/// With `keepExtensionCase` a removed ".DXF" comes back as ".DXF", so that the input still
/// names the file the user gave on a file system whose names are case-sensitive.
DerivedNames deriveNames(std::string_view path, bool keepExtensionCase);

/// True when both paths name one existing file (through links, or in another spelling).
bool sameFile(const std::string& first, const std::string& second);

}  // namespace facetor
