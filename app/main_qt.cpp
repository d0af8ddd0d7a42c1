// The Linux program's entry routine: one instance per user; a second start
// hands its command line to the running instance and ends.
#include <QApplication>
#include <QDir>

#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_paths.h"
#include "app/command_line.h"
#include "app/entry.h"
#include "app/form1_qt.h"
#include "app/forwarded_command.h"
#include "app/idle_sources.h"
#include "app/instance_directory_posix.h"
#include "app/panel_place.h"
#include "app/program_end_qt.h"
#include "app/single_instance_qt.h"
#include "app/sound_canberra.h"
#include "app/tray_watch_qt.h"
#include "common/data_directory.h"
#include "dialog/form3_qt.h"
#include "settings/file_registry.h"
#include "settings/mod_ini.h"
#include "settings/profile_file.h"
#include "settings/registry.h"
#include "settings/settings_files.h"
#include "settings/user_config_ini.h"
#include "settings/xdg_paths.h"
#include "tray/form4.h"
#include "tray/form4_qt.h"

namespace quorbel {
namespace {
namespace fs = std::filesystem;

// Every copy of the program, installed or in a build tree, has this file name.
constexpr char16_t kProgramFileName[] = u"quorbel-clock";

Text PathText(const fs::path& path) { return FromUtf8(path.string()); }

void SayOnStandardError(const std::string& message) { std::cerr << "quorbel-clock: " << message << std::endl; }

// The entry routine's platform: the instance lock, the local socket, and the
// program's windows.
class QtEntryPlatform : public EntryPlatform {
 public:
  QtEntryPlatform(ModReg& reg, ModIni& ini, ProgramPlace place, Text arguments)
      : reg_(reg),
        ini_(ini),
        place_(std::move(place)),
        arguments_(std::move(arguments)) {}

  InstanceLock TakeInstanceLock() override {
    PosixDirectorySystem system;
    const InstanceDirectory directory = ChooseInstanceDirectory(
        EnvironmentValue("XDG_RUNTIME_DIR"), QDir::tempPath().toStdString(), geteuid(), system);
    if (!directory.notice.empty()) SayOnStandardError(directory.notice);
    if (directory.path.empty()) return InstanceLock::kFailed;
    const InstanceAddress address = InstanceAddressIn(directory.path, EnvironmentValue("DISPLAY"));
    instance_ = std::make_unique<SingleInstance>(address);
    const LockAttempt attempt = instance_->TakeLock();
    if (attempt.result == InstanceLock::kFailed) {
      SayOnStandardError("cannot lock " + address.lock_file.string() + ": " + attempt.failure);
    }
    return attempt.result;
  }
  Text CommandLineArguments() override { return arguments_; }
  void ForwardCommandLine(const Text& arguments) override { instance_->Forward(arguments); }
  bool OnlyEndsARunningInstance() override { return Command() == ForwardedCommand::kExit; }

  bool CreatePanel() override {
    reg_.FollowAutostartEntry(place_.exe_path);
    QtForm1Window::Hooks hooks;
    hooks.on_unloaded = [] { QCoreApplication::quit(); };
    window_ = QtForm1Window::Create(reg_, ini_, place_, sound_, std::move(hooks));
    return window_ != nullptr;
  }
  void ShowPanel() override { Form().Show(); }
  void UnloadPanel() override { Form().Unload(); }

  void LoadMenuHost() override {
    dialog_ = std::make_unique<QtForm3>(reg_, ini_, Form(), place_.exe_path);
    form4_ = std::make_unique<QtForm4>(ini_, Form(), MenuActions(),
                                       [this](const Text& wav_path) { sound_.PlaySync(wav_path); });
    // Without a tray the application menu's actions are the way in: they
    // start the program again with a command for this instance.
    instance_->ActOnCommands([this](ForwardedCommand command) { RunForwarded(command); });
    tray_watch_ = std::make_unique<TrayWatch>([](std::string_view notice) { SayOnStandardError(std::string(notice)); });
    window_->SetTrayMenu(*form4_->MainMenu());
    // The menu entry's Settings action may be what started the program.
    if (Command() == ForwardedCommand::kSettings) RunForwarded(ForwardedCommand::kSettings);
  }

