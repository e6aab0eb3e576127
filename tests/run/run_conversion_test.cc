#include "run/run_conversion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "../tools/dxf_writer.h"
#include "documents.h"
#include "fake_platform.h"
#include "temp_dir.h"

namespace facetor {
namespace {

using testing::FakePlatform;
using testing::keepDocument;
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

TEST_F(RunConversionTest, CommandLineConversionEndsWithTheCompletionReport) {
  std::string input = writeDrawing("plate.dxf");
  EXPECT_EQ(runConversion(platform, input), 0);
  EXPECT_TRUE(platform.prompts.empty());
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].icon, IconKind::Information);
  EXPECT_EQ(platform.boxes[0].text, "facetor Conversion Completed !!\n\nfrom / to\n" + input +
                                        "    \n" + dir.file("plate.x3d"));
  EXPECT_EQ(platform.boxes[0].caption, "Facetor - DXF 3DFACE to X3D converter");
  EXPECT_FALSE(readFile(cfg()).empty());
  keepDocument(dir.file("plate.x3d"));
}

TEST_F(RunConversionTest, SavePromptOffersTheDerivedNameAndCanBeCancelled) {
  std::string input = writeDrawing("plate.dxf");
  const std::string chosen = dir.file("chosen.x3d");
  platform.answers = {input, chosen};
  EXPECT_EQ(runConversion(platform, ""), 0);
  ASSERT_EQ(platform.prompts.size(), 2u);
  const FilePrompt& save = platform.prompts[1].prompt;
  EXPECT_EQ(save.kind, PromptKind::Save);
  EXPECT_STREQ(save.title, "Save X3D2.0 file with Any name You Specify!");
  EXPECT_EQ(save.filterResource, 131);
  EXPECT_STREQ(save.defaultExtension, ".x3d");
  EXPECT_EQ(platform.prompts[1].initialName, dir.file("plate.x3d"));
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text, "facetor Conversion Completed !!\n\nfrom / to\n" + input +
                                        "    \n" + chosen);
  EXPECT_FALSE(std::filesystem::exists(dir.file("plate.x3d")));
  keepDocument(chosen);

  FakePlatform cancelling;
  cancelling.modulePath = platform.modulePath;
  cancelling.answers = {input, std::nullopt};
  EXPECT_EQ(runConversion(cancelling, ""), -1);
  EXPECT_EQ(cancelling.prompts.size(), 2u);
  EXPECT_TRUE(cancelling.boxes.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.file("plate.x3d")));
}

TEST_F(RunConversionTest, OutputThatCannotBeWrittenIsReported) {
  std::string input = writeDrawing("plate.dxf");
  const std::string drawing = readFile(input);
  const std::string fullDisk = "Can't write X3D file!\nWriting failed: the disk may be full\n\n";
  const std::string cantOpen =
      "Can't write X3D file!\nPerhaps specified file already exists and write protected\n\n";
  std::filesystem::create_directory(dir.file("folder.x3d"));
  const bool haveFullDevice = std::filesystem::exists("/dev/full");
  if (haveFullDevice) std::filesystem::create_symlink("/dev/full", dir.file("full.x3d"));

  struct Row {
    const char* name;
    std::string output;  // the Save prompt's answer
    std::string message;
  };
  const Row rows[] = {
      {"a folder of that name", dir.file("folder.x3d"), cantOpen},
      {"a missing folder", dir.file("missing/out.x3d"), cantOpen},
      {"the input itself", input, "Can't write X3D file!\nIt is the DXF file being converted\n\n"},
      {"a full disk", dir.file("full.x3d"), fullDisk},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.message == fullDisk && !haveFullDevice) continue;
    FakePlatform fake;
    fake.modulePath = platform.modulePath;
    fake.answers = {input, row.output};
    EXPECT_EQ(runConversion(fake, ""), -1);
    ASSERT_EQ(fake.boxes.size(), 1u);  // no completion report
    EXPECT_EQ(fake.boxes[0].icon, IconKind::Error);
    EXPECT_EQ(fake.boxes[0].text, row.message + row.output);
    EXPECT_EQ(readFile(input), drawing);
  }
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
