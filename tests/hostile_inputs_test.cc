// The real executable on inputs that are broken, huge, binary, unreadable or oddly named: each
// ends with a clear message and exit status 255, or with a correct conversion, and writes
// nothing but its document.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "../tools/dxf_writer.h"
#include "documents.h"
#include "program_run.h"
#include "temp_dir.h"

namespace facetor {
namespace {

namespace fs = std::filesystem;
using testing::keepDocument;
using testing::Outcome;
using testing::readFile;
using testing::runProgram;
using testing::TempDir;
using testing::writeFile;
using tools::Corner;
using tools::DxfWriter;

constexpr std::array<Corner, 4> kSquare = {{{0, 0, 0}, {1, 0, 0}, {1, 1, 1}, {0, 1, 1}}};
constexpr std::size_t kLongLine = 50u << 20;

constexpr std::array<std::string_view, 12> kUnitValues = {"0", "0", "0", "1", "0", "0",
                                                          "1", "1", "0", "0", "1", "0"};

// A face whose color and twelve coordinates are written as given.
DxfWriter& rawFace(DxfWriter& dxf, std::string_view color,
                   const std::array<std::string_view, 12>& values) {
  static constexpr const char* kCodes[12] = {"10", "20", "30", "11", "21", "31",
                                             "12", "22", "32", "13", "23", "33"};
  dxf.pair("0", "3DFACE").pair("8", "0").pair("62", color);
  for (std::size_t i = 0; i < values.size(); ++i) dxf.pair(kCodes[i], values[i]);
  return dxf;
}

std::string plate() { return readFile(std::string(FACETOR_EXAMPLES) + "/plate.dxf"); }

// The first `count` lines of `text`.
std::string firstLines(const std::string& text, int count) {
  std::size_t end = 0;
  for (int i = 0; i < count; ++i) end = text.find('\n', end) + 1;
  return text.substr(0, end);
}

// Bytes that are neither digits, letters nor line feeds, in lines of 100: no line of it reads
// as a number or holds a name.
std::string garbage(int lines) {
  std::string bytes;
  std::uint32_t state = 12345;
  for (int line = 0; line < lines; ++line) {
    for (int i = 0; i < 100; ++i) {
      state = state * 1103515245u + 12345u;
      auto byte = static_cast<char>((state >> 16) & 0xff);
      if ((byte >= 0x0a && byte < 0x7f) || byte == '\n') byte = static_cast<char>(0x80 | byte);
      bytes += i % 10 == 0 ? '\0' : byte;
    }
    bytes += '\n';
  }
  return bytes;
}

// A drawing with one face whose layer name is a single line of 50 MB.
void writeLongLayer(const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << DxfWriter().begin().pair("0", "3DFACE").text();
  const std::string block(1 << 20, 'L');
  out << "8\r\n";
  for (std::size_t i = 0; i < kLongLine; i += block.size()) out << block;
  out << "\r\n" << DxfWriter().pair("62", "3").text();
  std::string rest = DxfWriter().face(3, kSquare).end().text();
  out << rest.substr(rest.find("10\r\n"));
}

void writeLongLine(const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  const std::string block(1 << 20, '7');
  for (std::size_t i = 0; i < kLongLine; i += block.size()) out << block;
}

// What lies in a folder: the bytes of each file of up to a megabyte, the size of larger ones,
// "dir" for a folder.
std::map<std::string, std::string> contents(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_directory()) {
      entries[name] = "dir";
    } else if (entry.file_size() > (1u << 20)) {
      entries[name] = std::to_string(entry.file_size()) + " bytes";
    } else {
      fs::perms perms = entry.status().permissions();
      fs::permissions(entry.path(), fs::perms::owner_read, fs::perm_options::add);
      entries[name] = readFile(entry.path().string());
      fs::permissions(entry.path(), perms);
    }
  }
  return entries;
}

struct Row {
  const char* name;
  std::function<void(const fs::path& work)> prepare;  // writes the input into the folder
  std::string input;                                  // the command line: this name in the folder
  // The message after "facetor: error: ", "@" standing for the folder. Empty for a run that
  // converts; the document is then the input's name with ".x3d" and holds `polygons`.
  std::string message;
  int polygons = 0;
  bool unprivileged = false;  // as the user nobody when the test runs as root
  const char* leftOver = "";  // a file the failure leaves beside the input
  const char* holds = "";     // a text the scene of the document holds
};

