#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <future>

#include "common/regular_file.h"
#include "common/unique_fd.h"
#include "settings/tests/temp_dir.h"

namespace quorbel {
namespace {

TEST(ReadFileHeadPosix, FifoWithoutWriterGivesNothingAtOnce) {
  TempDir dir;
  const auto fifo = dir / "load.wav";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto read = std::async(std::launch::async, [&] { return ReadFileHead(fifo, 4096); });
  if (read.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
    ADD_FAILURE() << "opening a FIFO waited for a writer";
    // A writer lets the blocked open go on, so the test can end.
    const unique_fd writer(::open(fifo.c_str(), O_WRONLY | O_CLOEXEC));
  }
  EXPECT_FALSE(read.get());
  EXPECT_FALSE(IsReadableFile(fifo));
}

TEST(ReadFileHeadPosix, DevicesAreNoFiles) {
  EXPECT_FALSE(ReadFileHead("/dev/zero", 16));
  EXPECT_FALSE(ReadFileHead("/dev/null", 16));
}

TEST(ReadFileHeadPosix, FollowsSymbolicLinks) {
  TempDir dir;
  WriteBytes(dir / "target", "abc");
  std::filesystem::create_symlink("target", dir / "link");
  const auto head = ReadFileHead(dir / "link", 16);
  ASSERT_TRUE(head);
  EXPECT_EQ(head->bytes, "abc");
}

}  // namespace
}  // namespace quorbel
