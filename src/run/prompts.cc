#include "run/prompts.h"

#include "facetor_strings.h"

namespace facetor {
namespace {

constexpr FilePrompt kOpenPrompt{PromptKind::Open, kOpenPromptTitle, IDS_DXF_FILTER, ".dxf"};
constexpr FilePrompt kSavePrompt{PromptKind::Save, kSavePromptTitle, IDS_X3D_FILTER, ".x3d"};

bool ask(RunState& run, const FilePrompt& prompt, std::string& path) {
  std::optional<std::string> chosen = run.platform.askPath(prompt, path);
  if (!chosen) return false;
  path = std::move(*chosen);
  return true;
}

}  // namespace

bool askDxfPath(RunState& run) { return ask(run, kOpenPrompt, run.dxfPath); }

bool askX3dPath(RunState& run) { return ask(run, kSavePrompt, run.x3dPath); }

}  // namespace facetor
