#include "dxf/scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "../tools/dxf_writer.h"
#include "dxf/survey.h"
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
using Corners = std::array<Corner, 4>;

// The corner codes in the accepted order, and the same codes listed axis by axis.
constexpr int kCornerCodes[] = {10, 20, 30, 11, 21, 31, 12, 22, 32, 13, 23, 33};
constexpr int kAxisByAxis[] = {10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 33};

// Corners that tell faces apart; the last z is 0, the value that once hid the next entity.
Corners cornersOf(float base) {
  return {{{base, base + 0.5f, base + 0.25f},
           {base + 1, base + 1.5f, base + 1.25f},
           {base + 2, base + 2.5f, base + 2.25f},
           {base + 3, base + 3.5f, 0.0f}}};
}

// Corners whose every z is 0.0.
Corners flatCorners(float base) {
  Corners corners = cornersOf(base);
  for (Corner& c : corners) c.z = 0;
  return corners;
}

// The fields of a face record, comparable and printable.
using Fields =
    std::tuple<std::int32_t, std::array<float, 4>, std::array<float, 4>, std::array<float, 4>>;

Fields fieldsOf(const FaceRecord& face) { return {face.color, face.x, face.y, face.z}; }

Fields recordOf(std::int32_t color, const Corners& corners) {
  Fields fields{color, {}, {}, {}};
  for (std::size_t i = 0; i < 4; ++i) {
    std::get<1>(fields)[i] = corners[i].x;
    std::get<2>(fields)[i] = corners[i].y;
    std::get<3>(fields)[i] = corners[i].z;
  }
  return fields;
}

// A 3DFACE with free text on its fifth and sixth lines (none when both are empty), then the
// given corner codes, every value `value`.
void rawFace(DxfWriter& w, std::string_view line5, std::string_view line6, const int (&codes)[12],
             std::string_view value) {
  w.pair("0", "3DFACE").pair("8", "0");
  if (!line5.empty() || !line6.empty()) w.pair(line5, line6);
  for (int code : codes) w.pair(std::to_string(code), value);
}

class ScannerTest : public ::testing::Test {
 protected:
  void openText(const std::string& text) {
    writeFile(path_, text);
    ASSERT_TRUE(dxf_.open(path_));
  }

  TempDir dir_;
  std::string path_ = dir_.file("drawing.dxf");
  DxfScanner dxf_;
};

