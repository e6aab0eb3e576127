#pragma once

#include <string_view>

#include "run/run_state.h"

namespace facetor {

/// The first line of a new settings file, and the text whose presence sets headerSeen.
inline constexpr std::string_view kSettingsHeader =
    "#facetor.cfg4facetor.exe DXF 3DFACE to X3D converter (Don't remove this header).";

/// The content of a new settings file, line by line (each line is written with CR LF).
std::string_view defaultSettingsLine(std::size_t index);
inline constexpr std::size_t kDefaultSettingsLines = 31;

/// Derives settingsPath from modulePath (everything after its last "." replaced by "cfg") and
/// opens the settings file for reading, creating it with the default content when no file of
/// that name exists. An existing file is never emptied. When the file can be neither read nor
/// created, shows the settings warning and leaves settingsAvailable false.
void openSettings(RunState& run);

/// Sets the scale box and rotation switches and headerSeen from the settings file, gives the
/// colors it lists their material text, and closes it. Without a settings file it only puts
/// the switches to their start values.
void readSettings(RunState& run);

}  // namespace facetor
