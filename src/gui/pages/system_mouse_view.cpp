#include "gui/pages/system_mouse_view.h"

#include <QFontMetrics>
#include <algorithm>
#include <QPainter>

#include "core/i18n/ui_strings.h"
#include "core/macros/macro_messages.h"
#include "gui/skin/message_sink.h"
#include "core/system/pointer_levels.h"
#include "core/pixel_rect.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_image.h"
#include "gui/skin/skin_state.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

namespace {

constexpr int kTickWidth = 24;
constexpr int kTickHeight = 11;
constexpr int kSliderTops[3] = {200, 350, 500};
constexpr int kHeadingTops[3] = {160, 310, 460};
constexpr MainText kHeadings[3] = {MainText::MouseSpeedHeading, MainText::ScrollSpeedHeading,
                                   MainText::DoubleClickHeading};
constexpr PixelRect kRestore{38, 584, 143, 605};
constexpr PixelRect kBoxes[2] = {{51, 255, 67, 271}, {51, 405, 67, 421}};
constexpr int kBoxLabelTops[2] = {255, 405};
constexpr MainText kBoxLabels[2] = {MainText::PointerPrecisionLabel,
                                    MainText::ScrollOneScreenLabel};
// Unavailable elements sit under a veil of the page's darkness.
const QColor kVeil(0, 0, 0, 150);

PixelRect Tick(int slider, int tick) {
  const int top = kSliderTops[slider - 1];
  return {28 + kTickWidth * tick, top, 52 + kTickWidth * tick, top + kTickHeight};
}

// Sliders and boxes are numbered from 1 on the page, top to bottom.
PointerField SliderField(int slider) { return kPointerSliders[static_cast<std::size_t>(slider - 1)]; }
PointerField BoxField(int box) { return kPointerBoxes[static_cast<std::size_t>(box - 1)]; }

void Veil(QImage& canvas, const QRect& area) {
  QPainter painter(&canvas);
  painter.fillRect(area, kVeil);
}

// The note goes beside the element's heading or label, in the text colour.
void DrawNote(QImage& canvas, const QRect& area, const QFont& font) {
  DrawSkinText(&canvas, Utf8(NotAvailableText(CurrentLanguage())), area, font, kLabelAlign);
}

// A heading wider than its box (a wider font, a longer translation) grows
// to both sides rather than losing letters.
QRect HeadingRect(int slider, const QFont& font) {
  const int top = kHeadingTops[slider - 1];
  const QRect box = RectLTRB(38, top, 143, top + 21);
  const int need = QFontMetrics(font).horizontalAdvance(Utf8(UiText(kHeadings[slider - 1]))) + 2;
  const int extra = need - box.width();
  if (extra <= 0) return box;
  const int grow = (extra + 1) / 2;
  return box.adjusted(-std::min(grow, box.left() - 12), 0, grow, 0);
}

}  // namespace

void ShowPointerProblems(const PointerProblems& problems) {
  for (const std::string& p : problems) ShowMessage(p, kWarningCaption);
}

void SystemMouseView::Compose(QImage& canvas, const QFont& font) {
  ShowPointerProblems(mouse_.ReadOnce());
  for (int s = 0; s < 3; ++s)
    DrawSkinText(&canvas, Utf8(UiText(kHeadings[s])), HeadingRect(s + 1, font), font, kCaptionAlign);
  for (const PageControl& c : Controls())
    if (c.draw) c.draw(canvas);
  for (int s = 1; s <= 3; ++s) DrawSliderTexts(canvas, s, font);
  DrawBoxTexts(canvas, 1, font);
  DrawBoxTexts(canvas, 2, font);
  DrawRestoreCaption(canvas, font);
}

void SystemMouseView::DrawRestoreCaption(QImage& canvas, const QFont& font) const {
  DrawSkinText(&canvas, Utf8(UiText(MainText::SystemDefault)), ToQRect(kRestore), font, kCaptionAlign);
}

void SystemMouseView::DrawTicks(QImage& canvas, int slider) const {
  const int lit = LitTicks(PointerValue(mouse_.Settings(), SliderField(slider)));
  for (int k = 1; k <= kSliderSteps; ++k) {
    const PixelRect t = Tick(slider, k);
    DrawSkinFile(&canvas, k <= lit ? kSliderLightPng : kSliderDarkPng, t.left, t.top);
  }
}

