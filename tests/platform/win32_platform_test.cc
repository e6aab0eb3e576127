#include "platform/win32_platform.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "facetor_strings.h"
#include "fake_platform.h"
#include "run/run_conversion.h"
#include "temp_dir.h"

namespace facetor {
namespace {

// The zero-terminated elements of a filter list, up to the empty one that ends it.
std::vector<std::string> filterElements(const FilterList& list) {
  std::vector<std::string> elements;
  for (const char* at = list.data(); *at != '\0'; at += elements.back().size() + 1) {
    elements.emplace_back(at);
  }
  return elements;
}

TEST(Win32Platform, FilterListsComeFromTheStringResources) {
  struct Row {
    int id;
    std::vector<std::string> elements;
  };
  const Row rows[] = {
      {130, {"DXF Files (*.dxf)", "*.dxf", "All Files(*.*)", "*.*"}},
      {131, {"X3D Files (*.x3d)", "*.x3d", "All Files(*.*)", "*.*"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    FilterList list;
    list.fill('#');
    int length = loadFilterList(GetModuleHandleA(nullptr), row.id, list);
    EXPECT_EQ(length, 43);
    EXPECT_EQ(filterElements(list), row.elements);
    // The last element is followed by a second zero byte, and nothing is left of the old text.
    EXPECT_EQ(list[43], '\0');
    EXPECT_EQ(list[44], '\0');
    EXPECT_EQ(list.back(), '\0');
  }

  FilterList missing;
  missing.fill('#');
  EXPECT_EQ(loadFilterList(GetModuleHandleA(nullptr), 999, missing), 0);
  EXPECT_EQ(missing[0], '\0');
}

TEST(Win32Platform, PromptRecordsAreFilledAsTheDialogsExpect) {
  HINSTANCE module = GetModuleHandleA(nullptr);
  const FilePrompt open{PromptKind::Open, "Open title", IDS_DXF_FILTER, ".dxf"};
  const FilePrompt save{PromptKind::Save, "Save title", IDS_X3D_FILTER, ".x3d"};
  FilterList filter{};
  PathField path{};

  OPENFILENAMEA record = promptRecord(module, open, filter, path);
  EXPECT_EQ(record.lStructSize, OPENFILENAME_SIZE_VERSION_400A);
  // The short record ends where the fields added by later versions of the dialogs begin.
  EXPECT_EQ(record.lStructSize, offsetof(OPENFILENAMEA, pvReserved));
  EXPECT_EQ(record.hwndOwner, nullptr);
  EXPECT_EQ(record.hInstance, module);
  EXPECT_EQ(record.lpstrFilter, filter.data());
  EXPECT_EQ(record.lpstrCustomFilter, nullptr);
  EXPECT_EQ(record.nMaxCustFilter, 0u);
  EXPECT_EQ(record.nFilterIndex, 1u);
  EXPECT_EQ(record.lpstrFile, path.data());
  EXPECT_EQ(record.nMaxFile, 259u);
  EXPECT_EQ(record.lpstrFileTitle, nullptr);
  EXPECT_EQ(record.nMaxFileTitle, 0u);
  EXPECT_EQ(record.lpstrInitialDir, nullptr);
  EXPECT_STREQ(record.lpstrTitle, "Open title");
  EXPECT_EQ(record.Flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES));
  EXPECT_STREQ(record.lpstrDefExt, "dxf");  // the dialog adds the period
  EXPECT_EQ(record.lCustData, 0);
  EXPECT_EQ(record.lpfnHook, nullptr);
  EXPECT_EQ(record.lpTemplateName, nullptr);

  record = promptRecord(module, save, filter, path);
  EXPECT_STREQ(record.lpstrTitle, "Save title");
  EXPECT_EQ(record.Flags,
            static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_LONGNAMES));
  EXPECT_STREQ(record.lpstrDefExt, "x3d");
  EXPECT_EQ(record.nFilterIndex, 1u);
}

TEST(Win32Platform, ExecutablePathClockAndFileNames) {
  std::unique_ptr<Platform> platform = makePlatform();

  // The full path of this test program, whose last "." starts its extension.
  std::string path = platform->executablePath();
  ASSERT_GT(path.size(), 4u);
  EXPECT_EQ(path[1], ':') << path;
  std::string extension = path.substr(path.rfind('.'));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(extension, ".exe");

  // Seconds since 1970, as the C library counts them.
  std::int64_t before = static_cast<std::int64_t>(std::time(nullptr));
  std::int64_t seconds = platform->calendarSeconds();
  std::int64_t after = static_cast<std::int64_t>(std::time(nullptr));
  EXPECT_GE(seconds, before - 1);
  EXPECT_LE(seconds, after + 1);

  LocalTime now = platform->localTime();
  EXPECT_GE(now.year, 2024);
  EXPECT_TRUE(now.month >= 1 && now.month <= 12);
  EXPECT_TRUE(now.day >= 1 && now.day <= 31);

  EXPECT_FALSE(platform->caseSensitivePaths());
}

// Paths are text in the ANSI code page, as the C library's file functions read them. A name
// with a character that the code page places where Latin-1 has a control character (the euro
// sign in the Western code page) must name the same file for every check the run makes.
TEST(Win32Platform, AnsiNamesNameTheSameFileThroughoutARun) {
  char euro[8] = {};
  BOOL unmapped = FALSE;
  int size =
      WideCharToMultiByte(CP_ACP, 0, L"\u20ac", 1, euro, sizeof euro - 1, nullptr, &unmapped);
  if (size <= 0 || unmapped) GTEST_SKIP() << "the code page has no euro sign";

  testing::TempDir dir;
  const std::string base = dir.file("plate ") + euro;
  {
    std::FILE* drawing = std::fopen((base + ".dxf").c_str(), "wb");
    ASSERT_NE(drawing, nullptr);
    std::FILE* sample = std::fopen(FACETOR_EXAMPLES "/plate.dxf", "rb");
    ASSERT_NE(sample, nullptr);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, sample)) > 0;) {
      std::fwrite(buffer, 1, n, drawing);
    }
    std::fclose(sample);
    std::fclose(drawing);
  }

  testing::FakePlatform platform;
  platform.modulePath = base + ".exe";
  EXPECT_EQ(runConversion(platform, "\"" + base + ".dxf\""), 0);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].icon, IconKind::Information);
  for (const char* extension : {".x3d", ".cfg"}) {
    std::FILE* file = std::fopen((base + extension).c_str(), "rb");
    EXPECT_NE(file, nullptr) << extension;
    if (file != nullptr) std::fclose(file);
  }

  // The output named as the drawing is refused rather than opened, which would empty it.
  testing::FakePlatform saving;
  saving.modulePath = platform.modulePath;
  saving.answers = {base + ".dxf", base + ".dxf"};
  EXPECT_EQ(runConversion(saving, ""), -1);
  ASSERT_EQ(saving.boxes.size(), 1u);
  EXPECT_EQ(saving.boxes[0].text.rfind("Can't write X3D file!\nIt is the DXF file", 0), 0u);
}

}  // namespace
}  // namespace facetor
