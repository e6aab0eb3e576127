#include "run/run_conversion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "../tools/dxf_writer.h"
#include "fake_platform.h"
#include "temp_dir.h"

namespace facetor {
namespace {

using testing::FakePlatform;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

struct RunConversionTest : ::testing::Test {
  RunConversionTest() { platform.modulePath = dir.file("facetor.exe"); }

  std::string cfg() const { return dir.file("facetor.cfg"); }

  // A drawing with one face each of colors 5 and 1.
  std::string writeDrawing(const std::string& name) {
    tools::DxfWriter dxf;
    dxf.begin();
    dxf.face(5, {{{0, 0, 0}, {1, 0, 0}, {1, 1, 2}, {0, 1, 2}}});
    dxf.face(1, {{{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}}});
    dxf.end();
    std::string path = dir.file(name);
    writeFile(path, dxf.text());
    return path;
  }

  TempDir dir;
  FakePlatform platform;
};

TEST_F(RunConversionTest, CancelledOpenPromptEndsWithoutMessage) {
  platform.answers.push_back(std::nullopt);
  EXPECT_EQ(runConversion(platform, ""), -1);
  EXPECT_TRUE(platform.boxes.empty());
  ASSERT_EQ(platform.prompts.size(), 1u);
  const FilePrompt& prompt = platform.prompts[0].prompt;
  EXPECT_EQ(prompt.kind, PromptKind::Open);
  EXPECT_STREQ(prompt.title, "Select DXF File (foo.DXF -> foo.x3d) 3DFACE Only Parsable");
  EXPECT_EQ(prompt.filterResource, 130);
  EXPECT_STREQ(prompt.defaultExtension, ".dxf");
  EXPECT_EQ(platform.prompts[0].initialName, "");
  // The settings file is prepared before the input is asked for.
  EXPECT_NE(readFile(cfg()).find("END_WITH_ROTATION\r\n"), std::string::npos);
  EXPECT_EQ(platform.localeCalls, 1);
}

TEST_F(RunConversionTest, MissingInputReportsTheDerivedName) {
  struct Row {
    const char* name;
    bool fromPrompt;
  };
  const Row rows[] = {{"command line", false}, {"Open prompt", true}};
  const std::string input = dir.file("part.txt");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakePlatform fake;
    fake.modulePath = platform.modulePath;
    if (row.fromPrompt) fake.answers.push_back(input);
    EXPECT_EQ(runConversion(fake, row.fromPrompt ? "" : "\"" + input + "\""), -1);
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].icon, IconKind::Error);
    EXPECT_EQ(fake.boxes[0].text, "Can't open DXF file:\n\n" + input + ".dxf");
    EXPECT_EQ(fake.prompts.size(), row.fromPrompt ? 1u : 0u);
  }
}

TEST_F(RunConversionTest, ValidDrawingEndsQuietlyForNow) {
  std::string input = writeDrawing("plate.dxf");
  EXPECT_EQ(runConversion(platform, input), -1);
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_TRUE(platform.prompts.empty());
  EXPECT_FALSE(readFile(cfg()).empty());
  EXPECT_FALSE(std::filesystem::exists(dir.file("plate.x3d")));
}

TEST_F(RunConversionTest, SurveyFailureComesBeforeAnySavePrompt) {
  std::string input = dir.file("notes.dxf");
  writeFile(input, "hello\r\nworld\r\n");
  platform.answers.push_back(input);
  platform.answers.push_back(dir.file("out.x3d"));
  EXPECT_EQ(runConversion(platform, ""), -1);
  ASSERT_EQ(platform.boxes.size(), 1u);
  // The line number is the survey's own business; the message names the file.
  EXPECT_EQ(
      platform.boxes[0].text.rfind(
          "Probably Not DXF file:\nPlease check the file name/format!\n" + input + " line: ", 0),
      0u)
      << platform.boxes[0].text;
  EXPECT_EQ(platform.prompts.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.x3d")));
}

}  // namespace
}  // namespace facetor
