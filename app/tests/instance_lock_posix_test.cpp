#include <unistd.h>

#include <gtest/gtest.h>

#include "app/instance_lock_posix.h"
#include "settings/tests/temp_dir.h"
#include "settings/tests/umask_posix.h"

namespace quorbel {
namespace {
namespace fs = std::filesystem;

TEST(InstanceLockFile, OnlyAHolderThatStillLivesMakesASecondInstance) {
  TempDir dir;
  // A crashed instance leaves its file behind, with whatever it wrote.
  WriteBytes(dir / "quorbel-clock.lock", "4242\nquorbel-clock\n");
  {
    InstanceLockFile first;
    EXPECT_EQ(first.Take(dir / "quorbel-clock.lock").result, InstanceLock::kTaken);
    InstanceLockFile second;
    const LockAttempt attempt = second.Take(dir / "quorbel-clock.lock");
    EXPECT_EQ(attempt.result, InstanceLock::kHeldByAnother);
    EXPECT_EQ(attempt.failure, "");
  }
  InstanceLockFile after_the_first_ended;
  EXPECT_EQ(after_the_first_ended.Take(dir / "quorbel-clock.lock").result, InstanceLock::kTaken);
}

TEST(InstanceLockFile, TheLockFileIsTheUsersAloneWhateverTheUmask) {
  for (const mode_t mask : {0000, 0022, 0077}) {
    TempDir dir;
    const Umask umask(mask);
    InstanceLockFile lock;
    ASSERT_EQ(lock.Take(dir / "quorbel-clock.lock").result, InstanceLock::kTaken);
    EXPECT_EQ(fs::status(dir / "quorbel-clock.lock").permissions(), fs::perms::owner_read | fs::perms::owner_write)
        << "umask " << mask;
  }
}

TEST(InstanceLockFile, ALockThatCannotBeTakenIsAFailureWithItsReason) {
  TempDir dir;
  InstanceLockFile no_directory;
  const LockAttempt missing = no_directory.Take(dir / "gone" / "quorbel-clock.lock");
  EXPECT_EQ(missing.result, InstanceLock::kFailed);
  EXPECT_EQ(missing.failure, "No such file or directory");

  fs::create_symlink(dir / "elsewhere", dir / "quorbel-clock.lock");
  InstanceLockFile link;
  EXPECT_EQ(link.Take(dir / "quorbel-clock.lock").result, InstanceLock::kFailed);
  EXPECT_FALSE(fs::exists(dir / "elsewhere")) << "a link at the lock's place is never followed";
}

TEST(InstanceLockFile, AnotherUsersLockFileIsAFailureNotASecondInstance) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  TempDir dir;
  WriteBytes(dir / "quorbel-clock.lock", "");
  ASSERT_EQ(::chown((dir / "quorbel-clock.lock").c_str(), 65534, 65534), 0);
  InstanceLockFile lock;
  const LockAttempt attempt = lock.Take(dir / "quorbel-clock.lock");
  EXPECT_EQ(attempt.result, InstanceLock::kFailed);
  EXPECT_EQ(attempt.failure, "the file belongs to another user");
}

}  // namespace
}  // namespace quorbel
