#pragma once

#include <filesystem>
#include <string>

namespace facetor {

/// `path` in the form the file system library takes. A path is text in the platform's 8-bit
/// character set, as the C library's file functions read it; on Windows that is the ANSI code
/// page, which the file system library does not use for narrow text of its own accord.
std::filesystem::path nativePath(const std::string& path);

}  // namespace facetor
