// Runs the real executable on real files in a temporary directory.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "../tools/dxf_writer.h"
#include "documents.h"
#include "program_run.h"
#include "settings/settings.h"
#include "temp_dir.h"

namespace facetor {
namespace {

using testing::keepDocument;
using testing::Outcome;
using testing::readFile;
using testing::runProgram;
using testing::Stdin;
using testing::TempDir;
using testing::writeFile;
using tools::DxfWriter;

constexpr std::array<tools::Corner, 4> kSquare = {{{0, 0, 0}, {1, 0, 0}, {1, 1, 1}, {0, 1, 1}}};

// A copy of the executable in a folder whose name holds a dot, so the settings file must be
// named after the executable and not cut at the folder's dot.
struct EndToEnd : ::testing::Test {
  EndToEnd() {
    std::filesystem::create_directory(dir.path() / "my.tools");
    std::filesystem::copy_file(FACETOR_EXE, exe);
  }

  // Runs the copy in the temporary directory with `arguments` and the standard input `input`
  // (`text` for Stdin::Text), and waits at most a minute for it.
  // With `unprivileged`, a test running as root runs the program as the user nobody.
  Outcome run(const std::vector<std::string>& arguments, Stdin input = Stdin::DevNull,
              const std::string& text = "", bool unprivileged = false) {
    const std::string folder = dir.path().string();
    return runProgram({exe, arguments, folder, folder, input, text, unprivileged});
  }

  void expectDefaultSettings() {
    std::string expected;
    for (std::size_t i = 0; i < kDefaultSettingsLines; ++i) {
      expected.append(defaultSettingsLine(i)).append("\r\n");
    }
    EXPECT_EQ(readFile(dir.file("my.tools/facetor.cfg")), expected);
    EXPECT_FALSE(std::filesystem::exists(dir.file("my.cfg")));
  }

  TempDir dir;
  const std::string exe = dir.file("my.tools/facetor");
};

TEST_F(EndToEnd, FailuresReportOnStandardErrorAndExit255) {
  DxfWriter tooManyColors;
  tooManyColors.begin();
  for (int color = 0; color < 256; ++color) tooManyColors.face(color, kSquare);
  tooManyColors.face(-1, kSquare).end();

  struct Case {
    const char* name;
    const char* file;  // written into the temporary directory unless content is empty
    std::string content;
    const char* argument;  // the command line: this name in the directory
    std::string message;   // after "facetor: error: ", with "@" standing for the directory
  };
  const std::vector<Case> cases = {
      {"cannot open", "", "", "missing", "Can't open DXF file:\n\n@/missing.dxf"},
      {"no faces", "notes.dxf", "Just a note,\r\nno drawing.\r\n", "notes.dxf",
       "Probably Not DXF file:\nPlease check the file name/format!\n@/notes.dxf line: 4"},
      {"wrong color code", "nocolor.dxf",
       DxfWriter().begin().pair("0", "3DFACE").pair("8", "0").pair("10", "0.0").end().text(),
       "nocolor", "Wrong DXF Color Code\nShould be 62 but 10\n@/nocolor.dxf line 9"},
      {"color above 255", "bright.dxf",
       DxfWriter().begin().face(1, kSquare).face(300, kSquare).end().text(), "bright.dxf",
       "Beyond Color Index limitation 255 < 300\n@/bright.dxf line 40"},
      {"more than 256 colors", "many.dxf", tooManyColors.text(), "many.dxf",
       "Beyond Color Count limitation 256 < 257\n@/many.dxf line 7690"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(dir.file("my.tools/facetor.cfg"));
    if (!c.content.empty()) writeFile(dir.file(c.file), c.content);
    std::string message = c.message;
    message.replace(message.find('@'), 1, dir.path().string());

    Outcome outcome = run({dir.file(c.argument)});
    EXPECT_EQ(outcome.status, 255);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "facetor: error: " + message + "\n");
    expectDefaultSettings();
  }
}

TEST_F(EndToEnd, GeneratedDrawingsConvertWithTheCompletionReport) {
  struct Row {
    const char* name;
    bool crlf;
    std::int32_t colors;
  };
  const Row rows[] = {{"three colors, CR LF", true, 3}, {"five colors, LF", false, 5}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DxfWriter dxf(row.crlf);
    dxf.begin();
    int triangles = 0;
    for (int i = 0; i < 40; ++i) {
      const float shift = static_cast<float>(i) - 20.5f;
      const bool quad = i % 3 != 0;
      dxf.face(1 + (i * 7) % row.colors * 40, {{{shift, -1, 0},
                                                {shift + 1, -2.25f, 0.5f},
                                                {shift, 3, 2},
                                                {shift, 3, quad ? 4.f : 2.f}}});
      triangles += quad ? 2 : 1;
    }
    const std::string input = dir.file("drawing.dxf");
    writeFile(input, dxf.end().text());

    Outcome outcome = run({input});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out, "facetor Conversion Completed !!\n\nfrom / to\n" + input + "    \n" +
                               dir.file("drawing.x3d") + "\n");
    const std::string document = readFile(dir.file("drawing.x3d"));
    EXPECT_NE(document.find("Converted " + std::to_string(triangles) + " polygons. -->\r\n"),
              std::string::npos);
    keepDocument(dir.file("drawing.x3d"), row.crlf ? "crlf" : "lf");
  }
  expectDefaultSettings();
}

TEST_F(EndToEnd, ReadOnlyOutputIsReportedAndKept) {
  std::filesystem::copy_file(std::string(FACETOR_EXAMPLES) + "/plate.dxf", dir.file("plate.dxf"));
  writeFile(dir.file("plate.x3d"), "an older document\r\n");
  std::filesystem::permissions(dir.file("plate.x3d"), std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::group_read |
                                                          std::filesystem::perms::others_read);
  // Root writes into read-only files, so the run goes as an ordinary user then.
  for (const char* folder : {"", "my.tools"}) {
    std::filesystem::permissions(dir.path() / folder, std::filesystem::perms::all);
  }
  Outcome outcome = run({dir.file("plate.dxf")}, Stdin::DevNull, "", /*unprivileged=*/true);
  EXPECT_EQ(outcome.status, 255);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err,
            "facetor: error: Can't write X3D file!\n"
            "Perhaps specified file already exists and write protected\n\n" +
                dir.file("plate.x3d") + "\n");
  EXPECT_EQ(readFile(dir.file("plate.x3d")), "an older document\r\n");
}

