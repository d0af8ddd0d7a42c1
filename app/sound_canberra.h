#pragma once
// WAV files through the desktop's sound server (libcanberra), played to
// their end: the call returns when the server reports the end, or when the
// file's own length has passed, whichever comes first. No file, no WAV, no
// server: it returns at once. The library is loaded for each sound and let
// go after it.
#include "common/text.h"

namespace quorbel {

class CanberraSound {
 public:
  // `path` as the program builds it ("\"-joined).
  void PlaySync(const Text& path);
};

}  // namespace quorbel
