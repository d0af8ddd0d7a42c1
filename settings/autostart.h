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

// Whose a Run entry is, seen from the running executable.
enum class EntryOwner { ThisExecutable, OtherCopy, OtherProgram };

// An entry naming `exe_path` is this executable's; one whose program has
// `program_file_name` (compared without regard to case) at another place is
// another copy of this program, moved, reinstalled or in a build tree; any
// other entry is another program's. An empty `program_file_name` makes only
// this executable's entry ours.
EntryOwner OwnerOfEntry(TextView command, TextView exe_path, TextView program_file_name);

}  // namespace quorbel
