// The rules the file prompts apply whatever shows them: filter lists, patterns and names.

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/file_filters.h"
#include "platform/file_names.h"
#include "temp_dir.h"

namespace facetor {
namespace {

using testing::CurrentDir;
using testing::TempDir;
using testing::writeFile;

TEST(FileFilters, ResourcesGiveTheTwoPairsOfEachPrompt) {
  std::vector<FileFilter> open = parseFilterList(resourceText(130));
  ASSERT_EQ(open.size(), 2u);
  EXPECT_EQ(open[0].name, "DXF Files (*.dxf)");
  EXPECT_EQ(open[0].patterns, std::vector<std::string>{"*.dxf"});
  EXPECT_EQ(open[1].name, "All Files(*.*)");
  EXPECT_EQ(open[1].patterns, std::vector<std::string>{"*.*"});

  std::vector<FileFilter> save = parseFilterList(resourceText(131));
  ASSERT_EQ(save.size(), 2u);
  EXPECT_EQ(save[0].name, "X3D Files (*.x3d)");
  EXPECT_EQ(save[0].patterns, std::vector<std::string>{"*.x3d"});

  EXPECT_TRUE(resourceText(129).empty());
}

TEST(FileFilters, ListsAndPatterns) {
  // Several patterns, a last pair without its "|", a name without a pattern.
  std::vector<FileFilter> filters = parseFilterList("Drawings|*.dxf;*.dwg|Text|*.txt|Lonely|");
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.dxf", "*.dwg"}));
  EXPECT_EQ(filters[1].patterns, std::vector<std::string>{"*.txt"});
  EXPECT_TRUE(parseFilterList("").empty());
  EXPECT_TRUE(parseFilterList("||||").empty());

  EXPECT_EQ(caseBlindPattern("*.dxf"), "*.[dD][xX][fF]");
  EXPECT_EQ(caseBlindPattern("*.X3D"), "*.[xX]3[dD]");
  EXPECT_EQ(caseBlindPattern("*.*"), "*");
  EXPECT_EQ(caseBlindPattern("\xC3\xA4*"), "\xC3\xA4*");  // only ASCII letters are doubled
}

TEST(FileNames, OpenFindsExistingFilesSaveAddsTheExtension) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "my.files");
  writeFile(dir.file("my.files/plate.dxf"), "");
  writeFile(dir.file("my.files/notes"), "");
  CurrentDir inside(dir.path() / "my.files");
  const std::string here = std::filesystem::current_path().string() + "/";

  EXPECT_EQ(existingFileFor("plate.dxf", ".dxf"), here + "plate.dxf");
  EXPECT_EQ(existingFileFor("plate", ".dxf"), here + "plate.dxf");
  EXPECT_EQ(existingFileFor("notes", ".dxf"), here + "notes");
  EXPECT_EQ(existingFileFor("../my.files/./plate", ".dxf"), here + "plate.dxf");
  EXPECT_EQ(existingFileFor("plate.txt", ".dxf"), std::nullopt);
  EXPECT_EQ(existingFileFor(".", ".dxf"), std::nullopt);
  EXPECT_EQ(existingFileFor("", ".dxf"), std::nullopt);

  EXPECT_EQ(withDefaultExtension("plate", ".x3d"), "plate.x3d");
  EXPECT_EQ(withDefaultExtension("plate.wrl", ".x3d"), "plate.wrl");
  EXPECT_EQ(withDefaultExtension("/a.b/plate", ".x3d"), "/a.b/plate.x3d");
  EXPECT_EQ(withDefaultExtension(".hidden", ".x3d"), ".hidden.x3d");

  EXPECT_TRUE(pathTaken("notes"));
  EXPECT_FALSE(pathTaken("plate.x3d"));
  std::filesystem::create_symlink("nowhere", "dangling");
  EXPECT_TRUE(pathTaken("dangling"));
}

}  // namespace
}  // namespace facetor
