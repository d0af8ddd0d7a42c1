#include "tray/form4_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/memory_profile_store.h"

namespace quorbel {
namespace {

constexpr char16_t kAppDir[] = u"C:\\quorbel-tray-test\\";
constexpr char16_t kConfigPath[] = u"C:\\quorbel-tray-test\\Config.ini";

class RecordingPanel : public PanelControl {
 public:
  explicit RecordingPanel(std::vector<std::string>& calls) : calls_(calls) {}
  void ShowPanelManaul() override { calls_.push_back("ShowPanelManaul"); }
  void Time3active() override { calls_.push_back("Time3active"); }
  void Update(bool) override { calls_.push_back("Update"); }

 private:
  std::vector<std::string>& calls_;
};

std::string ItemText(HMENU menu, UINT position) {
  char text[256] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

UINT ItemType(HMENU menu, UINT position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoA(menu, position, TRUE, &info);
  return info.fType;
}

class Win32Form4Test : public ::testing::Test {
 protected:
  std::function<void()> Record(std::string name) {
    return [this, name] { calls_.push_back(name); };
  }
  TrayMenuActions RecordedActions() {
    return {Record("show_settings"), Record("close_settings"), Record("unload_form1")};
  }
  void Choose(const Win32Form4& form, TrayMenuCommand command) {
    SendMessageA(form.Window(), WM_COMMAND, static_cast<WPARAM>(command), 0);
  }

  testing::MemoryProfileStore store_;
  ModIni ini_{store_, kAppDir};
  std::vector<std::string> calls_;
  RecordingPanel panel_{calls_};
};

TEST_F(Win32Form4Test, HiddenWindowOwnsTheThreeItemsAndTheSeparatorInOrder) {
  Win32Form4 form(ini_, panel_, RecordedActions());
  ASSERT_TRUE(IsWindow(form.Window()));
  EXPECT_FALSE(IsWindowVisible(form.Window()));
  HMENU menu = form.MainMenu();
  ASSERT_EQ(GetMenuItemCount(menu), 4);
  EXPECT_EQ(ItemText(menu, 0), "Setting");
  EXPECT_EQ(ItemText(menu, 1), "Upgrade & Download Skin");
  EXPECT_TRUE(ItemType(menu, 2) & MFT_SEPARATOR);
  EXPECT_EQ(ItemText(menu, 3), "Exit");
  EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(TrayMenuCommand::Setting));
  EXPECT_EQ(GetMenuItemID(menu, 3), static_cast<UINT>(TrayMenuCommand::Exit));
}

TEST_F(Win32Form4Test, TextsComeFromTheLanguageSectionOnceAtLoad) {
  store_.Set(kConfigPath, u"Skins", u"Language", u"TitleFR");
  store_.Set(kConfigPath, u"TitleFR", u"MenuSetting", u"R\u00e9&glages");
  store_.Set(kConfigPath, u"TitleFR", u"MenuExit", u"&Quitter");
  Win32Form4 form(ini_, panel_, RecordedActions());
  store_.Set(kConfigPath, u"TitleFR", u"MenuExit", u"changed later");
  HMENU menu = form.MainMenu();
  EXPECT_EQ(form.Texts().language, u"TitleFR");
  EXPECT_EQ(ItemText(menu, 0), "R\xe9&glages");
  EXPECT_EQ(ItemText(menu, 1), "Upgrade & Download Skin");
  EXPECT_EQ(ItemText(menu, 3), "&Quitter");
}

TEST_F(Win32Form4Test, ExitClosesTheDialogUnloadsItselfThenThePanelWindow) {
  bool loaded_when_form1_unloads = true;
  Win32Form4 form(ini_, panel_,
             {Record("show_settings"), Record("close_settings"), [&] {
                calls_.push_back("unload_form1");
                loaded_when_form1_unloads = form.IsLoaded();
              }});
  HWND window = form.Window();
  Choose(form, TrayMenuCommand::Exit);
  EXPECT_EQ(calls_, (std::vector<std::string>{"close_settings", "unload_form1"}));
  EXPECT_FALSE(loaded_when_form1_unloads);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(form.MainMenu(), nullptr);
  form.ShowMenuAt(10, 10);  // unloaded: nothing to show, returns at once
}

TEST_F(Win32Form4Test, SessionEndAndCloseEachRunExitOnceButACancelledSessionEndDoesNot) {
  Win32Form4 form(ini_, panel_, RecordedActions());
  EXPECT_TRUE(SendMessageA(form.Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
  SendMessageA(form.Window(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
  EXPECT_TRUE(calls_.empty());
  EXPECT_TRUE(form.IsLoaded());

  SendMessageA(form.Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(calls_, (std::vector<std::string>{"close_settings", "unload_form1"}));
  EXPECT_FALSE(form.IsLoaded());

  calls_.clear();
  Win32Form4 closed(ini_, panel_, RecordedActions());
  SendMessageA(closed.Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(calls_, (std::vector<std::string>{"close_settings", "unload_form1"}));
  EXPECT_FALSE(closed.IsLoaded());
}

TEST_F(Win32Form4Test, ForeignCommandsAreIgnored) {
  Win32Form4 form(ini_, panel_, RecordedActions());
  SendMessageA(form.Window(), WM_COMMAND, 0, 0);
  SendMessageA(form.Window(), WM_COMMAND, 4, 0);
  SendMessageA(form.Window(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(TrayMenuCommand::Exit), 1),
               0);
  EXPECT_TRUE(calls_.empty());
  EXPECT_TRUE(form.IsLoaded());
}

TEST_F(Win32Form4Test, MissingStartSoundPlaysNothingAndReturns) {
  Win32Form4 form(ini_, panel_, RecordedActions());
  const DWORD start = GetTickCount();
  form.PlaySound();
  EXPECT_LT(GetTickCount() - start, 2000u);
}

VOID CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  EndMenu();
}

TEST_F(Win32Form4Test, ShowMenuAtReturnsWhenTheMenuIsDismissed) {
  Win32Form4 form(ini_, panel_, RecordedActions());
  SetTimer(nullptr, 0, 200, &CloseMenu);
  form.ShowMenuAt(100, 100);
  EXPECT_TRUE(calls_.empty());
  MSG message;
  bool null_posted = false;
  while (PeekMessageA(&message, form.Window(), 0, 0, PM_REMOVE)) {
    null_posted = null_posted || message.message == WM_NULL;
  }
  EXPECT_TRUE(null_posted);
}

}  // namespace
}  // namespace quorbel
