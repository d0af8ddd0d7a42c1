#pragma once
// What every registry store must do for ModReg, run over each store: a test
// program instantiates RegistryContract with its own store types. A store
// type gives backend(), key() (a fresh settings key) and DenyMachineWrites(bool)
// (every later machine-wide write through backend() fails, as for a standard
// user), kAddsStringTerminator (true where the platform itself stores a
// zero after string data given without one) and kRunKeysShareOneEntry (true
// where the autostart entry of both Run keys is one and the same, as the
// desktop's autostart file is).
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

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
  ModReg reg() { return ModReg(backend()); }
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
  EXPECT_EQ(this->Raw("Background"), this->StoredString("C:\\Skins\\Caf\xe9.png"));
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

TYPED_TEST_P(RegistryContract, AutostartEntryIsTheQuotedPathUnderTheMachineRunKey) {
  ModReg reg = this->reg();
  reg.WriteAutostartEntry(u"C:\\Program Files\\Quorbel\\Clock.exe");
  EXPECT_EQ(this->backend().Query(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue),
            this->StoredString("\"C:\\Program Files\\Quorbel\\Clock.exe\""));
  EXPECT_EQ(this->backend().Query(RegRoot::CurrentUser, kUserRunKey, kAutostartValue).has_value(),
            TypeParam::kRunKeysShareOneEntry);

  // A drive root gives a doubled backslash, stored as it is.
  reg.WriteAutostartEntry(u"C:\\\\Clock.exe");
  EXPECT_EQ(this->backend().Query(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue),
            this->StoredString("C:\\\\Clock.exe"));

  reg.DeleteAutostartEntry();
  EXPECT_FALSE(this->backend().Query(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue));
}

TYPED_TEST_P(RegistryContract, AutostartFallsBackToTheUserRunKeyAndDeleteClearsBoth) {
  this->store_.DenyMachineWrites(true);
  this->reg().WriteAutostartEntry(u"C:\\Tools\\Clock.exe");
  const bool machine_entry =
      this->backend().Query(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue).has_value();
  EXPECT_EQ(machine_entry, TypeParam::kRunKeysShareOneEntry);
  EXPECT_EQ(this->backend().Query(RegRoot::CurrentUser, kUserRunKey, kAutostartValue),
            this->StoredString("C:\\Tools\\Clock.exe"));

  this->store_.DenyMachineWrites(false);
  this->reg().WriteAutostartEntry(u"C:\\Tools\\Clock.exe");
  EXPECT_TRUE(this->backend().Query(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue));
  this->reg().DeleteAutostartEntry();
  EXPECT_FALSE(this->backend().Query(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue));
  EXPECT_FALSE(this->backend().Query(RegRoot::CurrentUser, kUserRunKey, kAutostartValue));
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
                            AutostartEntryIsTheQuotedPathUnderTheMachineRunKey,
                            AutostartFallsBackToTheUserRunKeyAndDeleteClearsBoth,
                            DeletingAMissingValueFailsAndChangesNothing);

}  // namespace quorbel
