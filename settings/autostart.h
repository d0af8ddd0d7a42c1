#pragma once
// Whose autostart entry is whose, and where an executable's entry may go.
#include <vector>

#include "common/text.h"

namespace quorbel {

// Whether `path` lies inside one of `folders` (full paths, with or without a
// trailing separator). Names compare without regard to case, as Windows
// compares them for ASCII and Latin-1 letters; a path that could climb out
// of a folder ("." or ".." among its names) lies in none, and a drive root
// counts as no folder (every path of the drive would lie under it).
bool LiesUnderFolder(TextView path, const std::vector<Text>& folders);

// Whether the data of a Run entry names the executable: its path, quoted or
// not, compared without regard to case.
bool NamesExecutable(TextView command, TextView exe_path);

}  // namespace quorbel
