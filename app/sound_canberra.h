#pragma once
// WAV files through the desktop's sound server (libcanberra), played to
// their end: the call returns when the server reports the end, or when the
// file's own length has passed, whichever comes first. No file, no WAV, no
// server: it returns at once.
#include <memory>

#include "common/text.h"

namespace quorbel {

class CanberraSound {
 public:
  CanberraSound();
  ~CanberraSound();
  CanberraSound(const CanberraSound&) = delete;
  CanberraSound& operator=(const CanberraSound&) = delete;

  // `path` as the program builds it ("\"-joined).
  void PlaySync(const Text& path);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quorbel