// The numbers under the ticks, and the veil with its note where the desktop
// lacks the setting: drawn over the ticks.
void SystemMouseView::DrawSliderTexts(QImage& canvas, int slider, const QFont& font) const {
  for (int k = 1; k <= kSliderSteps; ++k) {
    const PixelRect t = Tick(slider, k);
    DrawSkinText(&canvas, QString::number(k), RectLTRB(t.left, t.bottom + 10, t.right, t.bottom + 30),
                 font, kCaptionAlign);
  }
  if (mouse_.Support().Has(SliderField(slider))) return;
  const PixelRect first = Tick(slider, 1);
  Veil(canvas, RectLTRB(first.left, first.top, Tick(slider, kSliderSteps).right, first.bottom + 30));
  const QRect heading = HeadingRect(slider, font);
  DrawNote(canvas, RectLTRB(std::max(150, heading.right() + 10), heading.top(), 420, heading.bottom() + 1),
           font);
}

void SystemMouseView::DrawBox(QImage& canvas, int box) const {
  const bool ticked = PointerValue(mouse_.Settings(), BoxField(box)) != 0;
  const PixelRect r = kBoxes[box - 1];
  DrawSkinFile(&canvas, ticked ? kPaneTickPng : kPanePng, r.left, r.top);
}

void SystemMouseView::DrawBoxTexts(QImage& canvas, int box, const QFont& font) const {
  const PixelRect r = kBoxes[box - 1];
  const int top = kBoxLabelTops[box - 1];
  const QString label = Utf8(UiText(kBoxLabels[box - 1]));
  DrawSkinText(&canvas, label, RectLTRB(77, top, 408, top + 16), font, kLabelAlign);
  if (mouse_.Support().Has(BoxField(box))) return;
  const int labelWidth = QFontMetrics(font).horizontalAdvance(label);
  Veil(canvas, RectLTRB(r.left, r.top, 77 + labelWidth, r.bottom));
  DrawNote(canvas, RectLTRB(77 + labelWidth + 12, top, 408, top + 16), font);
}

// Clicks redraw only the pictures that changed: texts drawn twice would
// thicken, veils darken.
void SystemMouseView::Restore(QImage* canvas) {
  ShowPointerProblems(mouse_.Restore());
  if (!canvas) return;
  const PointerSupport support = mouse_.Support();
  if (support.speed) DrawTicks(*canvas, 1);
  if (support.wheel) {
    DrawTicks(*canvas, 2);
    DrawBox(*canvas, 2);
  }
  if (support.doubleClick) DrawTicks(*canvas, 3);
  if (support.acceleration) DrawBox(*canvas, 1);
}

std::vector<PageControl> SystemMouseView::Controls() {
  std::vector<PageControl> list;
  for (int slider = 1; slider <= 3; ++slider) {
    const PointerField field = SliderField(slider);
    PageControl c;
    c.role = PageControl::Role::Slider;
    c.rect = {Tick(slider, 1).left, Tick(slider, 1).top, Tick(slider, kSliderSteps).right, Tick(slider, 1).bottom};
    c.name = [slider] { return Utf8(UiText(kHeadings[slider - 1])); };
    c.level = [this, field] { return LitTicks(PointerValue(mouse_.Settings(), field)); };
    c.value = [level = c.level] { return QString::number(level()); };
    c.minimum = 1;
    c.maximum = kSliderSteps;
    c.step = [slider](int v) { return Tick(slider, v); };
    c.enabled = [this, field] { return mouse_.Support().Has(field); };
    c.draw = [this, slider](QImage& canvas) { DrawTicks(canvas, slider); };
    // A dimmed slider takes the click and changes nothing.
    c.click = [this, slider, field](int x, int y, QImage* canvas) {
      for (int k = 1; k <= kSliderSteps; ++k)
        if (Tick(slider, k).Contains(x, y) && mouse_.SetSliderPosition(field, k) && canvas) DrawTicks(*canvas, slider);
      return true;
    };
    list.push_back(std::move(c));
    if (slider == 3) break;
    const PointerField boxField = BoxField(slider);
    PageControl box;
    box.role = PageControl::Role::CheckBox;
    box.rect = kBoxes[slider - 1];
    box.name = [slider] { return Utf8(UiText(kBoxLabels[slider - 1])); };
    box.checked = [this, boxField] { return std::optional<bool>(PointerValue(mouse_.Settings(), boxField) != 0); };
    box.enabled = [this, boxField] { return mouse_.Support().Has(boxField); };
    box.draw = [this, slider](QImage& canvas) { DrawBox(canvas, slider); };
    box.click = [this, slider, boxField](int, int, QImage* canvas) {
      if (mouse_.ToggleOption(boxField) && canvas) DrawBox(*canvas, slider);
      return true;
    };
    list.push_back(std::move(box));
  }
  PageControl restore;
  restore.rect = kRestore;
  restore.name = [] { return Utf8(UiText(MainText::SystemDefault)); };
  restore.draw = [](QImage& canvas) { DrawSkinFile(&canvas, kButtonNormalPng, kRestore.left, kRestore.top); };
  restore.click = [this](int, int, QImage* canvas) { return Restore(canvas), true; };
  list.push_back(std::move(restore));
  return list;
}

}  // namespace corvaline::gui
