#include "x3d/color_groups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "../tools/dxf_writer.h"
#include "x3d_run.h"

namespace facetor {
namespace {

using testing::X3dRun;
using tools::Corner;
using tools::DxfWriter;
using Lines = std::vector<std::string>;

using Face = std::array<Corner, 4>;

Lines groupOpening(int color) {
  return {"<Transform DEF='Color" + std::to_string(color) + "Group'><Shape>",
          "<IndexedFaceSet solid='false' coordIndex='"};
}

Lines groupClosing(int color) {
  return {"'/>",
          "</IndexedFaceSet>",
          "<Appearance><ProtoInstance name='dxfColor" + std::to_string(color) +
              "' containerField='material'/>",
          "</Appearance>",
          "</Shape>",
          "</Transform>"};
}

Lines concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(ColorGroups, QuadsGiveTwoTrianglesUnlessCornerThreeRepeatsCornerTwo) {
  struct Row {
    const char* name;
    Face face;
    Lines indices;
    Lines points;
  };
  const Row rows[] = {
      {"quad", {{{0, 0, 0}, {2, 0, 0}, {2, 0, 3}, {0, 0, 3}}},
       {"0 1 2 -1", "3 4 5 -1"},
       {"0.00000 0.00000 0.00000", "-2.00000 0.00000 0.00000", "-2.00000 3.00000 0.00000",
        "-2.00000 3.00000 0.00000", "0.00000 3.00000 0.00000", "0.00000 0.00000 0.00000"}},
      {"triangle: corner 3 repeats corner 2", {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {7, 8, 9}}},
       {"0 1 2 -1"},
       {"-1.00000 3.00000 -2.00000", "-4.00000 6.00000 -5.00000", "-7.00000 9.00000 -8.00000"}},
      {"corners 2 and 3 differ only in z", {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 0.5f}}},
       {"0 1 2 -1", "3 4 5 -1"},
       {"0.00000 0.00000 0.00000", "-1.00000 0.00000 0.00000", "-1.00000 0.00000 -1.00000",
        "-1.00000 0.00000 -1.00000", "-1.00000 0.50000 -1.00000", "0.00000 0.00000 0.00000"}},
      {"corners 0 and 1 coincide: nothing is dropped",
       {{{0, 0, 0}, {0, 0, 0}, {1, 1, 0}, {0, 1, 0}}},
       {"0 1 2 -1", "3 4 5 -1"},
       {"0.00000 0.00000 0.00000", "0.00000 0.00000 0.00000", "-1.00000 0.00000 -1.00000",
        "-1.00000 0.00000 -1.00000", "0.00000 0.00000 -1.00000", "0.00000 0.00000 0.00000"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (bool crlf : {true, false}) {
      X3dRun x3d;
      x3d.drawing(DxfWriter(crlf).begin().face(7, row.face).end().text());
      x3d.colors({7});
      ASSERT_TRUE(writeColorGroups(x3d.run));
      EXPECT_EQ(x3d.lines(), concat({groupOpening(7), row.indices, {"'>", "<Coordinate point='"},
                                     row.points, groupClosing(7)}));
      EXPECT_EQ(x3d.run.polygonTotal, static_cast<std::int64_t>(row.indices.size()));
    }
  }
}

TEST(ColorGroups, InterleavedColorsFormOneGroupEachInTableOrder) {
  const Face low = {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 0}}};    // one triangle
  const Face high = {{{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}};   // two triangles
  DxfWriter dxf;
  dxf.begin().face(5, high).face(1, low).face(5, high).face(1, low).face(1, low).end();
  X3dRun x3d;
  x3d.drawing(dxf.text());
  x3d.colors({1, 5});
  ASSERT_TRUE(writeColorGroups(x3d.run));

  const Lines lowPoints = {"0.00000 0.00000 0.00000", "-1.00000 0.00000 0.00000",
                           "-1.00000 0.00000 -1.00000"};
  const Lines highPoints = {"0.00000 1.00000 0.00000",   "-1.00000 1.00000 0.00000",
                            "-1.00000 1.00000 -1.00000", "-1.00000 1.00000 -1.00000",
                            "0.00000 1.00000 -1.00000",  "0.00000 1.00000 0.00000"};
  EXPECT_EQ(x3d.lines(),
            concat({groupOpening(1), {"0 1 2 -1", "3 4 5 -1", "6 7 8 -1", "'>"},
                    {"<Coordinate point='"}, lowPoints, lowPoints, lowPoints, groupClosing(1),
                    groupOpening(5), {"0 1 2 -1", "3 4 5 -1", "6 7 8 -1", "9 10 11 -1", "'>"},
                    {"<Coordinate point='"}, highPoints, highPoints, groupClosing(5)}));
  EXPECT_EQ(x3d.run.polygonTotal, 7);
  // The last pass read the whole file, up to its EOF line.
  EXPECT_EQ(x3d.run.dxfFile.lineNo(), 4 + 5 * 30 + 4);
}

