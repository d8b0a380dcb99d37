// The main window's click dispatcher, region by region.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/shell/hit_regions.h"

namespace corvaline::gui {
namespace {

struct FakePage : PageRegions {
  std::vector<std::string>* log = nullptr;
  bool takes = false;
  void CloseListsOutside(int, int) override { log->push_back("close-lists"); }
  bool Dispatch(int, int) override {
    log->push_back("page");
    return takes;
  }
};

struct FakeActions : WindowActions {
  std::vector<std::string> log;
  bool ready = true;
  Page page = Page::Basic;
  FakePage basic, advanced;
  FakeActions() {
    basic.log = &log;
    advanced.log = &log;
  }
  bool DeviceReady() const override { return ready; }
  Page CurrentPage() const override { return page; }
  PageRegions* RegionsOf(Page p) override {
    return p == Page::Basic ? static_cast<PageRegions*>(&basic) : &advanced;
  }
  bool ApplySettingsNow() override {
    log.push_back("apply");
    return true;
  }
  void HideWindow() override { log.push_back("hide"); }
  void ChooseSkin() override { log.push_back("skins"); }
  void ExitProgram() override { log.push_back("exit"); }
  void ShowBasicPage() override { log.push_back("basic"); }
  void ShowAdvancedPage() override { log.push_back("advanced"); }
  void CancelEdits() override { log.push_back("cancel"); }
  void OpenWebSite() override { log.push_back("web"); }
};

using Log = std::vector<std::string>;

struct Case {
  const char* name;
  int x, y;
  Log expected;
  ClickOutcome outcome;
};

TEST(Dispatch, EveryWindowRegionInItsOrderWithAReadyMouse) {
  const Case cases[] = {
      // OK and Apply do not end the dispatch: the page and the drag follow.
      {"ok", 600, 630, {"apply", "hide", "close-lists", "page"}, ClickOutcome::Drag},
      {"apply", 700, 630, {"apply", "close-lists", "page"}, ClickOutcome::Drag},
      {"skins", 710, 10, {"skins", "close-lists", "page"}, ClickOutcome::Drag},
      {"minimise", 830, 10, {"hide"}, ClickOutcome::Handled},
      {"close", 860, 10, {"exit"}, ClickOutcome::Handled},
      {"basic tab", 20, 60, {"basic"}, ClickOutcome::Handled},
      {"advanced tab", 99, 93, {"advanced"}, ClickOutcome::Handled},
      {"cancel", 800, 630, {"cancel", "hide", "close-lists", "page"}, ClickOutcome::Drag},
      {"web link", 300, 630, {"web"}, ClickOutcome::Handled},
      {"empty spot", 200, 630, {"close-lists", "page"}, ClickOutcome::Drag},
  };
  for (const Case& c : cases) {
    FakeActions a;
    EXPECT_EQ(DispatchClick(c.x, c.y, a), c.outcome) << c.name;
    EXPECT_EQ(a.log, c.expected) << c.name;
  }
}

TEST(Dispatch, RegionEdgesAreHalfOpen) {
  // The web link starts at x = 286 and ends before 438; the tab before 54.
  const Case cases[] = {
      {"left of link", 285, 630, {"close-lists", "page"}, ClickOutcome::Drag},
      {"link left edge", 286, 630, {"web"}, ClickOutcome::Handled},
      {"link right edge", 438, 630, {"close-lists", "page"}, ClickOutcome::Drag},
      {"link bottom edge", 300, 646, {"close-lists", "page"}, ClickOutcome::Drag},
      {"tab right edge", 54, 60, {"close-lists", "page"}, ClickOutcome::Drag},
      {"close top-left", 850, 5, {"exit"}, ClickOutcome::Handled},
  };
  for (const Case& c : cases) {
    FakeActions a;
    EXPECT_EQ(DispatchClick(c.x, c.y, a), c.outcome) << c.name;
    EXPECT_EQ(a.log, c.expected) << c.name;
  }
}

TEST(Dispatch, OkAndApplyWithoutMouseDoNothingAndDrag) {
  for (int x : {600, 700}) {
    FakeActions a;
    a.ready = false;
    a.page = Page::None;
    EXPECT_EQ(DispatchClick(x, 630, a), ClickOutcome::Drag);
    EXPECT_TRUE(a.log.empty()) << x;
  }
}

TEST(Dispatch, PageRegionsOnlyOnTheirPageAndAfterTheCloseRule) {
  FakeActions a;
  a.page = Page::Advanced;
  a.advanced.takes = true;
  EXPECT_EQ(DispatchClick(400, 400, a), ClickOutcome::Handled);
  EXPECT_EQ(a.log, (Log{"close-lists", "page"}));

  FakeActions none;
  none.page = Page::None;
  EXPECT_EQ(DispatchClick(400, 400, none), ClickOutcome::Drag);
  EXPECT_TRUE(none.log.empty());
}

}  // namespace
}  // namespace corvaline::gui
