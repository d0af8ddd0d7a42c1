#pragma once
// The plain logic behind the file dialog: the platform's form of the filter
// list, the file type a name belongs to, and the extension rules.
#include <cstdint>

#include "common/text.h"

namespace quorbel {

inline constexpr size_t kFileBufferChars = 260;

// "|" becomes NUL; a shorter text is padded with NULs to 260 characters, a
// longer one gets two NULs appended.
Text ConvertFilter(TextView filter);

// 1-based number of the file type whose pattern is exactly "*." + the name's
// extension (compared without regard to case), looking at the last four
// characters of `name`. With no match the count runs through every NUL of
// `filter_text` and the number lies beyond the last type.
int32_t FilterIndexForName(TextView filter_text, TextView name);

// The single pattern of 0-based file type `selection`, or empty when that
// type has several masks or the selection lies past the end. Selection -1
// (nothing selected) yields the first description.
Text FilterPatternAt(TextView filter_text, int selection);

// `text` up to its first NUL.
Text CutAtNul(TextView text);

// The file-name box after another type was picked in a Save dialog: a dot in
// the last five characters of a name longer than four, and what follows it,
// is cut off ("photo.jpeg" -> "photo", "my.photo" stays).
Text CutExtensionForNewType(TextView name);

// The default extension "gif" for the pattern "*.gif", or empty when the
// pattern is too short to name one.
Text DefaultExtension(TextView pattern);

// The chosen path, with the chosen type's extension (".gif" from "*.gif")
// appended when the name has none of its own.
Text WithChosenExtension(TextView path, TextView chosen_pattern, bool name_has_extension);

}  // namespace quorbel
