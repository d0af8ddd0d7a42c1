#pragma once
// The texts of a reminder as the shipped Config.ini words them, for the
// renderer's tests and the panel benchmark.
#include "panel/panel_model.h"

namespace quorbel::fixtures {

inline PanelTexts DefaultTexts() {
  return PanelTexts{u"QUORBEL WARNING",
                    u"Continuous use of computer :",
                    u"Level :",
                    u"Quorbel risk :",
                    {u"No any risk", u"Carpal tunnel syndrome, Nearsightedness",
                     u"Carpal tunnel syndrome, Nearsightedness"},
                    u"Quorbel advice :",
                    {u"Does not require action", u"Recommended rest and exercise.",
                     u"Recommended rest and exercise."}};
}

}  // namespace quorbel::fixtures
