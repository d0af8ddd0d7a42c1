#include "settings/atomic_file.h"

#include <gtest/gtest.h>

#include "settings/tests/temp_dir.h"

namespace quorbel {
namespace {

size_t FilesIn(const TempDir& dir) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir.path()),
                                           std::filesystem::directory_iterator()));
}

// Files a user may keep beside Config.ini, under the names a writer might
// pick for its temporary file, are neither used nor removed.
TEST(ReplaceWholeFile, LeavesTheUsersOtherFilesAlone) {
  TempDir dir;
  for (const char* name : {"Config.ini.new", "Config.ini.tmp", "Config.ini~", "Config.new"}) {
    WriteBytes(dir / name, name);
  }
  WriteBytes(dir / "Config.ini", "old");
  EXPECT_TRUE(ReplaceWholeFile(dir / "Config.ini", "new"));
  EXPECT_EQ(ReadBytes(dir / "Config.ini"), "new");
  for (const char* name : {"Config.ini.new", "Config.ini.tmp", "Config.ini~", "Config.new"}) {
    EXPECT_EQ(ReadBytes(dir / name), name);
  }
  EXPECT_EQ(FilesIn(dir), 5u);
}

TEST(ReplaceWholeFile, RefusesAPathThatIsNotFull) {
  TempDir dir;
  const auto old_directory = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  EXPECT_FALSE(ReplaceWholeFile("Config.ini", "x"));
  EXPECT_FALSE(ReplaceWholeFile("sub/Config.ini", "x"));
  EXPECT_FALSE(ReplaceWholeFile("", "x"));
  std::filesystem::current_path(old_directory);
  EXPECT_EQ(FilesIn(dir), 0u);
  EXPECT_FALSE(ReplaceWholeFile(dir.path() / "", "x")) << "a directory is no file";
}

TEST(ReplaceWholeFile, AFileInTheWayOfItsDirectoryFailsCleanly) {
  TempDir dir;
  WriteBytes(dir / "skins", "a file, not a directory");
  EXPECT_FALSE(ReplaceWholeFile(dir / "skins" / "Config.ini", "x"));
  EXPECT_EQ(ReadBytes(dir / "skins"), "a file, not a directory");
  EXPECT_EQ(FilesIn(dir), 1u);
}

}  // namespace
}  // namespace quorbel
