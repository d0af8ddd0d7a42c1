// Opens the settings dialog on its own, for looking at it under Wine and for
// the end-to-end check. Settings live in memory, seeded from the command line
// (--hours N --minutes N --autorun N); Config.ini and the thumbnails come
// from the executable's directory. Prints what the dialog does:
//   fields <hours>|<minutes>|  whenever a field's text changes
//   Update(true) / Time3active the panel calls
//   stored <hours> <minutes> autorun=<n> entry=<0|1>   when the dialog closes
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/ansi.h"
#include "dialog/form3.h"
#include "dialog/form3_win32.h"
#include "settings/memory_registry.h"
#include "settings/mod_ini.h"
#include "settings/registry.h"

namespace {

using namespace quorbel;

class ProfileFile : public ProfileStore {
 public:
  Text Read(TextView path, TextView section, TextView key, TextView fallback) override {
    std::array<char, 5000> buffer{};
    GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), ToAnsi(fallback).c_str(),
                             buffer.data(), buffer.size(), ToAnsi(path).c_str());
    return FromAnsi(buffer.data());
  }
  bool Write(TextView path, TextView section, TextView key, TextView value) override {
    return WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(),
                                      ToAnsi(value).c_str(), ToAnsi(path).c_str()) != 0;
  }
};

class PrintingPanel : public PanelControl {
 public:
  void ShowPanelManaul() override { Print("ShowPanelManaul"); }
  void Time3active() override { Print("Time3active"); }
  void Update(bool redraw) override { Print(redraw ? "Update(true)" : "Update(false)"); }
  static void Print(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  }
};

std::string ModulePath() {
  std::array<char, MAX_PATH> path{};
  GetModuleFileNameA(nullptr, path.data(), path.size());
  return path.data();
}

int Option(const char* name, int fallback) {
  for (int i = 1; i + 1 < __argc; ++i) {
    if (std::strcmp(__argv[i], name) == 0) return std::atoi(__argv[i + 1]);
  }
  return fallback;
}

struct DemoState {
  SettingsDialog* dialog = nullptr;
  ModReg* reg = nullptr;
  MemoryRegistry* registry = nullptr;
  std::string last_fields;
};
DemoState demo;

BOOL CALLBACK CollectEditText(HWND child, LPARAM fields) {
  std::array<char, 64> class_name{};
  GetClassNameA(child, class_name.data(), class_name.size());
  if (lstrcmpiA(class_name.data(), "Edit") != 0 || !IsWindowVisible(child)) return TRUE;
  std::array<char, 64> text{};
  GetWindowTextA(child, text.data(), text.size());
  // Each field's text followed by "|".
  *reinterpret_cast<std::string*>(fields) += std::string(text.data()) + "|";
  return TRUE;
}

void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD) {
  if (!demo.dialog->IsOpen()) {
    const bool entry = demo.registry
                           ->Query(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue)
                           .has_value();
    PrintingPanel::Print(
        "stored " + std::to_string(demo.reg->RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Hours")) +
        " " + std::to_string(demo.reg->RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Minutes")) +
        " autorun=" + std::to_string(demo.reg->RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Autorun")) +
        " entry=" + (entry ? "1" : "0"));
    PostQuitMessage(0);
    return;
  }
  std::string fields;
  EnumChildWindows(static_cast<HWND>(demo.dialog->Window()), CollectEditText,
                   reinterpret_cast<LPARAM>(&fields));
  if (fields != demo.last_fields) PrintingPanel::Print("fields " + fields);
  demo.last_fields = fields;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Gdiplus::GdiplusStartupInput input{};
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);

  MemoryRegistry registry;
  ModReg reg(registry);
  reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", Option("--hours", 0));
  reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Minutes", Option("--minutes", 0));
  reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Autorun", Option("--autorun", 0));
  ProfileFile profile;
  const Text module_path = FromAnsi(ModulePath());
  const ModIni ini(profile, MakeAppDir(module_path.substr(0, module_path.find_last_of(u'\\'))));
  PrintingPanel panel;

  SettingsDialog dialog(reg, ini, panel, AutostartExePath(module_path), instance);
  demo = DemoState{&dialog, &reg, &registry, {}};
  dialog.Show();
  SetTimer(nullptr, 0, 100, Watch);

  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (dialog.PreTranslate(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
