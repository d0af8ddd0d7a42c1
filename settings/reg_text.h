#pragma once
// The code page of registry text: key paths, value names and string data.
// Windows links reg_text_ansi.cpp: the registry's "A" functions take the
// system ANSI code page. Other platforms link reg_text_utf8.cpp: their files
// and paths are UTF-8, so every user name and folder survives the store.
#include <string>
#include <string_view>

#include "common/text.h"

namespace quorbel {

std::string ToRegText(TextView text);
Text FromRegText(std::string_view bytes);

}  // namespace quorbel
