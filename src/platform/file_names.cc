#include "platform/file_names.h"

#include <filesystem>
#include <system_error>

namespace facetor {
namespace {

namespace fs = std::filesystem;

bool isFile(const std::string& path) {
  std::error_code error;
  return fs::exists(path, error) && !fs::is_directory(path, error);
}

bool hasExtension(const std::string& name) { return fs::path(name).filename().has_extension(); }

}  // namespace

std::optional<std::string> existingFileFor(const std::string& name,
                                           const std::string& defaultExtension) {
  if (name.empty()) return std::nullopt;
  if (isFile(name)) return absolutePath(name);
  if (!hasExtension(name)) {
    std::string extended = name + defaultExtension;
    if (isFile(extended)) return absolutePath(extended);
  }
  return std::nullopt;
}

std::string withDefaultExtension(const std::string& name, const std::string& defaultExtension) {
  return hasExtension(name) ? name : name + defaultExtension;
}

std::string absolutePath(const std::string& name) {
  std::error_code error;
  fs::path absolute = fs::absolute(name, error);
  return error ? name : absolute.lexically_normal().string();
}

bool pathTaken(const std::string& path) {
  std::error_code error;
  return fs::symlink_status(path, error).type() != fs::file_type::not_found && !error;
}

}  // namespace facetor
