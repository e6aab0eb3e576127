#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace facetor {

/// The icon of a message box; the values are those of the Windows message box flags
/// (MB_ICONERROR, MB_ICONWARNING, MB_ICONINFORMATION), and no button flag is ever added.
enum class IconKind : int { Error = 16, Warning = 48, Information = 64 };

/// The value a message box returns when the user closed it with OK.
inline constexpr int kIdOk = 1;

enum class PromptKind { Open, Save };

/// What a file prompt asks for. The platform shows `title`, offers the filter list of string
/// resource `filterResource` with its first pair selected, and adds `defaultExtension` to a
/// name typed without one. An Open prompt accepts only a file that exists; a Save prompt asks
/// before an existing file is replaced.
struct FilePrompt {
  PromptKind kind;
  const char* title;
  int filterResource;
  const char* defaultExtension;
};

/// The local date and time of day, as a calendar shows them.
struct LocalTime {
  int year;    // e.g. 2024
  int month;   // 1 to 12
  int day;     // 1 to 31
  int hour;    // 0 to 23
  int minute;  // 0 to 59
  int second;  // 0 to 60
};

/// Everything the conversion needs of the platform it runs on. Everything above this seam is
/// portable and behaves the same on every platform.
class Platform {
 public:
  virtual ~Platform() = default;

  /// The full path of the running executable, reported so that the text up to its last "."
  /// followed by "cfg" names the settings file beside it. Empty when it cannot be found.
  virtual std::string executablePath() = 0;

  /// Shows `text` in a modal box with one OK button and waits until it is closed. Returns
  /// kIdOk when the user closed it, 0 when no box could be shown.
  virtual int messageBox(IconKind icon, const std::string& text, const std::string& caption) = 0;

  /// Shows a modal file prompt that starts with `initialName` as its file name. Returns the
  /// chosen full path, or nothing when the user cancelled or the prompt failed.
  virtual std::optional<std::string> askPath(const FilePrompt& prompt,
                                             const std::string& initialName) = 0;

  /// Seconds since 1970-01-01 00:00:00 UTC.
  virtual std::int64_t calendarSeconds() = 0;
  virtual LocalTime localTime() = 0;

  /// Whether "PLATE.DXF" and "PLATE.dxf" name different files.
  virtual bool caseSensitivePaths() const = 0;

  /// Puts the thread's locale to the one the conversion expects; nothing where the platform
  /// has no thread locales.
  virtual void setThreadLocale() = 0;
};

/// The platform this program was built for.
std::unique_ptr<Platform> makePlatform();

}  // namespace facetor
