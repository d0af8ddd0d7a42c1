// Feeds arbitrary settings files and autostart entries to their readers and
// writers. Beyond not crashing or hanging, a written value must read back as
// written, leave every other value readable as before, and be stable; a
// command read from an entry must survive being written again.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/desktop_entry.h"
#include "settings/reg_file.h"
#include "settings/text_lines.h"

namespace {

using quorbel::ReadRegFileValue;
using quorbel::RegRoot;
using quorbel::RegValue;

constexpr std::array<const char*, 4> kKeys = {"Software\\QuorbelClock", "SOFTWARE\\quorbelclock",
                                              "", "a]b\\"};
constexpr std::array<const char*, 5> kNames = {"Hours", "minutes", "Background", "", "q\"\\"};

void Check(bool condition) {
  if (!condition) std::abort();
}

template <size_t N>
std::string Pick(FuzzedDataProvider& input, const std::array<const char*, N>& choices) {
  const size_t choice = input.ConsumeIntegralInRange<size_t>(0, N);
  if (choice < N) return choices[choice];
  return input.ConsumeBytesAsString(input.ConsumeIntegralInRange<size_t>(0, 16));
}

RegValue PickValue(FuzzedDataProvider& input) {
  const auto type = input.PickValueInArray<uint32_t>({1, 3, 4, 7, 0xFFFFFFFF});
  const size_t size = type == 4 && input.ConsumeBool() ? 4 : input.ConsumeIntegralInRange(0, 24);
  return RegValue{type, input.ConsumeBytesAsString(size)};
}

void CheckRegFile(FuzzedDataProvider& input) {
  const RegRoot root = input.ConsumeBool() ? RegRoot::CurrentUser : RegRoot::LocalMachine;
  const std::string key = Pick(input, kKeys);
  const std::string name = Pick(input, kNames);
  const RegValue value = PickValue(input);
  const std::string file = input.ConsumeRemainingBytesAsString();

  const auto written = quorbel::WriteRegFileValue(file, root, key, name, value);
  if (!written) return;
  Check(ReadRegFileValue(*written, root, key, name) == value);
  Check(quorbel::WriteRegFileValue(*written, root, key, name, value) == written);
  for (const char* other : kNames) {
    if (quorbel::SameAsciiName(other, name)) continue;
    const auto before = ReadRegFileValue(file, root, key, other);
    Check(!before || ReadRegFileValue(*written, root, key, other) == before);
  }
  const auto deleted = quorbel::DeleteRegFileValue(*written, root, key, name);
  Check(deleted && !ReadRegFileValue(*deleted, root, key, name));
}

void CheckDesktopEntry(FuzzedDataProvider& input) {
  const std::string file = input.ConsumeRemainingBytesAsString();
  const auto command = quorbel::AutostartCommandOf(file);
  quorbel::AutostartDesktopEntry(file);
  if (!command) return;
  const auto entry = quorbel::AutostartDesktopEntry(*command);
  Check(!entry || quorbel::AutostartCommandOf(*entry) == command);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  if (input.ConsumeBool()) {
    CheckRegFile(input);
  } else {
    CheckDesktopEntry(input);
  }
  return 0;
}
