#include <gtest/gtest.h>

#include <string>

#include "app/wav_length.h"

namespace quorbel {
namespace {

std::string Le32(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
  return bytes;
}

std::string Chunk(const std::string& id, const std::string& data) { return id + Le32(data.size()) + data; }

// A PCM "fmt " chunk body with the given bytes per second.
std::string Format(uint32_t byte_rate) {
  return std::string("\x01\x00\x01\x00", 4) + Le32(byte_rate / 2) + Le32(byte_rate) +
         std::string("\x02\x00\x10\x00", 4);
}

std::string Wav(const std::string& chunks) { return "RIFF" + Le32(4 + chunks.size()) + "WAVE" + chunks; }

TEST(WavLength, DataOverBytesPerSecondRoundedUpAfterAnyOtherChunks) {
  const std::string one_second = Wav(Chunk("fmt ", Format(44100)) + Chunk("data", std::string(44100, '\0')));
  EXPECT_EQ(WavPlayLengthMs(one_second, one_second.size()), 1000u);

  const std::string odd_list = Chunk("LIST", "abc") + std::string(1, '\0');  // padded to an even size
  const std::string short_sound =
      Wav(Chunk("fmt ", Format(8000)) + odd_list + Chunk("data", std::string(8001, '\0')));
  EXPECT_EQ(WavPlayLengthMs(short_sound, short_sound.size()), 1001u);
}

TEST(WavLength, ACutShortFileIsAsLongAsTheSoundItHolds) {
  const std::string header = Wav(Chunk("fmt ", Format(1000)) + "data" + Le32(600000));
  EXPECT_EQ(WavPlayLengthMs(header, header.size() + 250), 250u);
  EXPECT_EQ(WavPlayLengthMs(header, header.size()), 0u);
}

TEST(WavLength, AnythingButAUsableWaveHeaderIsNoLength) {
  EXPECT_EQ(WavPlayLengthMs("", 0), std::nullopt);
  EXPECT_EQ(WavPlayLengthMs("ID3\x04 not a wave at all", 100), std::nullopt);
  const std::string no_format = Wav(Chunk("data", "abcd"));
  EXPECT_EQ(WavPlayLengthMs(no_format, no_format.size()), std::nullopt);
  const std::string silent_rate = Wav(Chunk("fmt ", Format(0)) + Chunk("data", "abcd"));
  EXPECT_EQ(WavPlayLengthMs(silent_rate, silent_rate.size()), std::nullopt);
  const std::string short_format = Wav(Chunk("fmt ", "\x01\x00") + Chunk("data", "abcd"));
  EXPECT_EQ(WavPlayLengthMs(short_format, short_format.size()), std::nullopt);
  // A chunk claiming more bytes than the header holds ends the search.
  const std::string huge_chunk = Wav(Chunk("fmt ", Format(1000)) + "JUNK" + Le32(0xFFFFFFF0u));
  EXPECT_EQ(WavPlayLengthMs(huge_chunk, 1u << 30), std::nullopt);
}

}  // namespace
}  // namespace quorbel
