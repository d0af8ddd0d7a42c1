#pragma once
// Drives one platform's settings dialog as a user and the program around it
// would: the contract suite runs the same cases against each platform's
// driver (form3_driver_qt.cpp offscreen, form3_driver_win32.cpp under Wine).
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "common/geometry.h"
#include "common/text.h"
#include "dialog/form3.h"

namespace quorbel {

enum class Form3Key { Tab, Home, End, Delete, Backspace, Return, Escape, Left, Right };

struct ShownMessage {
  Text caption;
  Text text;
  bool information_icon = false;
};

// What the file dialog showed when it was answered.
struct ShownFileDialog {
  Text title;
  // The folder it opened in, "/" separated, with a trailing "/"; nothing
  // where the platform's dialog does not tell.
  std::optional<Text> directory;
};

// A child of a control as assistive technology sees it.
struct AccessibleItem {
  Text name;
  bool selected = false;
  bool operator==(const AccessibleItem&) const = default;
};

// The dialog's window, watched across its closing.
enum class WindowState { Gone, Hidden, Shown };

class Form3Driver {
 public:
  virtual ~Form3Driver() = default;

  // The dialog's Show(); true once the dialog is the active window.
  virtual bool Open() = 0;
  virtual bool IsOpen() const = 0;
  // The tray menu's Exit.
  virtual void CloseWithoutStoring() = 0;
  // The title bar's close button.
  virtual void PressCloseButton() = 0;
  // What the event loop does next: the events already queued are handled.
  virtual void RunEventLoopOnce() = 0;

  // Identifies the open dialog's window (0 when closed).
  virtual uintptr_t WindowId() const = 0;
  // Remembers the open dialog's window, to ask about it after it closed.
  virtual void WatchWindow() = 0;
  virtual WindowState WatchedWindow() const = 0;
  // Whether a closed window is freed only once the event loop comes round
  // after its own events have returned.
  virtual bool FreesClosedWindowLater() const = 0;

  virtual Text Title() const = 0;
  virtual PixelSize ClientSize() const = 0;
  virtual bool Resizable() const = 0;
  virtual PixelRect Place(Form3Control control) const = 0;
  virtual Text ControlText(Form3Control control) const = 0;
  // The width of the control's text in its own font.
  virtual int TextWidth(Form3Control control) const = 0;
  virtual bool IsBold(Form3Control control) const = 0;
  virtual bool IsVisible(Form3Control control) const = 0;
  virtual bool IsDefaultButton(Form3Control control) const = 0;
  virtual bool IsChecked(Form3Control control) const = 0;
  virtual bool ThumbnailTimerRunning() = 0;

  // What assistive technology reads: the control's name and its children.
  virtual Text AccessibleName(Form3Control control) const = 0;
  virtual std::vector<AccessibleItem> AccessibleItems(Form3Control control) const = 0;

  virtual std::optional<Form3Control> Focused() const = 0;
  // Gives the control the focus as the keyboard would.
  virtual void Focus(Form3Control control) = 0;
  virtual Text SelectedText(Form3Control control) const = 0;
  virtual void SelectAll(Form3Control control) = 0;
  // Keys and characters reach the control that has the focus.
  virtual void Press(Form3Key key) = 0;
  virtual void Type(const Text& characters) = 0;
  // Ctrl and a letter, as a keyboard shortcut.
  virtual void PressCtrl(char letter) = 0;
  virtual void SetClipboardText(const Text& text) = 0;

  // The program clicks the button (it may be hidden).
  virtual void Click(Form3Control button) = 0;
  // The user clicks the control with the mouse, at its centre or at `point`.
  virtual void MouseClick(Form3Control control, std::optional<PixelSize> point = std::nullopt) = 0;

  // Every message box is answered with its Ok as soon as it is shown, and
  // recorded; `instead_of_ok`, when set, acts on the next box in its place.
  virtual const std::vector<ShownMessage>& Messages() const = 0;
  virtual void InsteadOfNextOk(std::function<void()> instead_of_ok) = 0;
  // The next file dialog is answered with `path`.
  virtual void AnswerFileDialog(const Text& path) = 0;
  virtual const std::vector<ShownFileDialog>& FileDialogs() const = 0;
};

// A "/" separated absolute path as the platform names it.
Text NativePath(const Text& slash_path);

// The platform's dialog over the given stores and panel.
std::unique_ptr<Form3Driver> MakeForm3Driver(ModReg& reg, const ModIni& ini, PanelControl& panel,
                                             Text exe_path);

}  // namespace quorbel
