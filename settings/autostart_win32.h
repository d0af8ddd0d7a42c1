#pragma once
// The folders where only administrators may change files, as this system
// names them.
#include <vector>

#include "common/text.h"

namespace quorbel {

// Program Files (both views); a folder the system does not report is left
// out. Not the Windows folder: standard users may write to some of its
// subfolders (Tasks, Temp).
std::vector<Text> AdminOnlyFolders();

}  // namespace quorbel
