// The Windows dialog on a monitor whose DPI changes while it is open: the
// client area, the controls and the font follow at the new scale.
#include <gtest/gtest.h>
#include <windows.h>

#include "dialog/tests/fakes.h"
#include "dialog/tests/form3_driver.h"

namespace quorbel {
namespace {

using enum Form3Control;

int FontHeight(HWND window) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

TEST(Win32Form3Test, ANewMonitorDpiScalesTheClientAreaControlsAndFont) {
  EventLog log;
  RecordingRegistry registry{log};
  ModReg mod_reg{registry};
  LoggedProfileStore profile{log, Widen(QUORBEL_DATA_DIR) + u"Config.ini"};
  ModIni ini{profile, Widen(QUORBEL_DATA_DIR)};
  RecordingPanel panel{log};
  const auto dialog = MakeForm3Driver(mod_reg, ini, panel, NativePath(u"" QUORBEL_DATA_DIR "quorbel-clock"));
  ASSERT_TRUE(dialog->Open());
  const auto window = reinterpret_cast<HWND>(dialog->WindowId());
  const int regular_height = FontHeight(GetDlgItem(window, IDOK));
  ASSERT_EQ(dialog->ClientSize(), (PixelSize{304, 244})) << "the tests run at 96 dpi";

  RECT suggested{100, 50, 600, 450};
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  dialog->RunEventLoopOnce();
  EXPECT_EQ(dialog->ClientSize(), (PixelSize{608, 488}));
  EXPECT_EQ(dialog->Place(Picture1), (PixelRect{32, 160, 546, 114}));
  EXPECT_EQ(dialog->Place(Command1), (PixelRect{304, 400, 130, 50}));
  EXPECT_EQ(dialog->Place(Hours).height, 38);
  // The row follows the caption by 10 logical pixels, 20 of the monitor's.
  const PixelRect caption = dialog->Place(IntervalLabel);
  EXPECT_EQ(caption.x, 32);
  EXPECT_EQ(dialog->Place(Hours).x, 2 * (16 + (caption.width + 1) / 2 + 10));
  EXPECT_EQ(FontHeight(GetDlgItem(window, IDOK)), 2 * regular_height);
  RECT frame{};
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.left, 100) << "where the system suggests";
  EXPECT_EQ(frame.top, 50);
}

}  // namespace
}  // namespace quorbel
