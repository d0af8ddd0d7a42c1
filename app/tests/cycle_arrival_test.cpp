#include "app/tests/cycle_fixture.h"

namespace quorbel::testing {
namespace {

TEST_F(CycleTest, EachReminderIsAnnouncedOnceWhenItArrivesBeforeItsSoundHoldsTheThread) {
  profile_.Set(u"C:\\Clock\\Config.ini", u"TitleDE", u"Title", u"Zeit f\u00fcr eine Pause");
  profile_.Set(u"C:\\Clock\\Config.ini", u"TitleDE", u"Risk3", u"Augen, R\u00fccken");
  profile_.Set(u"C:\\Clock\\Config.ini", u"Skins", u"Language", u"TitleDE");
  platform_.SetSoundLength(1500);
  StartWithInterval(0, 1);
  EXPECT_TRUE(window_.Announced().empty()) << "the start-up rise is no reminder";

  ASSERT_TRUE(platform_.RunUntil([&] { return window_.Top() == 0; }, 2 * kMinute));
  ASSERT_EQ(window_.Announced().size(), 1u);
  EXPECT_EQ(window_.Announced()[0].text,
            u"Zeit f\u00fcr eine Pause. Continuous use of computer : 00:01. "
            u"Quorbel risk : Carpal tunnel syndrome, Nearsightedness. "
            u"Quorbel advice : Recommended rest and exercise.");
  const auto sounds = platform_.EventsOf(PlatformEvent::Kind::Sound);
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_EQ(window_.Announced()[0].time, sounds[0].time);

  platform_.RunFor(31 * kMinute);
  ASSERT_EQ(window_.Announced().size(), 2u) << "the hold and the rise announce nothing more";
  EXPECT_EQ(window_.Announced()[1].text,
            u"Zeit f\u00fcr eine Pause. Continuous use of computer : 00:31. "
            u"Quorbel risk : Augen, R\u00fccken. Quorbel advice : Recommended rest and exercise.");
}

TEST_F(CycleTest, APanelShownForTheSettingsOrRedrawnAfterABreakIsNotAnnounced) {
  StartWithInterval(0, 5);
  platform_.RunFor(2 * kMinute);
  cycle_.ShowPanelManaul();
  cycle_.Time3active();
  platform_.RunFor(kSecond);
  platform_.TakeBreak();
  platform_.RunFor(3 * kMinute);
  EXPECT_TRUE(window_.Announced().empty());
  EXPECT_FALSE(renderer_.Drawn().empty());
}

}  // namespace
}  // namespace quorbel::testing
