#pragma once
// The platform's Open or Save file dialog with four behaviours of its own:
// every folder change switches the file list to `view_command`'s layout and
// empties the file-name box; selecting an item that leaves the dialog's file
// path unchanged (a folder) writes its name into the box; in a Save dialog a
// new file type cuts the old extension off the name and becomes the default
// extension; a chosen name without extension gets the selected type's one.
#include <cstdint>

#include "common/text.h"

namespace quorbel {

// `filter` is "description|pattern|..." and is replaced by its converted
// form; `filter_index` (1-based) of 0 is derived from `file_name` and written
// back. `owner` is an HWND. Returns the chosen path, or "" on Cancel or
// failure (an initial name of 260 characters or more starts the dialog empty).
Text ShowFileDialog(void* owner, const Text& file_name, Text& filter, int32_t& filter_index,
                    const Text& title, int16_t open_mode, int32_t view_command);

}  // namespace quorbel
