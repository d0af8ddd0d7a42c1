#include "app/tray_absence.h"

namespace quorbel {

bool TrayAbsenceNotice::ShouldSay(bool tray_available) {
  if (tray_available) {
    said_ = false;
    return false;
  }
  if (said_) return false;
  said_ = true;
  return true;
}

}  // namespace quorbel
