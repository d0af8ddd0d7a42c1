// The entry routine: one instance per user session; a second start hands
// its command line to the running instance and ends.
#include <windows.h>

#include "app/app_paths_win32.h"
#include "app/dde_link_win32.h"
#include "app/form1_win32.h"
#include "common/ansi.h"
#include "common/handles_win32.h"
#include "settings/mod_ini.h"
#include "settings/profile_win32.h"
#include "settings/registry.h"
#include "settings/registry_win32.h"

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

int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
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
  auto form1 = Form1::Create(reg, ini, {});
  form1->Show();
  auto link = LinkServer::Start();
  return RunMessageLoop();
}

}  // namespace
}  // namespace quorbel

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace quorbel;
  unique_handle mutex(CreateMutexA(nullptr, FALSE, kInstanceMutex));
  const bool another_instance = GetLastError() == ERROR_ALREADY_EXISTS;

  auto registry = CreateWin32Registry();
  ModReg reg(*registry);
  auto profiles = CreateWin32ProfileStore();
  ModIni ini(*profiles, MakeAppDir(ExeDirectory()));
  return another_instance ? RunSecondInstance(reg, ini) : RunFirstInstance(reg, ini);
}
