#pragma once
// What every registry store must do for ModReg, run over each store: a test
// program instantiates RegistryContract with its own store types. A store
// type gives backend(), key() (a fresh settings key) and DenyMachineWrites(bool)
// (every later machine-wide write through backend() fails, as for a standard
// user), kAddsStringTerminator (true where the platform itself stores a
// zero after string data given without one). AutostartContract is for
// stores whose two Run keys are separate, as in the registry.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "settings/reg_text.h"
#include "settings/registry.h"

namespace quorbel {

// Wraps a store so that writes and deletes under the machine-wide root fail.
class MachineWriteDenial : public RegistryBackend {
 public:
  explicit MachineWriteDenial(RegistryBackend& inner) : inner_(inner) {}
  std::optional<RegValue> Query(RegRoot root, std::string_view key_path,
                                std::string_view name) override {
    return inner_.Query(root, key_path, name);
  }
  bool Set(RegRoot root, std::string_view key_path, std::string_view name,
           const RegValue& value) override {
    return root != RegRoot::LocalMachine && inner_.Set(root, key_path, name, value);
  }
  bool Delete(RegRoot root, std::string_view key_path, std::string_view name) override {
    return root != RegRoot::LocalMachine && inner_.Delete(root, key_path, name);
  }

 private:
  RegistryBackend& inner_;
};

inline std::string DwordBytes(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

template <typename Store>
class RegistryContract : public ::testing::Test {
 protected:
  // String data as the store keeps it after ModReg wrote `text` without a
  // terminating zero: the registry of Windows and Wine adds one to non-empty
  // data when the byte after it is zero, as it always is after a std::string.
  static RegValue StoredString(std::string text) {
    if (Store::kAddsStringTerminator && !text.empty()) text.push_back('\0');
    return RegValue{kRegSz, std::move(text)};
  }

  Store store_;
  RegistryBackend& backend() { return store_.backend(); }
  std::string key() { return store_.key(); }
  ModReg reg(Text program_file_name = {}) {
    return ModReg(backend(), {u"C:\\Program Files", u"C:\\windows"}, std::move(program_file_name));
  }
  std::optional<RegValue> MachineEntry() {
    return backend().Query(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue);
  }
  std::optional<RegValue> UserEntry() {
    return backend().Query(RegRoot::CurrentUser, kUserRunKey, kAutostartValue);
  }
  void SetUserEntry(std::string data) {
    ASSERT_TRUE(backend().Set(RegRoot::CurrentUser, kUserRunKey, kAutostartValue,
                              RegValue{kRegSz, std::move(data)}));
  }
  std::optional<RegValue> Raw(std::string_view name) {
    return backend().Query(RegRoot::CurrentUser, key(), name);
  }
  void SetRaw(std::string_view name, uint32_t type, std::string data) {
    ASSERT_TRUE(backend().Set(RegRoot::CurrentUser, key(), name, RegValue{type, std::move(data)}));
  }
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, FreshStoreReadsZeroAndEmptyAndFirstWriteCreatesTheKey) {
  ModReg reg = this->reg();
  const std::string key = this->key();
  for (const char* name : {"Hours", "Minutes", "Autorun"}) {
    EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, key, name), 0) << name;
  }
  EXPECT_EQ(reg.RegReadString(RegRoot::CurrentUser, key, "Background"), u"");
  EXPECT_FALSE(this->Raw("Hours").has_value());

  reg.RegWriteLong(RegRoot::CurrentUser, key, "Hours", 2);
  EXPECT_EQ(this->Raw("Hours"), (RegValue{kRegDword, DwordBytes(2)}));
  EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, key, "Hours"), 2);
  EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, key, "Minutes"), 0);
}

TYPED_TEST_P(RegistryContract, NumbersRoundTripWithTheirSign) {
  ModReg reg = this->reg();
  for (int32_t value : {1, -1, -45, std::numeric_limits<int32_t>::min(),
                        std::numeric_limits<int32_t>::max()}) {
    reg.RegWriteLong(RegRoot::CurrentUser, this->key(), "Minutes", value);
    EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, this->key(), "Minutes"), value);
  }
  EXPECT_EQ(this->Raw("Minutes")->data, DwordBytes(0x7FFFFFFF));
}

