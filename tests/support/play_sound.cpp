// Plays one WAV file to its end through the Linux program's sound adapter,
// for the tests that watch what reaches a sound device: libcanberra refuses
// to work in a process forked from one that used it.
#include <cstdio>

#include "app/sound_canberra.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE.wav\n", argv[0]);
    return 2;
  }
  quorbel::CanberraSound sound;
  sound.PlaySync(quorbel::FromUtf8(argv[1]));
  return 0;
}
