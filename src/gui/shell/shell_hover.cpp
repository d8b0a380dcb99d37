// Hover feedback of the window's picture buttons: nothing is drawn while the
// pointer travels over them; it lights up after a short rest, and every
// highlight ends together once the pointer is off all of them.
#include <QTimer>

#include "core/i18n/ui_strings.h"
#include "gui/shell/main_window.h"
#include "gui/shell/shell.h"
#include "gui/skin/hover_draw.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {
namespace {

// OK, Apply and Cancel carry their captions; the other window buttons are
// pictures only.
void DrawWindowCaption(QImage* canvas, const HoverElement& element, UiLanguage lang,
                       const QFont& font) {
  MainText caption;
  switch (element.id) {
    case kHoverOk: caption = MainText::Ok; break;
    case kHoverApply: caption = MainText::Apply; break;
    case kHoverCancel: caption = MainText::Cancel; break;
    default: return;
  }
  const std::string_view text = UiText(caption, lang);
  DrawSkinText(canvas, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
               element.region, font, kCaptionAlign);
}

}  // namespace

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
  // Before any page (no mouse yet) only the window's own buttons are on the
  // picture; OK, Apply, Cancel and the tabs come with the pages.
  const HoverShownFilter onCanvas = [page = currentPage_](const HoverElement& e) {
    if (page == Page::None) return e.id == kHoverSkins || e.id == kHoverMinimise || e.id == kHoverClose;
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
  const auto drawText = [this](QImage* c, const HoverElement& e) {
    if (e.page == HoverPage::Both) {
      DrawWindowCaption(c, e, language_, fonts_.normal);
      return;
    }
    PageContent* content = e.page == HoverPage::Basic ? basicContent_ : advancedContent_;
    if (content) content->DrawHoverText(*c, e);
  };
  ::corvaline::DrawHoverRedraws(canvas, hover_, onPage, drawText, under, onCanvas);
  window_->update();
}

}  // namespace corvaline::gui
