#include "platform/console_prompts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "temp_dir.h"

namespace facetor {
namespace {

using testing::TempDir;
using testing::writeFile;

constexpr FilePrompt kOpen{PromptKind::Open, "Open title", 130, ".dxf"};
constexpr FilePrompt kSave{PromptKind::Save, "Save title", 131, ".x3d"};

// A folder with a dot in its name, so that the extension rules must look at the file name.
struct PromptFixture : ::testing::Test {
  PromptFixture() {
    std::filesystem::create_directory(dir.path() / "my.files");
    writeFile(file("plate.dxf"), "0\n");
    writeFile(file("notes"), "0\n");
    writeFile(file("part.txt.dxf"), "0\n");
    writeFile(file("old.x3d"), "x");
  }
  std::string file(const std::string& name) const { return dir.file("my.files/" + name); }

  // Answers a prompt from `input` (each "@" stands for the folder); `notes` gets what the
  // prompt wrote.
  std::optional<std::string> ask(const FilePrompt& prompt, std::string input,
                                 const std::string& initialName = "", bool interactive = false) {
    for (std::size_t at; (at = input.find('@')) != std::string::npos;) {
      input.replace(at, 1, dir.file("my.files"));
    }
    std::istringstream in(input);
    std::ostringstream out;
    std::optional<std::string> result =
        ConsolePrompts(in, out, interactive).ask(prompt, initialName);
    notes = out.str();
    return result;
  }

  TempDir dir;
  std::string notes;
};

TEST_F(PromptFixture, OpenTakesOnlyExistingFiles) {
  struct Case {
    const char* name;
    const char* input;
    const char* chosen;  // a file of the folder, or null when the prompt is cancelled
    int refusals;
  };
  const std::vector<Case> cases = {
      {"end of input", "", nullptr, 0},
      {"empty line", "\n@/plate.dxf\n", nullptr, 0},
      {"existing file", "@/plate.dxf\n", "plate.dxf", 0},
      {"CR LF line", "@/plate.dxf\r\n", "plate.dxf", 0},
      {"last line without line end", "@/plate.dxf", "plate.dxf", 0},
      {"default extension added", "@/plate\n", "plate.dxf", 0},
      {"file without extension", "@/notes\n", "notes", 0},
      {"missing, then existing", "@/missing.dxf\n@/plate.dxf\n", "plate.dxf", 1},
      {"missing, then end", "@/missing.dxf\n", nullptr, 1},
      {"extension typed, not added", "@/part.txt\n", nullptr, 1},
      {"folder refused", "@\n\n", nullptr, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<std::string> chosen = ask(kOpen, c.input);
    if (c.chosen == nullptr) {
      EXPECT_FALSE(chosen.has_value());
    } else {
      EXPECT_EQ(chosen, file(c.chosen));
    }
    std::size_t refusals = 0;
    for (std::size_t at = 0; (at = notes.find("No such file: ", at)) != std::string::npos; ++at) {
      ++refusals;
    }
    EXPECT_EQ(refusals, static_cast<std::size_t>(c.refusals)) << notes;
  }
}

TEST_F(PromptFixture, SaveOffersNameAndAsksBeforeReplacing) {
  const std::string offered = file("plate.x3d");
  const std::string existing = file("old.x3d");
  const std::string question = existing + " already exists. Replace it? [y/N]\n";
  struct Case {
    const char* name;
    const char* input;
    std::string initialName;
    const char* chosen;  // a file of the folder, or null when the prompt is cancelled
    std::string notes;
  };
  const std::vector<Case> cases = {
      {"end of input", "", offered, nullptr, ""},
      {"offer accepted", "\n", offered, "plate.x3d", ""},
      {"typed name gets extension", "@/out\n", offered, "out.x3d", ""},
      {"typed extension kept", "@/out.wrl\n", offered, "out.wrl", ""},
      {"existing offer, y", "\ny\n", existing, "old.x3d", question},
      {"existing offer, YES", "\nYES\r\n", existing, "old.x3d", question},
      {"existing typed, Yes", "@/old\nYes\n", offered, "old.x3d", question},
      {"refused, other name", "\nn\n@/new\n", existing, "new.x3d", question},
      {"refused by empty line, then end", "\n\n", existing, nullptr, question},
      {"end at the question", "\n", existing, nullptr, question},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<std::string> chosen = ask(kSave, c.input, c.initialName);
    if (c.chosen == nullptr) {
      EXPECT_FALSE(chosen.has_value());
    } else {
      EXPECT_EQ(chosen, file(c.chosen));
    }
    EXPECT_EQ(notes, c.notes);
  }
}

TEST_F(PromptFixture, InteractivePromptsShowTitleAndOffer) {
  EXPECT_EQ(ask(kOpen, "@/plate\n", "", true), file("plate.dxf"));
  EXPECT_EQ(notes.rfind("Open title\n", 0), 0u) << notes;

  EXPECT_EQ(ask(kSave, "\n", file("plate.x3d"), true), file("plate.x3d"));
  EXPECT_EQ(notes.rfind("Save title\n", 0), 0u) << notes;
  EXPECT_NE(notes.find(std::string("[").append(file("plate.x3d")).append("]")), std::string::npos)
      << notes;
}

TEST_F(PromptFixture, RelativeNamesBecomeAbsolute) {
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  std::optional<std::string> opened = ask(kOpen, "my.files/plate\n");
  std::optional<std::string> saved = ask(kSave, "my.files/../my.files/out\n", "ignored.x3d");
  std::filesystem::current_path(before);

  std::string folder = std::filesystem::canonical(dir.path()).string();
  EXPECT_EQ(opened, folder + "/my.files/plate.dxf");
  EXPECT_EQ(saved, folder + "/my.files/out.x3d");
}

}  // namespace
}  // namespace facetor
