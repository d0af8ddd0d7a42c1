#include "app/wav_length.h"

#include <algorithm>

namespace quorbel {
namespace {

constexpr size_t kChunkHeader = 8;
constexpr size_t kByteRateOffset = 8;  // in the "fmt " chunk's data

uint32_t ReadLe32(std::string_view bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) {
    value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

}  // namespace

std::optional<uint32_t> WavPlayLengthMs(std::string_view head, uint64_t file_size) {
  if (head.size() < 12 || head.substr(0, 4) != "RIFF" || head.substr(8, 4) != "WAVE") {
    return std::nullopt;
  }
  std::optional<uint32_t> byte_rate;
  size_t at = 12;
  while (at + kChunkHeader <= head.size()) {
    const std::string_view id = head.substr(at, 4);
    const uint64_t size = ReadLe32(head, at + 4);
    const size_t data_at = at + kChunkHeader;
    if (id == "fmt ") {
      if (size < kByteRateOffset + 4 || data_at + kByteRateOffset + 4 > head.size()) return std::nullopt;
      byte_rate = ReadLe32(head, data_at + kByteRateOffset);
    } else if (id == "data") {
      if (!byte_rate || *byte_rate == 0 || data_at > file_size) return std::nullopt;
      const uint64_t sound_bytes = std::min<uint64_t>(size, file_size - data_at);
      const uint64_t ms = (sound_bytes * 1000 + *byte_rate - 1) / *byte_rate;
      return static_cast<uint32_t>(std::min<uint64_t>(ms, UINT32_MAX));
    }
    // Chunks are padded to an even size.
    const uint64_t next = data_at + size + (size & 1);
    if (next > head.size()) break;
    at = static_cast<size_t>(next);
  }
  return std::nullopt;
}

}  // namespace quorbel