struct HostileInputs : ::testing::Test {
  HostileInputs() {
    fs::create_directories(dir.path() / "my.tools");
    fs::create_directories(capture);
    fs::copy_file(FACETOR_EXE, exe);
    // The program may run as nobody: the folders are open to everyone.
    for (const fs::path& folder : {dir.path(), dir.path() / "my.tools"}) {
      fs::permissions(folder, fs::perms::all);
    }
  }

  void check(const Row& row) {
    SCOPED_TRACE(row.name);
    if (fs::exists(work)) fs::permissions(work, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(work);
    fs::create_directory(work);
    fs::permissions(work, fs::perms::all);
    row.prepare(work);
    const std::map<std::string, std::string> before = contents(work);
    const std::string input = (work / row.input).string();

    Outcome outcome = runProgram({exe,
                                  {input},
                                  work.string(),
                                  capture.string(),
                                  testing::Stdin::DevNull,
                                  "",
                                  row.unprivileged});
    fs::permissions(work, fs::perms::owner_all, fs::perm_options::add);
    std::map<std::string, std::string> after = contents(work);

    if (!row.message.empty()) {
      std::string message = row.message;
      message.replace(message.find('@'), 1, work.string());
      EXPECT_EQ(outcome.status, 255);
      EXPECT_EQ(outcome.out, "");
      EXPECT_EQ(outcome.err, "facetor: error: " + message + "\n");
      if (*row.leftOver != '\0') {
        EXPECT_EQ(after.erase(row.leftOver), 1u);
      }
      EXPECT_EQ(after, before);  // the input untouched, nothing written beside it
      return;
    }
    const std::string base = row.input.substr(0, row.input.size() - 4);
    const std::string output = (work / (base + ".x3d")).string();
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out,
              "facetor Conversion Completed !!\n\nfrom / to\n" + input + "    \n" + output + "\n");
    const std::string document = after[base + ".x3d"];
    EXPECT_NE(document.find("Converted " + std::to_string(row.polygons) + " polygons. -->\r\n"),
              std::string::npos);
    const std::string scene = document.substr(std::min(document.find("<Scene>"), document.size()));
    EXPECT_EQ(scene.find("inf"), std::string::npos);
    EXPECT_EQ(scene.find("nan"), std::string::npos);
    EXPECT_NE(scene.find(row.holds), std::string::npos) << row.holds;
    after.erase(base + ".x3d");
    EXPECT_EQ(after, before);
    keepDocument(output, "row" + std::to_string(&row - rows.data()));
  }

  TempDir dir;
  const std::string exe = dir.file("my.tools/facetor");
  const fs::path work = dir.path() / "work";
  const fs::path capture = dir.path() / "capture";
  std::vector<Row> rows;
};

// Writes `text` as `name` in the folder.
std::function<void(const fs::path&)> file(std::string name, std::string text) {
  return [name, text](const fs::path& work) { writeFile((work / name).string(), text); };
}