  int RunEventLoop() override { return QApplication::exec(); }

  // What the tray menu's Exit does, also before its menu exists.
  void EndAsExit() {
    if (form4_) {
      form4_->Exit();
    } else if (window_) {
      Form().Unload();
    }
  }

 private:
  Form1& Form() { return window_->Form(); }
  ForwardedCommand Command() const { return ParseForwardedCommand(ToUtf8(arguments_)); }

  TrayMenuActions MenuActions() {
    TrayMenuActions actions;
    actions.show_settings = [this] { dialog_->Show(); };
    actions.close_settings = [this] { dialog_->CloseWithoutStoring(); };
    actions.unload_form1 = [this] { Form().Unload(); };
    return actions;
  }

  // What the tray menu's Setting or Exit does.
  void RunForwarded(ForwardedCommand command) {
    if (!Form().IsLoaded()) return;
    TrayMenuPlatform platform;
    platform.unload_menu_host = [this] { form4_->Unload(); };
    TrayMenuCommands(Form(), MenuActions(), std::move(platform))
        .Run(command == ForwardedCommand::kExit ? TrayMenuCommand::Exit : TrayMenuCommand::Setting);
  }

  ModReg& reg_;
  ModIni& ini_;
  ProgramPlace place_;
  Text arguments_;
  std::unique_ptr<SingleInstance> instance_;
  CanberraSound sound_;
  // Declared in the order they are made, so they go in reverse.
  std::unique_ptr<QtForm1Window> window_;
  std::unique_ptr<QtForm3> dialog_;
  std::unique_ptr<QtForm4> form4_;
  std::unique_ptr<TrayWatch> tray_watch_;
};

Text ArgumentsOf(int argc, char** argv) {
  return JoinArguments(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
}

fs::path ExeDirectory() { return fs::path(QCoreApplication::applicationDirPath().toStdString()); }

}  // namespace
}  // namespace quorbel

int main(int argc, char** argv) {
  using namespace quorbel;
  // Image buffers (a decoded skin, the panel, its frames) get mappings of
  // their own that go back to the system when freed. Left to glibc, the
  // threshold climbs after the first large free, and later buffers leave
  // holes in the heap that stay resident while the panel sleeps.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  const Text arguments = ArgumentsOf(argc, argv);
  const auto plugin = PlatformPluginForSession(EnvironmentValue("QT_QPA_PLATFORM"), EnvironmentValue("WAYLAND_DISPLAY"),
                                               EnvironmentValue("XDG_SESSION_TYPE"), EnvironmentValue("DISPLAY"));
  if (plugin) {
    setenv("QT_QPA_PLATFORM", plugin->c_str(), 1);
  }
  QApplication application(argc, argv);
  if (!PlatformPlacesWindows(QGuiApplication::platformName().toStdString())) {
    std::fprintf(stderr, "%s\n", kUnplacedPanelNotice);
  }
  // Only Exit ends the program: closing the settings dialog must not.
  QApplication::setQuitOnLastWindowClosed(false);

  const std::string config_home = EnvironmentValue("XDG_CONFIG_HOME");
  const std::string home = EnvironmentValue("HOME");
  // One reader for every settings file, so an operation reads each once.
  SettingsFiles settings_files;
  FileRegistry registry(UserSettingsFile(config_home, home), UserAutostartFile(config_home, home), settings_files);
  ModReg reg(registry, {}, kProgramFileName);

  const fs::path data_dir = DataDirectory(ExeDirectory(), [](const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error);
  });
  const Text app_dir = MakeAppDir(PathText(data_dir), u'/');
  ProfileFile files(settings_files);
  const fs::path user_config_ini = UserConfigIni(config_home, home);
  UserConfigIniStore config_ini(files, app_dir + kConfigFile,
                                user_config_ini.empty() ? Text() : PathText(user_config_ini));
  ModIni ini(config_ini, app_dir);

  ProgramPlace place{FromUtf8(QCoreApplication::applicationFilePath().toStdString()), PathText(data_dir)};
  QtEntryPlatform platform(reg, ini, std::move(place), arguments);
  const ProgramEnd end([&platform] { platform.EndAsExit(); });
  return RunEntryRoutine(platform);
}
