#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "dialog/skin_picker.h"

namespace quorbel {
namespace {

constexpr int kViewport = 269;  // inside Picture1's sunken border

auto Listed(int last) {
  return [last](int skin_number) { return skin_number <= last; };
}

TEST(SkinStrip, ThumbnailsLieAtTwoPlusFiftyTwoK) {
  std::vector<int> lefts;
  for (int k = 0; k < 5; ++k) lefts.push_back(ThumbnailLeft(k));
  EXPECT_EQ(lefts, (std::vector<int>{2, 54, 106, 158, 210}));
}

TEST(SkinStrip, TheStripHoldsItsLastThumbnailWhole) {
  EXPECT_EQ(StripWidth(5), 261);
  for (int count : {6, 10, 100}) {
    EXPECT_EQ(StripWidth(count), ThumbnailLeft(count - 1) + kThumbnailSize + 2) << count;
  }
  EXPECT_EQ(StripWidth(10), 521);
}

TEST(SkinStrip, ScrollsOnlyAsFarAsTheStripReachesBeyondTheViewport) {
  EXPECT_EQ(ScrollRange(StripWidth(1), kViewport), 0);
  EXPECT_EQ(ScrollRange(StripWidth(3), kViewport), 0);
  EXPECT_EQ(ScrollRange(StripWidth(5), kViewport), 0);
  EXPECT_EQ(ScrollRange(StripWidth(6), kViewport), 44);
  // Scrolled to the end, the last thumbnail's right edge is in view.
  const int range = ScrollRange(StripWidth(10), kViewport);
  EXPECT_EQ(range, 252);
  EXPECT_LE(ThumbnailLeft(9) + kThumbnailSize - range, kViewport);
}

TEST(SkinStrip, AClickFindsTheThumbnailUnderItOnTheMovedStrip) {
  EXPECT_EQ(ThumbnailAt(2, 2, 0, 6), 0);
  EXPECT_EQ(ThumbnailAt(50, 50, 0, 6), 0);
  EXPECT_EQ(ThumbnailAt(54, 10, 0, 6), 1);
  EXPECT_EQ(ThumbnailAt(10, 10, 44, 6), 1);  // 54 on the strip
  EXPECT_EQ(ThumbnailAt(260, 10, 44, 6), 5);  // the last one, scrolled to the end
  // Margins, the 3-pixel gaps, above and below the row, past the last one.
  for (const auto& [x, y] : {std::pair{1, 10}, {51, 10}, {53, 10}, {10, 1}, {10, 51}}) {
    EXPECT_EQ(ThumbnailAt(x, y, 0, 6), std::nullopt) << x << "," << y;
  }
  EXPECT_EQ(ThumbnailAt(160, 10, 0, 3), std::nullopt);
}

TEST(SkinStrip, CountTextGivesAtLeastOneAndABoundedNumberOfSkins) {
  EXPECT_EQ(SkinCount(u"5", Listed(0)), 5);
  EXPECT_EQ(SkinCount(u"256", Listed(0)), 256);
  for (const char16_t* bad : {u"", u"abc", u"0", u"-3", u"2.5", u"-99999", u"0000", u"+"}) {
    EXPECT_EQ(SkinCount(bad, Listed(40)), 1) << ToUtf8(bad);
  }
  // Above the listed thumbnails, any count is bounded by them.
  for (const char16_t* large : {u"300", u"32767", u"32768", u"99999", u"99999999999999999999999"}) {
    EXPECT_EQ(SkinCount(large, Listed(12)), 12) << ToUtf8(large);
  }
  EXPECT_EQ(SkinCount(u"30000", Listed(100000)), kMaxSkins);
  EXPECT_EQ(SkinCount(u"30000", Listed(0)), 1);
}

TEST(SkinStrip, SelectedOutsideTheSkinsSelectsTheFirst) {
  EXPECT_EQ(SelectedIndex(u"1", 5), 0);
  EXPECT_EQ(SelectedIndex(u"5", 5), 4);
  for (const char16_t* bad : {u"0", u"6", u"-1", u"", u"two", u"70000"}) {
    EXPECT_EQ(SelectedIndex(bad, 5), 0) << ToUtf8(bad);
  }
}

TEST(SkinStrip, ThumbnailKeysNumberFromOne) {
  EXPECT_EQ(ThumbnailKey(1), u"SBitmap(1)");
  EXPECT_EQ(ThumbnailKey(12), u"SBitmap(12)");
}

TEST(SkinStrip, ArrowKeysStepOneThumbnailAndStopAtTheEnds) {
  EXPECT_EQ(ThumbnailAfterKey(2, StripKey::Right, 6), 3);
  EXPECT_EQ(ThumbnailAfterKey(2, StripKey::Left, 6), 1);
  EXPECT_EQ(ThumbnailAfterKey(5, StripKey::Right, 6), std::nullopt);
  EXPECT_EQ(ThumbnailAfterKey(0, StripKey::Left, 6), std::nullopt);
  EXPECT_EQ(ThumbnailAfterKey(0, StripKey::Right, 1), std::nullopt);
  EXPECT_EQ(ThumbnailName(0), u"Skin 1");
  EXPECT_EQ(ThumbnailName(9), u"Skin 10");
}

TEST(SkinStrip, AThumbnailSelectedByKeyIsScrolledWhollyIntoView) {
  // Six skins: the strip is 313 wide, so it moves up to 44.
  const int six = ScrollRange(StripWidth(6), kViewport);
  ASSERT_EQ(six, 44);
  EXPECT_EQ(OffsetShowing(4, 0, kViewport, six), 0) << "4 lies at 210 ... 258, in view";
  EXPECT_EQ(OffsetShowing(5, 0, kViewport, six), 44) << "5 and its margin end at 313";
  EXPECT_EQ(OffsetShowing(4, 44, kViewport, six), 44);
  EXPECT_EQ(OffsetShowing(1, 44, kViewport, six), 44) << "1's margin starts at 52: in view";
  EXPECT_EQ(OffsetShowing(0, 44, kViewport, six), 0);
  // Ten skins: 521 wide, a range of 252.
  const int ten = ScrollRange(StripWidth(10), kViewport);
  EXPECT_EQ(OffsetShowing(7, 0, kViewport, ten), 417 - kViewport);
  EXPECT_EQ(OffsetShowing(2, 150, kViewport, ten), 104);
  EXPECT_EQ(OffsetShowing(9, 0, kViewport, ten), ten);
}

TEST(SelectionFrame, RingsTheOutermostPixelsOfAThumbnail) {
  const SelectionFrame frame = SelectionFrameFor(49, 49);
  EXPECT_EQ(frame.outer, (PixelRect{0, 0, 48, 48}));   // rows and columns 0 and 48
  EXPECT_EQ(frame.inner, (PixelRect{1, 1, 46, 46}));   // 1 and 47
  EXPECT_EQ(frame.tint, (PixelRect{2, 2, 48, 48}));
}

TEST(LightBand, SweepsFromMinusFortyToFortyNineThenStartsAgain) {
  SkinPicker picker;
  picker.Select(0);
  EXPECT_FALSE(picker.Band());
  picker.Tick(49, 49);
  EXPECT_EQ(picker.Band(), (PixelRect{2, 0, 49, 16}));  // a fresh program starts at 0

  std::vector<int> tops;
  for (int tick = 0; tick < 49 + 90; ++tick) {
    picker.Tick(49, 49);
    tops.push_back(picker.Band()->y);
  }
  EXPECT_EQ(tops[47], 48);
  EXPECT_EQ(tops[48], 49);
  EXPECT_EQ(tops[49], -40);
  EXPECT_EQ(tops[49 + 89], 49);
  // 90 ticks per sweep; the 16-pixel band touches the thumbnail on 64 of them.
  const auto touching = std::count_if(tops.begin() + 49, tops.end(),
                                      [](int top) { return top + 16 > 0 && top < 49; });
  EXPECT_EQ(touching, 64);
}

TEST(LightBand, CarriesOnAcrossSelectionsButIsOffUntilTheNextTick) {
  SkinPicker picker;
  picker.Select(0);
  for (int tick = 0; tick < 10; ++tick) picker.Tick(49, 49);
  picker.Select(3);
  EXPECT_EQ(picker.SelectedSkin(), 3);
  EXPECT_FALSE(picker.Band());
  picker.Tick(49, 49);
  EXPECT_EQ(picker.Band()->y, 10);
}

}  // namespace
}  // namespace quorbel
