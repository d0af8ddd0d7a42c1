#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/first_run.h"
#include "tests/support/memory_registry.h"

namespace quorbel {
namespace {

RegValue Dword(uint32_t value) {
  std::string bytes(4, '\0');
  for (size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return {kRegDword, bytes};
}

class FirstRun : public ::testing::Test {
 protected:
  void Store(std::string_view name, const RegValue& value) {
    backend_.Set(RegRoot::CurrentUser, kSettingsKey, name, value);
  }
  std::optional<RegValue> Stored(std::string_view name) {
    return backend_.Query(RegRoot::CurrentUser, kSettingsKey, name);
  }
  std::optional<RegValue> UserRunEntry() {
    return backend_.Query(RegRoot::CurrentUser, kUserRunKey, kAutostartValue);
  }
  void Start() { WriteFirstRunSettings(reg_, u"/usr/bin/quorbel-clock"); }

  MemoryRegistry backend_;
  ModReg reg_{backend_};
};

TEST_F(FirstRun, AFreshUserGetsAutostartAndAnIntervalThatReminds) {
  Start();
  EXPECT_EQ(Stored("Autorun"), Dword(1));
  EXPECT_EQ(UserRunEntry(), (RegValue{kRegSz, "/usr/bin/quorbel-clock"}));
  EXPECT_EQ(Stored("Hours"), Dword(1));
  EXPECT_EQ(Stored("Minutes"), Dword(0));
}

// Whatever the user stored of the interval, of whatever type, stays as it
// is; only the flag and the entry are written.
TEST_F(FirstRun, AnythingStoredOfTheIntervalStays) {
  struct Case {
    const char* what;
    std::optional<RegValue> hours;
    std::optional<RegValue> minutes;
  };
  const Case cases[] = {
      {"0 h 0 min, the user's choice of no reminder", Dword(0), Dword(0)},
      {"an interval", Dword(2), Dword(15)},
      {"minutes alone", std::nullopt, Dword(30)},
      {"hours alone", Dword(3), std::nullopt},
      {"hours of another type", RegValue{kRegSz, "2"}, std::nullopt},
      {"minutes of another type", std::nullopt, RegValue{kRegBinary, std::string(4, '\0')}},
  };
  for (const Case& c : cases) {
    MemoryRegistry backend;
    ModReg reg(backend);
    if (c.hours) backend.Set(RegRoot::CurrentUser, kSettingsKey, "Hours", *c.hours);
    if (c.minutes) backend.Set(RegRoot::CurrentUser, kSettingsKey, "Minutes", *c.minutes);
    WriteFirstRunSettings(reg, u"/usr/bin/quorbel-clock");
    EXPECT_EQ(backend.Query(RegRoot::CurrentUser, kSettingsKey, "Hours"), c.hours) << c.what;
    EXPECT_EQ(backend.Query(RegRoot::CurrentUser, kSettingsKey, "Minutes"), c.minutes) << c.what;
    EXPECT_EQ(backend.Query(RegRoot::CurrentUser, kSettingsKey, "Autorun"), Dword(1)) << c.what;
  }
}

TEST_F(FirstRun, AStartAfterTheFirstStoresNothingEvenWithoutAnInterval) {
  Store("Autorun", Dword(1));
  Start();
  EXPECT_EQ(Stored("Hours"), std::nullopt);
  EXPECT_EQ(Stored("Minutes"), std::nullopt);
  EXPECT_EQ(UserRunEntry(), std::nullopt);
}

}  // namespace
}  // namespace quorbel
