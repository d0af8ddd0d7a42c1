#pragma once
// Where the program lives, as the platform reports it.
#include "common/text.h"

namespace quorbel {

// The directory of the executable without a trailing separator, except for a
// drive root ("C:\"), which the platform reports with one.
Text ExeDirectory();
// The executable's file name without its extension.
Text ExeBaseName();
// The path the autostart entry names: the directory, "\", the base name,
// ".exe". A drive root therefore gives a doubled backslash, which Windows
// accepts.
Text ExePathForAutostart();
// A fixed file beside the executable: the reported directory, "\", the name.
Text FileBesideExe(TextView name);

}  // namespace quorbel
