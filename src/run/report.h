#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace facetor {

/// The caption of every message box.
inline constexpr std::string_view kCaption = "Facetor - DXF 3DFACE to X3D converter";

/// The fixed texts of every message, in the order the system numbers them.
namespace msg {
// 1. The settings file can be neither opened nor created (a warning; the run goes on).
inline constexpr std::string_view kSettingsUnavailable =
    "Can't Find / Write cfg in the very Application folder: ";
// 2. The DXF cannot be opened.
inline constexpr std::string_view kCantOpenDxf = "Can't open DXF file:\n\n";
// 3. A face's color index is above 255.
inline constexpr std::string_view kColorAbove255 = "Beyond Color Index limitation 255 < ";
// 4. A face's fifth line is not group code 62.
inline constexpr std::string_view kWrongColorCode = "Wrong DXF Color Code\n";
inline constexpr std::string_view kShouldBe62 = "Should be 62 but ";
// 5. The DXF ended before any face was found.
inline constexpr std::string_view kNotDxf = "Probably Not DXF file:\n";
inline constexpr std::string_view kCheckNameFormat = "Please check the file name/format!\n";
// 6. The X3D cannot be opened for writing.
inline constexpr std::string_view kCantWriteX3d = "Can't write X3D file!\n";
inline constexpr std::string_view kWriteProtected =
    "Perhaps specified file already exists and write protected\n\n";
// 7. A corner code line of a face differs from the expected code.
inline constexpr std::string_view kWrongCorners = "Wrong COORDS + VERTICES Combination!\n";
inline constexpr std::string_view kCornerCodes = "xyz 1|2|3*10 + vert 0|1|2|3 <> ";
// 8. The two passes of one color counted different numbers of polygons.
inline constexpr std::string_view kCountMismatch = "Error while verifying polygon numbers!\n\n";
inline constexpr std::string_view kCountLine = "line: ";
inline constexpr std::string_view kColorIndex = "\nColorIndex: ";
// 9. The conversion is complete.
inline constexpr std::string_view kCompleted = "facetor Conversion Completed !!\n\nfrom / to\n";
// 10. The drawing uses more distinct colors than the color table holds.
inline constexpr std::string_view kTooManyColors = "Beyond Color Count limitation 256 < ";

// 11. Writing the X3D file failed after it was opened (a full disk, a lost device).
inline constexpr std::string_view kWriteFailed = "Writing failed: the disk may be full\n\n";
// 12. The output path names the DXF file being converted.
inline constexpr std::string_view kOutputIsInput = "It is the DXF file being converted\n\n";

// Pieces shared by several messages.
inline constexpr std::string_view kLine = " line ";
inline constexpr std::string_view kLineColon = " line: ";
}  // namespace msg

/// Composes a message: `text1`, `text2`, then `number1` and a line feed when `number1` is not 0,
/// then `text3`, `text4`, then `number2` when it is not 0. Nothing else is added, and nothing is
/// cut, whatever the length of the texts.
std::string composeReport(std::string_view text1, std::string_view text2, std::int32_t number1,
                          std::string_view text3, std::string_view text4, std::int32_t number2);

/// Composes a message as composeReport does and shows it in a modal box with the caption of
/// every box. Returns the box's result: kIdOk, or 0 when no box could be shown.
int showReport(Platform& platform, IconKind icon, std::string_view text1, std::string_view text2,
               std::int32_t number1, std::string_view text3, std::string_view text4,
               std::int32_t number2);

}  // namespace facetor
