#include <gtest/gtest.h>

#include "app/app_paths.h"

namespace quorbel {
namespace {
namespace fs = std::filesystem;

TEST(AppPaths, DataLiesBesideTheExecutableInTheBuildTreeElseUnderTheInstallPrefix) {
  const auto in_build_tree = [](const fs::path& file) { return file == "/src/build/bin/Config.ini"; };
  EXPECT_EQ(DataDirectory("/src/build/bin", in_build_tree), fs::path("/src/build/bin"));
  EXPECT_EQ(DataDirectory("/usr/local/bin", in_build_tree), fs::path("/usr/local/share/quorbel-clock"));
  EXPECT_EQ(DataDirectory("/opt/q/bin/", in_build_tree), fs::path("/opt/q/share/quorbel-clock"));
}

TEST(AppPaths, TheInstanceAddressIsPerUserAndDisplay) {
  const InstanceAddress runtime = InstanceAddressFor("/run/user/1000", "/tmp", 1000, ":0");
  EXPECT_EQ(runtime.lock_file, fs::path("/run/user/1000/quorbel-clock-_0.lock"));
  EXPECT_EQ(runtime.socket, fs::path("/run/user/1000/quorbel-clock-_0.socket"));

  for (const char* unusable : {"", "run/user/1000"}) {
    const InstanceAddress shared = InstanceAddressFor(unusable, "/var/tmp", 1000, "host/x:78.0");
    EXPECT_EQ(shared.lock_file, fs::path("/var/tmp/quorbel-clock-1000-host_x_78.0.lock")) << unusable;
    EXPECT_EQ(shared.socket, fs::path("/var/tmp/quorbel-clock-1000-host_x_78.0.socket")) << unusable;
  }
  EXPECT_EQ(InstanceAddressFor("", "/tmp", 7, "").socket, fs::path("/tmp/quorbel-clock-7.socket"));
  EXPECT_NE(InstanceAddressFor("", "/tmp", 1001, ":0").socket, InstanceAddressFor("", "/tmp", 1000, ":0").socket);
  EXPECT_NE(InstanceAddressFor("", "/tmp", 1000, ":1").socket, InstanceAddressFor("", "/tmp", 1000, ":0").socket);
}

TEST(AppPaths, ArgumentsBecomeOneCommandLine) {
  EXPECT_EQ(JoinArguments({}), u"");
  EXPECT_EQ(JoinArguments({"/x", "two words", "", "\xc3\xa9t\xc3\xa9"}), u"/x \"two words\" \"\" \u00e9t\u00e9");
}

}  // namespace
}  // namespace quorbel
