#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#ifdef _WIN32
#include <process.h>
#endif

namespace facetor::testing {

/// A fresh directory for one test, removed with everything in it when the test ends.
class TempDir {
 public:
  TempDir() {
#ifdef _WIN32
    // No mkdtemp here: the first free name of this process wins.
    static int serial = 0;
    std::filesystem::path base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("facetor-" + std::to_string(_getpid()) + "-" + std::to_string(++serial));
    } while (!std::filesystem::create_directory(path_));
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "facetor-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
#endif
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

/// Makes `path` the current directory until the end of the scope.
class CurrentDir {
 public:
  explicit CurrentDir(const std::filesystem::path& path)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~CurrentDir() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  CurrentDir(const CurrentDir&) = delete;
  CurrentDir& operator=(const CurrentDir&) = delete;

 private:
  std::filesystem::path previous_;
};

/// Writes `bytes` to `path` exactly (binary).
inline void writeFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

/// The bytes of `path`, or an empty string when it cannot be read.
inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace facetor::testing
