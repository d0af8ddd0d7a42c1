#pragma once
// The notification-area icon control: one icon with a tooltip, registered by
// a hidden top-level window of the control's own, which hands the shell's
// mouse notifications to TrayIcon.
#include <functional>
#include <memory>

#include "common/text.h"
#include "tray/tray_icon.h"

struct HICON__;
struct HWND__;
struct _NOTIFYICONDATAA;

namespace quorbel {

// Hands a message (NIM_ADD or NIM_DELETE) and the record to the shell;
// Shell_NotifyIconA unless a test stands in.
using ShellNotify = std::function<void(unsigned long message, _NOTIFYICONDATAA& record)>;

class Win32TrayIcon {
 public:
  explicit Win32TrayIcon(TrayIconEvents events, ShellNotify notify = {});
  Win32TrayIcon(const Win32TrayIcon&) = delete;
  Win32TrayIcon& operator=(const Win32TrayIcon&) = delete;
  // Removes an icon still shown, so no dead icon lingers in the tray.
  ~Win32TrayIcon();

  // Shows the icon with the current ScreenTip. Not looked at whether it is
  // already shown; the shell's refusal is not reported.
  void Add(HICON__* icon);
  // Removes the icon with the record as the last Add left it.
  void Remove();

  const Text& ScreenTip() const;
  // Takes effect with the next Add; a shown icon keeps its tooltip.
  void SetScreenTip(Text tip);

  // The window the shell sends the icon's notifications to.
  HWND__* Window() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quorbel
