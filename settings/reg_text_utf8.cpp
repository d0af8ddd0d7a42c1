#include "common/ansi.h"
#include "settings/reg_text.h"

namespace quorbel {
namespace {

// Earlier versions stored Windows-1252 here: a byte that is no part of UTF-8
// is read in that code page, so what they stored still reads as it was.
char16_t Windows1252Character(unsigned char byte) {
  return FromAnsi(std::string_view(reinterpret_cast<const char*>(&byte), 1)).front();
}

}  // namespace

std::string ToRegText(TextView text) { return ToUtf8(text); }
Text FromRegText(std::string_view bytes) { return FromUtf8Or(bytes, Windows1252Character); }

}  // namespace quorbel
