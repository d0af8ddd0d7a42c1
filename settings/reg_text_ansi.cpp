#include "common/ansi.h"
#include "settings/reg_text.h"

namespace quorbel {

std::string ToRegText(TextView text) { return ToAnsi(text); }
Text FromRegText(std::string_view bytes) { return FromAnsi(bytes); }

}  // namespace quorbel
