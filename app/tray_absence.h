#pragma once
// When to tell the user that the desktop shows no notification area: the
// program then has no icon to be reached by.
#include <string_view>

namespace quorbel {

inline constexpr std::string_view kNoTrayNotice =
    "no system tray: open the settings with \"quorbel-clock --settings\" and end the program with "
    "\"quorbel-clock --exit\" (or the Settings and Exit actions of its application menu entry)";

// Fed each reading of whether a notification area exists: says so once when
// there is none at start, and once each time it goes away again after it
// was there.
class TrayAbsenceNotice {
 public:
  // True when this reading is the one to say it on.
  bool ShouldSay(bool tray_available);

 private:
  bool said_ = false;
};

}  // namespace quorbel
