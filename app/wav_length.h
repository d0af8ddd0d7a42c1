#pragma once
// How long a WAV file plays, from its header: the synchronous arrival sound
// may hold the thread that long and no longer, whatever the sound server does.
#include <cstdint>
#include <istream>
#include <optional>

namespace quorbel {

// Chunks passed over on the way to "data". Files from recorders and editors
// put a handful of metadata chunks first, of any size; each costs one short
// read, and a file of endless tiny chunks is no sound.
inline constexpr int kMaxWavChunks = 256;

// Milliseconds of sound, rounded up, in a RIFF WAVE file read from `file`
// (which must be able to seek): the "data" chunk, as far as the file really
// holds it, at the fastest rate the "fmt " chunk names (its bytes per
// second, or its sample rate times its frame size), so a field that lies
// cannot stretch the wait past the sound the file holds. Nothing when it is
// no WAV file or its header is unusable.
std::optional<uint32_t> WavPlayLengthMs(std::istream& file);

}  // namespace quorbel