TYPED_TEST_P(RegistryContract, ValuesOfAnotherTypeReadAsTheDefault) {
  this->SetRaw("Hours", kRegSz, "2");
  this->SetRaw("Minutes", kRegBinary, DwordBytes(7));
  this->SetRaw("Background", kRegDword, DwordBytes(0x41414141));
  ModReg reg = this->reg();
  EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, this->key(), "Hours"), 0);
  EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, this->key(), "Minutes"), 0);
  EXPECT_EQ(reg.RegReadString(RegRoot::CurrentUser, this->key(), "Background"), u"");
}

TYPED_TEST_P(RegistryContract, DwordOfWrongSizeReadsAsAFourByteBufferWouldHoldIt) {
  this->SetRaw("Hours", kRegDword, std::string("\x01\x00\x00\x00\x01\x00\x00\x00", 8));
  this->SetRaw("Minutes", kRegDword, std::string("\x34\x12", 2));
  this->SetRaw("Autorun", kRegDword, std::string());
  ModReg reg = this->reg();
  EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, this->key(), "Hours"), 0);
  EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, this->key(), "Minutes"), 0x1234);
  EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, this->key(), "Autorun"), 0);
}

TYPED_TEST_P(RegistryContract, StringsAreStoredWithoutAndReadWithoutATerminatingZero) {
  ModReg reg = this->reg();
  reg.RegWriteString(RegRoot::CurrentUser, this->key(), "Background", u"C:\\Skins\\Caf\u00e9.png");
  EXPECT_EQ(this->Raw("Background"), this->StoredString(ToRegText(u"C:\\Skins\\Caf\u00e9.png")));
  EXPECT_EQ(reg.RegReadString(RegRoot::CurrentUser, this->key(), "Background"),
            u"C:\\Skins\\Caf\u00e9.png");

  this->SetRaw("Background", kRegSz, std::string("D:\\sky.jpg\0", 11));
  EXPECT_EQ(reg.RegReadString(RegRoot::CurrentUser, this->key(), "Background"), u"D:\\sky.jpg");
}

TYPED_TEST_P(RegistryContract, EmptyTextIsAnEmptyStringValue) {
  ModReg reg = this->reg();
  reg.RegWriteString(RegRoot::CurrentUser, this->key(), "Background", u"old.png");
  reg.RegWriteString(RegRoot::CurrentUser, this->key(), "Background", u"");
  EXPECT_EQ(this->Raw("Background"), this->StoredString(""));
  EXPECT_EQ(reg.RegReadString(RegRoot::CurrentUser, this->key(), "Background"), u"");
}

TYPED_TEST_P(RegistryContract, NamesCompareWithoutRegardToCase) {
  ModReg reg = this->reg();
  reg.RegWriteLong(RegRoot::CurrentUser, this->key(), "hours", 3);
  reg.RegWriteLong(RegRoot::CurrentUser, this->key(), "HOURS", 4);
  EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, this->key(), "Hours"), 4);
}

TYPED_TEST_P(RegistryContract, DeletingAMissingValueFailsAndChangesNothing) {
  EXPECT_FALSE(this->backend().Delete(RegRoot::CurrentUser, this->key(), "Nothing"));
  this->SetRaw("Hours", kRegDword, DwordBytes(1));
  EXPECT_FALSE(this->backend().Delete(RegRoot::CurrentUser, this->key(), "Minutes"));
  EXPECT_TRUE(this->backend().Delete(RegRoot::CurrentUser, this->key(), "HOURS"));
  EXPECT_FALSE(this->Raw("Hours").has_value());
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract,
                            FreshStoreReadsZeroAndEmptyAndFirstWriteCreatesTheKey,
                            NumbersRoundTripWithTheirSign, ValuesOfAnotherTypeReadAsTheDefault,
                            DwordOfWrongSizeReadsAsAFourByteBufferWouldHoldIt,
                            StringsAreStoredWithoutAndReadWithoutATerminatingZero,
                            EmptyTextIsAnEmptyStringValue, NamesCompareWithoutRegardToCase,
                            DeletingAMissingValueFailsAndChangesNothing);

