#pragma once
// The system ANSI code page at the boundary of "A" functions and stored bytes.
// Windows links ansi_win32.cpp (the real code page); other platforms link
// ansi_cp1252.cpp, Windows-1252, the code page of the shipped texts.
#include <string>
#include <string_view>

#include "common/text.h"

namespace quorbel {

// Characters the code page cannot represent become '?'.
std::string ToAnsi(TextView text);
Text FromAnsi(std::string_view bytes);

}  // namespace quorbel
