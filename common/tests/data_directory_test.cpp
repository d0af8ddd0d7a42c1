#include "common/data_directory.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {
namespace fs = std::filesystem;

TEST(DataDirectory, DataLiesBesideTheExecutableInTheBuildTreeElseUnderTheInstallPrefix) {
  const auto in_build_tree = [](const fs::path& file) { return file == "/src/build/bin/Config.ini"; };
  EXPECT_EQ(DataDirectory("/src/build/bin", in_build_tree), fs::path("/src/build/bin"));
  EXPECT_EQ(DataDirectory("/usr/local/bin", in_build_tree), fs::path("/usr/local/share/quorbel-clock"));
  EXPECT_EQ(DataDirectory("/opt/q/bin/", in_build_tree), fs::path("/opt/q/share/quorbel-clock"));
}

}  // namespace
}  // namespace quorbel