// The autostart entry "Clock" under the two Run keys.
template <typename Store>
class AutostartContract : public RegistryContract<Store> {};

TYPED_TEST_SUITE_P(AutostartContract);

TYPED_TEST_P(AutostartContract, AutostartEntryIsTheQuotedPathUnderTheMachineRunKey) {
  ModReg reg = this->reg();
  reg.WriteAutostartEntry(u"C:\\Program Files\\Quorbel\\Clock.exe");
  EXPECT_EQ(this->MachineEntry(), this->StoredString("\"C:\\Program Files\\Quorbel\\Clock.exe\""));
  EXPECT_FALSE(this->UserEntry());
  reg.WriteAutostartEntry(u"C:\\Windows\\Clock.exe");
  EXPECT_EQ(this->MachineEntry(), this->StoredString("C:\\Windows\\Clock.exe"));

  EXPECT_TRUE(reg.DeleteAutostartEntry(u"C:\\Windows\\Clock.exe"));
  EXPECT_FALSE(this->MachineEntry());
}

// Anywhere else one user could replace the program that every user's log-on
// would start.
TYPED_TEST_P(AutostartContract, AutostartOutsideAdminOnlyFoldersIsTheUsersOwn) {
  ModReg reg = this->reg();
  // A drive root gives a doubled backslash, stored as it is.
  for (const char16_t* path : {u"C:\\Users\\ann\\Clock.exe", u"C:\\\\Clock.exe",
                               u"C:\\Program Files\\..\\x\\Clock.exe"}) {
    reg.WriteAutostartEntry(path);
    EXPECT_FALSE(this->MachineEntry()) << ToUtf8(path);
    EXPECT_EQ(this->UserEntry(), this->StoredString(ToRegText(AutostartCommand(path)))) << ToUtf8(path);
    EXPECT_TRUE(reg.DeleteAutostartEntry(path));
    EXPECT_FALSE(this->UserEntry()) << ToUtf8(path);
  }
}

TYPED_TEST_P(AutostartContract, AutostartFallsBackToTheUserRunKeyAndDeleteClearsBoth) {
  this->store_.DenyMachineWrites(true);
  this->reg().WriteAutostartEntry(u"C:\\Program Files\\Clock.exe");
  EXPECT_FALSE(this->MachineEntry());
  EXPECT_EQ(this->UserEntry(), this->StoredString("\"C:\\Program Files\\Clock.exe\""));

  this->store_.DenyMachineWrites(false);
  this->reg().WriteAutostartEntry(u"C:\\Program Files\\Clock.exe");
  EXPECT_TRUE(this->MachineEntry());
  EXPECT_TRUE(this->reg().DeleteAutostartEntry(u"C:\\Program Files\\Clock.exe"));
  EXPECT_FALSE(this->MachineEntry());
  EXPECT_FALSE(this->UserEntry());
}

