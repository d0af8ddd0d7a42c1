#pragma once
// The notification-area icon control over QSystemTrayIcon: Qt registers it
// as a StatusNotifierItem where the desktop runs a watcher and docks it into
// an XEmbed tray otherwise. Its activations go to TrayIcon.
#include <memory>

#include "common/text.h"
#include "tray/tray_icon.h"

class QIcon;
class QSystemTrayIcon;

namespace quorbel {

class QtTrayIcon {
 public:
  explicit QtTrayIcon(TrayIconEvents events);
  QtTrayIcon(const QtTrayIcon&) = delete;
  QtTrayIcon& operator=(const QtTrayIcon&) = delete;
  // Removes an icon still shown, so no dead icon lingers in the tray.
  ~QtTrayIcon();

  // Shows the icon with the current ScreenTip (its first 64 characters, as
  // the Windows tray shows it).
  void Add(const QIcon& icon);
  void Remove();

  const Text& ScreenTip() const;
  // Takes effect with the next Add; a shown icon keeps its tooltip.
  void SetScreenTip(Text tip);

  QSystemTrayIcon& Icon() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quorbel
