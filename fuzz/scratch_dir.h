#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace facetor::fuzzing {

/// The fuzzed code reads files by path, so every input is written to a file first. The files
/// live in one directory per process, in memory where /dev/shm exists, removed at exit.
class ScratchDir {
 public:
  static ScratchDir& get() {
    static ScratchDir dir;
    return dir;
  }

  const std::filesystem::path& path() const { return path_; }
  std::string file(std::string_view name) const { return (path_ / name).string(); }

  /// Removes every file the last input left behind.
  void clear() const {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(path_, ignored)) {
      std::filesystem::remove_all(entry.path(), ignored);
    }
  }

 private:
  ScratchDir() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path();
    std::string pattern = (base / "facetor-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::filesystem::path path_;
};

/// Writes `bytes` to `path` exactly; aborts when it cannot, since every later check would be
/// about the wrong input.
inline void writeBytes(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
  if (std::fclose(file) != 0) std::abort();
}

/// The bytes of `path`, or an empty string when it cannot be read.
inline std::string readBytes(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  char block[4096];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) != 0) bytes.append(block, got);
  std::fclose(file);
  return bytes;
}

/// Stops the run with a finding when a property of the code under test does not hold.
#define FACETOR_FUZZ_CHECK(condition)                                                    \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

}  // namespace facetor::fuzzing
