// The panel window as assistive technology sees it under Wine: its client
// object is an alert named with the reminder, and a WinEvent hook outside
// the window's own handling hears the alert when a reminder arrives.
#include "app/panel_window_win32.h"

#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "common/accessible_win32.h"

namespace quorbel {
namespace {

struct UnknownReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
using unique_accessible = std::unique_ptr<IAccessible, UnknownReleaser>;

struct HookReleaser {
  void operator()(HWINEVENTHOOK hook) const { UnhookWinEvent(hook); }
};
using unique_hook = std::unique_ptr<std::remove_pointer_t<HWINEVENTHOOK>, HookReleaser>;

struct HeardEvent {
  DWORD event;
  HWND window;
  LONG object;
  LONG child;
};
std::vector<HeardEvent> heard;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  heard.push_back({event, window, object, child});
}

unique_accessible ClientObject(HWND window) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&accessible)))) {
    return nullptr;
  }
  return unique_accessible(accessible);
}

VARIANT Self() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

Text NameOf(IAccessible& accessible) {
  BSTR name = nullptr;
  if (accessible.get_accName(Self(), &name) != S_OK || !name) return u"(none)";
  Text text(reinterpret_cast<const char16_t*>(name), SysStringLen(name));
  SysFreeString(name);
  return text;
}

// Delivers what is queued, out-of-context WinEvents among it, for up to a second.
void PumpUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < 1000) {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

TEST(Win32PanelWindowAccessibility, AnArrivalIsAnAlertNamedWithTheRemindersWordsThatAHookHears) {
  const ComApartment apartment;
  const auto panel = Win32PanelWindow::Create([](uintptr_t) {});
  ASSERT_TRUE(panel);
  const HWND window = static_cast<HWND>(panel->Handle());
  panel->PlaceAtTop();
  panel->ShowNoActivate();

  const unique_accessible before = ClientObject(window);
  ASSERT_TRUE(before) << "no client object for the panel window";
  VARIANT role{};
  ASSERT_EQ(before->get_accRole(Self(), &role), S_OK);
  EXPECT_EQ(role.vt, VT_I4);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_ALERT);
  EXPECT_EQ(NameOf(*before), u"Quorbel Alarm Clock");

  heard.clear();
  const unique_hook hook(
      SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, Hear, 0, 0, WINEVENT_OUTOFCONTEXT));
  ASSERT_TRUE(hook);
  const Text words = u"Zeit f\u00fcr eine Pause. Ohne Pause am Computer: 01:00.";
  panel->AnnounceArrival(words);
  PumpUntil([] { return !heard.empty(); });
  ASSERT_EQ(heard.size(), 1u) << "the alert was not heard once";
  EXPECT_EQ(heard[0].event, static_cast<DWORD>(EVENT_SYSTEM_ALERT));
  EXPECT_EQ(heard[0].window, window);
  EXPECT_EQ(heard[0].object, OBJID_CLIENT);
  EXPECT_EQ(heard[0].child, CHILDID_SELF);

  const unique_accessible after = ClientObject(window);
  ASSERT_TRUE(after);
  EXPECT_EQ(NameOf(*after), words);
  EXPECT_EQ(NameOf(*before), words) << "an object already handed out follows the window";
}

TEST(Win32PanelWindowAccessibility, AnObjectHeldPastTheWindowAnswersNotConnected) {
  const ComApartment apartment;
  auto panel = Win32PanelWindow::Create([](uintptr_t) {});
  ASSERT_TRUE(panel);
  const unique_accessible held = ClientObject(static_cast<HWND>(panel->Handle()));
  ASSERT_TRUE(held);
  panel.reset();
  BSTR name = nullptr;
  EXPECT_EQ(held->get_accName(Self(), &name), CO_E_OBJNOTCONNECTED);
  VARIANT role{};
  EXPECT_EQ(held->get_accRole(Self(), &role), CO_E_OBJNOTCONNECTED);
}

}  // namespace
}  // namespace quorbel
