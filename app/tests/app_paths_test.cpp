#include <gtest/gtest.h>

#include "app/app_paths.h"

namespace quorbel {
namespace {
namespace fs = std::filesystem;

TEST(AppPaths, TheInstanceAddressIsPerDisplay) {
  const InstanceAddress runtime = InstanceAddressIn("/run/user/1000", ":0");
  EXPECT_EQ(runtime.lock_file, fs::path("/run/user/1000/quorbel-clock-_0.lock"));
  EXPECT_EQ(runtime.socket, fs::path("/run/user/1000/quorbel-clock-_0.socket"));
  EXPECT_EQ(InstanceAddressIn("/tmp/quorbel-clock-7", "host/x:78.0").socket,
            fs::path("/tmp/quorbel-clock-7/quorbel-clock-host_x_78.0.socket"));
  EXPECT_EQ(InstanceAddressIn("/tmp/quorbel-clock-7", "").lock_file,
            fs::path("/tmp/quorbel-clock-7/quorbel-clock.lock"));
}

}  // namespace
}  // namespace quorbel
