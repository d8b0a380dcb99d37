// Hover feedback of the window's picture buttons: nothing is drawn while the
// pointer travels over them; it lights up after a short rest, and every
// highlight ends together once the pointer is off all of them.
#include <QTimer>

#include <algorithm>

#include "gui/shell/main_window.h"
#include "gui/shell/shell.h"
#include "gui/skin/hover_draw.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {
// The window's controls have the hover ids from kWindowHoverFirst on, in
// this order; the pages' come after them.
constexpr int kWindowHoverFirst = 1;

std::vector<PageControl> Shell::WindowControls() {
  std::vector<PageControl> all = WindowBandAbove(*this);
  for (PageControl& c : WindowBandBelow(*this)) all.push_back(std::move(c));
  return all;
}

std::vector<PageControl> Shell::BareWindowControls() {
  std::vector<PageControl> bare;
  for (PageControl& c : WindowBandAbove(*this))
    if (c.role != PageControl::Role::PageTab) bare.push_back(std::move(c));
  return bare;
}

std::vector<HoverElement> Shell::HoverElements() {
  std::vector<HoverElement> all = HoverElementsOf(WindowControls(), kWindowHoverFirst);
  for (const HoverElement& e : PageHoverElements()) all.push_back(e);
  return all;
}

void Shell::OnPointerMoved(QPoint position) {
  const int page = static_cast<int>(currentPage_);
  const HoverTracker::MoveResult result = hover_.OnMove(position, page);
  if (result.requestHover) {
    hoverPoint_ = position;
    hoverTimer_->start();
    return;
  }
  hoverTimer_->stop();
  DrawHoverRedraws(result.redraws);
}

void Shell::OnPointerRested() {
  DrawHoverRedraws(hover_.OnHover(hoverPoint_, static_cast<int>(currentPage_)));
}

void Shell::DrawHoverRedraws(const std::vector<HoverRedraw>& redraws) {
  QImage* canvas = window_->Canvas();
  if (redraws.empty() || !canvas) return;
  const std::vector<PageControl> window = WindowControls();
  std::vector<QRect> bare;
  for (const PageControl& c : BareWindowControls()) bare.push_back(ToQRect(c.rect));
  const HoverShownFilter onCanvas = [page = currentPage_, &bare](const HoverElement& e) {
    if (page == Page::None) return std::find(bare.begin(), bare.end(), e.region) != bare.end();
    return e.page == HoverPage::Both || static_cast<int>(e.page) == static_cast<int>(page);
  };
  // A highlight left over from the other page is only forgotten: drawing its
  // button now would put it on a page that has none there.
  std::vector<HoverRedraw> onPage;
  for (const HoverRedraw& r : redraws)
    if (onCanvas(hover_.Elements()[static_cast<size_t>(r.index)])) onPage.push_back(r);
  if (onPage.empty()) return;
  HoverUnderLayers under{kMainPng};
  if (currentPage_ != Page::None) under.push_back(currentPage_ == Page::Basic ? kBasicPagePng : kAdvancedPagePng);
  const auto drawText = [this, &window](QImage* c, const HoverElement& e) {
    if (e.page == HoverPage::Both) {
      DrawCaption(window[static_cast<size_t>(e.id - kWindowHoverFirst)], *c, fonts_.normal);
      return;
    }
    PageContent* content = e.page == HoverPage::Basic ? basicContent_ : advancedContent_;
    if (content) content->DrawHoverText(*c, e);
  };
  ::corvaline::DrawHoverRedraws(canvas, hover_, onPage, drawText, under, onCanvas);
  window_->update();
}

}  // namespace corvaline::gui
