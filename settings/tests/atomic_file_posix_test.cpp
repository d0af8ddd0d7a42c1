#include <signal.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include "settings/atomic_file.h"
#include "settings/tests/temp_dir.h"
#include "settings/tests/umask_posix.h"

namespace quorbel {
namespace {
namespace fs = std::filesystem;

// Caps the size of files this process may write, as a full disk would, for
// the life of the object.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    old_handler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit old_{};
  sighandler_t old_handler_;
};

TEST(ReplaceWholeFile, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaryOne) {
  TempDir dir;
  WriteBytes(dir / "Config.ini", "[Skins]\nSelected=1\n");
  {
    const FileSizeLimit limit(8);
    EXPECT_FALSE(ReplaceWholeFile(dir / "Config.ini", std::string(4096, 'x')));
  }
  EXPECT_EQ(ReadBytes(dir / "Config.ini"), "[Skins]\nSelected=1\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(ReplaceWholeFile, TheNewFileKeepsTheOldOnesAccessRights) {
  TempDir dir;
  WriteBytes(dir / "Config.ini", "old");
  const fs::perms rights = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(dir / "Config.ini", rights);
  EXPECT_TRUE(ReplaceWholeFile(dir / "Config.ini", "new"));
  EXPECT_EQ(fs::status(dir / "Config.ini").permissions(), rights);
}

TEST(ReplaceWholeFile, WhatItCreatesIsTheUsersAloneWhateverTheUmask) {
  for (const mode_t mask : {0000, 0022, 0077}) {
    TempDir dir;
    const Umask umask(mask);
    ASSERT_TRUE(ReplaceWholeFile(dir / "config" / "quorbel-clock" / "settings.reg", "REGEDIT4\n"));
    EXPECT_EQ(fs::status(dir / "config").permissions(), fs::perms::owner_all) << "umask " << mask;
    EXPECT_EQ(fs::status(dir / "config" / "quorbel-clock").permissions(), fs::perms::owner_all) << "umask " << mask;
    EXPECT_EQ(fs::status(dir / "config" / "quorbel-clock" / "settings.reg").permissions(),
              fs::perms::owner_read | fs::perms::owner_write)
        << "umask " << mask;
  }
}

TEST(ReplaceWholeFile, ASymbolicLinkStaysALinkToTheUpdatedFile) {
  TempDir dir;
  fs::create_directories(dir / "dotfiles" / "autostart");
  WriteBytes(dir / "dotfiles" / "autostart" / "quorbel-clock.desktop", "old");
  fs::create_directories(dir / "config");
  // A relative link, as dotfile managers make them, through a linked folder.
  fs::create_directory_symlink(dir / "dotfiles", dir / "config" / "dotfiles");
  fs::create_symlink("dotfiles/autostart/quorbel-clock.desktop", dir / "config" / "entry.desktop");
  fs::create_symlink(dir / "config" / "entry.desktop", dir / "config" / "link-to-link.desktop");

  EXPECT_TRUE(ReplaceWholeFile(dir / "config" / "link-to-link.desktop", "new"));
  EXPECT_TRUE(fs::is_symlink(dir / "config" / "link-to-link.desktop"));
  EXPECT_TRUE(fs::is_symlink(dir / "config" / "entry.desktop"));
  EXPECT_EQ(ReadBytes(dir / "dotfiles" / "autostart" / "quorbel-clock.desktop"), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "config"), fs::directory_iterator()), 3)
      << "no temporary file is left beside the link";

  // A link whose file is not there yet gets it.
  fs::create_symlink(dir / "dotfiles" / "settings.reg", dir / "config" / "settings.reg");
  EXPECT_TRUE(ReplaceWholeFile(dir / "config" / "settings.reg", "REGEDIT4"));
  EXPECT_TRUE(fs::is_symlink(dir / "config" / "settings.reg"));
  EXPECT_EQ(ReadBytes(dir / "dotfiles" / "settings.reg"), "REGEDIT4");
}

TEST(ReplaceWholeFile, LinksInACircleAreAFailureNotAHang) {
  TempDir dir;
  fs::create_symlink(dir / "b", dir / "a");
  fs::create_symlink(dir / "a", dir / "b");
  EXPECT_FALSE(ReplaceWholeFile(dir / "a", "x"));
  EXPECT_TRUE(fs::is_symlink(dir / "a"));
}

}  // namespace
}  // namespace quorbel
