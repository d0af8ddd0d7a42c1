// The entry routine: one instance per user session; a second start hands
// its command line to the running instance and ends.
#include <windows.h>

#include <memory>

#include "app/app_paths_win32.h"
#include "app/dde_link_win32.h"
#include "app/form1_win32.h"
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

// The arguments as one string: everything after the program's own name.
Text CommandLineArguments() {
  const char* line = GetCommandLineA();
  bool quoted = false;
  while (*line && (quoted || (*line != ' ' && *line != '\t'))) {
    if (*line == '"') quoted = !quoted;
    ++line;
  }
  while (*line == ' ' || *line == '\t') ++line;
  return FromAnsi(line);
}

int RunMessageLoop(SettingsDialog& dialog) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (dialog.PreTranslate(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

int RunSecondInstance(ModReg& reg, ModIni& ini) {
  auto form1 = Form1::Create(reg, ini, {});
  const Text arguments = CommandLineArguments();
  if (!arguments.empty()) ForwardCommandLine(arguments);
  form1->Unload();
  return 0;
}

int RunFirstInstance(ModReg& reg, ModIni& ini) {
  std::unique_ptr<Form4> form4;
  Form1::Hooks hooks;
  hooks.on_tray_right_click = [&form4] {
    if (form4) form4->ShowMenuAtPointer();
  };
  hooks.on_unloaded = [] { PostQuitMessage(0); };
  auto form1 = Form1::Create(reg, ini, std::move(hooks));
  form1->Show();

  SettingsDialog dialog(reg, ini, *form1, ExePathForAutostart(), GetModuleHandleA(nullptr));
  TrayMenuActions actions;
  actions.show_settings = [&dialog] { dialog.Show(); };
  actions.close_settings = [&dialog] { dialog.CloseWithoutStoring(); };
  actions.unload_form1 = [&form1] { form1->Unload(); };
  form4 = std::make_unique<Form4>(ini, *form1, std::move(actions));

  const auto link = LinkServer::Start();
  return RunMessageLoop(dialog);
}

}  // namespace
}  // namespace quorbel

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace quorbel;
  const unique_handle mutex(CreateMutexA(nullptr, FALSE, kInstanceMutex));
  const bool another_instance = GetLastError() == ERROR_ALREADY_EXISTS;

  Win32Registry registry;
  ModReg reg(registry, AdminOnlyFolders());
  ProfileWin32 platform_profiles;
  ProfileFile portable_profiles;
  ConfigIniStore config_ini(platform_profiles, portable_profiles);
  ModIni ini(config_ini, MakeAppDir(ExeDirectory()));
  return another_instance ? RunSecondInstance(reg, ini) : RunFirstInstance(reg, ini);
}
