#include "settings/registry_win32.h"

#include <windows.h>

#include "common/ansi.h"
#include "common/handles_win32.h"
#include "settings/autostart.h"
#include "settings/autostart_win32.h"
#include "settings/tests/registry_contract.h"

namespace quorbel {
namespace {

// A scratch key under the current user for each test, removed afterwards;
// the autostart values of both Run keys are put back as they were.
class Win32Store {
 public:
  static constexpr bool kAddsStringTerminator = true;

  Win32Store()
      : key_("Software\\QuorbelClockTest\\" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(counter_++)),
        machine_entry_(registry_.Query(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue)),
        user_entry_(registry_.Query(RegRoot::CurrentUser, kUserRunKey, kAutostartValue)) {
    // Each case starts without an autostart entry; the user's own comes back
    // when the case ends.
    registry_.Delete(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue);
    registry_.Delete(RegRoot::CurrentUser, kUserRunKey, kAutostartValue);
  }
  Win32Store(const Win32Store&) = delete;
  Win32Store& operator=(const Win32Store&) = delete;
  ~Win32Store() {
    RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
    Restore(RegRoot::LocalMachine, kMachineRunKey, machine_entry_);
    Restore(RegRoot::CurrentUser, kUserRunKey, user_entry_);
  }

  RegistryBackend& backend() { return deny_ ? static_cast<RegistryBackend&>(denial_) : registry_; }
  std::string key() { return key_; }
  void DenyMachineWrites(bool deny) { deny_ = deny; }

 private:
  void Restore(RegRoot root, std::string_view run_key, const std::optional<RegValue>& entry) {
    if (entry) {
      registry_.Set(root, run_key, kAutostartValue, *entry);
    } else {
      registry_.Delete(root, run_key, kAutostartValue);
    }
  }

  static inline int counter_ = 0;
  Win32Registry registry_;
  MachineWriteDenial denial_{registry_};
  bool deny_ = false;
  std::string key_;
  std::optional<RegValue> machine_entry_;
  std::optional<RegValue> user_entry_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, ::testing::Types<Win32Store>);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, AutostartContract, ::testing::Types<Win32Store>);

TEST(Win32Registry, MissingKeyReadsAsNothingAndCannotBeDeletedFrom) {
  Win32Registry registry;
  EXPECT_FALSE(registry.Query(RegRoot::CurrentUser, "Software\\QuorbelClockTest\\none", "Hours"));
  EXPECT_FALSE(registry.Delete(RegRoot::CurrentUser, "Software\\QuorbelClockTest\\none", "Hours"));
  EXPECT_EQ(ModReg(registry).RegReadLong(RegRoot::CurrentUser, "Software\\QuorbelClockTest\\none",
                                         "Hours"),
            0);
}

// Standard users may write to some subfolders of the Windows folder (Tasks,
// Temp): a program there must not start for every user.
TEST(AdminOnlyFolders, AreTheProgramFilesFoldersAlone) {
  const std::vector<Text> folders = AdminOnlyFolders();
  std::string windows(MAX_PATH, '\0');
  windows.resize(GetSystemWindowsDirectoryA(windows.data(), MAX_PATH));
  ASSERT_FALSE(windows.empty());
  EXPECT_FALSE(LiesUnderFolder(FromAnsi(windows) + u"\\Tasks\\QuorbelClock.exe", folders));
  EXPECT_FALSE(LiesUnderFolder(FromAnsi(windows) + u"\\Temp\\QuorbelClock.exe", folders));

  std::string program_files(MAX_PATH, '\0');
  program_files.resize(GetEnvironmentVariableA("ProgramFiles", program_files.data(), MAX_PATH));
  ASSERT_FALSE(program_files.empty());
  EXPECT_TRUE(LiesUnderFolder(FromAnsi(program_files) + u"\\Quorbel\\QuorbelClock.exe", folders));
}

}  // namespace
}  // namespace quorbel