TEST_F(EndToEnd, HelpAndVersionPrintAndExitBeforeAnyRun) {
  Outcome version = run({"--version", "plate.dxf"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "facetor " FACETOR_VERSION "\n");
  EXPECT_EQ(version.err, "");

  for (const char* help : {"-h", "--help"}) {
    SCOPED_TRACE(help);
    Outcome outcome = run({help});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out.rfind("Usage: facetor", 0), 0u) << outcome.out;
    EXPECT_EQ(outcome.err, "");
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("my.tools/facetor.cfg")));

  // Only the first argument is an option; later ones are ignored like any extra argument.
  Outcome late = run({dir.file("missing.dxf"), "--version"});
  EXPECT_EQ(late.status, 255);
  EXPECT_EQ(late.out, "");
}

// No display in reach (nothing listens on display 4242): the program never waits for one and
// says everything in the console; only an explicit --ui=gui adds a warning that it does.
TEST_F(EndToEnd, WithoutDisplayEveryInterfaceFallsBackToTheConsole) {
  writeFile(dir.file("plate.dxf"), readFile(std::string(FACETOR_EXAMPLES) + "/plate.dxf"));
  const std::string folder = dir.path().string();
  const std::string cannotOpen = "facetor: error: Can't open DXF file:\n\nmissing.dxf\n";
  const std::string noDisplay = "facetor: warning: no display can be opened; using the console\n";
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{"missing.dxf"}, 255, cannotOpen},
      {{"--ui=console", "missing.dxf"}, 255, cannotOpen},
      {{"--ui=gui", "missing.dxf"}, 255, noDisplay + cannotOpen},
      {{"--ui=gui", "--", "plate"}, 0, noDisplay},
      {{"--ui=tui", "plate"},
       2,
       "facetor: error: unknown interface \"tui\" (--ui=gui or --ui=console)\n"
       "Try 'facetor --help'.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments[0] + " " + c.arguments.back());
    Outcome outcome = runProgram({exe, c.arguments, folder, folder, Stdin::DevNull, "", false},
                                 {"DISPLAY=:4242"});
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.err, c.err);
  }
  // The conversion ran and reported in the console.
  EXPECT_TRUE(std::filesystem::exists(dir.file("plate.x3d")));
}

TEST_F(EndToEnd, WithoutArgumentTheOpenPromptReadsStandardInput) {
  Outcome cancelled = run({});
  EXPECT_EQ(cancelled.status, 255);
  EXPECT_EQ(cancelled.out, "");
  EXPECT_EQ(cancelled.err, "");
  expectDefaultSettings();

  // A closed standard input cancels as well: the settings file, opened first, must not be
  // taken for it.
  Outcome closed = run({}, Stdin::Closed);
  EXPECT_EQ(closed.status, 255);
  EXPECT_EQ(closed.out, "");
  EXPECT_EQ(closed.err, "");

  // A missing name is refused and asked again; "notes" finds notes.dxf, which is no drawing.
  writeFile(dir.file("notes.dxf"), "Just a note,\r\nno drawing.\r\n");
  const std::string answers = "missing.dxf\nnotes\n";
  Outcome answered = run({}, Stdin::Text, answers);
  EXPECT_EQ(answered.status, 255);
  EXPECT_EQ(answered.out, "");
  EXPECT_EQ(answered.err,
            "No such file: missing.dxf\nfacetor: error: Probably Not DXF file:\n"
            "Please check the file name/format!\n" +
                std::filesystem::canonical(dir.path()).string() + "/notes.dxf line: 4\n");
}

}  // namespace
}  // namespace facetor