TEST_F(HostileInputs, EndInAMessageOrAConversionAndWriteNothingElse) {
  DxfWriter allColors;
  allColors.begin();
  for (int color = 0; color < 256; ++color) allColors.face(color, kSquare);
  allColors.end();

  // Integers and floats as another program could write them, beyond every range.
  const std::string farOut =
      rawFace(rawFace(DxfWriter().begin(), "1",
                      {"1e39", "0", "-1e300", "1", "1e-50", "123456789012345678901234567890", "1",
                       "1", "4e38", "0", "1", "-0"}),
              "-99999999999", kUnitValues)
          .end()
          .text();

  std::string nulValues = plate();
  nulValues.replace(nulValues.find("3DFACE\r\n8\r\n0\r\n"), 14,
                    std::string("3DFACE\r\n8\r\n0\0lay\r\n", 18));
  nulValues.replace(nulValues.find("11\r\n2.0\r\n"), 9, std::string("11\r\n2.0\0\x01z\r\n", 12));

  rows = {
      {"an empty file", file("empty.dxf", ""), "empty.dxf",
       "Probably Not DXF file:\nPlease check the file name/format!\n@/empty.dxf line: 2"},
      {"binary garbage with NUL bytes", file("garbage.dxf", garbage(64)), "garbage.dxf",
       "Probably Not DXF file:\nPlease check the file name/format!\n@/garbage.dxf line: 66"},
      {"a single line of 50 MB",
       [](const fs::path& w) { writeLongLine((w / "long.dxf").string()); }, "long.dxf",
       "Probably Not DXF file:\nPlease check the file name/format!\n@/long.dxf line: 2"},
      {"a color index beyond the integer range",
       file("huge.dxf", rawFace(DxfWriter().begin(), "99999999999", kUnitValues).end().text()),
       "huge.dxf", "Beyond Color Index limitation 255 < 2147483647\n@/huge.dxf line 10"},
      {"a group code 2^32 above 62",
       file("wrap.dxf", DxfWriter()
                            .begin()
                            .pair("0", "3DFACE")
                            .pair("8", "0")
                            .pair("4294967358", "1")
                            .end()
                            .text()),
       "wrap.dxf", "Wrong DXF Color Code\nShould be 62 but 2147483647\n@/wrap.dxf line 9"},
      {"a folder as the input", [](const fs::path& w) { fs::create_directory(w / "folder.dxf"); },
       "folder.dxf", "Can't open DXF file:\n\n@/folder.dxf"},
      {"an unreadable input",
       [](const fs::path& w) {
         writeFile((w / "plate.dxf").string(), plate());
         fs::permissions(w / "plate.dxf", fs::perms::none);
       },
       "plate.dxf", "Can't open DXF file:\n\n@/plate.dxf", 0, true},
      {"an output folder that is not writable",
       [](const fs::path& w) {
         writeFile((w / "plate.dxf").string(), plate());
         fs::permissions(w, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
       },
       "plate.dxf",
       "Can't write X3D file!\nPerhaps specified file already exists and write protected\n\n"
       "@/plate.x3d",
       0, true},
      // A double quote ends the path, so that a whole quoted command line works.
      {"a double quote in the name", file("say \"hi\".dxf", plate()), "say \"hi\".dxf",
       "Can't open DXF file:\n\n@/say .dxf"},
      // The survey reads no corners; the first output pass meets the end of the file where the
      // code 31 should be, and the incomplete document stays, as after a failed write.
      {"a file cut in the middle of a face", file("cut.dxf", firstLines(plate(), 20)), "cut.dxf",
       "Wrong COORDS + VERTICES Combination!\nxyz 1|2|3*10 + vert 0|1|2|3 <> @/cut.dxf line 21", 0,
       false, "cut.x3d"},
      // A read at the end of the file keeps the last line, so the missing color line reads as
      // 62, and so does every missing corner line.
      {"a file cut after the color code", file("cut62.dxf", firstLines(plate(), 9)), "cut62.dxf",
       "Wrong COORDS + VERTICES Combination!\nxyz 1|2|3*10 + vert 0|1|2|3 <> 62\n"
       "@/cut62.dxf line 11",
       0, false, "cut62.x3d"},

      {"blanks, &, ', < and > in the name", file("my plate & co's <best>.dxf", plate()),
       "my plate & co's <best>.dxf", "", 2},
      {"UTF-8 in the name", file("plaque d'\xc3\xa9t\xc3\xa9.dxf", plate()),
       "plaque d'\xc3\xa9t\xc3\xa9.dxf", "", 2},
      {"bytes that are not UTF-8 in the name", file("raw\xff\xfe\x80.dxf", plate()),
       "raw\xff\xfe\x80.dxf", "", 2},
      {"NUL bytes inside values", file("nul.dxf", nulValues), "nul.dxf", "", 2},
      {"numbers beyond the integer and float ranges", file("far.dxf", farOut), "far.dxf", "", 4,
       false, "", "340282346638528859811704183484516925440.00000 "},
      {"faces of all 256 colors", file("colors.dxf", allColors.text()), "colors.dxf", "", 512},
      {"a layer name of 50 MB",
       [](const fs::path& w) { writeLongLayer((w / "layer.dxf").string()); }, "layer.dxf", "", 2},
  };
  for (const Row& row : rows) check(row);
}

}  // namespace
}  // namespace facetor
