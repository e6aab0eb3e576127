#include "settings/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "run/run_state.h"
#include "temp_dir.h"

namespace facetor {
namespace {

using testing::FakePlatform;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

// The colors in use while the settings are read; each starts with the material "orig".
constexpr std::int32_t kColorsInUse[] = {-1, 7, 10, 12, 13, 100, 123};

// Puts the colors in use into the table, each with the material "orig".
void useColors(RunState& run) {
  run.colorCount = 0;
  for (std::int32_t color : kColorsInUse) {
    run.colorTable[static_cast<std::size_t>(run.colorCount++)] = {color, "orig"};
  }
}

struct SettingsTest : ::testing::Test {
  TempDir dir;
  FakePlatform platform;
  RunState run{platform};

  std::string cfg() const { return dir.file("facetor.cfg"); }

  // The material of `color`, or "(not in use)".
  std::string material(std::int32_t color) const {
    for (std::int32_t i = 0; i < run.colorCount; ++i) {
      const ColorRecord& slot = run.colorTable[static_cast<std::size_t>(i)];
      if (slot.color == color) return slot.material;
    }
    return "(not in use)";
  }
};

std::string defaultFileBytes() {
  const char* lines[] = {
      "BEGIN_WITH_SCALEBOX",        "0",
      "diffuseColor='0 0 0'",       "1",
      "diffuseColor='.9 0 0'",      "2",
      "diffuseColor='.9 .9 0'",     "3",
      "diffuseColor='0 .62 0'",     "4",
      "diffuseColor='0 .9 .9'",     "5",
      "diffuseColor='0 0 .9'",      "6",
      "diffuseColor='.9 0 .9'",     "7",
      "diffuseColor='.77 .8 .85'",  "8",
      "diffuseColor='.13 .2 .36'",  "9",
      "diffuseColor='.77 .8 .85'",  "10",
      "diffuseColor='.81 0 0'",     "11",
      "diffuseColor='.88 .04 .04'", "12",
      "diffuseColor='.63 0 0'",     "13",
      "diffuseColor='.5 .5 .5'",    "END_WITH_ROTATION",
  };
  std::string bytes = std::string(kSettingsHeader) + "\r\n";
  for (const char* line : lines) bytes.append(line).append("\r\n");
  return bytes;
}

TEST_F(SettingsTest, FirstRunCreatesTheDefaultFileAndReadsItBack) {
  run.modulePath = (dir.path() / "facetor.").string();
  openSettings(run);
  EXPECT_EQ(run.settingsPath, cfg());
  EXPECT_TRUE(run.settingsAvailable);
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(readFile(cfg()), defaultFileBytes());

  useColors(run);
  run.scaleBoxOn = false;
  run.rotationOn = false;
  readSettings(run);
  EXPECT_TRUE(run.headerSeen);
  EXPECT_TRUE(run.scaleBoxOn);
  EXPECT_TRUE(run.rotationOn);
  EXPECT_FALSE(run.settingsFile.isOpen());
  EXPECT_EQ(material(7), "diffuseColor='.77 .8 .85'");
  EXPECT_EQ(material(10), "diffuseColor='.81 0 0'");
  EXPECT_EQ(material(12), "diffuseColor='.63 0 0'");
  EXPECT_EQ(material(13), "diffuseColor='.5 .5 .5'");
  EXPECT_EQ(material(-1), "orig");
  EXPECT_EQ(material(100), "orig");
  EXPECT_EQ(material(123), "orig");

  // The second run finds the file and leaves it as it is.
  RunState second(platform);
  second.modulePath = dir.file("facetor.exe");
  openSettings(second);
  EXPECT_TRUE(second.settingsAvailable);
  EXPECT_EQ(readFile(cfg()), defaultFileBytes());
}

TEST_F(SettingsTest, SettingsPathReplacesWhatFollowsTheLastDot) {
  struct Row {
    std::string modulePath;
    std::string settingsPath;
    std::string modulePathAfter;
  };
  const std::string d = dir.path().string();
  std::filesystem::create_directory(d + "/my.tools");
  const Row rows[] = {
      {d + "/facetor.exe", d + "/facetor.cfg", d + "/facetor."},
      {d + "/facetor.x.exe", d + "/facetor.x.cfg", d + "/facetor.x."},
      {d + "/my.tools/facetor", d + "/my.cfg", d + "/my."},
      {d + "/facetor.", d + "/facetor.cfg", d + "/facetor."},
      {"facetor", "cfg", ""},
      {"", "cfg", ""},
  };
  // A path without a "." names "cfg" in the current directory.
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.modulePath);
    RunState state(platform);
    state.modulePath = row.modulePath;
    openSettings(state);
    EXPECT_EQ(state.settingsPath, row.settingsPath);
    EXPECT_EQ(state.modulePath, row.modulePathAfter);
    EXPECT_TRUE(state.settingsAvailable);
    EXPECT_EQ(readFile(row.settingsPath), defaultFileBytes());
  }
  std::filesystem::current_path(previous);
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(SettingsTest, UnusableSettingsFileWarnsAndIsLeftAlone) {
  struct Row {
    const char* name;
    std::string modulePath;
    std::string settingsPath;
  };
  const std::string d = dir.path().string();
  // A directory that bears the settings file's name can be neither read nor replaced.
  std::filesystem::create_directory(d + "/facetor.cfg");
  writeFile(d + "/facetor.cfg/keep", "x");
#ifndef _WIN32
  // Reading a pipe would block until something writes to it.
  ASSERT_EQ(mkfifo((d + "/pipe.cfg").c_str(), 0600), 0);
  // Creating the file through a dangling link would put it somewhere else.
  std::filesystem::create_symlink(d + "/elsewhere.cfg", d + "/dangling.cfg");
#endif
  const Row rows[] = {
      {"directory of that name", d + "/facetor.exe", d + "/facetor.cfg"},
#ifndef _WIN32
      {"pipe of that name", d + "/pipe.exe", d + "/pipe.cfg"},
      {"dangling link of that name", d + "/dangling.exe", d + "/dangling.cfg"},
#endif
      {"missing folder", d + "/missing/facetor.exe", d + "/missing/facetor.cfg"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakePlatform fake;
    RunState state(fake);
    state.modulePath = row.modulePath;
    openSettings(state);
    EXPECT_EQ(state.settingsPath, row.settingsPath);
    EXPECT_FALSE(state.settingsAvailable);
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].icon, IconKind::Warning);
    EXPECT_EQ(fake.boxes[0].text,
              "Can't Find / Write cfg in the very Application folder: " + row.settingsPath);

    // Without the file only the start values are set.
    state.headerSeen = true;
    state.scaleBoxOn = false;
    state.rotationOn = false;
    readSettings(state);
    EXPECT_FALSE(state.headerSeen);
    EXPECT_TRUE(state.scaleBoxOn);
    EXPECT_TRUE(state.rotationOn);
  }
  EXPECT_TRUE(std::filesystem::is_directory(d + "/facetor.cfg"));
  EXPECT_EQ(readFile(d + "/facetor.cfg/keep"), "x");
  EXPECT_FALSE(std::filesystem::exists(d + "/missing"));
  EXPECT_FALSE(std::filesystem::exists(d + "/elsewhere.cfg"));
}

