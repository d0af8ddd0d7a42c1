#pragma once
// Watches whether the desktop offers a notification area, on a slow timer:
// a shell may start its tray after the program, or lose it.
#include <QTimer>

#include <functional>
#include <string_view>

#include "app/tray_absence.h"

namespace quorbel {

class TrayWatch {
 public:
  // Reads at once and then every few seconds; `say` gets the notice when
  // TrayAbsenceNotice calls for it.
  explicit TrayWatch(std::function<void(std::string_view)> say);
  TrayWatch(const TrayWatch&) = delete;
  TrayWatch& operator=(const TrayWatch&) = delete;

 private:
  void Read();

  std::function<void(std::string_view)> say_;
  TrayAbsenceNotice notice_;
  QTimer timer_;
};

}  // namespace quorbel
