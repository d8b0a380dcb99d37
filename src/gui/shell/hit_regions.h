// The main window's clickable regions and the click dispatcher. The skin is
// one picture, so a click is resolved by testing fixed rectangles: the
// window's own controls, then the current page's; a click that no active
// region takes drags the window.
#pragma once

#include "core/pixel_rect.h"
#include <vector>

#include "gui/pages/page_content.h"
#include "gui/pages/page_controls.h"

namespace corvaline::gui {

namespace regions {
inline constexpr PixelRect kOk{562, 623, 667, 644};
inline constexpr PixelRect kApply{666, 623, 771, 644};
inline constexpr PixelRect kSkins{701, 5, 719, 23};
inline constexpr PixelRect kMinimise{825, 5, 843, 23};
inline constexpr PixelRect kClose{850, 5, 868, 23};
inline constexpr PixelRect kBasicTab{14, 54, 54, 94};
inline constexpr PixelRect kAdvancedTab{60, 54, 100, 94};
inline constexpr PixelRect kCancel{770, 623, 875, 644};
inline constexpr PixelRect kWebLink{286, 628, 438, 646};
// The status line, left of the link's globe; it takes no clicks.
inline constexpr PixelRect kStatusLine{18, 627, 258, 646};
}  // namespace regions

enum class Page { None = 0, Basic = 1, Advanced = 2 };

// What the window-level regions do; the main window implements it.
class WindowActions {
 public:
  virtual ~WindowActions() = default;
  virtual bool DeviceReady() const = 0;
  // Whether Apply has anything to do (its accessible description says so).
  virtual bool HasUnappliedEdits() const { return false; }
  virtual Page CurrentPage() const = 0;
  // The regions of the page's contents; nullptr while the page has none.
  virtual PageRegions* RegionsOf(Page page) = 0;
  // OK and Apply: send, save, snapshot, pointer; false when the user called
  // it off.
  virtual bool ApplySettingsNow() = 0;
  // OK or Apply without a mouse: nothing goes out, and the user is told why.
  virtual void ApplyRefused() {}
  virtual void HideWindow() = 0;
  virtual void ChooseSkin() = 0;
  virtual void ExitProgram() = 0;
  virtual void ShowBasicPage() = 0;
  virtual void ShowAdvancedPage() = 0;
  virtual void CancelEdits() = 0;  // restore the snapshot, refresh at the next opening
  virtual void OpenWebSite() = 0;
};

// The window's own controls in reading order: the band above the pages
// (page tabs, Skins, minimise, close) and the one below (OK, Apply, Cancel,
// the link). They are drawn, lit under a resting pointer, clicked and made
// accessible from these lists. A control's click returns whether the
// dispatch ends there: OK, Apply, Skins and Cancel let the click go on to
// the page and the drag.
std::vector<PageControl> WindowBandAbove(WindowActions& actions);
std::vector<PageControl> WindowBandBelow(WindowActions& actions);

enum class ClickOutcome { Handled, Drag };

// Runs one left click through the window-level regions and then the current
// page's regions. Drag means that no region ended the dispatch and the click
// should move the window.
ClickOutcome DispatchClick(int x, int y, WindowActions& actions);

}  // namespace corvaline::gui
