#pragma once
// The folders where only administrators may change files, as this system
// names them.
#include <vector>

#include "common/text.h"

namespace quorbel {

// Program Files (both views) and the Windows folder; a folder the system
// does not report is left out.
std::vector<Text> AdminOnlyFolders();

}  // namespace quorbel
