// Feeds arbitrary files, names and values to the profile reader and writer.
// Beyond not crashing or hanging, each write must read back as the value
// itself would read, change no line but the entry's, and be stable; a UTF-16
// file must survive its conversion to UTF-8 and back unchanged.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/profile.h"
#include "settings/profile_utf16.h"

namespace {

using quorbel::ReadProfileValue;
using quorbel::WriteProfileValue;

constexpr std::array<const char*, 5> kSections = {"Skins", "skins", " TitleEN\t", "[x]", ""};
constexpr std::array<const char*, 5> kKeys = {"Selected", "SELECTED", "Bitmap1", " k ", "="};
constexpr std::array<const char*, 6> kValues = {"2", "", "  \"quoted\"  ", "'", "a=b", "\x1A"};

template <size_t N>
std::string Pick(FuzzedDataProvider& input, const std::array<const char*, N>& choices) {
  const size_t choice = input.ConsumeIntegralInRange<size_t>(0, N);
  if (choice < N) return choices[choice];
  return input.ConsumeBytesAsString(input.ConsumeIntegralInRange<size_t>(0, 24));
}

void Check(bool condition) {
  if (!condition) std::abort();
}

// How the value reads when it is the only entry of a file of the same encoding.
std::optional<std::string> AsItReads(const std::string& file, const std::string& value) {
  const bool bom = file.rfind("\xEF\xBB\xBF", 0) == 0;
  return ReadProfileValue(std::string(bom ? "\xEF\xBB\xBF" : "") + "[s]\nk=" + value + "\n", "s",
                          "k");
}

// Only the old value's bytes may differ: what lies between the common start
// and the common end of the two files holds no line break.
void CheckOnlyOneLineChanged(const std::string& before, const std::string& after) {
  size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
    ++prefix;
  }
  size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::string removed = before.substr(prefix, before.size() - prefix - suffix);
  Check(removed.find_first_of("\r\n") == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = Pick(input, kSections);
  const std::string key = Pick(input, kKeys);
  const std::string value = Pick(input, kValues);
  const std::string file = input.ConsumeRemainingBytesAsString();

  // A UTF-16 file comes back from its UTF-8 form byte for byte.
  if (const auto utf16 = quorbel::DecodeUtf16Profile(file)) {
    Check(quorbel::EncodeUtf16Profile(utf16->utf8, *utf16) == file);
  }

  const auto old_value = ReadProfileValue(file, section, key);
  Check(!old_value || old_value->size() <= quorbel::kMaxProfileValue);

  const auto written = WriteProfileValue(file, section, key, value);
  Check(written.has_value() == quorbel::IsWritableProfileEntry(section, key, value));
  if (!written) return 0;
  Check(ReadProfileValue(*written, section, key) == AsItReads(file, value));
  CheckOnlyOneLineChanged(file, *written);
  Check(WriteProfileValue(*written, section, key, value) == written);
  return 0;
}
