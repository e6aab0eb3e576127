#include "settings/settings.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "dxf/numbers.h"
#include "platform/native_path.h"
#include "run/report.h"

namespace facetor {
namespace {

constexpr std::string_view kBeginWithScaleBox = "BEGIN_WITH_SCALEBOX";
constexpr std::string_view kBeginWithoutScaleBox = "BEGIN_WITHOUT_SCALEBOX";
constexpr std::string_view kEndWithRotation = "END_WITH_ROTATION";
constexpr std::string_view kEndWithoutRotation = "END_WITHOUT_ROTATION";

constexpr std::string_view kDefaultLines[kDefaultSettingsLines] = {
    kSettingsHeader,
    kBeginWithScaleBox,
    "0",
    "diffuseColor='0 0 0'",
    "1",
    "diffuseColor='.9 0 0'",
    "2",
    "diffuseColor='.9 .9 0'",
    "3",
    "diffuseColor='0 .62 0'",
    "4",
    "diffuseColor='0 .9 .9'",
    "5",
    "diffuseColor='0 0 .9'",
    "6",
    "diffuseColor='.9 0 .9'",
    "7",
    "diffuseColor='.77 .8 .85'",
    "8",
    "diffuseColor='.13 .2 .36'",
    "9",
    "diffuseColor='.77 .8 .85'",
    "10",
    "diffuseColor='.81 0 0'",
    "11",
    "diffuseColor='.88 .04 .04'",
    "12",
    "diffuseColor='.63 0 0'",
    "13",
    "diffuseColor='.5 .5 .5'",
    kEndWithRotation,
};

bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Creates the settings file with its default content, open for reading at its first line.
// Returns null when it cannot be created.
std::FILE* createDefaultSettings(const std::string& path) {
#ifdef _WIN32
  std::FILE* file = std::fopen(path.c_str(), "w+b");
#else
  std::FILE* file = std::fopen(path.c_str(), "w+bx");  // fails if the file appeared meanwhile
#endif
  if (file == nullptr) return nullptr;
  for (std::string_view line : kDefaultLines) {
    std::fwrite(line.data(), 1, line.size(), file);
    std::fwrite("\r\n", 1, 2, file);
  }
  std::fflush(file);
  std::rewind(file);
  return file;
}

// One pair of the section, given its index line: the material line is read at once, and the
// pair gives that color its material when the index is a color up to the largest in use.
void readPair(RunState& run, std::string_view indexLine) {
  std::size_t start = indexLine.find_first_not_of(' ');
  std::int32_t index = 0;
  bool valid = start != std::string_view::npos && readInt(indexLine.substr(start), index);
  if (!run.settingsFile.readLine()) return;
  std::string_view material = run.settingsFile.line();
  material = material.substr(0, material.find('#'));
  if (!valid || run.colorCount < 1) return;
  std::int32_t largest = run.colorTable[static_cast<std::size_t>(run.colorCount - 1)].color;
  if (index >= 0 && index <= largest) {
    overrideMaterial(run.colorTable, run.colorCount, index, material);
  }
}

}  // namespace

std::string_view defaultSettingsLine(std::size_t index) { return kDefaultLines[index]; }

void openSettings(RunState& run) {
  std::size_t dot = run.modulePath.rfind('.');
  run.modulePath.resize(dot == std::string::npos ? 0 : dot + 1);
  run.settingsPath = run.modulePath + "cfg";
  run.settingsAvailable = false;

  // Only a regular file is read, and a new one is made only where nothing bears the name: an
  // existing file that cannot be read is never emptied, and a directory, a pipe or a dangling
  // link is neither read (a pipe would block) nor replaced.
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::is_regular_file(fs::status(nativePath(run.settingsPath), error))) {
    if (run.settingsFile.open(run.settingsPath)) {
      run.settingsAvailable = true;
      return;
    }
  } else if (!fs::exists(fs::symlink_status(nativePath(run.settingsPath), error))) {
    if (std::FILE* created = createDefaultSettings(run.settingsPath)) {
      run.settingsFile.attach(created);
      run.settingsAvailable = true;
      return;
    }
  }
  showReport(run.platform, IconKind::Warning, msg::kSettingsUnavailable, run.settingsPath, 0, "",
             "", 0);
}

void readSettings(RunState& run) {
  run.headerSeen = false;
  run.scaleBoxOn = true;
  run.rotationOn = true;
  if (!run.settingsAvailable) return;

  LineReader& file = run.settingsFile;
  bool inSection = false;
  for (;;) {
    bool delivered = file.readLine();
    std::string_view line = file.line();
    if (!delivered || file.atFileEnd() || contains(line, kEndWithRotation) ||
        contains(line, kEndWithoutRotation)) {
      if (delivered && contains(line, kEndWithoutRotation) && !contains(line, kEndWithRotation)) {
        run.rotationOn = false;
      }
      break;
    }
    if (inSection) {
      readPair(run, line);
      if (file.atFileEnd()) break;
    } else if (!run.headerSeen && contains(line, kSettingsHeader)) {
      run.headerSeen = true;
    } else if (contains(line, kBeginWithScaleBox)) {
      inSection = true;
    } else if (contains(line, kBeginWithoutScaleBox)) {
      run.scaleBoxOn = false;
      inSection = true;
    }
  }
  file.close();
}

}  // namespace facetor