// "Clock" is a common name: the user's entry of another program is neither
// overwritten nor deleted; one naming this program, in any case and quoted
// or not, is.
TYPED_TEST_P(AutostartContract, AutostartLeavesAnotherProgramsUserEntryAlone) {
  const Text exe = u"C:\\Users\\ann\\Quorbel\\Clock.exe";
  ModReg reg = this->reg();
  this->SetUserEntry("D:\\Other\\Clock.exe");
  reg.WriteAutostartEntry(exe);
  EXPECT_TRUE(reg.DeleteAutostartEntry(exe));
  EXPECT_EQ(this->UserEntry(), this->StoredString("D:\\Other\\Clock.exe"));
  EXPECT_FALSE(this->MachineEntry());

  ASSERT_TRUE(this->backend().Set(RegRoot::CurrentUser, kUserRunKey, kAutostartValue,
                                  RegValue{kRegBinary, "C:\\Users\\ann\\Quorbel\\Clock.exe"}));
  reg.WriteAutostartEntry(exe);
  EXPECT_EQ(this->UserEntry()->type, kRegBinary) << "a value of another type is not ours";

  for (const char* ours : {"\"c:\\users\\ANN\\quorbel\\clock.EXE\"", "C:\\Users\\ann\\Quorbel\\Clock.exe"}) {
    this->SetUserEntry(ours);
    reg.WriteAutostartEntry(exe);
    EXPECT_EQ(this->UserEntry(), this->StoredString("C:\\Users\\ann\\Quorbel\\Clock.exe")) << ours;
    this->SetUserEntry(ours);
    EXPECT_TRUE(reg.DeleteAutostartEntry(exe));
    EXPECT_FALSE(this->UserEntry()) << ours;
  }
}

// A standard user cannot delete the machine-wide entry: the delete says
// whether one naming this program is left.
TYPED_TEST_P(AutostartContract, AutostartDeleteTellsWhetherAnEntryOfThisProgramStays) {
  const Text exe = u"C:\\Program Files\\Quorbel\\Clock.exe";
  this->reg().WriteAutostartEntry(exe);
  this->store_.DenyMachineWrites(true);
  EXPECT_FALSE(this->reg().DeleteAutostartEntry(exe));
  EXPECT_TRUE(this->MachineEntry());
  EXPECT_TRUE(this->reg().DeleteAutostartEntry(u"C:\\Program Files\\Other\\Clock.exe"))
      << "the machine-wide entry that stays names another program";
  this->store_.DenyMachineWrites(false);
  // The machine-wide entry goes whatever it names, as it always has.
  EXPECT_TRUE(this->reg().DeleteAutostartEntry(u"C:\\Program Files\\Other\\Clock.exe"));
  EXPECT_FALSE(this->MachineEntry());
}

// A program moved or reinstalled elsewhere finds the entry of its older
// place: it is this program's, rewritten or removed; a "Clock" of any other
// program stays.
TYPED_TEST_P(AutostartContract, AutostartOfAnotherCopyOfTheProgramFollowsThisOne) {
  const Text exe = u"C:\\Users\\ann\\New\\QuorbelClock.exe";
  ModReg reg = this->reg(u"QuorbelClock.exe");
  this->SetUserEntry("\"D:\\Old Place\\quorbelclock.EXE\"");
  reg.WriteAutostartEntry(exe);
  EXPECT_EQ(this->UserEntry(), this->StoredString("C:\\Users\\ann\\New\\QuorbelClock.exe"));
  this->SetUserEntry("D:\\Old\\QuorbelClock.exe /minimized");
  EXPECT_TRUE(reg.DeleteAutostartEntry(exe));
  EXPECT_FALSE(this->UserEntry());

  this->SetUserEntry("D:\\QuorbelClock.exe\\Clock.exe");
  reg.WriteAutostartEntry(exe);
  EXPECT_TRUE(reg.DeleteAutostartEntry(exe));
  EXPECT_EQ(this->UserEntry(), this->StoredString("D:\\QuorbelClock.exe\\Clock.exe"));
  EXPECT_FALSE(this->MachineEntry());
}

REGISTER_TYPED_TEST_SUITE_P(AutostartContract,
                            AutostartOfAnotherCopyOfTheProgramFollowsThisOne,
                            AutostartEntryIsTheQuotedPathUnderTheMachineRunKey,
                            AutostartOutsideAdminOnlyFoldersIsTheUsersOwn,
                            AutostartFallsBackToTheUserRunKeyAndDeleteClearsBoth,
                            AutostartLeavesAnotherProgramsUserEntryAlone,
                            AutostartDeleteTellsWhetherAnEntryOfThisProgramStays);

}  // namespace quorbel