TEST(ColorGroups, HeightExtentIsTheIntegerPartOfTheLargestZ) {
  struct Row {
    const char* name;
    std::vector<float> z;  // one triangle per value, all corners at that height
    std::int32_t extent;
  };
  const Row rows[] = {
      {"2.7 and -5.0", {2.7f, -5.0f}, 2},
      {"all zero", {0.0f, 0.0f}, 0},
      {"below one", {0.9f}, 0},
      {"all negative", {-3.5f}, 0},
      {"at the 32-bit limit", {2147483648.0f}, std::numeric_limits<std::int32_t>::max()},
      {"the largest float", {3.4e38f, 1.0f}, std::numeric_limits<std::int32_t>::max()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DxfWriter dxf;
    dxf.begin();
    for (float z : row.z) dxf.face(3, {{{0, 0, z}, {1, 0, z}, {1, 1, z}, {1, 1, z}}});
    X3dRun x3d;
    x3d.drawing(dxf.end().text());
    x3d.colors({3});
    ASSERT_TRUE(writeColorGroups(x3d.run));
    EXPECT_EQ(x3d.run.heightExtent, row.extent);
  }
}

TEST(ColorGroups, CoordinatesBeyondTheFloatRangeBecomeTheLargestFloat) {
  DxfWriter dxf;
  dxf.begin().pair("0", "3DFACE").pair("8", "0").pair("62", "1");
  dxf.pair("10", "1e39").pair("20", "-1e400").pair("30", "5");
  for (const char* code : {"11", "21", "31", "12", "22", "32", "13", "23", "33"}) {
    dxf.pair(code, "0");
  }
  X3dRun x3d;
  x3d.drawing(dxf.end().text());
  x3d.colors({1});
  ASSERT_TRUE(writeColorGroups(x3d.run));
  const std::string largest = "340282346638528859811704183484516925440.00000";
  Lines lines = x3d.lines();
  ASSERT_EQ(lines.size(), 2u + 1u + 2u + 3u + 6u);
  EXPECT_EQ(lines[5], "-" + largest + " 5.00000 " + largest);
  EXPECT_EQ(lines[6], "0.00000 0.00000 0.00000");
}

TEST(ColorGroups, CornerCodesOutOfOrderStopTheDocumentWithItsDiagnostics) {
  // A face that lists its coordinates axis by axis: 10, 11, ... The second code line is 11.
  DxfWriter dxf;
  dxf.begin().pair("0", "3DFACE").pair("8", "0").pair("62", "4");
  for (const char* code : {"10", "11", "12", "13", "20", "21", "22", "23", "30", "31", "32", "33"}) {
    dxf.pair(code, "1.0");
  }
  X3dRun x3d;
  x3d.drawing(dxf.end().text());
  x3d.colors({4});
  EXPECT_FALSE(writeColorGroups(x3d.run));

  ASSERT_EQ(x3d.platform.boxes.size(), 1u);
  EXPECT_EQ(x3d.platform.boxes[0].icon, IconKind::Error);
  EXPECT_EQ(x3d.platform.boxes[0].text, "Wrong COORDS + VERTICES Combination!\n"
                                        "xyz 1|2|3*10 + vert 0|1|2|3 <> 11\n" +
                                            x3d.run.dxfPath + " line 13");
  EXPECT_FALSE(x3d.run.dxfFile.isOpen());
  EXPECT_FALSE(x3d.run.x3dFile.isOpen());
  EXPECT_EQ(x3d.lines(), (Lines{"</Transform><!-- wholeObject End -->", "",
                                "<!-- Wrong COORDS|VERTICES code 11 -->",
                                "<!-- " + x3d.run.dxfPath + ", line 13 -->"}));
}

TEST(ColorGroups, AColorNoPassFindsWritesNoGroup) {
  const Face face = {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 0}}};
  X3dRun x3d;
  x3d.drawing(DxfWriter().begin().face(2, face).end().text());
  x3d.colors({2, 9});  // 9: a color the survey of another file might have found
  ASSERT_TRUE(writeColorGroups(x3d.run));
  Lines lines = x3d.lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "</Transform>");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "'>"), 1);
  EXPECT_EQ(x3d.run.polygonTotal, 1);
  EXPECT_TRUE(x3d.platform.boxes.empty());
}

}  // namespace
}  // namespace facetor
