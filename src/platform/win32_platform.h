#pragma once

// The Win32 platform: message boxes, the common Open and Save dialogs, the executable's path
// from the module, the local clock, and the thread locale.

#include <windows.h>
// The dialogs' declarations need the Windows types first.
#include <commdlg.h>

#include <array>
#include <cstddef>
#include <memory>

#include "platform/platform.h"

namespace facetor {

static_assert(static_cast<int>(IconKind::Error) == MB_ICONERROR);
static_assert(static_cast<int>(IconKind::Warning) == MB_ICONWARNING);
static_assert(static_cast<int>(IconKind::Information) == MB_ICONINFORMATION);
static_assert(kIdOk == IDOK);

// The prompts give their dialog record the size OPENFILENAME_SIZE_VERSION_400A: the record
// without the fields that later versions of the dialogs added, which every version accepts.
#ifndef _WIN64
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76,
              "the 32-bit dialog record without the later fields is 76 bytes");
#endif

/// A prompt's filter list: a string resource loaded with the limit kFilterLoadLimit, so at
/// most 126 characters and the terminator.
using FilterList = std::array<char, 128>;
inline constexpr int kFilterLoadLimit = 127;

/// A prompt's file name field. The dialog may fill kPathFieldCapacity bytes of it, the
/// terminator included, so a chosen path has at most 258 characters.
using PathField = std::array<char, 260>;
inline constexpr DWORD kPathFieldCapacity = 259;

/// Loads string resource `id` of `module` into `list` and turns every "|" into a zero byte:
/// the display names and patterns become zero-terminated elements, the last one followed by a
/// second zero byte. Returns the number of characters loaded; 0 leaves `list` empty.
int loadFilterList(HINSTANCE module, int id, FilterList& list);

/// The dialog record of `prompt`: owned by no window, `filter` with its first pair selected,
/// `path` as the file name field (its content is the initial name), the prompt's title, its
/// default extension without the leading period (the dialogs add one), and the flags of an Open
/// prompt (an existing file only) or of a Save prompt (asking before a file is replaced); neither
/// shows the read-only box.
OPENFILENAMEA promptRecord(HINSTANCE module, const FilePrompt& prompt, const FilterList& filter,
                           PathField& path);

/// The Win32 platform of the module `module`, whose string resources hold the filter lists.
std::unique_ptr<Platform> makeWin32Platform(HINSTANCE module);

}  // namespace facetor
