#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/memory_registry.h"
#include "tests/support/fake_platform.h"

namespace quorbel::testing {
namespace {

// The panel window's platform on the fake thread, logging each step the
// host asks of it.
class FakeForm1Platform : public Form1Platform {
 public:
  bool MakeWindow() override {
    Step("make window");
    return window_can_be_made;
  }
  void PlaceWindow() override { Step("place"); }
  void StartDrawing() override { Step("start drawing"); }
  void EndDrawing() override { Step("end drawing"); }
  void AddTrayIcon(const Text& tip) override { Step("tray icon " + ToUtf8(tip)); }
  void RemoveTrayIcon() override { Step("remove tray icon"); }
  void SetTopMost() override { Step("top-most"); }
  Text ExePath() override {
    Step("exe path");
    return exe_path;
  }
  Text DataFile(TextView name) override { return u"C:\\Clock\\" + Text(name); }
  Form1CyclePorts MakeCyclePorts(std::function<void(TimerId)> on_tick) override {
    Step("cycle ports");
    thread.SetTickHandler(std::move(on_tick));
    return {thread, window, thread, thread, never_hold};
  }
  PanelRenderer& MakeRenderer(const Text& logo_path) override {
    Step("renderer " + ToUtf8(logo_path));
    return renderer;
  }
  void ShowWindow() override { Step("show"); }
  void CloseWindow() override {
    for (const TimerId timer : kAllTimers) timers_left_at_close += thread.IsEnabled(timer);
    Step("close window");
  }

  std::vector<std::string> TakeSteps() { return std::exchange(steps, {}); }

  bool window_can_be_made = true;
  Text exe_path = u"C:\\Clock\\QuorbelClock.exe";
  FakePlatform thread;
  FakePanelWindow window{thread};
  RecordingRenderer renderer{thread};
  NeverHold never_hold;
  std::vector<std::string> steps;
  int timers_left_at_close = 0;

 private:
  void Step(std::string step) { steps.push_back(std::move(step)); }
};

class Form1Test : public ::testing::Test {
 protected:
  Form1Test() { profile_.Set(u"C:\\Clock\\Config.ini", u"Skins", u"Selected", u"1"); }

  std::optional<RegValue> RunEntry() { return registry_.Query(RegRoot::CurrentUser, kUserRunKey, kAutostartValue); }

  FakeForm1Platform platform_;
  MemoryRegistry registry_;
  ModReg reg_{registry_};
  MemoryProfileStore profile_;
  ModIni ini_{profile_, u"C:\\Clock\\"};
  int unloaded_ = 0;
  Form1 form_{platform_, reg_, ini_, {[this] { ++unloaded_; }}};
};

TEST_F(Form1Test, LoadingRunsTheStartUpStepsInOrderAndStartsTheCycle) {
  ASSERT_TRUE(form_.Load());
  EXPECT_TRUE(form_.IsLoaded());
  EXPECT_EQ(platform_.TakeSteps(),
            (std::vector<std::string>{"make window", "place", "start drawing", "exe path",
                                      "tray icon Quorbel Alarm Clock", "top-most", "cycle ports",
                                      "renderer C:\\Clock\\logo.png"}));
  EXPECT_TRUE(platform_.thread.IsEnabled(TimerId::Timer1)) << "the minute count runs";
  EXPECT_FALSE(platform_.renderer.Drawn().empty()) << "the cycle's reload drew the panel";
  EXPECT_FALSE(form_.Load()) << "a loaded window is made once";

  form_.Show();
  EXPECT_EQ(platform_.TakeSteps(), (std::vector<std::string>{"place", "show"}));
}

TEST_F(Form1Test, AWindowThatCannotBeMadeLeavesNothingBehind) {
  platform_.window_can_be_made = false;
  EXPECT_FALSE(form_.Load());
  EXPECT_FALSE(form_.IsLoaded());
  form_.Show();
  form_.ShowPanelManaul();
  form_.Unload();
  EXPECT_EQ(platform_.TakeSteps(), std::vector<std::string>{"make window"});
  EXPECT_FALSE(RunEntry()) << "no autostart entry for a program that did not start";
  EXPECT_EQ(unloaded_, 0);
}

TEST_F(Form1Test, TheFirstRunWritesTheAutostartEntryOnceForTheGivenProgram) {
  ASSERT_TRUE(form_.Load());
  EXPECT_EQ(RunEntry(), (RegValue{kRegSz, "C:\\Clock\\QuorbelClock.exe"}));
  form_.Unload();

  FakeForm1Platform moved;
  moved.exe_path = u"D:\\Elsewhere\\QuorbelClock.exe";
  Form1 again(moved, reg_, ini_, {});
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(RunEntry(), (RegValue{kRegSz, "C:\\Clock\\QuorbelClock.exe"})) << "a later start rewrote it";
}

TEST_F(Form1Test, ThePanelsOperationsReachTheCycleOnlyWhileLoaded) {
  platform_.window.PlaceAt(-140);
  form_.ShowPanelManaul();
  form_.Update(true);
  EXPECT_EQ(platform_.window.Top(), -140);
  EXPECT_TRUE(platform_.renderer.Drawn().empty());

  ASSERT_TRUE(form_.Load());
  platform_.thread.RunFor(2000);
  ASSERT_EQ(platform_.window.Top(), -140) << "the panel rose out of view";
  form_.ShowPanelManaul();
  EXPECT_EQ(platform_.window.Top(), 0);
  const size_t drawn = platform_.renderer.Drawn().size();
  form_.Update(true);
  EXPECT_GT(platform_.renderer.Drawn().size(), drawn);

  form_.Unload();
  const size_t drawn_at_unload = platform_.renderer.Drawn().size();
  form_.Update(true);
  form_.ShowPanelManaul();
  form_.Time3active();
  platform_.thread.RunFor(60000);
  EXPECT_EQ(platform_.renderer.Drawn().size(), drawn_at_unload);
}

TEST_F(Form1Test, UnloadingTearsDownInOrderWithNoTimerLeftAndSaysSoOnce) {
  ASSERT_TRUE(form_.Load());
  ASSERT_TRUE(platform_.thread.IsEnabled(TimerId::Timer1));
  platform_.TakeSteps();
  form_.Unload();
  EXPECT_EQ(platform_.TakeSteps(),
            (std::vector<std::string>{"remove tray icon", "end drawing", "close window"}));
  EXPECT_EQ(platform_.timers_left_at_close, 0);
  EXPECT_FALSE(form_.IsLoaded());
  EXPECT_EQ(unloaded_, 1);
  form_.Unload();
  form_.Show();
  EXPECT_TRUE(platform_.TakeSteps().empty());
  EXPECT_EQ(unloaded_, 1);
}

}  // namespace
}  // namespace quorbel::testing
