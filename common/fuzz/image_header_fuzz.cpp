// Feeds arbitrary file heads to the image header reader. Beyond not crashing
// or reading out of bounds, a picture it lets through is within the budget,
// and a verdict on a head stands for the whole file: no byte after the ones
// it looked at changes it.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "common/image_header.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using quorbel::ImageVerdict;
  const std::span<const uint8_t> whole(data, size);
  const quorbel::ImageJudgement judged = quorbel::JudgeImageHead(whole);
  if (judged.verdict == ImageVerdict::Fits) Check(quorbel::FitsPixelBudget(judged.size));
  const quorbel::ImageJudgement head = quorbel::JudgeImageHead(whole.first(size / 2));
  if (head.verdict == ImageVerdict::Fits) {
    Check(judged.verdict == ImageVerdict::Fits && judged.size == head.size);
  }
  return 0;
}
