#include "dxf/survey.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "../tools/dxf_writer.h"
#include "fake_platform.h"
#include "run/run_state.h"
#include "temp_dir.h"

namespace facetor {
namespace {

using testing::FakePlatform;
using testing::TempDir;
using testing::writeFile;
using tools::Corner;
using tools::DxfWriter;

const std::array<Corner, 4> kCorners{{{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}};

// A 3DFACE whose fifth and sixth lines are free text (none when both are empty), followed by
// the twelve corner pairs in the order given.
void rawFace(DxfWriter& w, std::string_view line5, std::string_view line6,
             std::initializer_list<const char*> codes) {
  w.pair("0", "3DFACE").pair("8", "0");
  if (!line5.empty() || !line6.empty()) w.pair(line5, line6);
  for (const char* code : codes) w.pair(code, "1.0");
}

constexpr std::initializer_list<const char*> kCornerCodes = {"10", "20", "30", "11", "21", "31",
                                                             "12", "22", "32", "13", "23", "33"};

// One survey of a DXF text written to a temporary file, on a fake platform.
struct Survey {
  explicit Survey(const std::string& text) {
    run.dxfPath = dir.file("drawing.dxf");
    writeFile(run.dxfPath, text);
    opened = run.dxfFile.open(run.dxfPath);
  }

  std::vector<std::int32_t> colorList() const {
    return {run.colorList.begin(), run.colorList.begin() + run.colorCount};
  }

  // Expects one error box, `head` + the DXF path + `tail`, and the DXF closed.
  void expectFailure(const std::string& head, const std::string& tail) const {
    EXPECT_FALSE(run.dxfFile.isOpen());
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].icon, IconKind::Error);
    EXPECT_EQ(platform.boxes[0].text, head + run.dxfPath + tail);
  }

  TempDir dir;
  FakePlatform platform;
  RunState run{platform};
  bool opened = false;
};

TEST(SurveyTest, CollectsDistinctColorsAscending) {
  std::vector<std::int32_t> allColors;
  for (std::int32_t color = 255; color >= 0; --color) allColors.push_back(color);
  allColors.push_back(0);  // a repeat does not count against the limit
  std::vector<std::int32_t> ascending(allColors.rbegin() + 1, allColors.rend());

  struct Row {
    const char* name;
    std::vector<std::int32_t> faceColors;  // in file order
    std::vector<std::int32_t> colorList;
  };
  const Row rows[] = {
      {"repeats", {7, 1, 7, 3}, {1, 3, 7}},
      {"negative colors pass", {-3, 7, -1}, {-3, -1, 7}},
      {"color 0", {0}, {0}},
      {"all 256 colors", allColors, ascending},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DxfWriter w;
    w.begin();
    for (std::int32_t color : row.faceColors) w.face(color, kCorners);
    w.end();
    Survey survey(w.text());
    ASSERT_TRUE(survey.opened);
    EXPECT_TRUE(surveyColors(survey.run));
    EXPECT_EQ(survey.colorList(), row.colorList);
    EXPECT_TRUE(survey.run.dxfFile.isOpen());
    EXPECT_EQ(survey.run.dxfFile.faceColor(), -1);
    EXPECT_TRUE(survey.platform.boxes.empty());
  }
}

TEST(SurveyTest, ReadsNoCorners) {
  // Corner codes out of order are left to the output pass of that color.
  DxfWriter w;
  w.begin();
  rawFace(w, "62", "4", {"10", "11", "12", "13", "20", "21", "22", "23", "30", "31", "32", "33"});
  w.end();
  Survey survey(w.text());
  ASSERT_TRUE(survey.opened);
  EXPECT_TRUE(surveyColors(survey.run));
  EXPECT_EQ(survey.colorList(), std::vector<std::int32_t>{4});
  EXPECT_TRUE(survey.platform.boxes.empty());
}

TEST(SurveyTest, ReportsTheFirstFaultyFace) {
  struct Row {
    const char* name;
    std::function<void(DxfWriter&)> write;
    std::string head;  // the message up to the path
    std::string tail;  // the message after the path
  };
  const Row rows[] = {
      {"color above 255",
       [](DxfWriter& w) { w.begin().face(1, kCorners).face(300, kCorners).face(2, kCorners); },
       "Beyond Color Index limitation 255 < 300\n", " line 40"},
      {"color 256", [](DxfWriter& w) { w.begin().face(256, kCorners).end(); },
       "Beyond Color Index limitation 255 < 256\n", " line 10"},
      {"color above 255 after a 300-character comment",
       [](DxfWriter& w) { w.begin().pair("999", std::string(300, 'c')).face(300, kCorners).end(); },
       "Beyond Color Index limitation 255 < 300\n", " line 12"},
      {"line 5 holds 10",
       [](DxfWriter& w) {
         w.begin();
         rawFace(w, "", "", kCornerCodes);
         w.end();
       },
       "Wrong DXF Color Code\nShould be 62 but 10\n", " line 9"},
      {"line 5 without a number",
       [](DxfWriter& w) {
         w.begin();
         rawFace(w, "COLOR", "1", kCornerCodes);
         w.end();
       },
       "Wrong DXF Color Code\nShould be 62 but ", " line 9"},
      {"a faulty face after the first is never looked at",
       [](DxfWriter& w) {
         w.begin().face(1, kCorners);
         rawFace(w, "", "", kCornerCodes);
         w.face(300, kCorners).end();
       },
       "Wrong DXF Color Code\nShould be 62 but 10\n", " line 39"},
      {"no faces, empty file", [](DxfWriter&) {},
       "Probably Not DXF file:\nPlease check the file name/format!\n", " line: 2"},
      {"no faces, EOF entity at the end",
       [](DxfWriter& w) { w.begin().pair("0", "LINE").pair("8", "0").pair("10", "0.0").end(); },
       "Probably Not DXF file:\nPlease check the file name/format!\n", " line: 14"},
      {"no faces, text without numbers", [](DxfWriter& w) { w.line("hello").line("world"); },
       "Probably Not DXF file:\nPlease check the file name/format!\n", " line: 4"},
      {"a face after the EOF entity", [](DxfWriter& w) { w.begin().end().face(1, kCorners); },
       "Probably Not DXF file:\nPlease check the file name/format!\n", " line: 8"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DxfWriter w(false);
    row.write(w);
    Survey survey(w.text());
    ASSERT_TRUE(survey.opened);
    EXPECT_FALSE(surveyColors(survey.run));
    survey.expectFailure(row.head, row.tail);
  }
}

TEST(SurveyTest, ReportsA257thDistinctColor) {
  DxfWriter w;
  w.begin();
  for (std::int32_t color = -1; color >= -257; --color) w.face(color, kCorners);
  w.face(1, kCorners).end();
  // The 257th face starts on line 4 + 256 * 30 + 1 = 7685; its color line is 7690.
  Survey survey(w.text());
  ASSERT_TRUE(survey.opened);
  EXPECT_FALSE(surveyColors(survey.run));
  survey.expectFailure("Beyond Color Count limitation 256 < 257\n", " line 7690");
}

}  // namespace
}  // namespace facetor
