#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace facetor {

/// The message box and the file prompts as GTK dialogs on the desktop: modal, without a main
/// window, each run to its end before the call returns.
class GtkDialogs {
 public:
  /// Connects to the display. Nothing when no display can be opened; nothing is printed then.
  static std::unique_ptr<GtkDialogs> open();

  /// A box with the icon of `icon`, `text`, `caption` as its title and one OK button.
  /// Returns kIdOk once it is closed, by OK, Return, Escape or the window's close button.
  int messageBox(IconKind icon, const std::string& text, const std::string& caption);

  /// A file chooser with the prompt's title and filters (the first one selected), starting in
  /// the current directory (Open) or in the folder of `initialName` with its file name (Save).
  /// Keeps the promises of the Windows prompts: Open returns only an existing file, also
  /// found with the default extension added; Save adds the default extension to a name
  /// without one and asks before an existing file is replaced.
  std::optional<std::string> askPath(const FilePrompt& prompt, const std::string& initialName);

 private:
  GtkDialogs() = default;
  std::optional<std::string> runChooser(const FilePrompt& prompt, const std::string& folder,
                                        const std::string& name);
  bool confirmReplace(const FilePrompt& prompt, const std::string& path);
};

}  // namespace facetor