TEST_F(ScannerTest, NextEntityReadsCodeValuePairs) {
  struct Step {
    EntityScan scan;
    std::int32_t lineNo;
    bool ended;
    const char* name = nullptr;  // checked when given
  };
  using enum EntityScan;
  struct Row {
    const char* name;
    std::string text;
    std::vector<Step> steps;
  };
  const Row rows[] = {
      {"name X3DFACEY starts a face", "0\nX3DFACEY\n", {{FaceStart, 2, false, "X3DFACEY"}}},
      {"lower case name", "0\n3dface\n", {{OtherEntity, 2, false, "3dface"}}},
      {"code 0.0", "0.0\n3DFACE\n", {{FaceStart, 2, false}}},
      {"code -0.0", "-0.0\n3DFACE\n", {{NotEntityStart, 2, false}}},
      {"a value 0 is no code",
       "10\n0\n20\n3DFACE\n",
       {{NotEntityStart, 2, false}, {NotEntityStart, 4, false}}},
      {"a code line without number repeats the verdict",
       "0\nLINE\nSECTION\n3DFACE\n62\n1\n\n3DFACE\n",
       {{OtherEntity, 2, false},
        {FaceStart, 4, false},
        {NotEntityStart, 6, false},
        {NotEntityStart, 8, false}}},
      {"the EOF entity ends the scan", "0\nEOF\n0\n3DFACE\n", {{OtherEntity, 2, true, "EOF"}}},
      {"an EOF value does not",
       "8\nEOF\n0\n3DFACE\n",
       {{NotEntityStart, 2, false}, {FaceStart, 4, false}}},
      {"last line without line end",
       "0\nLINE\n0\n3DFACE",
       {{OtherEntity, 2, false}, {FaceStart, 4, true}}},
      {"empty file", "", {{OtherEntity, 2, true, ""}}},
      {"long names are tested whole",
       "0\nACDBDICTIONARYWDFLT\n0\nXXXXXXXXXXXXXXXXX3DFACE\n0\nXXXXXXXXXXXXXXXXXEOF\n",
       {{OtherEntity, 2, false, "ACDBDICTIONARYW"},
        {FaceStart, 4, false, "XXXXXXXXXXXXXXX"},
        {OtherEntity, 6, true, "XXXXXXXXXXXXXXX"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    openText(row.text);
    for (const Step& step : row.steps) {
      SCOPED_TRACE("step ending at line " + std::to_string(step.lineNo));
      EXPECT_EQ(dxf_.nextEntity(), step.scan);
      EXPECT_EQ(dxf_.lineNo(), step.lineNo);
      EXPECT_EQ(dxf_.endReached(), step.ended);
      if (step.name != nullptr) {
        EXPECT_EQ(dxf_.entityName(), step.name);
      }
    }
  }
}

TEST_F(ScannerTest, ReadFaceHeader) {
  struct Row {
    const char* name;
    std::string header;  // lines 3 to 6
    bool result;
    std::int32_t groupCode;
    std::int32_t faceColor;
    std::int32_t lineNo;
  };
  const Row rows[] = {
      {"color 5", "8\n0\n62\n5\n", true, 62, 5, 6},
      {"negative color", "8\nWALLS\n62\n-3\n", true, 62, -3, 6},
      {"color without a number", "8\n0\n62\nBYLAYER\n", true, 62, -1, 6},
      {"line 5 holds 10", "8\n0\n10\n1.0\n", false, 10, 77, 5},
      {"line 5 without a number", "8\n0\nCOLOR\n5\n", false, 0, 77, 5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    openText("0\n3DFACE\n" + row.header);
    ASSERT_EQ(dxf_.nextEntity(), EntityScan::FaceStart);
    dxf_.setFaceColor(77);
    EXPECT_EQ(dxf_.readFaceHeader(), row.result);
    EXPECT_EQ(dxf_.groupCode(), row.groupCode);
    EXPECT_EQ(dxf_.faceColor(), row.faceColor);
    EXPECT_EQ(dxf_.lineNo(), row.lineNo);
  }
}

TEST_F(ScannerTest, ReadCorners) {
  DxfWriter w(false);
  w.face(4, cornersOf(10));
  openText(w.text());
  ASSERT_EQ(dxf_.nextEntity(), EntityScan::FaceStart);
  ASSERT_TRUE(dxf_.readFaceHeader());
  EXPECT_TRUE(dxf_.readCorners());
  EXPECT_EQ(fieldsOf(dxf_.face()), recordOf(4, cornersOf(10)));
  EXPECT_EQ(dxf_.lineNo(), 30);
  EXPECT_EQ(dxf_.groupCode(), 33);

  // A corner code line without a number keeps the code before it, which is then reported.
  // Values read before the mismatch stay.
  w.clear();
  w.pair("0", "3DFACE").pair("8", "0").pair("62", "4");
  w.pair("10", "1.5").pair("20", "2.5").pair("30", "3.5").pair("X", "9").pair("21", "9");
  openText(w.text());
  ASSERT_EQ(dxf_.nextEntity(), EntityScan::FaceStart);
  ASSERT_TRUE(dxf_.readFaceHeader());
  EXPECT_FALSE(dxf_.readCorners());
  EXPECT_EQ(dxf_.groupCode(), 30);
  EXPECT_EQ(dxf_.lineNo(), 13);
  EXPECT_EQ(dxf_.face().x[0], 1.5f);
  EXPECT_EQ(dxf_.face().y[0], 2.5f);
  EXPECT_EQ(dxf_.face().z[0], 3.5f);
}

TEST_F(ScannerTest, ScanColorReportsCornersAxisByAxis) {
  DxfWriter w(false);
  w.begin().face(1, cornersOf(1));
  // Lines 35 to 40 hold the face's header, 41 code 10, 42 its value, 43 code 11.
  rawFace(w, "62", "1", kAxisByAxis, "1.0");
  w.end();
  openText(w.text());
  std::vector<Fields> faces;
  EXPECT_EQ(dxf_.scanColor(1, [&](const FaceRecord& f) { faces.push_back(fieldsOf(f)); }),
            ScanResult::CornerMismatch);
  EXPECT_EQ(dxf_.groupCode(), 11);
  EXPECT_EQ(dxf_.lineNo(), 43);
  EXPECT_EQ(faces, std::vector<Fields>{recordOf(1, cornersOf(1))});
}

TEST_F(ScannerTest, ScanColorSkipsTheSixthLineOfAFaceWithout62) {
  // A face without a 62 group, all its values 0.0, then a face of color 3. Unless the pass
  // skips the first face's line 6, the pairs shift and its last 0.0 hides the second face.
  DxfWriter w(false);
  w.begin();
  rawFace(w, "", "", kCornerCodes, "0.0");  // lines 5 to 32
  w.face(3, cornersOf(3)).end();            // lines 33 to 62, then 63 to 66
  openText(w.text());
  std::vector<Fields> faces;
  EXPECT_EQ(dxf_.scanColor(3, [&](const FaceRecord& f) { faces.push_back(fieldsOf(f)); }),
            ScanResult::Ended);
  EXPECT_EQ(faces, std::vector<Fields>{recordOf(3, cornersOf(3))});
  EXPECT_EQ(dxf_.lineNo(), 66);
}

// Drawings that a reader taking every line for a possible group code gets wrong. For each, the
// survey finds the colors of the faces marked found, every color's output pass finds exactly
// the found faces of its color in file order, and every scan ends on the same line; the same
// with CR LF and with LF.
TEST(ScannerFixturesTest, FindsEveryFaceOfTheDrawing) {
  struct Face {
    std::int32_t color;
    Corners corners;
    bool found = true;
  };
  struct Row {
    const char* name;
    std::function<void(DxfWriter&)> write;
    std::vector<Face> faces;  // in file order
    std::int32_t endLine;
  };
  const Row rows[] = {
      {"three faces with every z 0.0",
       [](DxfWriter& w) {
         w.begin().face(1, flatCorners(1)).face(2, flatCorners(2)).face(3, flatCorners(3)).end();
       },
       {{1, flatCorners(1)}, {2, flatCorners(2)}, {3, flatCorners(3)}},
       98},
      {"an entity on layer 0 just before a face",
       [](DxfWriter& w) {
         w.begin().pair("0", "POINT").pair("8", "0").face(6, cornersOf(6)).end();
       },
       {{6, cornersOf(6)}},
       42},
      {"a LINE ending at 0.0",
       [](DxfWriter& w) {
         w.begin().pair("0", "LINE").pair("8", "WALLS");
         w.pair("10", "0.0").pair("20", "0.0").pair("30", "0.0");
         w.pair("11", "1.0").pair("21", "1.0").pair("31", "0.0");
         w.face(2, cornersOf(2)).end();
       },
       {{2, cornersOf(2)}},
       54},
      {"a BLOCKS section before the ENTITIES",
       [](DxfWriter& w) {
         w.pair("0", "SECTION").pair("2", "BLOCKS");
         w.pair("0", "BLOCK").pair("8", "0").pair("2", "PART").pair("70", "0");
         w.pair("10", "0.0").pair("20", "0.0").pair("30", "0.0").pair("3", "PART");
         w.face(5, cornersOf(5));
         w.pair("0", "ENDBLK").pair("8", "0").pair("0", "ENDSEC");
         w.begin().face(6, cornersOf(6)).end();
       },
       {{5, cornersOf(5)}, {6, cornersOf(6)}},
       94},
      {"a LINE on layer MYEOF",
       [](DxfWriter& w) {
         w.begin().pair("0", "LINE").pair("8", "MYEOF");
         w.pair("10", "1.0").pair("20", "1.0").pair("30", "1.0");
         w.pair("11", "2.0").pair("21", "2.0").pair("31", "2.0");
         w.face(1, cornersOf(1)).end();
       },
       {{1, cornersOf(1)}},
       54},
      {"a face after the EOF entity",
       [](DxfWriter& w) { w.begin().face(1, cornersOf(1)).end().face(2, cornersOf(2)); },
       {{1, cornersOf(1)}, {2, cornersOf(2), false}},
       38},
      {"a 300-character comment",
       [](DxfWriter& w) {
         // Its characters from 256 on read as 0.
         w.begin().pair("999", std::string(255, 'c') + "0 and more" + std::string(35, 'c'));
         w.face(1, cornersOf(1)).face(2, cornersOf(2)).end();
       },
       {{1, cornersOf(1)}, {2, cornersOf(2)}},
       70},
      {"a color line without a number",
       [](DxfWriter& w) {
         w.begin().face(5, cornersOf(5));
         rawFace(w, "62", "BYLAYER", kCornerCodes, "2.5");
         w.end();
       },
       {{5, cornersOf(5)},
        {-1, {{{2.5f, 2.5f, 2.5f}, {2.5f, 2.5f, 2.5f}, {2.5f, 2.5f, 2.5f}, {2.5f, 2.5f, 2.5f}}}}},
       68},
      {"interleaved colors",
       [](DxfWriter& w) {
         w.begin().face(1, cornersOf(1)).face(2, cornersOf(2)).face(1, cornersOf(3));
         w.face(3, flatCorners(4)).face(2, cornersOf(5)).end();
       },
       {{1, cornersOf(1)},
        {2, cornersOf(2)},
        {1, cornersOf(3)},
        {3, flatCorners(4)},
        {2, cornersOf(5)}},
       158},
  };
  for (const Row& row : rows) {
    for (bool crlf : {true, false}) {
      SCOPED_TRACE(std::string(row.name) + (crlf ? ", CR LF" : ", LF"));
      DxfWriter w(crlf);
      row.write(w);
      TempDir dir;
      FakePlatform platform;
      RunState run(platform);
      run.dxfPath = dir.file("drawing.dxf");
      writeFile(run.dxfPath, w.text());
      ASSERT_TRUE(run.dxfFile.open(run.dxfPath));

      std::vector<std::int32_t> expectedColors;
      std::vector<std::int32_t> allColors;
      for (const Face& face : row.faces) {
        allColors.push_back(face.color);
        if (face.found) expectedColors.push_back(face.color);
      }
      std::sort(expectedColors.begin(), expectedColors.end());
      expectedColors.erase(std::unique(expectedColors.begin(), expectedColors.end()),
                           expectedColors.end());
      std::sort(allColors.begin(), allColors.end());
      allColors.erase(std::unique(allColors.begin(), allColors.end()), allColors.end());

      ASSERT_TRUE(surveyColors(run));
      EXPECT_EQ(
          std::vector<std::int32_t>(run.colorList.begin(), run.colorList.begin() + run.colorCount),
          expectedColors);
      EXPECT_EQ(run.dxfFile.lineNo(), row.endLine);

      for (std::int32_t color : allColors) {
        SCOPED_TRACE("pass for color " + std::to_string(color));
        std::vector<Fields> expected;
        for (const Face& face : row.faces) {
          if (face.found && face.color == color) expected.push_back(recordOf(color, face.corners));
        }
        run.dxfFile.restart();
        run.dxfFile.setFaceColor(-1);
        std::vector<Fields> found;
        EXPECT_EQ(run.dxfFile.scanColor(color,
                                        [&](const FaceRecord& f) { found.push_back(fieldsOf(f)); }),
                  ScanResult::Ended);
        EXPECT_EQ(found, expected);
        EXPECT_EQ(run.dxfFile.lineNo(), row.endLine);
      }
      EXPECT_TRUE(platform.boxes.empty());
    }
  }
}

}  // namespace
}  // namespace facetor
