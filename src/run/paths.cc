#include "run/paths.h"

#include <filesystem>
#include <system_error>

#include "platform/native_path.h"

namespace facetor {

std::string pathFromCommandLine(std::string_view commandLine) {
  std::size_t start = commandLine.find_first_not_of(" \"");
  if (start == std::string_view::npos) return {};
  std::string_view rest = commandLine.substr(start);
  return std::string(rest.substr(0, rest.find('"')));
}

DerivedNames deriveNames(std::string_view path, bool keepExtensionCase) {
  std::string_view base = path;
  std::string_view extension = ".dxf";
  if (path.size() >= 4) {
    std::string_view last = path.substr(path.size() - 4);
    if (last == ".dxf" || last == ".DXF") {
      base.remove_suffix(4);
      if (keepExtensionCase) extension = last;
    }
  }
  return {std::string(base).append(extension), std::string(base).append(".x3d")};
}

bool sameFile(const std::string& first, const std::string& second) {
  std::error_code error;
  return std::filesystem::equivalent(nativePath(first), nativePath(second), error) && !error;
}

}  // namespace facetor
