#include "tray/tray_icon_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorbel {
namespace {

struct ShellCall {
  unsigned long message;
  NOTIFYICONDATAA record;
};

HICON TestIcon() { return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)); }

std::string TipBytes(const NOTIFYICONDATAA& record, size_t count) {
  return std::string(record.szTip, count);
}

class Win32TrayIconTest : public ::testing::Test {
 protected:
  Win32TrayIcon MakeIcon() {
    return Win32TrayIcon({[this] { events_.push_back("Click"); },
                     [this] { events_.push_back("DblClick"); },
                     [this] { events_.push_back("RightClick"); }},
                    [this](unsigned long message, NOTIFYICONDATAA& record) {
                      calls_.push_back({message, record});
                    });
  }
  void Notify(const Win32TrayIcon& icon, std::initializer_list<LPARAM> messages) {
    for (const LPARAM message : messages) SendMessageA(icon.Window(), WM_MOUSEMOVE, 0, message);
  }

  std::vector<std::string> events_;
  std::vector<ShellCall> calls_;
};

TEST_F(Win32TrayIconTest, OwnWindowIsHiddenAndTopLevelSoItHearsShellBroadcasts) {
  Win32TrayIcon icon = MakeIcon();
  HWND window = icon.Window();
  ASSERT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
}

TEST_F(Win32TrayIconTest, AddHandsTheFirstVersionRecordToTheShell) {
  Win32TrayIcon icon = MakeIcon();
  EXPECT_EQ(icon.ScreenTip(), u" ");
  icon.SetScreenTip(kTrayIcon1ScreenTip);
  icon.Add(TestIcon());
  ASSERT_EQ(calls_.size(), 1u);
  const NOTIFYICONDATAA& record = calls_[0].record;
  EXPECT_EQ(calls_[0].message, static_cast<unsigned long>(NIM_ADD));
  EXPECT_EQ(record.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
  EXPECT_EQ(record.hWnd, icon.Window());
  EXPECT_EQ(record.uID, 0u);
  EXPECT_EQ(record.uFlags, 7u);
  EXPECT_EQ(record.uCallbackMessage, 512u);
  EXPECT_EQ(record.hIcon, TestIcon());
  EXPECT_EQ(TipBytes(record, 64), std::string("Quorbel Alarm Clock\0", 20) + std::string(44, ' '));
}

TEST_F(Win32TrayIconTest, TipsOfSixtyThreeAndSixtyFiveCharacters) {
  Win32TrayIcon icon = MakeIcon();
  icon.SetScreenTip(Text(63, u'a'));
  icon.Add(TestIcon());
  icon.SetScreenTip(Text(65, u'b'));
  icon.Add(TestIcon());
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(TipBytes(calls_[0].record, 64), std::string(63, 'a') + '\0');
  EXPECT_EQ(TipBytes(calls_[1].record, 64), std::string(64, 'b'));
  // The rest of the record's field stays zero, so the shell's read ends there.
  EXPECT_EQ(calls_[1].record.szTip[64], '\0');
}

TEST_F(Win32TrayIconTest, NewTipReachesTheShellOnlyWithTheNextAdd) {
  Win32TrayIcon icon = MakeIcon();
  icon.SetScreenTip(u"first");
  icon.Add(TestIcon());
  icon.SetScreenTip(u"second");
  EXPECT_EQ(icon.ScreenTip(), u"second");
  icon.Remove();
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(calls_[1].message, static_cast<unsigned long>(NIM_DELETE));
  EXPECT_EQ(TipBytes(calls_[1].record, 6), std::string("first\0", 6));
}

TEST_F(Win32TrayIconTest, MouseNotificationsBecomeEvents) {
  Win32TrayIcon icon = MakeIcon();
  Notify(icon, {513, 514, 515, 514});
  EXPECT_EQ(events_, (std::vector<std::string>{"Click", "DblClick"}));
  events_.clear();
  Notify(icon, {512, 516, 517, 518, 519, 520});
  EXPECT_EQ(events_, std::vector<std::string>{"RightClick"});
}

TEST_F(Win32TrayIconTest, RestartedShellGetsTheShownIconAgain) {
  const UINT taskbar_created = RegisterWindowMessageA("TaskbarCreated");
  Win32TrayIcon icon = MakeIcon();
  SendMessageA(icon.Window(), taskbar_created, 0, 0);
  EXPECT_TRUE(calls_.empty()) << "nothing to restore before Add";

  icon.Add(TestIcon());
  calls_.clear();
  SendMessageA(icon.Window(), taskbar_created, 0, 0);
  ASSERT_FALSE(calls_.empty());
  EXPECT_EQ(calls_.back().message, static_cast<unsigned long>(NIM_ADD));
  EXPECT_EQ(calls_.back().record.hWnd, icon.Window());
  EXPECT_EQ(calls_.back().record.uFlags, 7u);

  icon.Remove();
  calls_.clear();
  SendMessageA(icon.Window(), taskbar_created, 0, 0);
  EXPECT_TRUE(calls_.empty()) << "a removed icon stays away";
}

TEST_F(Win32TrayIconTest, DestroyingAShownControlRemovesItsIcon) {
  {
    Win32TrayIcon icon = MakeIcon();
    icon.Add(TestIcon());
  }
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(calls_[1].message, static_cast<unsigned long>(NIM_DELETE));
  calls_.clear();
  { Win32TrayIcon icon = MakeIcon(); }
  EXPECT_TRUE(calls_.empty());
}

}  // namespace
}  // namespace quorbel
