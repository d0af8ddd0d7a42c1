#pragma once
// Paths as the program builds them ("dir\name", and the "skins\x.png" names
// Config.ini holds) in the form a platform whose separator is "/" opens.
#include <algorithm>

#include "common/text.h"

namespace quorbel {

inline Text SlashPath(TextView path) {
  Text slashed(path);
  std::replace(slashed.begin(), slashed.end(), u'\\', u'/');
  return slashed;
}

}  // namespace quorbel
