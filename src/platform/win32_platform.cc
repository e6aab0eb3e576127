#include "platform/win32_platform.h"

#include <algorithm>
#include <cstdint>

namespace facetor {
namespace {

/// The platform of a GUI program on Windows: every message is a modal message box and the
/// prompts are the common file dialogs.
class Win32Platform : public Platform {
 public:
  explicit Win32Platform(HINSTANCE module) : module_(module) {}

  std::string executablePath() override {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(module_, path, MAX_PATH);
    // A path cut to fit would name another settings file; report none instead.
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(path, length);
  }

  int messageBox(IconKind icon, const std::string& text, const std::string& caption) override {
    return MessageBoxA(nullptr, text.c_str(), caption.c_str(), static_cast<UINT>(icon));
  }

  std::optional<std::string> askPath(const FilePrompt& prompt,
                                     const std::string& initialName) override {
    FilterList filter{};
    loadFilterList(module_, prompt.filterResource, filter);
    // A name the field cannot hold is not offered cut short: the field starts empty instead.
    PathField path{};
    if (initialName.size() < kPathFieldCapacity) {
      std::copy(initialName.begin(), initialName.end(), path.begin());
    }
    OPENFILENAMEA record = promptRecord(module_, prompt, filter, path);
    BOOL chosen =
        prompt.kind == PromptKind::Open ? GetOpenFileNameA(&record) : GetSaveFileNameA(&record);
    if (!chosen) return std::nullopt;
    path.back() = '\0';
    return std::string(path.data());
  }

  std::int64_t calendarSeconds() override {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    // 100-nanosecond ticks since 1601-01-01; the calendar counts from 1970-01-01.
    constexpr std::int64_t kTicksPerSecond = 10'000'000;
    constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
    std::int64_t ticks = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    return ticks / kTicksPerSecond - kSecondsFrom1601To1970;
  }

  LocalTime localTime() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  }

  bool caseSensitivePaths() const override { return false; }

  void setThreadLocale() override { SetThreadLocale(1); }

 private:
  HINSTANCE module_;
};

}  // namespace

int loadFilterList(HINSTANCE module, int id, FilterList& list) {
  list.fill('\0');
  int length = LoadStringA(module, static_cast<UINT>(id), list.data(), kFilterLoadLimit);
  if (length <= 0) return 0;
  std::replace(list.begin(), list.begin() + length, '|', '\0');
  return length;
}

OPENFILENAMEA promptRecord(HINSTANCE module, const FilePrompt& prompt, const FilterList& filter,
                           PathField& path) {
  OPENFILENAMEA record{};
  record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  record.hwndOwner = nullptr;
  record.hInstance = module;
  record.lpstrFilter = filter.data();
  record.lpstrCustomFilter = nullptr;
  record.nMaxCustFilter = 0;
  record.nFilterIndex = 1;
  record.lpstrFile = path.data();
  record.nMaxFile = kPathFieldCapacity;
  record.lpstrFileTitle = nullptr;
  record.nMaxFileTitle = 0;
  record.lpstrInitialDir = nullptr;
  record.lpstrTitle = prompt.title;
  record.Flags = prompt.kind == PromptKind::Open
                     ? OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES
                     : OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_LONGNAMES;
  // The dialogs add a period of their own before the default extension.
  const char* extension = prompt.defaultExtension;
  record.lpstrDefExt = extension != nullptr && *extension == '.' ? extension + 1 : extension;
  record.lCustData = 0;
  record.lpfnHook = nullptr;
  record.lpTemplateName = nullptr;
  return record;
}

std::unique_ptr<Platform> makeWin32Platform(HINSTANCE module) {
  return std::make_unique<Win32Platform>(module);
}

std::unique_ptr<Platform> makePlatform() { return makeWin32Platform(GetModuleHandleA(nullptr)); }

}  // namespace facetor
