// Puts the tray icon and its menu on screen the way the program wires them,
// logging every event to stdout, for the end-to-end checks under Wine. Runs
// until Exit is chosen.
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/ansi.h"
#include "tray/form4_win32.h"
#include "tray/tray_icon_win32.h"

namespace {

using quorbel::Text;
using quorbel::TextView;

void Log(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

// Config.ini through the platform's profile reader.
class PlatformProfileStore : public quorbel::ProfileStore {
 public:
  Text Read(TextView path, TextView section, TextView key, TextView fallback) override {
    char value[5000] = {};
    GetPrivateProfileStringA(quorbel::ToAnsi(section).c_str(), quorbel::ToAnsi(key).c_str(),
                             quorbel::ToAnsi(fallback).c_str(), value, sizeof value,
                             quorbel::ToAnsi(path).c_str());
    return quorbel::FromAnsi(value);
  }
  bool Write(TextView path, TextView section, TextView key, TextView value) override {
    return WritePrivateProfileStringA(quorbel::ToAnsi(section).c_str(), quorbel::ToAnsi(key).c_str(),
                                      quorbel::ToAnsi(value).c_str(),
                                      quorbel::ToAnsi(path).c_str()) != FALSE;
  }
};

class LoggingPanel : public quorbel::PanelControl {
 public:
  void ShowPanelManaul() override { Log("ShowPanelManaul"); }
  void Time3active() override { Log("Time3active"); }
  void Update(bool) override { Log("Update"); }
};

Text ExecutableDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path);
  directory.erase(directory.find_last_of('\\'));
  return quorbel::FromAnsi(directory);
}

int RunTray() {
  PlatformProfileStore store;
  const quorbel::ModIni ini(store, quorbel::MakeAppDir(ExecutableDirectory()));
  LoggingPanel panel;
  quorbel::Form4* menu_host = nullptr;
  quorbel::TrayIcon tray({[] { Log("Click"); }, [] { Log("DblClick"); },
                          [&] {
                            Log("RightClick");
                            if (menu_host) menu_host->ShowMenuAtPointer();
                          }});
  quorbel::Form4 form4(ini, panel,
                       {[] { Log("show_settings"); }, [] { Log("close_settings"); },
                        [&] {
                          Log("unload_form1");
                          tray.Remove();
                          PostQuitMessage(0);
                        }});
  menu_host = &form4;
  tray.SetScreenTip(quorbel::kTrayIcon1ScreenTip);
  tray.Add(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
  Log("ready");

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  Log("exit");
  return 0;
}

}  // namespace

int main() { return RunTray(); }
