// Hover rules of the main window: which elements light up, which go back to
// normal, and when nothing is drawn.
#include <gtest/gtest.h>

#include "gui/skin/hover.h"
#include "gui/skin/hover_draw.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_text.h"
#include "ui_test_support.h"

namespace corvaline {
namespace {

constexpr int kBasic = 1;
constexpr int kAdvanced = 2;
const QPoint kOnOk(600, 630);
const QPoint kOnApply(700, 630);
const QPoint kOnCancel(800, 630);
const QPoint kOnSkins(705, 10);
const QPoint kOnMinimise(830, 10);
const QPoint kOnBasicTab(20, 60);
const QPoint kOnAdvancedTab(70, 60);
const QPoint kNowhere(200, 630);

// A window's own picture buttons, as the shell lists them: OK, Apply and
// Cancel in one group, Skins, minimise and close alone, the two tabs in a
// group.
enum : int { kHoverOk = 1, kHoverApply, kHoverCancel, kHoverSkins, kHoverMinimise, kHoverClose, kHoverBasicTab, kHoverAdvancedTab };
std::vector<HoverElement> WindowElements() {
  const int group = kHoverGroupOkApplyCancel;
  return {
      {kHoverOk, RectLTRB(562, 623, 667, 644), HoverPage::Both, group, kButtonNormalPng, kButtonOverPng},
      {kHoverApply, RectLTRB(666, 623, 771, 644), HoverPage::Both, group, kButtonNormalPng, kButtonOverPng},
      {kHoverCancel, RectLTRB(770, 623, 875, 644), HoverPage::Both, group, kButtonNormalPng, kButtonOverPng},
      {kHoverSkins, RectLTRB(701, 5, 719, 23), HoverPage::Both, kHoverAlone, kSkinsNormalPng, kSkinsOverPng},
      {kHoverMinimise, RectLTRB(825, 5, 843, 23), HoverPage::Both, kHoverAlone, kMinNormalPng, kMinOverPng},
      {kHoverClose, RectLTRB(850, 5, 868, 23), HoverPage::Both, kHoverAlone, kCloseNormalPng, kCloseOverPng},
      {kHoverBasicTab, RectLTRB(14, 54, 54, 94), HoverPage::Both, kHoverGroupTabs, kPrePageNormalPng,
       kPrePageOverPng},
      {kHoverAdvancedTab, RectLTRB(60, 54, 100, 94), HoverPage::Both, kHoverGroupTabs, kNextPageNormalPng,
       kNextPageOverPng},
  };
}

// The window's elements, then the pages'.
HoverTracker MainTracker() {
  std::vector<HoverElement> all = WindowElements();
  for (const HoverElement& e : PageHoverElements()) all.push_back(e);
  return HoverTracker(all);
}

int IdOf(const HoverTracker& t, const HoverRedraw& r) { return t.Elements()[static_cast<size_t>(r.index)].id; }

TEST(HoverTest, RestingOnAnotherGroupMemberSwapsTheHighlight) {
  HoverTracker tracker = MainTracker();
  auto first = tracker.OnHover(kOnOk, kBasic);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(IdOf(tracker, first[0]), kHoverOk);
  EXPECT_TRUE(first[0].over);

  auto second = tracker.OnHover(kOnApply, kBasic);
  ASSERT_EQ(second.size(), 2u);
  EXPECT_EQ(IdOf(tracker, second[0]), kHoverOk);
  EXPECT_FALSE(second[0].over);
  EXPECT_EQ(IdOf(tracker, second[1]), kHoverApply);
  EXPECT_TRUE(second[1].over);
  EXPECT_FALSE(tracker.IsHighlighted(kHoverOk));
  EXPECT_TRUE(tracker.IsHighlighted(kHoverApply));

  // Resting again on the lit element changes nothing.
  EXPECT_TRUE(tracker.OnHover(kOnApply, kBasic).empty());

  tracker.OnHover(kOnBasicTab, kBasic);
  auto tabs = tracker.OnHover(kOnAdvancedTab, kBasic);
  ASSERT_EQ(tabs.size(), 2u);
  EXPECT_EQ(IdOf(tracker, tabs[0]), kHoverBasicTab);
  EXPECT_TRUE(tracker.IsHighlighted(kHoverApply));  // another group keeps its highlight
}

TEST(HoverTest, StandAloneElementsAndOtherGroupsKeepTheirHighlightsUntilThePointerLeavesAll) {
  HoverTracker tracker = MainTracker();
  tracker.OnHover(kOnCancel, kBasic);
  auto skins = tracker.OnHover(kOnSkins, kBasic);
  ASSERT_EQ(skins.size(), 1u);
  EXPECT_EQ(IdOf(tracker, skins[0]), kHoverSkins);
  auto minimise = tracker.OnHover(kOnMinimise, kBasic);
  ASSERT_EQ(minimise.size(), 1u);
  EXPECT_TRUE(tracker.IsHighlighted(kHoverCancel));
  EXPECT_TRUE(tracker.IsHighlighted(kHoverSkins));
  EXPECT_TRUE(tracker.IsHighlighted(kHoverMinimise));

  // Moving over elements only asks for the rest notice; nothing is drawn.
  auto over = tracker.OnMove(kOnOk, kBasic);
  EXPECT_TRUE(over.requestHover);
  EXPECT_TRUE(over.redraws.empty());
  EXPECT_TRUE(tracker.IsHighlighted(kHoverMinimise));

  auto off = tracker.OnMove(kNowhere, kBasic);
  EXPECT_FALSE(off.requestHover);
  EXPECT_EQ(off.redraws.size(), 3u);
  for (const HoverRedraw& r : off.redraws) EXPECT_FALSE(r.over);
  EXPECT_FALSE(tracker.AnyHighlighted());

  // Nothing lit: leaving draws nothing.
  EXPECT_TRUE(tracker.OnMove(kNowhere, kBasic).redraws.empty());
}

TEST(HoverTest, RegionsAreHalfOpenAndPageElementsOnlyCountOnTheirPage) {
  HoverTracker tracker = MainTracker();

  EXPECT_EQ(tracker.Find(QPoint(562, 623), kBasic), 0);  // OK's top-left corner
  EXPECT_EQ(tracker.Elements()[static_cast<size_t>(tracker.Find(QPoint(666, 630), kBasic))].id,
            kHoverOk);  // OK and Apply share column 666: OK comes first
  EXPECT_EQ(tracker.Elements()[static_cast<size_t>(tracker.Find(QPoint(667, 630), kBasic))].id,
            kHoverApply);
  EXPECT_EQ(tracker.Find(QPoint(875, 630), kBasic), -1);  // right edge excluded
  EXPECT_EQ(tracker.Find(QPoint(800, 644), kBasic), -1);  // bottom edge excluded
  EXPECT_EQ(tracker.Find(QPoint(868, 10), kBasic), -1);

  EXPECT_TRUE(tracker.OnHover(QPoint(350, 560), kAdvanced).empty());
  EXPECT_FALSE(tracker.OnMove(QPoint(350, 560), kAdvanced).requestHover);
  EXPECT_EQ(tracker.OnHover(QPoint(350, 560), kBasic).size(), 1u);
  EXPECT_TRUE(tracker.IsHighlighted(kHoverDefault));
  EXPECT_TRUE(tracker.OnHover(QPoint(560, 530), kBasic).empty());  // New is an Advanced element
  // Window-level elements count on both pages, and before any page exists.
  EXPECT_GE(tracker.Find(kOnMinimise, kAdvanced), 0);
  EXPECT_GE(tracker.Find(kOnMinimise, 0), 0);
}

TEST(HoverTest, FunctionBoxesAndMacroButtonsFormGroups) {
  HoverTracker tracker = MainTracker();
  // Box i covers rows 199 + 23i up to 220 + 23i: box 3 holds y = 270, box 5 y = 320.
  tracker.OnHover(QPoint(300, 270), kBasic);
  EXPECT_TRUE(tracker.IsHighlighted(kHoverBox0 + 3));
  auto swap = tracker.OnHover(QPoint(300, 320), kBasic);
  ASSERT_EQ(swap.size(), 2u);
  EXPECT_EQ(IdOf(tracker, swap[0]), kHoverBox0 + 3);
  EXPECT_FALSE(swap[0].over);
  EXPECT_EQ(IdOf(tracker, swap[1]), kHoverBox0 + 5);
  int lit = 0;
  for (int i = 0; i < kFunctionBoxCount; ++i) lit += tracker.IsHighlighted(kHoverBox0 + i) ? 1 : 0;
  EXPECT_EQ(lit, 1);
  // The Default button stands alone: the box stays lit beside it.
  tracker.OnHover(QPoint(350, 560), kBasic);
  EXPECT_TRUE(tracker.IsHighlighted(kHoverBox0 + 5));

  tracker.OnHover(QPoint(520, 530), kAdvanced);
  tracker.OnHover(QPoint(800, 530), kAdvanced);
  EXPECT_FALSE(tracker.IsHighlighted(kHoverNew));
  EXPECT_TRUE(tracker.IsHighlighted(kHoverSave));
  tracker.OnHover(QPoint(40, 590), kAdvanced);
  EXPECT_TRUE(tracker.IsHighlighted(kHoverSave));
  EXPECT_TRUE(tracker.IsHighlighted(kHoverRestoreSystem));
}

TEST(HoverDrawTest, OverAndNormalImagesWithCaptionsAndAMissingOverImageKeepsTheNormalOne) {
  test::ScratchSkin skin;
  ASSERT_TRUE(test::WritePng(skin.Path(kButtonNormalPng), test::Filled(105, 21, QColor(0, 0, 255)), true));
  ASSERT_TRUE(test::WritePng(skin.Path(kButtonOverPng), test::Filled(105, 21, QColor(255, 0, 0)), true));
  ASSERT_TRUE(test::WritePng(skin.Path(kDropdownNormalPng), test::Filled(211, 21, QColor(0, 90, 0)), true));
  QImage canvas(880, 660, QImage::Format_RGB32);
  canvas.fill(qRgb(0, 0, 0));

  std::vector<HoverElement> elements = WindowElements();
  elements.push_back({100, RectLTRB(252, 245, 463, 266), HoverPage::Basic, kHoverGroupFunctionBoxes,
                      kDropdownNormalPng, kDropdownOverPng});
  HoverTracker tracker(elements);
  int texts = 0;
  auto countTexts = [&texts](QImage*, const HoverElement&) { ++texts; };

  DrawHoverElement(&canvas, elements.back(), false, QString(), QFont());
  DrawHoverRedraws(&canvas, tracker, tracker.OnHover(QPoint(300, 250), kBasic), countTexts);
  EXPECT_EQ(canvas.pixel(300, 250), qRgb(0, 90, 0));  // no over picture: the normal one stays
  EXPECT_EQ(texts, 0);                                // and its text is not drawn twice

  DrawHoverRedraws(&canvas, tracker, tracker.OnHover(kOnOk, kBasic), countTexts);
  EXPECT_EQ(canvas.pixel(562, 623), qRgb(255, 0, 0));
  DrawHoverRedraws(&canvas, tracker, tracker.OnHover(kOnApply, kBasic), countTexts);
  EXPECT_EQ(canvas.pixel(562, 623), qRgb(0, 0, 255));
  EXPECT_EQ(canvas.pixel(700, 623), qRgb(255, 0, 0));
  EXPECT_EQ(texts, 3);

  // A caption is drawn over the picture in the text colour.
  DrawHoverElement(&canvas, elements[0], true, "OK", QFont());
  bool captionSeen = false;
  for (int x = 562; x < 667 && !captionSeen; ++x) {
    for (int y = 623; y < 644; ++y) captionSeen |= canvas.pixel(x, y) != qRgb(255, 0, 0);
  }
  EXPECT_TRUE(captionSeen);
}

}  // namespace
}  // namespace corvaline
