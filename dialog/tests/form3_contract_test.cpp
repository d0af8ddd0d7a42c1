// The settings dialog's behaviour on every platform: one suite, compiled
// against each platform's Form3Driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog/tests/fakes.h"
#include "dialog/tests/form3_driver.h"

namespace quorbel {
namespace {

using enum Form3Control;

class Form3Contract : public ::testing::Test {
 protected:
  void StoreLong(std::string_view name, int32_t value) {
    mod_reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, name, value);
  }
  int32_t StoredLong(std::string_view name) {
    return mod_reg_.RegReadLong(RegRoot::CurrentUser, kSettingsKey, name);
  }
  void UseSkins(int count) {
    const char* names[] = {"aurora", "midnight", "graphite", "ember", "forest", "amethyst"};
    profile_.Set(u"Skins", u"Count", DecimalText(count));
    for (int k = 1; k <= count; ++k) {
      profile_.Set(u"Skins", ThumbnailKey(k), u"skins\\" + Widen(names[(k - 1) % 6]) + u"_thumb.bmp");
    }
  }
  // Focus events reach the fields of the active window only.
  void Open() { ASSERT_TRUE(dialog_->Open()); }
  const std::vector<ShownMessage>& Boxes() const { return dialog_->Messages(); }
  Text Shown(Form3Control control) const { return dialog_->ControlText(control); }

  EventLog log_;
  RecordingRegistry registry_{log_};
  ModReg mod_reg_{registry_};
  LoggedProfileStore profile_{log_, Widen(QUORBEL_DATA_DIR) + u"Config.ini"};
  ModIni ini_{profile_, Widen(QUORBEL_DATA_DIR)};
  RecordingPanel panel_{log_};
  // Beside the data files, so Browse starts in a folder that exists.
  const Text exe_path_ = NativePath(u"" QUORBEL_DATA_DIR "quorbel-clock");
  std::unique_ptr<Form3Driver> dialog_ = MakeForm3Driver(mod_reg_, ini_, panel_, exe_path_);
};

TEST_F(Form3Contract, ControlsLieAtTheirPlacesAndTheRowFollowsTheCaption) {
  profile_.Set(u"TitleEN", u"SetTitle", u"Settings");
  profile_.Set(u"TitleEN", u"SetInterval", u"A much longer interval caption:");
  Open();
  EXPECT_EQ(dialog_->Title(), u"Settings");
  EXPECT_EQ(dialog_->ClientSize(), (PixelSize{304, 244}));
  EXPECT_FALSE(dialog_->Resizable());

  const PixelRect caption = dialog_->Place(IntervalLabel);
  EXPECT_EQ(caption, (PixelRect{16, 24, dialog_->TextWidth(IntervalLabel), 13}));
  EXPECT_TRUE(dialog_->IsBold(IntervalLabel));
  const IntervalRow row = LayOutIntervalRow(16, caption.width, 33, dialog_->Place(Colon).width, 33);
  EXPECT_EQ(dialog_->Place(Hours), (PixelRect{row.hours_left, 24, 33, 19}));
  const PixelRect colon = dialog_->Place(Colon);
  EXPECT_EQ((PixelSize{colon.x, colon.y}), (PixelSize{row.colon_left, 24}));
  EXPECT_EQ(dialog_->Place(Minutes), (PixelRect{row.minutes_left, 24, 33, 19}));
  const PixelRect minutes_label = dialog_->Place(MinutesLabel);
  EXPECT_EQ((PixelSize{minutes_label.x, minutes_label.y}), (PixelSize{row.minutes_label_left, 24}));
  EXPECT_FALSE(dialog_->IsBold(MinutesLabel));
  const PixelRect skins_label = dialog_->Place(SkinsLabel);
  EXPECT_EQ((PixelSize{skins_label.x, skins_label.y}), (PixelSize{16, 56}));
  EXPECT_EQ(Shown(SkinsLabel), u"Skins");

  EXPECT_EQ(dialog_->Place(Picture1), (PixelRect{16, 80, 273, 57}));
  EXPECT_EQ(dialog_->Place(HScroll1), (PixelRect{16, 135, 273, 17}));
  EXPECT_EQ(dialog_->Place(Check1), (PixelRect{16, 168, 145, 17}));
  EXPECT_EQ(dialog_->Place(Command1), (PixelRect{152, 200, 65, 25}));
  EXPECT_EQ(Shown(Command1), u"Ok");
  EXPECT_TRUE(dialog_->IsDefaultButton(Command1));
  EXPECT_EQ(dialog_->Place(Cancel), (PixelRect{224, 200, 65, 25}));
  EXPECT_FALSE(dialog_->IsVisible(Command2));
  EXPECT_TRUE(dialog_->ThumbnailTimerRunning());
}

TEST_F(Form3Contract, HoursHasTheFocusAndTabFollowsTheDesignedOrder) {
  Open();
  EXPECT_EQ(dialog_->SelectedText(Hours), u"0") << "typing replaces it";
  std::vector<std::optional<Form3Control>> order;
  for (int step = 0; step < 7; ++step) {
    order.push_back(dialog_->Focused());
    ASSERT_TRUE(order.back());
    dialog_->Press(Form3Key::Tab);
  }
  EXPECT_EQ(order, (std::vector<std::optional<Form3Control>>{Hours, Minutes, Cancel, Command1, Picture1,
                                                             Check1, Hours}));
}

TEST_F(Form3Contract, TheFieldsAreNamedAndTheStripIsAListOfNamedSkins) {
  UseSkins(3);
  profile_.Set(u"Skins", u"Selected", u"2");
  profile_.Set(u"TitleEN", u"SetIntervalMinutes", u"(hours : minutes)");
  Open();
  EXPECT_EQ(dialog_->AccessibleName(Hours), u"hours");
  EXPECT_EQ(dialog_->AccessibleName(Minutes), u"minutes") << "not the colon label before it";
  EXPECT_EQ(dialog_->AccessibleItems(Picture1),
            (std::vector<AccessibleItem>{{u"Skin 1", false}, {u"Skin 2", true}, {u"Skin 3", false}}));
}

TEST_F(Form3Contract, TabReachesTheStripWhoseArrowKeysPickTheSkinThatOkStores) {
  UseSkins(6);
  profile_.Set(u"Skins", u"Selected", u"2");
  Open();
  for (int step = 0; step < 4; ++step) dialog_->Press(Form3Key::Tab);
  ASSERT_EQ(dialog_->Focused(), Picture1);
  for (int step = 0; step < 6; ++step) dialog_->Press(Form3Key::Right);
  dialog_->Press(Form3Key::Left);
  EXPECT_EQ(dialog_->Focused(), Picture1);
  const std::vector<AccessibleItem> items = dialog_->AccessibleItems(Picture1);
  ASSERT_EQ(items.size(), 6u);
  EXPECT_TRUE(items[4].selected) << "the last skin, then one back";
  EXPECT_FALSE(items[1].selected);

  log_.clear();
  dialog_->Press(Form3Key::Return);
  EXPECT_EQ(log_, (EventLog{"reg set Hours", "reg set Minutes", "reg set Background",
                            "ini " + std::string(QUORBEL_DATA_DIR) + "Config.ini [Skins] Selected=5",
                            "Update(true)"}));
  EXPECT_FALSE(dialog_->IsOpen());
}

TEST_F(Form3Contract, OnlyDigitsBackspaceAndEditingKeysReachTheFields) {
  Open();
  dialog_->Focus(Minutes);
  dialog_->Press(Form3Key::End);
  dialog_->Type(u"2");
  EXPECT_EQ(Shown(Minutes), u"02");
  dialog_->SetClipboardText(u"1");
  dialog_->Type(u"a -.");
  dialog_->PressCtrl('V');
  EXPECT_EQ(Shown(Minutes), u"02");
  dialog_->Press(Form3Key::Home);
  dialog_->Press(Form3Key::Delete);
  EXPECT_EQ(Shown(Minutes), u"2");
  EXPECT_TRUE(Boxes().empty());

  // Emptied, the field is refused and goes back to its text when entered.
  dialog_->Press(Form3Key::End);
  dialog_->Press(Form3Key::Backspace);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, kMinutesMessage);
  EXPECT_EQ(Shown(Minutes), u"0");
}

