// The Windows panel window between the cycle's logical figures and its
// monitor's pixels, and when the monitor's DPI changes under it.
#include "app/panel_window_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "common/dpi_win32.h"

namespace quorbel {
namespace {

RECT RectOf(const Win32PanelWindow& panel) {
  RECT rect{};
  GetWindowRect(static_cast<HWND>(panel.Handle()), &rect);
  return rect;
}

TEST(Win32PanelWindowTest, TopsAndHeightStayLogicalWhenTheDpiChanges) {
  const auto panel = Win32PanelWindow::Create([](uintptr_t) {});
  ASSERT_TRUE(panel);
  std::vector<double> factors;
  panel->OnScaleChange([&factors](const DisplayScale& scale) { factors.push_back(scale.Factor()); });
  const auto window = static_cast<HWND>(panel->Handle());
  const DisplayScale start = DisplayScale::FromDpi(static_cast<int32_t>(WindowDpi(window)));
  EXPECT_EQ(panel->Scale(), start);
  panel->SetTop(-70);
  EXPECT_EQ(panel->Top(), -70);
  EXPECT_EQ(panel->Height(), 140);

  RECT suggested{0, 0, 900, 280};
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(factors, std::vector<double>{1.5});
  const RECT rect = RectOf(*panel);
  EXPECT_EQ(rect.right - rect.left, 675);
  EXPECT_EQ(rect.bottom - rect.top, 210);
  EXPECT_EQ(rect.top, -105) << "the same logical top, in the new monitor's pixels";
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 675) / 2);
  EXPECT_EQ(panel->Top(), -70);
  EXPECT_EQ(panel->Height(), 140);
  panel->SetTop(-130);
  EXPECT_EQ(RectOf(*panel).top, -195);
}

}  // namespace
}  // namespace quorbel
