#include "run/report.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "fake_platform.h"

namespace facetor {
namespace {

struct Args {
  std::string_view text1;
  std::string_view text2;
  std::int32_t number1;
  std::string_view text3;
  std::string_view text4;
  std::int32_t number2;
};

std::string compose(const Args& a) {
  return composeReport(a.text1, a.text2, a.number1, a.text3, a.text4, a.number2);
}

TEST(ComposeReport, MessagesWordForWord) {
  struct Row {
    const char* name;
    Args args;
    const char* expected;
  };
  const Row rows[] = {
      {"1 settings unavailable",
       {msg::kSettingsUnavailable, "/opt/facetor.cfg", 0, "", "", 0},
       "Can't Find / Write cfg in the very Application folder: /opt/facetor.cfg"},
      {"2 cannot open the DXF",
       {msg::kCantOpenDxf, "C:\\data\\part.txt.dxf", 0, "", "", 0},
       "Can't open DXF file:\n\nC:\\data\\part.txt.dxf"},
      {"3 color above 255",
       {msg::kColorAbove255, "", 300, "C:\\a.dxf", msg::kLine, 57},
       "Beyond Color Index limitation 255 < 300\nC:\\a.dxf line 57"},
      {"4 wrong color code, negative",
       {msg::kWrongColorCode, msg::kShouldBe62, -5, "C:\\a.dxf", msg::kLine, 9},
       "Wrong DXF Color Code\nShould be 62 but -5\nC:\\a.dxf line 9"},
      {"4 wrong color code, no number",
       {msg::kWrongColorCode, msg::kShouldBe62, 0, "C:\\a.dxf", msg::kLine, 9},
       "Wrong DXF Color Code\nShould be 62 but C:\\a.dxf line 9"},
      {"5 not a DXF",
       {msg::kNotDxf, msg::kCheckNameFormat, 0, "C:\\a.dxf", msg::kLineColon, 12},
       "Probably Not DXF file:\nPlease check the file name/format!\nC:\\a.dxf line: 12"},
      {"too many colors",
       {msg::kTooManyColors, "", 257, "C:\\a.dxf", msg::kLine, 4000},
       "Beyond Color Count limitation 256 < 257\nC:\\a.dxf line 4000"},
      {"second number zero",
       {"Error while verifying polygon numbers!\n\n", "line: ", 88, msg::kColorIndex, "", 0},
       "Error while verifying polygon numbers!\n\nline: 88\n\nColorIndex: "},
      {"extreme numbers",
       {"a", "", std::numeric_limits<std::int32_t>::min(), "b", "",
        std::numeric_limits<std::int32_t>::max()},
       "a-2147483648\nb2147483647"},
      {"nothing", {"", "", 0, "", "", 0}, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(compose(row.args), row.expected);
  }
}

TEST(ComposeReport, LongPathIsNotCut) {
  std::string path = "/" + std::string(599, 'p');
  EXPECT_EQ(composeReport(msg::kCantOpenDxf, path, 0, "", "", 0),
            "Can't open DXF file:\n\n" + path);
  EXPECT_EQ(composeReport(msg::kColorAbove255, "", 300, path, msg::kLine, 57),
            "Beyond Color Index limitation 255 < 300\n" + path + " line 57");
}

TEST(ShowReport, ShowsOneBoxWithIconAndCaption) {
  testing::FakePlatform platform;
  int result =
      showReport(platform, IconKind::Warning, msg::kSettingsUnavailable, "x.cfg", 0, "", "", 0);
  EXPECT_EQ(result, kIdOk);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].icon, IconKind::Warning);
  EXPECT_EQ(platform.boxes[0].text, "Can't Find / Write cfg in the very Application folder: x.cfg");
  EXPECT_EQ(platform.boxes[0].caption.rfind("Facetor ", 0), 0u) << platform.boxes[0].caption;
  EXPECT_GT(platform.boxes[0].caption.size(), 8u);

  showReport(platform, IconKind::Error, msg::kCantOpenDxf, "a.dxf", 0, "", "", 0);
  ASSERT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(platform.boxes[1].icon, IconKind::Error);
  EXPECT_EQ(platform.boxes[1].caption, platform.boxes[0].caption);
}

}  // namespace
}  // namespace facetor