TEST_F(Form3Contract, AValueAboveTheLimitIsReportedInAnInformationBox) {
  StoreLong("Hours", 2);
  Open();
  dialog_->SelectAll(Hours);
  dialog_->Type(u"5");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].caption, u"Quorbel Alarm Clock");
  EXPECT_EQ(Boxes()[0].text, kHoursMessage);
  EXPECT_TRUE(Boxes()[0].information_icon);
  EXPECT_EQ(Shown(Hours), u"2");
  EXPECT_TRUE(dialog_->IsOpen());
}

TEST_F(Form3Contract, ClosingWhileALimitMessageIsOpenTakesTheMessageAlongAndFreesTheWindowOnce) {
  Open();
  dialog_->WatchWindow();
  dialog_->SelectAll(Hours);
  log_.clear();
  dialog_->InsteadOfNextOk([this] {
    dialog_->CloseWithoutStoring();  // the tray menu's Exit
    dialog_->RunEventLoopOnce();     // what the box's event loop does next
  });
  dialog_->Type(u"7");
  ASSERT_EQ(Boxes().size(), 1u) << "the message closed with the dialog, not answered again";
  EXPECT_FALSE(dialog_->IsOpen());
  EXPECT_TRUE(log_.empty()) << "nothing stored, the panel not told";
  // Win32 destroys the message box with the window that owns it, at once.
  if (dialog_->FreesClosedWindowLater()) {
    ASSERT_NE(dialog_->WatchedWindow(), WindowState::Gone)
        << "kept while its message's event loop was on the stack";
  }
  dialog_->RunEventLoopOnce();
  EXPECT_EQ(dialog_->WatchedWindow(), WindowState::Gone);
}

