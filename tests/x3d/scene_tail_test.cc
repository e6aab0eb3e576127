#include "x3d/scene_tail.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "x3d_run.h"

namespace facetor {
namespace {

using testing::X3dRun;
using Lines = std::vector<std::string>;

constexpr std::size_t kBoxLines = 48;   // scale box and label
constexpr std::size_t kFirstPoint = 7;  // the box's point 0
constexpr std::size_t kRotationLines = 11;  // with the empty line after it

Lines tail(std::int32_t t, bool headerSeen = true, bool scaleBoxOn = true,
           bool rotationOn = true) {
  X3dRun x3d;
  x3d.run.heightExtent = t;
  x3d.run.headerSeen = headerSeen;
  x3d.run.scaleBoxOn = scaleBoxOn;
  x3d.run.rotationOn = rotationOn;
  writeSceneTail(x3d.run);
  return x3d.lines();
}

TEST(SceneTail, BoxPointsLabelAndViewpointsFollowTheHalfSize) {
  struct Row {
    std::int32_t t;
    std::vector<std::pair<std::size_t, std::string>> points;  // box point number, its line
    std::string label;
    std::string front;
    std::string corner;
  };
  const Row rows[] = {
      {3,
       {{0, "-3 3 3"}, {2, "-3 0 3"}, {11, "3 -3 -3"}, {12, "-1.50 -3 3"}, {16, "-3 -3 1.50"},
        {21, "3 -3 0"}, {24, "0 2.70 3"}, {25, "-0.15 2.70 2.40"}, {26, "0.15 2.70 2.40'/>"}},
       "x:3 y:3 z:3",
       "0 0 12.00",
       "-6.00 6.00 6.00"},
      {7,
       {{16, "-7 -7 3.50"}, {24, "0 6.30 7"}, {25, "-0.35 6.30 5.60"}},
       "x:7 y:7 z:7",
       "0 0 28.00",
       "-14.00 14.00 14.00"},
      {0,
       {{0, "0 0 0"}, {12, "0.00 0 0"}, {18, "0 0 0.00"}, {24, "0 0.00 0"},
        {25, "0.00 0.00 0.00"}, {26, "0.00 0.00 0.00'/>"}},
       "x:0 y:0 z:0",
       "0 0 0.00",
       "0.00 0.00 0.00"},
      {10000000,
       {{12, "-5000000.00 -10000000 10000000"}, {24, "0 9000000.00 10000000"},
        {25, "-500000.01 9000000.00 8000000.00"}, {26, "500000.01 9000000.00 8000000.00'/>"}},
       "x:10000000 y:10000000 z:10000000",
       "0 0 40000000.00",
       "-20000000.00 20000000.00 20000000.00"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.t);
    Lines lines = tail(row.t);
    ASSERT_EQ(lines.size(), kBoxLines + 5 + kRotationLines);
    for (const auto& [point, text] : row.points) {
      EXPECT_EQ(lines[kFirstPoint + point], text) << "point " << point;
    }
    const std::string t = std::to_string(row.t);
    EXPECT_EQ(lines[kFirstPoint + 27 + 6],
              "<Transform DEF='RightHandCoord' translation='" + t + " " + t + " " + t +
                  "' containerField='children'>");
    EXPECT_EQ(lines[kFirstPoint + 27 + 8],
              "<Text containerField='geometry' string='\"" + row.label + "\"'/>");
    EXPECT_EQ(lines[kBoxLines], "</Transform><!-- wholeObject End -->");
    EXPECT_EQ(lines[kBoxLines + 2],
              "<Viewpoint containerField='children' jump='true' fieldOfView='0.785' position='" +
                  row.front + "' description='\"Front/Before\"'/>");
    EXPECT_EQ(lines[kBoxLines + 3],
              "<Viewpoint containerField='children' jump='true' fieldOfView='0.785' position='" +
                  row.corner +
                  "' orientation='-0.529904 -0.819161 -0.219493 0.936324' "
                  "description='\"Front2\"'/>");
    for (const std::string& line : lines) {
      EXPECT_EQ(line.find("-0.00 "), std::string::npos) << line;
      EXPECT_EQ(line.find("-0 "), std::string::npos) << line;
    }
  }
}

TEST(SceneTail, SwitchesCountOnlyUnderARecognisedHeader) {
  struct Row {
    bool headerSeen, scaleBoxOn, rotationOn;
    bool box, rotation;
  };
  const Row rows[] = {
      {true, true, true, true, true},     {true, false, true, false, true},
      {true, true, false, true, false},   {true, false, false, false, false},
      {false, false, false, true, true},  {false, true, true, true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "header " << row.headerSeen << " box "
                                      << row.scaleBoxOn << " rotation " << row.rotationOn);
    Lines lines = tail(3, row.headerSeen, row.scaleBoxOn, row.rotationOn);
    EXPECT_EQ(lines.size(), (row.box ? kBoxLines : 0) + 5u + (row.rotation ? kRotationLines : 0));
    EXPECT_EQ(lines.front() == "<Transform DEF='ScaleBox' containerField='children'>", row.box);
    EXPECT_EQ(lines[row.box ? kBoxLines : 0], "</Transform><!-- wholeObject End -->");
    // The viewpoints derive from the half size whether or not the box is drawn.
    EXPECT_NE(lines[(row.box ? kBoxLines : 0) + 2].find("position='0 0 12.00'"),
              std::string::npos);
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         "<OrientationInterpolator DEF='ROTATOR'"),
              row.rotation ? 1 : 0);
  }
}

}  // namespace
}  // namespace facetor
