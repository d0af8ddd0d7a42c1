#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/wav_length.h"

namespace quorbel {
namespace {

std::string Le(uint32_t value, int bytes) {
  std::string out(static_cast<size_t>(bytes), '\0');
  for (int i = 0; i < bytes; ++i) out[static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
  return out;
}
std::string Le32(uint32_t value) { return Le(value, 4); }

std::string Chunk(const std::string& id, const std::string& data) { return id + Le32(data.size()) + data; }

struct PcmFormat {
  uint32_t channels = 1;
  uint32_t sample_rate = 8000;
  uint32_t byte_rate = 16000;
  uint32_t frame_bytes = 2;
  uint32_t bits = 16;
};

std::string Format(const PcmFormat& f) {
  return Le(1, 2) + Le(f.channels, 2) + Le32(f.sample_rate) + Le32(f.byte_rate) + Le(f.frame_bytes, 2) +
         Le(f.bits, 2);
}

// A 16-bit mono PCM "fmt " chunk body with the given bytes per second.
std::string Format(uint32_t byte_rate) { return Format({1, byte_rate / 2, byte_rate, 2, 16}); }

std::string Wav(const std::string& chunks) { return "RIFF" + Le32(4 + chunks.size()) + "WAVE" + chunks; }

std::optional<uint32_t> LengthOf(const std::string& file) {
  std::istringstream in(file);
  return WavPlayLengthMs(in);
}

TEST(WavLength, DataOverBytesPerSecondRoundedUpAfterAnyOtherChunks) {
  const std::string one_second = Wav(Chunk("fmt ", Format(44100)) + Chunk("data", std::string(44100, '\0')));
  EXPECT_EQ(LengthOf(one_second), 1000u);

  const std::string odd_list = Chunk("LIST", "abc") + std::string(1, '\0');  // padded to an even size
  EXPECT_EQ(LengthOf(Wav(Chunk("fmt ", Format(8000)) + odd_list + Chunk("data", std::string(8001, '\0')))), 1001u);
}

// Recorders and editors put metadata (tags, cue points, pictures) of any size
// before the sound.
TEST(WavLength, SoundAfterLargeMetadataChunksIsFound) {
  const std::string sound = Chunk("data", std::string(16000, '\0'));
  const std::string tags = Chunk("LIST", std::string(5000, 'x')) + Chunk("id3 ", std::string(70000, 'y'));
  EXPECT_EQ(LengthOf(Wav(Chunk("fmt ", Format(16000)) + tags + sound)), 1000u);
  EXPECT_EQ(LengthOf(Wav(Chunk("JUNK", std::string(9000, '\0')) + Chunk("fmt ", Format(16000)) + sound)), 1000u);

  std::string many_small;
  for (int i = 0; i + 2 < kMaxWavChunks; ++i) many_small += Chunk("cue ", "ab");
  EXPECT_EQ(LengthOf(Wav(Chunk("fmt ", Format(16000)) + many_small + sound)), 1000u);
  EXPECT_EQ(LengthOf(Wav(Chunk("fmt ", Format(16000)) + many_small + many_small + sound)), std::nullopt)
      << "endless chunks are no sound";
}

TEST(WavLength, ACutShortFileIsAsLongAsTheSoundItHolds) {
  const std::string header = Wav(Chunk("fmt ", Format(1000)) + "data" + Le32(600000));
  EXPECT_EQ(LengthOf(header + std::string(250, '\0')), 250u);
  EXPECT_EQ(LengthOf(header), 0u);
  const std::string streamed = Wav(Chunk("fmt ", Format(1000)) + "data" + Le32(0xFFFFFFFFu));
  EXPECT_EQ(LengthOf(streamed + std::string(500, '\0')), 500u);
}

// The server plays the samples at the sample rate; a header whose other
// rate fields claim less must not make the wait longer than that.
TEST(WavLength, RateFieldsThatLieCannotStretchTheWaitPastTheSamples) {
  const std::string second_at_8khz = Chunk("data", std::string(8000, '\0'));
  EXPECT_EQ(LengthOf(Wav(Chunk("fmt ", Format({1, 8000, 1, 1, 8})) + second_at_8khz)), 1000u)
      << "one byte a second claimed";
  EXPECT_EQ(LengthOf(Wav(Chunk("fmt ", Format({2, 4000, 1, 1, 8})) + second_at_8khz)), 1000u)
      << "frame size smaller than two channels of a byte";
  EXPECT_EQ(LengthOf(Wav(Chunk("fmt ", Format({1, 4000, 4, 2, 12})) + second_at_8khz)), 1000u)
      << "12 bits take two bytes a sample";
}

TEST(WavLength, AnythingButAUsableWaveHeaderIsNoLength) {
  EXPECT_EQ(LengthOf(""), std::nullopt);
  EXPECT_EQ(LengthOf("ID3\x04 not a wave at all"), std::nullopt);
  EXPECT_EQ(LengthOf(Wav(Chunk("data", "abcd"))), std::nullopt) << "no format";
  EXPECT_EQ(LengthOf(Wav(Chunk("fmt ", Format(0)) + Chunk("data", "abcd"))), std::nullopt) << "silent rate";
  EXPECT_EQ(LengthOf(Wav(Chunk("fmt ", "\x01\x00") + Chunk("data", "abcd"))), std::nullopt) << "short format";
  // A chunk claiming more bytes than the file holds ends the search.
  EXPECT_EQ(LengthOf(Wav(Chunk("fmt ", Format(1000)) + "JUNK" + Le32(0xFFFFFFF0u) + Chunk("data", "ab"))),
            std::nullopt);
}

}  // namespace
}  // namespace quorbel
