// The desktop dialogs switch the process to the user's locale. Numbers in drawings, settings
// files and documents are the same in every locale, so a conversion must not change with it.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "../tools/dxf_writer.h"
#include "fake_platform.h"
#include "run/run_conversion.h"
#include "temp_dir.h"

namespace facetor {
namespace {

using testing::CurrentDir;
using testing::FakePlatform;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

constexpr const char* kCommaLocale = "de_DE.UTF-8";

/// Switches the whole process to a locale with a decimal comma, building it with localedef in
/// `dir` when the system does not have it. Back to "C" at the end of the scope.
class CommaLocale {
 public:
  explicit CommaLocale(const TempDir& dir) {
    if (std::setlocale(LC_ALL, kCommaLocale) == nullptr) {
      std::string built = dir.file("locales");
      std::filesystem::create_directory(built);
      std::string command = "localedef -i de_DE -f UTF-8 -c " + built + "/" + kCommaLocale +
                            " >/dev/null 2>&1";
      if (std::system(command.c_str()) == 0) {
        setenv("LOCPATH", built.c_str(), 1);
        std::setlocale(LC_ALL, kCommaLocale);
      }
    }
    active_ = std::string(std::localeconv()->decimal_point) == ",";
  }
  ~CommaLocale() {
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
  }
  bool active() const { return active_; }

 private:
  bool active_ = false;
};

/// Converts `dxf` with `settings` beside the executable and returns the document.
std::string convert(const TempDir& dir, const std::string& dxf, const std::string& settings) {
  writeFile(dir.file("drawing.dxf"), dxf);
  writeFile(dir.file("facetor.cfg"), settings);
  FakePlatform platform;
  platform.modulePath = dir.file("facetor.exe");
  CurrentDir inside(dir.path());
  EXPECT_EQ(runConversion(platform, "drawing.dxf"), 0);
  EXPECT_TRUE(platform.boxes.size() == 1) << "only the completion report is expected";
  return readFile(dir.file("drawing.x3d"));
}

TEST(Locale, DecimalCommaChangesNoConversion) {
  // Fractions and signs in the coordinates, a material from the settings file, built-in ones
  // and random ones (13 and 200) whose components are formatted numbers.
  tools::DxfWriter writer;
  writer.begin()
      .face(1, {{{-1.5f, 0.25f, 2.75f}, {3.125f, -0.5f, 0}, {1, 1, 1.5f}, {0, 1.5f, 1.5f}}})
      .face(13, {{{0.1f, 0.2f, 0.3f}, {0.4f, 0.5f, 0.6f}, {0.7f, 0.8f, 0.9f}, {0.7f, 0.8f, 0.9f}}})
      .face(200, {{{1e-3f, 2e5f, -7.5f}, {2, 2, 2}, {3, 2, 2}, {3, 3, 2}}})
      .end();
  const std::string settings =
      "#facetor.cfg4facetor.exe DXF 3DFACE to X3D converter (Don't remove this header).\r\n"
      "BEGIN_WITH_SCALEBOX\r\n"
      "1\r\n"
      "diffuseColor='0.25 0.5 0.75' transparency='0.5'\r\n"
      "END_WITH_ROTATION\r\n";

  TempDir inC;
  const std::string expected = convert(inC, writer.text(), settings);
  ASSERT_NE(expected.find("0.25 0.5 0.75"), std::string::npos);

  TempDir inComma;
  CommaLocale comma(inComma);
  if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma (install `locales`)";
  EXPECT_EQ(convert(inComma, writer.text(), settings), expected);
}

}  // namespace
}  // namespace facetor
