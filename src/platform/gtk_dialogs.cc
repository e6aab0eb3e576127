#include "platform/gtk_dialogs.h"

#include <gtk/gtk.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/file_filters.h"
#include "platform/file_names.h"

namespace facetor {
namespace {

namespace fs = std::filesystem;

struct GFreeDeleter {
  void operator()(gchar* text) const { g_free(text); }
};
using GText = std::unique_ptr<gchar, GFreeDeleter>;

/// GTK shows only UTF-8. Paths are bytes: anything that is not UTF-8 is shown replaced.
std::string displayable(const std::string& text) {
  GText valid(g_utf8_make_valid(text.c_str(), static_cast<gssize>(text.size())));
  return valid.get();
}

/// Lets GTK handle what the closed dialog left behind (unmapping it above all), so that no
/// frozen dialog stays on screen while the conversion works. There is no main loop to do it.
void settle() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

const char* iconName(IconKind icon) {
  switch (icon) {
    case IconKind::Error:
      return "dialog-error";
    case IconKind::Warning:
      return "dialog-warning";
    case IconKind::Information:
      break;
  }
  return "dialog-information";
}

/// A modal dialog with an icon and a text, and the buttons the caller adds; `defaultResponse`
/// is what Return gives. Returns the response.
int runTextDialog(const std::string& title, const char* icon, const std::string& text,
                  std::initializer_list<std::pair<const char*, int>> buttons,
                  int defaultResponse) {
  GtkWidget* dialog = gtk_dialog_new();
  GtkWindow* window = GTK_WINDOW(dialog);
  gtk_window_set_title(window, displayable(title).c_str());
  gtk_window_set_modal(window, TRUE);
  gtk_window_set_resizable(window, FALSE);
  gtk_window_set_position(window, GTK_WIN_POS_CENTER);
  gtk_window_set_keep_above(window, TRUE);
  gtk_window_set_icon_name(window, icon);
  // Wide enough for the caption in the title bar, as the Windows box sizes itself to it.
  gtk_widget_set_size_request(dialog, 420, -1);
  for (const auto& [label, response] : buttons) {
    gtk_dialog_add_button(GTK_DIALOG(dialog), label, response);
  }
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), defaultResponse);

  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 18);
  gtk_container_set_border_width(GTK_CONTAINER(row), 12);
  GtkWidget* image = gtk_image_new_from_icon_name(icon, GTK_ICON_SIZE_DIALOG);
  gtk_widget_set_valign(image, GTK_ALIGN_START);
  gtk_box_pack_start(GTK_BOX(row), image, FALSE, FALSE, 0);
  GtkWidget* label = gtk_label_new(displayable(text).c_str());
  gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_line_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD_CHAR);
  gtk_label_set_max_width_chars(GTK_LABEL(label), 72);
  gtk_label_set_selectable(GTK_LABEL(label), TRUE);  // a path in a message can be copied
  gtk_widget_set_can_focus(label, FALSE);
  gtk_box_pack_start(GTK_BOX(row), label, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), row, TRUE, TRUE,
                     0);
  gtk_widget_show_all(row);

  GtkWidget* chosen = gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), defaultResponse);
  if (chosen != nullptr) gtk_widget_grab_focus(chosen);
  gtk_window_present(window);
  int response = gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
  settle();
  return response;
}

std::string currentDirectory() {
  std::error_code error;
  fs::path current = fs::current_path(error);
  return error ? std::string() : current.string();
}

/// The folder a Save prompt starts in and the name it offers, from the run's derived path.
std::pair<std::string, std::string> folderAndName(const std::string& path) {
  if (path.empty()) return {currentDirectory(), std::string()};
  fs::path absolute(absolutePath(path));
  return {absolute.parent_path().string(), absolute.filename().string()};
}

}  // namespace

std::unique_ptr<GtkDialogs> GtkDialogs::open() {
  if (!gtk_init_check(nullptr, nullptr)) return nullptr;
  return std::unique_ptr<GtkDialogs>(new GtkDialogs());
}

