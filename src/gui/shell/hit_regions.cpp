#include "gui/shell/hit_regions.h"

#include "core/i18n/accessible_texts.h"
#include "core/i18n/ui_strings.h"
#include "gui/skin/skin_files.h"

namespace corvaline::gui {

namespace {

PageControl Button(const PixelRect& rect, std::function<QString()> name,
                   std::function<bool(int, int, QImage*)> click) {
  PageControl c;
  c.rect = rect;
  c.name = std::move(name);
  c.click = std::move(click);
  return c;
}

PageControl Pictured(PageControl c, std::string_view picture, std::string_view over, int group = kHoverAlone) {
  c.picture = picture;
  c.overPicture = over;
  c.hoverGroup = group;
  return c;
}

// OK, Apply and Cancel: the one button picture, lit one at a time, with
// the name written over it.
PageControl CaptionedButton(const PixelRect& rect, MainText name, std::function<bool(int, int, QImage*)> click) {
  PageControl c = Pictured(Button(rect, UiName(name), std::move(click)), kButtonNormalPng, kButtonOverPng,
                           kHoverGroupOkApplyCancel);
  c.captioned = true;
  return c;
}

PageControl PageTab(WindowActions& a, const PixelRect& rect, MainText name, Page page) {
  PageControl tab = Button(rect, UiName(name), [&a, page](int, int, QImage*) {
    page == Page::Basic ? a.ShowBasicPage() : a.ShowAdvancedPage();
    return true;
  });
  const bool basic = page == Page::Basic;
  tab = Pictured(std::move(tab), basic ? kPrePageNormalPng : kNextPageNormalPng,
                 basic ? kPrePageOverPng : kNextPageOverPng, kHoverGroupTabs);
  tab.role = PageControl::Role::PageTab;
  tab.checked = [&a, page] { return std::optional<bool>(a.CurrentPage() == page); };
  return tab;
}

// OK and Apply send only to a mouse that is there; without one the user is
// told why nothing went out.
bool ApplyClicked(WindowActions& a, bool hide) {
  if (!a.DeviceReady()) {
    a.ApplyRefused();
    return false;
  }
  // A question the Apply asked and the user called off keeps the window.
  if (a.ApplySettingsNow() && hide) a.HideWindow();
  return false;
}

}  // namespace

std::vector<PageControl> WindowBandAbove(WindowActions& a) {
  using namespace regions;
  return {
      PageTab(a, kBasicTab, MainText::BasicTitle, Page::Basic),
      PageTab(a, kAdvancedTab, MainText::AdvancedTitle, Page::Advanced),
      Pictured(Button(kSkins, UiName(AccessibleText::Skins), [&a](int, int, QImage*) { return a.ChooseSkin(), false; }),
               kSkinsNormalPng, kSkinsOverPng),
      Pictured(Button(kMinimise, UiName(AccessibleText::Minimise),
                      [&a](int, int, QImage*) { return a.HideWindow(), true; }),
               kMinNormalPng, kMinOverPng),
      Pictured(Button(kClose, UiName(AccessibleText::Close), [&a](int, int, QImage*) { return a.ExitProgram(), true; }),
               kCloseNormalPng, kCloseOverPng),
  };
}

std::vector<PageControl> WindowBandBelow(WindowActions& a) {
  using namespace regions;
  std::vector<PageControl> band{
      CaptionedButton(kOk, MainText::Ok, [&a](int, int, QImage*) { return ApplyClicked(a, true); }),
      CaptionedButton(kApply, MainText::Apply, [&a](int, int, QImage*) { return ApplyClicked(a, false); }),
      CaptionedButton(kCancel, MainText::Cancel, [&a](int, int, QImage*) {
        a.CancelEdits();
        a.HideWindow();
        return false;
      }),
      Button(kWebLink, UiName(MainText::WebAddress), [&a](int, int, QImage*) { return a.OpenWebSite(), true; }),
  };
  // Apply says whether it has anything to do: a screen reader speaks the
  // change of the focused button's description, so Apply is heard to work.
  band[1].description = [&a] {
    return Utf8(UiText(a.HasUnappliedEdits() ? AccessibleText::EditsPending : AccessibleText::EditsApplied,
                       CurrentLanguage()));
  };
  band[3].role = PageControl::Role::Link;
  band[3].captioned = true;
  return band;
}

ClickOutcome DispatchClick(int x, int y, WindowActions& actions) {
  for (const auto& band : {WindowBandAbove(actions), WindowBandBelow(actions)})
    if (const std::optional<bool> ends = ClickControls(band, x, y, nullptr); ends && *ends) return ClickOutcome::Handled;
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
