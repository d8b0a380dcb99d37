#include "gui/shell/hit_regions.h"

namespace corvaline::gui {

namespace {

// Rows whose action ends the dispatch return true. OK, Apply and Skins do not
// end it: a click on them still falls through to the page and the drag.
bool DispatchWindowRegions(int x, int y, WindowActions& a) {
  using namespace regions;
  if (kOk.Contains(x, y) && a.DeviceReady()) {
    // A question the Apply asked and the user called off keeps the window.
    if (a.ApplySettingsNow()) a.HideWindow();
  }
  if (kApply.Contains(x, y) && a.DeviceReady()) a.ApplySettingsNow();
  if ((kOk.Contains(x, y) || kApply.Contains(x, y)) && !a.DeviceReady()) a.ApplyRefused();
  if (kSkins.Contains(x, y)) a.ChooseSkin();
  if (kMinimise.Contains(x, y)) {
    a.HideWindow();
    return true;
  }
  if (kClose.Contains(x, y)) {
    a.ExitProgram();
    return true;
  }
  if (kBasicTab.Contains(x, y)) {
    a.ShowBasicPage();
    return true;
  }
  if (kAdvancedTab.Contains(x, y)) {
    a.ShowAdvancedPage();
    return true;
  }
  if (kCancel.Contains(x, y)) {
    a.CancelEdits();
    a.HideWindow();
  }
  if (kWebLink.Contains(x, y)) {
    a.OpenWebSite();
    return true;
  }
  return false;
}

}  // namespace

ClickOutcome DispatchClick(int x, int y, WindowActions& actions) {
  if (DispatchWindowRegions(x, y, actions)) return ClickOutcome::Handled;
  const Page page = actions.CurrentPage();
  if (page == Page::Basic || page == Page::Advanced) {
    if (PageRegions* regions = actions.RegionsOf(page)) {
      regions->CloseListsOutside(x, y);
      if (regions->Dispatch(x, y)) return ClickOutcome::Handled;
    }
  }
  return ClickOutcome::Drag;
}

}  // namespace corvaline::gui
