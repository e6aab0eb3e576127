#include "x3d/document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../tools/dxf_writer.h"
#include "documents.h"
#include "fake_platform.h"
#include "run/run_conversion.h"
#include "temp_dir.h"
#include "x3d_run.h"

namespace facetor {
namespace {

using testing::CurrentDir;
using testing::documentLines;
using testing::FakePlatform;
using testing::keepDocument;
using testing::readFile;
using testing::TempDir;
using testing::X3dRun;
using tools::DxfWriter;

constexpr std::array<tools::Corner, 4> kSquare = {{{0, 0, 0}, {1, 0, 0}, {1, 1, 1}, {0, 1, 1}}};

TEST(Document, WorkedExampleIsWrittenByteForByte) {
  TempDir dir;
  std::filesystem::copy_file(std::string(FACETOR_EXAMPLES) + "/plate.dxf", dir.file("plate.dxf"));
  FakePlatform platform;  // 10:15:30 on 15 June 2024
  platform.modulePath = dir.file("facetor.exe");
  {
    CurrentDir inside(dir.path());
    ASSERT_EQ(runConversion(platform, "plate.dxf"), 0);
  }
  const std::string document = readFile(dir.file("plate.x3d"));
  EXPECT_TRUE(document == readFile(std::string(FACETOR_TEST_DATA) + "/plate.x3d"))
      << document;
  keepDocument(dir.file("plate.x3d"));
}

TEST(Document, DebugBitsCarryTheFourSwitches) {
  struct Row {
    bool available, header, box, rotation;
    const char* bits;
  };
  const Row rows[] = {
      {true, true, true, true, "00011111"},   {false, false, true, true, "00010011"},
      {true, false, false, false, "00011000"}, {false, true, false, true, "00010101"},
      {false, false, true, false, "00010010"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bits);
    FakePlatform platform;
    RunState run(platform);
    run.settingsAvailable = row.available;
    run.headerSeen = row.header;
    run.scaleBoxOn = row.box;
    run.rotationOn = row.rotation;
    EXPECT_EQ(debugBits(run), row.bits);
  }
}

TEST(Document, WithoutSettingsFileBothBoxAndRotationAreWritten) {
  TempDir dir;
  const std::string input = dir.file("plate.dxf");
  std::filesystem::copy_file(std::string(FACETOR_EXAMPLES) + "/plate.dxf", input);
  FakePlatform platform;
  platform.modulePath = dir.file("no such folder/facetor.exe");
  ASSERT_EQ(runConversion(platform, input), 0);
  ASSERT_EQ(platform.boxes.size(), 2u);  // the settings warning, then the completion report
  EXPECT_EQ(platform.boxes[0].icon, IconKind::Warning);

  std::vector<std::string> lines = documentLines(readFile(dir.file("plate.x3d")));
  ASSERT_EQ(lines.size(), 102u);
  EXPECT_EQ(lines[10], std::string("<!--  Contact \"") + std::string(kContactAddress) +
                           "\" with debug bits (x|x|x|v|c|a|b|r)= 00010011 -->");
  keepDocument(dir.file("plate.x3d"));
}

TEST(Document, PathIsEscapedInTheMetadataOnly) {
  struct Row {
    std::string raw;
    std::string escaped;
  };
  const Row rows[] = {
      {"C:\\data\\plate.dxf", "C:\\data\\plate.dxf"},
      {"a&b's <\"x\">.dxf", "a&amp;b&apos;s &lt;&quot;x&quot;&gt;.dxf"},
      {"tab\there\nand\rthere", "tab&#9;here&#10;and&#13;there"},
      {"bell\a\x01", "bell??"},
      {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x99\x82", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x99\x82"},
      {"latin1 caf\xe9.dxf", "latin1 caf?.dxf"},
      {"cut \xe2\x82", "cut ??"},
      {"overlong \xc0\xaf surrogate \xed\xa0\x80 nonchar \xef\xbf\xbf",
       "overlong ?? surrogate ??? nonchar ???"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.raw);
    EXPECT_EQ(escapeAttribute(row.raw), row.escaped);
  }

  // Through a whole run, from the Open prompt (a command line ends at a double quote): the
  // file name with all five characters, and a material text that stays raw.
  TempDir dir;
#ifdef _WIN32
  const std::string name = "a&b's";  // Windows file names cannot hold < " >
#else
  const std::string name = "a&b's <\"x\">";
#endif
  const std::string input = dir.file(name + ".dxf");
  const std::string output = dir.file(name + ".x3d");
  std::filesystem::copy_file(std::string(FACETOR_EXAMPLES) + "/plate.dxf", input);
  FakePlatform platform;
  platform.modulePath = dir.file("facetor.exe");
  platform.answers = {input, output};
  ASSERT_EQ(runConversion(platform, ""), 0);
  std::vector<std::string> lines = documentLines(readFile(output));
  ASSERT_GT(lines.size(), 15u);
  EXPECT_EQ(lines[6], "<meta name='OriginalFile' content='" + escapeAttribute(input) + "'/>");
  EXPECT_EQ(lines[15],
            "<ProtoBody><Material containerField='material' diffuseColor='.9 0 0'/></ProtoBody>"
            "</ProtoDeclare>");
  keepDocument(output);
}

TEST(Document, PrototypesAndSummaryFollowTheColorTable) {
  DxfWriter dxf;
  dxf.begin().face(3, kSquare).face(1, kSquare).face(250, kSquare).end();
  X3dRun x3d;
  x3d.drawing(dxf.text());
  x3d.colors({1, 3, 250});
  x3d.run.colorTable[1].material = "";  // an empty material text
  ASSERT_TRUE(writeX3dDocument(x3d.run));
  EXPECT_FALSE(x3d.run.dxfFile.isOpen());
  EXPECT_FALSE(x3d.run.x3dFile.isOpen());

  std::vector<std::string> lines = x3d.lines();
  ASSERT_GT(lines.size(), 21u);
  const std::vector<std::string> prototypes(lines.begin() + 14, lines.begin() + 21);
  EXPECT_EQ(prototypes,
            (std::vector<std::string>{
                "<ProtoDeclare name='dxfColor1'>",
                "<ProtoBody><Material containerField='material' diffuseColor='1 1 1'/>"
                "</ProtoBody></ProtoDeclare>",
                "<ProtoDeclare name='dxfColor3'>",
                "<ProtoBody><Material containerField='material' /></ProtoBody></ProtoDeclare>",
                "<ProtoDeclare name='dxfColor250'>",
                "<ProtoBody><Material containerField='material' diffuseColor='1 1 1'/>"
                "</ProtoBody></ProtoDeclare>",
                "<Transform DEF='wholeObject'>"}));
  // Six passes over a file of 4 + 3 * 30 + 4 lines: the count is the last pass's, not a sum.
  EXPECT_EQ(lines[lines.size() - 3], "</Scene>");
  EXPECT_EQ(lines[lines.size() - 2], "</X3D>");
  EXPECT_EQ(lines.back(), "<!-- 98 lines of DXF parsed. Converted 6 polygons. -->");
  keepDocument(x3d.run.x3dPath);
}

}  // namespace
}  // namespace facetor