TEST_F(SettingsTest, UnreadableFileIsNotEmptied) {
#ifdef _WIN32
  GTEST_SKIP() << "no file modes to take reading away";
#else
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
#endif
  writeFile(cfg(), "my own settings\r\n");
  ASSERT_EQ(chmod(cfg().c_str(), 0), 0);
  run.modulePath = dir.file("facetor.exe");
  openSettings(run);
  EXPECT_FALSE(run.settingsAvailable);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text,
            "Can't Find / Write cfg in the very Application folder: " + cfg());
  ASSERT_EQ(chmod(cfg().c_str(), 0600), 0);
  EXPECT_EQ(readFile(cfg()), "my own settings\r\n");
}

TEST(Settings, ReadingRules) {
  const std::string h = std::string(kSettingsHeader) + "\n";
  const std::string begin = "BEGIN_WITH_SCALEBOX\n";
  const std::string longText(600, 'q');
  struct Row {
    const char* name;
    std::string content;
    bool headerSeen;
    bool scaleBoxOn;
    bool rotationOn;
    std::map<std::int32_t, std::string> changed;  // every other color keeps "orig"
  };
  const Row rows[] = {
      {"empty file", "", false, true, true, {}},
      {"without scale box",
       h + "BEGIN_WITHOUT_SCALEBOX\n7\nA\nEND_WITH_ROTATION\n",
       true,
       false,
       true,
       {{7, "A"}}},
      {"without rotation",
       h + begin + "7\nA\nEND_WITHOUT_ROTATION\n",
       true,
       true,
       false,
       {{7, "A"}}},
      {"header removed",
       "BEGIN_WITHOUT_SCALEBOX\n7\nA\nEND_WITHOUT_ROTATION\n",
       false,
       false,
       false,
       {{7, "A"}}},
      {"header with another credit",
       "#facetor.cfg4facetor.exe someone else (Don't remove this header).\n" + begin + "7\nA\n",
       false,
       true,
       true,
       {{7, "A"}}},
      {"header anywhere in a line", "x " + h + begin, true, true, true, {}},
      {"CR LF line ends",
       std::string(kSettingsHeader) +
           "\r\nBEGIN_WITHOUT_SCALEBOX\r\n7\r\nA\r\nEND_WITHOUT_ROTATION\r\n",
       true,
       false,
       false,
       {{7, "A"}}},
      {"both BEGIN markers",
       "BEGIN_WITHOUT_SCALEBOX BEGIN_WITH_SCALEBOX\n7\nA\n",
       false,
       true,
       true,
       {{7, "A"}}},
      {"both END markers",
       begin + "7\nA\nEND_WITHOUT_ROTATION END_WITH_ROTATION\n10\nB\n",
       false,
       true,
       true,
       {{7, "A"}}},
      {"END before the section",
       "END_WITHOUT_ROTATION\n" + begin + "7\nA\n",
       false,
       true,
       false,
       {}},
      {"pairs before BEGIN", h + "7\nA\n" + begin + "10\nB\n", true, true, true, {{10, "B"}}},
      {"second BEGIN in the section",
       begin + "BEGIN_WITHOUT_SCALEBOX\n7\n10\nB\n",
       false,
       true,
       true,
       {{10, "B"}}},
      {"comment line in the section",
       begin + "# colors\n7\n10\nB\n",
       false,
       true,
       true,
       {{10, "B"}}},
      {"empty line in the section", begin + "\n7\n10\nB\n", false, true, true, {{10, "B"}}},
      {"END where a material is due",
       begin + "7\nEND_WITHOUT_ROTATION\n10\nB\n",
       false,
       true,
       true,
       {{7, "END_WITHOUT_ROTATION"}, {10, "B"}}},
      {"index with comment", begin + "7 # seven\nA\n", false, true, true, {{7, "A"}}},
      {"index after spaces", begin + "  7\nA\n", false, true, true, {{7, "A"}}},
      {"index before #", begin + "12#\nA\n", false, true, true, {{12, "A"}}},
      {"index 100", begin + "100\nA\n", false, true, true, {{100, "A"}}},
      {"index 123", begin + "123\nA\n", false, true, true, {{123, "A"}}},
      {"negative index", begin + "-1\n7\n10\nB\n", false, true, true, {{10, "B"}}},
      {"no index", begin + "x\n7\n10\nB\n", false, true, true, {{10, "B"}}},
      {"index not in use", begin + "8\nA\n200\nB\n0\nC\n", false, true, true, {}},
      {"material with spaces and comment",
       begin + "13\n  diffuseColor='1 0 0'  # red\n",
       false,
       true,
       true,
       {{13, "  diffuseColor='1 0 0'  "}}},
      {"material only a comment", begin + "13\n# none\n", false, true, true, {{13, ""}}},
      {"empty material", begin + "13\n\n10\nB\n", false, true, true, {{13, ""}, {10, "B"}}},
      {"listed twice", begin + "7\nA\n7\nB\n", false, true, true, {{7, "B"}}},
      {"long material line",
       begin + "7\n" + longText + "\n10\nB\n",
       false,
       true,
       true,
       {{7, longText}, {10, "B"}}},
      {"long index line",
       begin + std::string(300, ' ') + "7\nA\n10\nB\n",
       false,
       true,
       true,
       {{7, "A"}, {10, "B"}}},
      {"last line END without line end",
       begin + "7\nA\nEND_WITHOUT_ROTATION",
       false,
       true,
       false,
       {{7, "A"}}},
      {"last line BEGIN without line end", h + "BEGIN_WITHOUT_SCALEBOX", true, true, true, {}},
      {"last line header without line end", std::string(kSettingsHeader), false, true, true, {}},
      {"last line index without line end", begin + "7\nA\n10", false, true, true, {{7, "A"}}},
      {"last line material without line end",
       begin + "7\nA\n10\nB",
       false,
       true,
       true,
       {{7, "A"}, {10, "B"}}},
      {"index without material", begin + "7\n", false, true, true, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakePlatform fake;
    RunState state(fake);
    TempDir rowDir;
    writeFile(rowDir.file("facetor.cfg"), row.content);
    state.modulePath = rowDir.file("facetor.exe");
    openSettings(state);
    ASSERT_TRUE(state.settingsAvailable);
    useColors(state);
    readSettings(state);
    EXPECT_EQ(state.headerSeen, row.headerSeen);
    EXPECT_EQ(state.scaleBoxOn, row.scaleBoxOn);
    EXPECT_EQ(state.rotationOn, row.rotationOn);
    EXPECT_FALSE(state.settingsFile.isOpen());
    for (std::int32_t i = 0; i < state.colorCount; ++i) {
      const ColorRecord& slot = state.colorTable[static_cast<std::size_t>(i)];
      auto changed = row.changed.find(slot.color);
      SCOPED_TRACE(slot.color);
      EXPECT_EQ(slot.material, changed == row.changed.end() ? "orig" : changed->second);
    }
    EXPECT_TRUE(fake.boxes.empty());
    EXPECT_EQ(readFile(rowDir.file("facetor.cfg")), row.content);
  }
}

}  // namespace
}  // namespace facetor