int GtkDialogs::messageBox(IconKind icon, const std::string& text, const std::string& caption) {
  runTextDialog(caption, iconName(icon), text, {{"_OK", GTK_RESPONSE_OK}}, GTK_RESPONSE_OK);
  return kIdOk;
}

std::optional<std::string> GtkDialogs::askPath(const FilePrompt& prompt,
                                               const std::string& initialName) {
  auto [folder, name] = prompt.kind == PromptKind::Open
                            ? std::pair{currentDirectory(), std::string()}
                            : folderAndName(initialName);
  for (;;) {
    std::optional<std::string> chosen = runChooser(prompt, folder, name);
    if (!chosen) return std::nullopt;
    if (prompt.kind == PromptKind::Open) {
      if (auto found = existingFileFor(*chosen, prompt.defaultExtension)) return found;
      runTextDialog(prompt.title, "dialog-warning",
                    *chosen + "\nFile not found.\nCheck the file name and try again.",
                    {{"_OK", GTK_RESPONSE_OK}}, GTK_RESPONSE_OK);
      folder = folderAndName(*chosen).first;
      continue;
    }
    std::string path = withDefaultExtension(*chosen, prompt.defaultExtension);
    std::error_code error;
    if (fs::is_directory(path, error)) {
      folder = path;
      name.clear();
      continue;
    }
    if (!pathTaken(path) || confirmReplace(prompt, path)) return path;
    std::tie(folder, name) = folderAndName(path);
  }
}

std::optional<std::string> GtkDialogs::runChooser(const FilePrompt& prompt,
                                                  const std::string& folder,
                                                  const std::string& name) {
  bool open = prompt.kind == PromptKind::Open;
  GtkFileChooserNative* native = gtk_file_chooser_native_new(
      prompt.title, nullptr, open ? GTK_FILE_CHOOSER_ACTION_OPEN : GTK_FILE_CHOOSER_ACTION_SAVE,
      open ? "_Open" : "_Save", "_Cancel");
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(native);
  gtk_native_dialog_set_modal(GTK_NATIVE_DIALOG(native), TRUE);
  gtk_file_chooser_set_local_only(chooser, TRUE);
  // The replace question comes after the default extension is added, from askPath.
  gtk_file_chooser_set_do_overwrite_confirmation(chooser, FALSE);

  std::vector<FileFilter> filters = parseFilterList(resourceText(prompt.filterResource));
  for (std::size_t i = 0; i < filters.size(); ++i) {
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, filters[i].name.c_str());
    for (const std::string& pattern : filters[i].patterns) {
      gtk_file_filter_add_pattern(filter, caseBlindPattern(pattern).c_str());
    }
    gtk_file_chooser_add_filter(chooser, filter);  // the chooser takes the reference
    if (i == 0) gtk_file_chooser_set_filter(chooser, filter);
  }

  if (!folder.empty()) gtk_file_chooser_set_current_folder(chooser, folder.c_str());
  if (!open) gtk_file_chooser_set_current_name(chooser, displayable(name).c_str());

  std::optional<std::string> chosen;
  if (gtk_native_dialog_run(GTK_NATIVE_DIALOG(native)) == GTK_RESPONSE_ACCEPT) {
    GText filename(gtk_file_chooser_get_filename(chooser));
    if (filename != nullptr) chosen = std::string(filename.get());
  }
  g_object_unref(native);
  settle();
  return chosen;
}

bool GtkDialogs::confirmReplace(const FilePrompt& prompt, const std::string& path) {
  std::string text =
      fs::path(path).filename().string() + " already exists.\nDo you want to replace it?";
  return runTextDialog(prompt.title, "dialog-warning", text,
                       {{"_No", GTK_RESPONSE_NO}, {"_Yes", GTK_RESPONSE_YES}},
                       GTK_RESPONSE_NO) == GTK_RESPONSE_YES;
}

}  // namespace facetor