TEST_F(Form3Contract, EnterStoresTheIntervalAndTheClickedSkinThenCloses) {
  StoreLong("Hours", 1);
  StoreLong("Minutes", 15);
  UseSkins(6);
  Open();
  dialog_->SelectAll(Hours);
  dialog_->Type(u"3");
  dialog_->MouseClick(Picture1, PixelSize{4 + 2 * 52 + 20, 24});
  log_.clear();
  dialog_->WatchWindow();

  dialog_->Press(Form3Key::Return);
  EXPECT_EQ(log_, (EventLog{"reg set Hours", "reg set Minutes", "reg set Background",
                            "ini " + std::string(QUORBEL_DATA_DIR) + "Config.ini [Skins] Selected=3",
                            "Update(true)"}));
  EXPECT_EQ(StoredLong("Hours"), 3);
  EXPECT_EQ(StoredLong("Minutes"), 15);
  EXPECT_FALSE(dialog_->IsOpen());
  // Win32 destroys the window from inside its own Ok; Qt may not.
  if (dialog_->FreesClosedWindowLater()) {
    EXPECT_EQ(dialog_->WatchedWindow(), WindowState::Hidden);
  }
  dialog_->RunEventLoopOnce();
  EXPECT_EQ(dialog_->WatchedWindow(), WindowState::Gone) << "freed once its own click has returned";
}

TEST_F(Form3Contract, EscCancelsAndTheCloseButtonStoresNothing) {
  Open();
  dialog_->SelectAll(Hours);
  dialog_->Type(u"3");
  log_.clear();
  dialog_->Press(Form3Key::Escape);
  EXPECT_EQ(log_, EventLog{"Time3active"});
  EXPECT_FALSE(dialog_->IsOpen());
  EXPECT_EQ(StoredLong("Hours"), 0);

  Open();
  log_.clear();
  dialog_->PressCloseButton();
  EXPECT_TRUE(log_.empty());
  EXPECT_FALSE(dialog_->IsOpen());
}

TEST_F(Form3Contract, ShowingAgainRaisesTheOneDialogAndReopeningLoadsAfresh) {
  Open();
  const uintptr_t first = dialog_->WindowId();
  dialog_->SelectAll(Hours);
  dialog_->Type(u"3");
  ASSERT_TRUE(dialog_->Open());
  EXPECT_EQ(dialog_->WindowId(), first);
  EXPECT_EQ(Shown(Hours), u"3");

  dialog_->CloseWithoutStoring();
  EXPECT_FALSE(dialog_->IsOpen());
  StoreLong("Hours", 2);
  Open();
  EXPECT_EQ(Shown(Hours), u"2");
  dialog_->WatchWindow();
  dialog_->RunEventLoopOnce();
  EXPECT_EQ(dialog_->WatchedWindow(), WindowState::Shown);
}

TEST_F(Form3Contract, TheAutorunBoxWritesOrRemovesTheEntryAtOnce) {
  const auto entry = [this] {
    return registry_.Query(RegRoot::CurrentUser, kUserRunKey, kAutostartValue);
  };
  Open();
  dialog_->MouseClick(Check1);
  EXPECT_EQ(entry(), (RegValue{kRegSz, ToUtf8(exe_path_)}));
  EXPECT_EQ(StoredLong("Autorun"), 1);
  dialog_->MouseClick(Check1);
  EXPECT_FALSE(entry());
  EXPECT_EQ(StoredLong("Autorun"), kAutorunSwitchedOff);
  dialog_->CloseWithoutStoring();

  StoreLong("Autorun", 1);
  log_.clear();
  Open();
  EXPECT_TRUE(dialog_->IsChecked(Check1));
  EXPECT_TRUE(entry());
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "reg set Clock"), 1) << "written once at load";
}

TEST_F(Form3Contract, BrowseTakesTheChosenPictureAsTheBackground) {
  const Text chosen = u"" QUORBEL_DATA_DIR "skins/ember_thumb.bmp";
  dialog_->AnswerFileDialog(chosen);
  Open();
  dialog_->Click(Command2);
  ASSERT_EQ(dialog_->FileDialogs().size(), 1u);
  EXPECT_EQ(dialog_->FileDialogs()[0].title, u"Load");
  // The Win32 dialog is handed the folder as its initial file name, which
  // Wine's file dialog does not act on.
  if (dialog_->FileDialogs()[0].directory) {
    EXPECT_EQ(*dialog_->FileDialogs()[0].directory, u"" QUORBEL_DATA_DIR);
  }
  log_.clear();
  dialog_->Click(Command1);
  EXPECT_EQ(mod_reg_.RegReadString(RegRoot::CurrentUser, kSettingsKey, "Background"),
            NativePath(chosen));
}

}  // namespace
}  // namespace quorbel
