#include "platform/native_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace facetor {

std::filesystem::path nativePath(const std::string& path) {
#ifdef _WIN32
  // Widened with the code page the ...A functions and the C library use, so that a check and
  // the opening that follows it name the same file.
  if (path.empty()) return {};
  const int size = static_cast<int>(path.size());
  int length = MultiByteToWideChar(CP_ACP, 0, path.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.data(), size, wide.data(), length);
  return std::filesystem::path(std::move(wide));
#else
  return std::filesystem::path(path);
#endif
}

}  // namespace facetor
