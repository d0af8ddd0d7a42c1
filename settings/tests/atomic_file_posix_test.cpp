#include <signal.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include "settings/atomic_file.h"
#include "settings/tests/temp_dir.h"

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

}  // namespace
}  // namespace quorbel
