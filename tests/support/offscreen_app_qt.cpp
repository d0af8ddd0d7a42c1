// One QApplication for a whole test program, on the offscreen platform so
// the tests need no display and see no desktop's tray or theme.
#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

namespace {

class OffscreenApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "quorbel-qt-test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

// gtest owns the environment and deletes it at exit.
const auto* const registered =
    ::testing::AddGlobalTestEnvironment(std::make_unique<OffscreenApplication>().release());

}  // namespace
