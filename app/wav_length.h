#pragma once
// How long a WAV file plays, from its header: the synchronous arrival sound
// may hold the thread that long and no longer, whatever the sound server does.
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorbel {

// The bytes a header needs to be found in: chunks before "data" are small.
inline constexpr size_t kWavHeadBytes = 4096;

// Milliseconds of sound, rounded up, in a RIFF WAVE file whose first bytes
// are `head` and whose size is `file_size`: the "data" chunk (as far as the
// file really holds it) over the "fmt " chunk's bytes per second. Nothing when
// it is no WAV file or its header is unusable.
std::optional<uint32_t> WavPlayLengthMs(std::string_view head, uint64_t file_size);

}  // namespace quorbel
