// The entry routine: one instance per user session; a second start hands
// its command line to the running instance and ends.
#include <windows.h>

#include <memory>

#include "app/command_line.h"
#include "app/app_paths_win32.h"
#include "app/dde_link_win32.h"
#include "app/entry.h"
#include "app/form1_win32.h"
#include "common/accessible_win32.h"
#include "common/ansi.h"
#include "common/handles_win32.h"
#include "dialog/form3_win32.h"
#include "settings/autostart_win32.h"
#include "settings/config_ini_store.h"
#include "settings/mod_ini.h"
#include "settings/profile_file.h"
#include "settings/profile_win32.h"
#include "settings/registry.h"
#include "settings/registry_win32.h"
#include "tray/form4_win32.h"

namespace quorbel {
namespace {

constexpr char kInstanceMutex[] = "QuorbelClock.SingleInstance";
// Every copy of the program, wherever it lies, has this file name.
constexpr char16_t kProgramFileName[] = u"QuorbelClock.exe";

Text CommandLineArguments() { return FromAnsi(ArgumentsAfterProgramName(GetCommandLineA())); }

// The entry routine's platform: a named mutex, DDE, and the program's windows.
class Win32EntryPlatform : public EntryPlatform {
 public:
  Win32EntryPlatform(ModReg& reg, ModIni& ini) : reg_(reg), ini_(ini) {}

  InstanceLock TakeInstanceLock() override {
    mutex_.reset(CreateMutexA(nullptr, FALSE, kInstanceMutex));
    return GetLastError() == ERROR_ALREADY_EXISTS ? InstanceLock::kHeldByAnother : InstanceLock::kTaken;
  }
  Text CommandLineArguments() override { return quorbel::CommandLineArguments(); }
  void ForwardCommandLine(const Text& arguments) override { quorbel::ForwardCommandLine(arguments); }
  // The running instance takes any command line as a whole; none ends it.
  bool OnlyEndsARunningInstance() override { return false; }

  bool CreatePanel() override {
    reg_.FollowAutostartEntry(ExePathForAutostart());
    Win32Form1Window::Hooks hooks;
    hooks.on_tray_right_click = [this] {
      if (form4_) form4_->ShowMenuAtPointer();
    };
    hooks.on_unloaded = [] { PostQuitMessage(0); };
    window_ = Win32Form1Window::Create(reg_, ini_, std::move(hooks));
    return window_ != nullptr;
  }
  void ShowPanel() override { Form().Show(); }
  void UnloadPanel() override { Form().Unload(); }

  void LoadMenuHost() override {
    dialog_ = std::make_unique<Win32Form3>(reg_, ini_, Form(), ExePathForAutostart(),
                                               GetModuleHandleA(nullptr));
    TrayMenuActions actions;
    actions.show_settings = [this] { dialog_->Show(); };
    actions.close_settings = [this] { dialog_->CloseWithoutStoring(); };
    actions.unload_form1 = [this] { Form().Unload(); };
    form4_ = std::make_unique<Win32Form4>(ini_, Form(), std::move(actions));
  }

  int RunEventLoop() override {
    const auto link = LinkServer::Start();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (dialog_->PreTranslate(&message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    return 0;
  }

 private:
  Form1& Form() { return window_->Form(); }

  ModReg& reg_;
  ModIni& ini_;
  unique_handle mutex_;
  // Declared in the order they are made, so they go in reverse.
  std::unique_ptr<Win32Form1Window> window_;
  std::unique_ptr<Win32Form3> dialog_;
  std::unique_ptr<Win32Form4> form4_;
};

}  // namespace
}  // namespace quorbel

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace quorbel;
  const ComApartment apartment;
  Win32Registry registry;
  ModReg reg(registry, AdminOnlyFolders(), kProgramFileName);
  ProfileWin32 platform_profiles;
  ProfileFile portable_profiles;
  ConfigIniStore config_ini(platform_profiles, portable_profiles);
  ModIni ini(config_ini, MakeAppDir(ExeDirectory()));
  Win32EntryPlatform platform(reg, ini);
  return RunEntryRoutine(platform);
}
