#include <gtest/gtest.h>

#include <memory>

#include "dialog/form3.h"
#include "dialog/tests/fakes.h"
#include "settings/tests/counting_files.h"

namespace quorbel {
namespace {

using Field = IntervalField;

class Form3Test : public ::testing::Test {
 protected:
  void Open() {
    view_ = std::make_unique<FakeForm3View>(log_);
    form_.Load(*view_);
  }
  // The user enters a field and then edits it to `text`.
  void Focus(Field field) { form_.FieldFocused(field); }
  void Type(Field field, const Text& text) {
    view_->fields[field] = text;
    form_.FieldChanged(field);
  }
  void StoreLong(std::string_view name, int32_t value) {
    mod_reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, name, value);
  }
  int32_t StoredLong(std::string_view name) {
    return mod_reg_.RegReadLong(RegRoot::CurrentUser, kSettingsKey, name);
  }
  // The program lies in no admin-only folder here: its entry is the user's.
  std::optional<RegValue> AutostartEntry() {
    return registry_.Query(RegRoot::CurrentUser, kUserRunKey, kAutostartValue);
  }
  Text Shown(Field field) const { return view_->fields.at(field); }

  EventLog log_;
  RecordingRegistry registry_{log_};
  ModReg mod_reg_{registry_};
  LoggedProfileStore profile_{log_, u"C:\\Quorbel\\Config.ini"};
  ModIni ini_{profile_, u"C:\\Quorbel\\"};
  RecordingPanel panel_{log_};
  Form3 form_{mod_reg_, ini_, panel_, u"C:\\Quorbel\\QuorbelClock.exe"};
  std::unique_ptr<FakeForm3View> view_;
};

TEST_F(Form3Test, LoadShowsTheStoredIntervalOrZeros) {
  Open();
  EXPECT_EQ(Shown(Field::Hours), u"0");
  EXPECT_EQ(Shown(Field::Minutes), u"0");
  form_.CloseWithoutStoring();

  StoreLong("Hours", 2);
  StoreLong("Minutes", 30);
  Open();
  EXPECT_EQ(Shown(Field::Hours), u"2");
  EXPECT_EQ(Shown(Field::Minutes), u"30");
  EXPECT_TRUE(view_->messages.empty());
}

TEST_F(Form3Test, CaptionsComeFromTheLanguageSectionWithEnglishDefaults) {
  Open();
  EXPECT_EQ(view_->captions[DialogCaption::Title], u"Setting");
  EXPECT_EQ(view_->captions[DialogCaption::IntervalLabel], u"Alarm Interval:");
  EXPECT_EQ(view_->captions[DialogCaption::MinutesLabel], u"Minutes");
  EXPECT_EQ(view_->captions[DialogCaption::SkinsLabel], u"Skins");
  EXPECT_EQ(view_->captions[DialogCaption::OkButton], u"Ok");
  EXPECT_EQ(view_->captions[DialogCaption::CancelButton], u"Cancel");
  form_.CloseWithoutStoring();

  profile_.Set(u"Skins", u"Language", u"TitleDE");
  profile_.Set(u"TitleDE", u"SetTitle", u"Einstellungen");
  profile_.Set(u"TitleDE", u"SetCancel", u"Abbrechen");
  profile_.Set(u"TitleEN", u"SetOk", u"English Ok");
  Open();
  EXPECT_EQ(view_->captions[DialogCaption::Title], u"Einstellungen");
  EXPECT_EQ(view_->captions[DialogCaption::CancelButton], u"Abbrechen");
  EXPECT_EQ(view_->captions[DialogCaption::OkButton], u"Ok");
}

TEST_F(Form3Test, ARejectedValueReturnsToTheTextTheFieldHadWhenEntered) {
  StoreLong("Minutes", 30);
  Open();
  Focus(Field::Minutes);
  Type(Field::Minutes, u"3");
  Type(Field::Minutes, u"35");
  EXPECT_TRUE(view_->messages.empty());
  Type(Field::Minutes, u"355");
  ASSERT_EQ(view_->messages.size(), 1u);
  EXPECT_EQ(view_->messages[0], kMinutesMessage);
  EXPECT_EQ(Shown(Field::Minutes), u"30");
}

TEST_F(Form3Test, LimitsAreFourHoursAndSixtyMinutes) {
  Open();
  Focus(Field::Hours);
  Type(Field::Hours, u"4");
  Focus(Field::Minutes);
  Type(Field::Minutes, u"60");
  EXPECT_TRUE(view_->messages.empty());

  Focus(Field::Hours);
  Type(Field::Hours, u"5");
  Focus(Field::Minutes);
  Type(Field::Minutes, u"61");
  EXPECT_EQ(view_->messages, (std::vector<Text>{kHoursMessage, kMinutesMessage}));
  EXPECT_EQ(Shown(Field::Hours), u"4");
  EXPECT_EQ(Shown(Field::Minutes), u"60");
}

TEST_F(Form3Test, AnEmptiedOrNegativeFieldIsRejectedAndRestored) {
  StoreLong("Hours", 2);
  Open();
  Focus(Field::Hours);
  Type(Field::Hours, u"");
  Type(Field::Hours, u"-1");
  EXPECT_EQ(view_->messages, (std::vector<Text>{kHoursMessage, kHoursMessage}));
  EXPECT_EQ(Shown(Field::Hours), u"2");
}

TEST_F(Form3Test, StoredMinutesAboveTheLimitGiveTwoMessagesThenZero) {
  StoreLong("Minutes", 75);
  Open();
  EXPECT_EQ(view_->messages, (std::vector<Text>{kMinutesMessage, kMinutesMessage}));
  EXPECT_EQ(Shown(Field::Minutes), u"0");
}

TEST_F(Form3Test, StoredHoursAboveTheLimitGiveTwoMessagesThenAnEmptyField) {
  StoreLong("Hours", 7);
  Open();
  EXPECT_EQ(view_->messages, (std::vector<Text>{kHoursMessage, kHoursMessage}));
  EXPECT_EQ(Shown(Field::Hours), u"");
  EXPECT_EQ(Shown(Field::Minutes), u"0");
}

TEST_F(Form3Test, SavedTextsOutliveTheOpeningThatSetThem) {
  StoreLong("Minutes", 20);
  Open();
  Focus(Field::Minutes);
  form_.CloseWithoutStoring();

  // Loaded twice, the stored value is rejected twice, each time back to the
  // text the field had when the user last entered it.
  StoreLong("Minutes", 75);
  Open();
  EXPECT_EQ(view_->messages, (std::vector<Text>{kMinutesMessage, kMinutesMessage}));
  EXPECT_EQ(Shown(Field::Minutes), u"20");
}

TEST_F(Form3Test, OnlyBackspaceAndDigitsPassTheKeyFilter) {
  EXPECT_TRUE(IntervalKeyPasses(8));
  for (char16_t digit = u'0'; digit <= u'9'; ++digit) EXPECT_TRUE(IntervalKeyPasses(digit));
  for (char16_t refused : {u'a', u'Z', u' ', u'-', u'.', u'/', u':', u'\r', u'\x1b', u'\x03',
                           u'\x16', u'\x18', u'\x7f', u'\u0661'}) {
    EXPECT_FALSE(IntervalKeyPasses(refused)) << static_cast<int>(refused);
  }
}

TEST_F(Form3Test, OkStoresInOrderThenReloadsThePanelAndCloses) {
  StoreLong("Hours", 1);
  StoreLong("Minutes", 15);
  registry_.Set(RegRoot::CurrentUser, kSettingsKey, "Background", RegValue{kRegSz, "C:\\bg.jpg"});
  profile_.Set(u"Skins", u"Count", u"3");
  Open();
  Focus(Field::Hours);
  Type(Field::Hours, u"3");
  form_.ThumbnailClicked(2);
  log_.clear();

  form_.Ok();
  EXPECT_EQ(log_, (EventLog{"reg set Hours", "reg set Minutes", "reg set Background",
                            "ini C:\\Quorbel\\Config.ini [Skins] Selected=3", "Update(true)",
                            "close"}));
  EXPECT_EQ(StoredLong("Hours"), 3);
  EXPECT_EQ(StoredLong("Minutes"), 15);
  EXPECT_EQ(mod_reg_.RegReadString(RegRoot::CurrentUser, kSettingsKey, "Background"), u"C:\\bg.jpg");
  EXPECT_FALSE(form_.IsOpen());
}

TEST_F(Form3Test, OkWithAFieldLeftEmptyReportsItAndKeepsTheDialogOpen) {
  StoreLong("Hours", 7);
  Open();
  view_->messages.clear();
  log_.clear();

  form_.Ok();
  EXPECT_EQ(view_->messages, (std::vector<Text>{kHoursMessage}));
  EXPECT_EQ(log_, (EventLog{"message"}));
  EXPECT_TRUE(form_.IsOpen());

  Focus(Field::Hours);
  Type(Field::Hours, u"2");
  form_.Ok();
  EXPECT_EQ(StoredLong("Hours"), 2);
  EXPECT_FALSE(form_.IsOpen());
}

TEST_F(Form3Test, CancelClosesThenRestartsTheCycleAndStoresNothing) {
  Open();
  Focus(Field::Hours);
  Type(Field::Hours, u"3");
  log_.clear();
  form_.Cancel();
  EXPECT_EQ(log_, (EventLog{"close", "Time3active"}));
  EXPECT_EQ(StoredLong("Hours"), 0);
}

TEST_F(Form3Test, TheCloseButtonNeitherStoresNorTellsThePanel) {
  Open();
  log_.clear();
  form_.CloseWithoutStoring();
  EXPECT_EQ(log_, (EventLog{"close"}));
  form_.Ok();
  form_.Cancel();
  EXPECT_EQ(log_, (EventLog{"close"}));
}

TEST_F(Form3Test, AStoredAutorunWritesTheEntryAgainWithTheCurrentPath) {
  StoreLong("Autorun", 1);
  registry_.Set(RegRoot::CurrentUser, kUserRunKey, kAutostartValue,
                RegValue{kRegSz, "\"c:\\quorbel\\quorbelclock.exe\""});
  Open();
  EXPECT_TRUE(view_->autorun);
  EXPECT_EQ(AutostartEntry(), (RegValue{kRegSz, "C:\\Quorbel\\QuorbelClock.exe"}));
}

// A standard user cannot delete the machine-wide entry an administrator's
// run wrote: the box then stays ticked at the next opening, as it is true.
TEST_F(Form3Test, ClearingAutorunThatLeavesTheEntryStoresNoSwitchOff) {
  StoreLong("Autorun", 1);
  registry_.Set(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue,
                RegValue{kRegSz, "C:\\Quorbel\\QuorbelClock.exe"});
  registry_.DenyMachineWrites(true);
  Open();
  view_->autorun = false;
  form_.AutorunClicked();
  EXPECT_FALSE(AutostartEntry());
  EXPECT_EQ(StoredLong("Autorun"), 1);
  form_.Cancel();
  Open();
  EXPECT_TRUE(view_->autorun);
}

TEST_F(Form3Test, ClearingAutorunRemovesTheEntryForGoodEvenAfterCancel) {
  StoreLong("Autorun", 1);
  Open();
  view_->autorun = false;
  form_.AutorunClicked();
  form_.Cancel();
  EXPECT_FALSE(AutostartEntry());
  EXPECT_EQ(StoredLong("Autorun"), kAutorunSwitchedOff);

  Open();
  EXPECT_FALSE(view_->autorun);
  EXPECT_FALSE(AutostartEntry());

  view_->autorun = true;
  form_.AutorunClicked();
  form_.Cancel();
  EXPECT_TRUE(AutostartEntry());
  EXPECT_EQ(StoredLong("Autorun"), 1);
}

TEST_F(Form3Test, TheSkinStripListsTheThumbnailsAndMarksTheSelectedSkin) {
  profile_.Set(u"Skins", u"Count", u"3");
  profile_.Set(u"Skins", u"Selected", u"2");
  profile_.Set(u"Skins", u"SBitmap(1)", u"s1.jpg");
  profile_.Set(u"Skins", u"SBitmap(3)", u"skins\\s3.png");
  Open();
  EXPECT_EQ(view_->thumbnails, (std::vector<Text>{u"C:\\Quorbel\\s1.jpg", u"C:\\Quorbel\\",
                                                  u"C:\\Quorbel\\skins\\s3.png"}));
  EXPECT_EQ(form_.Picker().SelectedSkin(), 1);
  EXPECT_TRUE(view_->timer_running);

  form_.ThumbnailClicked(0);
  EXPECT_EQ(view_->redrawn, (std::vector<int>{1, 0}));
  form_.ThumbnailClicked(3);
  EXPECT_EQ(form_.Picker().SelectedSkin(), 0);
  form_.TimerTick();
  EXPECT_EQ(view_->redrawn.back(), 0);
  EXPECT_TRUE(form_.Picker().Band());
}

TEST_F(Form3Test, ArrowKeysMoveTheSelectionAsAClickDoesAndBringItIntoView) {
  profile_.Set(u"Skins", u"Count", u"3");
  profile_.Set(u"Skins", u"Selected", u"2");
  Open();
  form_.TimerTick();
  view_->redrawn.clear();
  form_.ThumbnailKeyPressed(StripKey::Right);
  EXPECT_EQ(form_.Picker().SelectedSkin(), 2);
  EXPECT_FALSE(form_.Picker().Band()) << "the band starts over on the next tick, as after a click";
  EXPECT_EQ(view_->redrawn, (std::vector<int>{1, 2}));
  EXPECT_EQ(view_->revealed, (std::vector<int>{2}));

  form_.ThumbnailKeyPressed(StripKey::Right);
  EXPECT_EQ(form_.Picker().SelectedSkin(), 2);
  EXPECT_EQ(view_->revealed.size(), 1u) << "nothing happens past the last skin";
  form_.ThumbnailKeyPressed(StripKey::Left);
  form_.ThumbnailKeyPressed(StripKey::Left);
  form_.ThumbnailKeyPressed(StripKey::Left);
  EXPECT_EQ(form_.Picker().SelectedSkin(), 0);
  EXPECT_EQ(view_->revealed, (std::vector<int>{2, 1, 0}));

  log_.clear();
  form_.Ok();
  EXPECT_EQ(ini_.IniRead(kConfigFile, u"Skins", u"Selected", u""), u"1");
}

TEST_F(Form3Test, TheIntervalFieldsAreNamedFromTheCaptionThatFollowsThem) {
  Open();
  EXPECT_EQ(view_->field_names[Field::Hours], u"Hours");
  EXPECT_EQ(view_->field_names[Field::Minutes], u"Minutes");
  form_.CloseWithoutStoring();

  profile_.Set(u"Skins", u"Language", u"TitleDE");
  profile_.Set(u"TitleDE", u"SetIntervalMinutes", u"(Stunden : Minuten)");
  Open();
  EXPECT_EQ(view_->field_names[Field::Hours], u"Stunden");
  EXPECT_EQ(view_->field_names[Field::Minutes], u"Minuten");
}

TEST(IntervalFieldNames, TakeTheTwoUnitsOfACaptionOrTheEnglishWords) {
  EXPECT_EQ(IntervalFieldNamesFrom(u" (heures : minutes) "), (IntervalFieldNames{u"heures", u"minutes"}));
  EXPECT_EQ(IntervalFieldNamesFrom(u"h:min"), (IntervalFieldNames{u"h", u"min"}));
  const IntervalFieldNames english{u"Hours", u"Minutes"};
  EXPECT_EQ(IntervalFieldNamesFrom(u"Minutes"), english);
  EXPECT_EQ(IntervalFieldNamesFrom(u"(hours : )"), english);
  EXPECT_EQ(IntervalFieldNamesFrom(u"(:)"), english);
  EXPECT_EQ(IntervalFieldNamesFrom(u"a : b : c"), english);
  EXPECT_EQ(IntervalFieldNamesFrom(u""), english);
}

TEST_F(Form3Test, BrowseReplacesTheBackgroundPathOnlyWhenAFileWasChosen) {
  Open();
  view_->chosen_file = u"C:\\pics\\sea.jpg";
  form_.BrowseClicked();
  view_->chosen_file.clear();
  form_.BrowseClicked();
  EXPECT_EQ(form_.BackgroundPath(), u"C:\\pics\\sea.jpg");
  EXPECT_EQ(view_->browse_directories, (std::vector<Text>{u"C:\\Quorbel", u"C:\\Quorbel"}));

  RecordingPanel panel(log_);
  const Form3 linux_form(mod_reg_, ini_, panel, u"/usr/bin/quorbel-clock");
  EXPECT_EQ(linux_form.BrowseDirectory(), u"/usr/bin");
}

// A real window reports the changes Form3 makes itself as it does the user's.
TEST_F(Form3Test, ItsOwnFieldChangesReportedBackAreNotTakenAsTheUsers) {
  StoreLong("Minutes", 75);
  view_ = std::make_unique<FakeForm3View>(log_);
  view_->field_changed = [this](Field field) { form_.FieldChanged(field); };
  form_.Load(*view_);
  EXPECT_EQ(view_->messages, (std::vector<Text>{kMinutesMessage, kMinutesMessage}));
  EXPECT_EQ(Shown(Field::Minutes), u"0");

  Focus(Field::Minutes);
  Type(Field::Minutes, u"61");
  EXPECT_EQ(view_->messages.size(), 3u) << "the restored text is not checked twice";
  EXPECT_EQ(Shown(Field::Minutes), u"0");
}

TEST_F(Form3Test, FocusComingBackFromItsMessageIsNotTheUserEnteringTheField) {
  StoreLong("Minutes", 30);
  Open();
  Focus(Field::Minutes);
  view_->during_message = [this] {
    EXPECT_TRUE(form_.MessageOpen());
    Focus(Field::Minutes);
  };
  Type(Field::Minutes, u"355");
  EXPECT_EQ(Shown(Field::Minutes), u"30");
  EXPECT_FALSE(form_.MessageOpen());
}

TEST(Form3Reads, OpeningReadsEachSettingsFileOnce) {
  LinuxStores stores;
  stores.WriteTypicalFiles();
  EventLog log;
  RecordingPanel panel(log);
  Form3 form(stores.reg, stores.ini, panel, u"/usr/bin/quorbel-clock");
  FakeForm3View view(log);
  form.Load(view);
  EXPECT_EQ(view.fields.at(Field::Minutes), u"30");
  EXPECT_EQ(view.captions.at(DialogCaption::Title), u"Settings");
  EXPECT_EQ(view.thumbnails.size(), 6U);
  EXPECT_EQ(stores.counting.reads, LinuxStores::OnceEach());
}

TEST(DialogPlace, CentredOnTheWorkAreaRoundingTowardsItsTopLeft) {
  EXPECT_EQ(CentredOn({0, 0, 1280, 800}, {310, 273}), (PixelRect{485, 263, 310, 273}));
  EXPECT_EQ(CentredOn({0, 30, 1280, 770}, {304, 244}), (PixelRect{488, 293, 304, 244}));
  EXPECT_EQ(CentredOn({100, 0, 200, 100}, {300, 200}), (PixelRect{50, -50, 300, 200}));
}

TEST(IntervalRowLayout, FollowsTheWidthOfTheIntervalCaption) {
  EXPECT_EQ(LayOutIntervalRow(16, 82, 33, 4, 33), (IntervalRow{108, 146, 155, 193}));
  EXPECT_EQ(LayOutIntervalRow(16, 120, 33, 4, 33), (IntervalRow{146, 184, 193, 231}));
}

}  // namespace
}  // namespace quorbel
