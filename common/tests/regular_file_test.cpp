#include <gtest/gtest.h>

#include "common/regular_file.h"
#include "settings/tests/temp_dir.h"

namespace quorbel {
namespace {

TEST(ReadFileHead, ReadsUpToTheLimitAndSaysWhetherMoreFollows) {
  TempDir dir;
  WriteBytes(dir / "ten", "0123456789");
  WriteBytes(dir / "empty", "");

  const auto whole = ReadFileHead(dir / "ten", 10);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->bytes, "0123456789");
  EXPECT_TRUE(whole->whole);
  EXPECT_EQ(whole->size, 10U);

  const auto head = ReadFileHead(dir / "ten", 4);
  ASSERT_TRUE(head);
  EXPECT_EQ(head->bytes, "0123");
  EXPECT_FALSE(head->whole);
  EXPECT_EQ(head->size, 10U);

  const auto empty = ReadFileHead(dir / "empty", 0);
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->whole);
  EXPECT_TRUE(IsReadableFile(dir / "ten"));
}

TEST(ReadFileHead, NothingWhereNoRegularFileIs) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder");
  EXPECT_FALSE(ReadFileHead(dir / "missing", 100));
  EXPECT_FALSE(ReadFileHead(dir / "folder", 100));
  EXPECT_FALSE(IsReadableFile(dir / "folder"));
}

}  // namespace
}  // namespace quorbel
