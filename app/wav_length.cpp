#include "app/wav_length.h"

#include <algorithm>
#include <string>

namespace quorbel {
namespace {

constexpr uint64_t kChunkHeader = 8;
constexpr uint64_t kRiffHeader = 12;
// In the "fmt " chunk: format tag, channels, sample rate, bytes per second,
// frame size (block align), then bits per sample.
constexpr size_t kFormatBytes = 16;
constexpr size_t kWaveFormatBytes = 14;  // the oldest "fmt ", without bits per sample

// Up to `count` bytes at `offset`; fewer at the end of the file.
std::string ReadAt(std::istream& file, uint64_t offset, size_t count) {
  file.clear();
  file.seekg(static_cast<std::streamoff>(offset));
  std::string bytes(count, '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(count));
  bytes.resize(file ? count : static_cast<size_t>(std::max<std::streamsize>(file.gcount(), 0)));
  return bytes;
}

uint32_t ReadLe(std::string_view bytes, size_t at, size_t width) {
  uint32_t value = 0;
  for (size_t i = 0; i < width; ++i) {
    value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

// The fastest of the rates the format names, in bytes per second; 0 when it
// names none.
uint64_t FastestByteRate(std::string_view format) {
  const uint64_t channels = ReadLe(format, 2, 2);
  const uint64_t sample_rate = ReadLe(format, 4, 4);
  const uint64_t byte_rate = ReadLe(format, 8, 4);
  const uint64_t frame_bytes = ReadLe(format, 12, 2);
  uint64_t fastest = std::max(byte_rate, sample_rate * frame_bytes);
  if (format.size() >= kFormatBytes) {
    const uint64_t sample_bytes = (ReadLe(format, 14, 2) + 7) / 8;
    fastest = std::max(fastest, sample_rate * channels * sample_bytes);
  }
  return fastest;
}

uint64_t FileSize(std::istream& file) {
  file.clear();
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  return size < 0 ? 0 : static_cast<uint64_t>(size);
}

}  // namespace

std::optional<uint32_t> WavPlayLengthMs(std::istream& file) {
  const uint64_t file_size = FileSize(file);
  const std::string riff = ReadAt(file, 0, kRiffHeader);
  if (riff.size() < kRiffHeader || riff.substr(0, 4) != "RIFF" || riff.substr(8, 4) != "WAVE") {
    return std::nullopt;
  }
  uint64_t byte_rate = 0;
  uint64_t at = kRiffHeader;
  for (int chunk = 0; chunk < kMaxWavChunks && at + kChunkHeader <= file_size; ++chunk) {
    const std::string header = ReadAt(file, at, kChunkHeader);
    if (header.size() < kChunkHeader) return std::nullopt;
    const std::string_view id = std::string_view(header).substr(0, 4);
    const uint64_t size = ReadLe(header, 4, 4);
    const uint64_t data_at = at + kChunkHeader;
    if (id == "fmt ") {
      const std::string format = ReadAt(file, data_at, static_cast<size_t>(std::min<uint64_t>(size, kFormatBytes)));
      if (format.size() < kWaveFormatBytes) return std::nullopt;
      byte_rate = FastestByteRate(format);
    } else if (id == "data") {
      if (byte_rate == 0) return std::nullopt;
      const uint64_t sound_bytes = std::min(size, file_size - data_at);
      const uint64_t ms = (sound_bytes * 1000 + byte_rate - 1) / byte_rate;
      return static_cast<uint32_t>(std::min<uint64_t>(ms, UINT32_MAX));
    }
    // Chunks are padded to an even size.
    at = data_at + size + (size & 1);
  }
  return std::nullopt;
}

}  // namespace quorbel
