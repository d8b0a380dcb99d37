// Composition, drawing and the click regions of the Basic page.
#include "gui/pages/basic_page.h"

#include <QColorDialog>
#include <QLabel>
#include <QPainter>

#include "core/buttons/button_assign.h"
#include "core/i18n/accessible_texts.h"
#include "core/i18n/ui_strings.h"
#include "core/settings/edit_session.h"
#include "core/settings/value_tables.h"
#include "gui/skin/child_colours.h"
#include "gui/skin/list_box.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_image.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

namespace {

constexpr int kStopLefts[4] = {542, 614, 686, 758};
constexpr int kStopWidth = 70;
constexpr int kStopTop = 204;

constexpr PixelRect kModeA{253, 518, 358, 539};
constexpr MainText kModeNames[2] = {MainText::KeyGroupA, MainText::KeyGroupB};
constexpr PixelRect kModeB{357, 518, 462, 539};
constexpr PixelRect kDefault{307, 549, 412, 570};

constexpr int StageLeft(int s) { return 554 + 27 * s; }
constexpr PixelRect StageBox(int s) { return {StageLeft(s), 541, StageLeft(s) + 16, 557}; }
constexpr PixelRect SwatchRect(int s) { return {StageLeft(s), 523, StageLeft(s) + 16, 539}; }
constexpr PixelRect LevelCell(int s, int k) {
  return {StageLeft(s), 518 - 18 * k, StageLeft(s) + 16, 534 - 18 * k};
}
constexpr PixelRect StopRect(int stop) {
  return {kStopLefts[stop], kStopTop, kStopLefts[stop] + kStopWidth, kStopTop + 11};
}

// The lighting boxes; their labels cover all of a box but its arrow.
constexpr PixelRect kLedBoxes[3] = {{767, 330, 851, 344}, {767, 360, 851, 374}, {767, 390, 851, 404}};
constexpr QRect kLedLabelRects[3] = {RectLTRB(767, 330, 835, 344), RectLTRB(767, 360, 835, 374),
                                     RectLTRB(767, 390, 835, 404)};

}  // namespace

BasicPage::BasicPage(BasicPageHost host, QObject* parent) : QObject(parent), host_(std::move(host)) {
  chooseColour_ = [](QWidget* window, QColor initial) -> std::optional<QColor> {
    const QColor chosen = QColorDialog::getColor(initial, window);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
  };
}

BasicPage::~BasicPage() { DestroyControls(); }

void BasicPage::SetDialogs(SubDialogRunner* dialogs) { dialogs_ = dialogs ? dialogs : &cancelling_; }

ButtonEditTarget BasicPage::Target() const {
  return ButtonEditTarget{*host_.block, host_.items->captions, CurrentLanguage()};
}

int BasicPage::SensorType() const { return host_.sensorType ? host_.sensorType() : 0; }

QImage* BasicPage::Canvas() const { return host_.canvas ? host_.canvas() : nullptr; }

void BasicPage::Repaint() {
  if (host_.repaint) host_.repaint();
}

// ---- Composition ---------------------------------------------------------

void BasicPage::Compose(QImage& canvas) {
  DestroyControls();
  DrawStaticTexts(canvas);
  CreateControls();
  DrawDpiAxis(canvas);
  for (const PageControl& c : Controls())
    if (c.draw) c.draw(canvas);
}

void BasicPage::DrawStaticTexts(QImage& canvas) {
  const UiLanguage lang = CurrentLanguage();
  const QFont& font = host_.fonts->normal;
  QPainter p(&canvas);
  const std::pair<MainText, QRect> titles[] = {
      {MainText::KeySettingHeading, RectLTRB(259, 160, 364, 181)},
      {MainText::ReportRateHeading, RectLTRB(504, 161, 609, 182)},
      {MainText::DpiHeading, RectLTRB(504, 275, 609, 296)},
      {MainText::DpiEffectHeading, RectLTRB(704, 275, 809, 296)},
  };
  for (const auto& [id, rect] : titles) DrawSkinText(p, Utf8(UiText(id, lang)), rect, font, kCaptionAlign);
  for (int stop = 0; stop < kReportRateStops; ++stop) {
    DrawSkinText(p, QString::fromStdString(ReportRateStopLabel(stop)),
                 RectLTRB(kStopLefts[stop], 225, kStopLefts[stop] + kStopWidth, 245), font,
                 Qt::AlignHCenter | Qt::AlignTop);
  }
  const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
  DrawSkinText(p, Utf8(UiText(MainText::DpiColourLabel, lang)), RectLTRB(494, 523, 544, 539), font, right);
  DrawSkinText(p, Utf8(UiText(MainText::DpiSelectLabel, lang)), RectLTRB(494, 541, 544, 557), font, right);
  const MainText ledTitles[] = {MainText::LedModeLabel, MainText::LedParameterLabel,
                                MainText::LedEffectLabel};
  for (int b = 0; b < 3; ++b) {
    DrawSkinText(p, Utf8(UiText(ledTitles[b], lang)), RectLTRB(697, 330 + 30 * b, 757, 344 + 30 * b),
                 font, right);
  }
  for (int s = 0; s < kDpiStages; ++s) {
    DrawSkinText(p, QString::number(s + 1), RectLTRB(StageLeft(s), 562, StageLeft(s) + 16, 587), font,
                 Qt::AlignHCenter | Qt::AlignTop);
  }
}

void BasicPage::DrawDpiAxis(QImage& canvas) {
  const int levels = DpiSliderLevels(SensorType());
  const int table = DpiSliderSensorType(SensorType());
  const int left = levels > 8 ? 514 : 494;
  QPainter p(&canvas);
  for (int k = 1; k <= levels; ++k) {
    DrawSkinText(p, Utf8(DpiLabel(table, k - 1)), RectLTRB(left, 518 - 18 * k, 544, 534 - 18 * k),
                 host_.fonts->normal, Qt::AlignRight | Qt::AlignVCenter);
  }
}

void BasicPage::CreateControls() {
  QWidget* window = host_.window;
  if (!window) return;
  const SettingsBlock& b = *host_.block;
  for (int s = 0; s < kDpiStages; ++s) {
    auto* swatch = new QLabel(window);
    swatch->setObjectName(QStringLiteral("swatch%1").arg(kFirstSwatchId + s));
    swatch->setAlignment(Qt::AlignCenter);
    const PixelRect r = SwatchRect(s);
    swatch->setGeometry(ToQRect(r));
    const auto& c = b.dpiStageColour[s];
    ApplyChildColours(*swatch, ChildKind::Static, kFirstSwatchId + s, *host_.fonts, QColor(c[0], c[1], c[2]));
    swatch->show();
    swatches_[static_cast<size_t>(s)] = swatch;
  }
  for (int box = 0; box < 3; ++box) {
    auto* label = new QLabel(window);
    label->setObjectName(QStringLiteral("label%1").arg(kEffectLabelId + box));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(kLedLabelRects[box]);
    ApplyChildColours(*label, ChildKind::Static, kEffectLabelId + box, *host_.fonts);
    label->show();
    ledLabels_[static_cast<size_t>(box)] = label;
  }
  SetLedLabels();
  hasControls_ = true;
}

void BasicPage::SetLedLabels() {
  const LedBoxTexts texts = LedBoxCaptions(*host_.block, CurrentLanguage());
  const std::string_view shown[3] = {texts.effect, texts.parameter, texts.option};
  // Without a known effect there is no parameter or option to show: the
  // boxes keep the skin's own look instead of black bars.
  const int effect = host_.block->ledEffect;
  const bool known = effect >= 1 && effect < kLedEffectNames;  // Standard, Respiration, Neon
  for (int box = 0; box < 3; ++box) {
    QLabel* label = ledLabels_[static_cast<size_t>(box)];
    if (!label) continue;
    label->setText(Utf8(shown[box]));
    label->setVisible(box == 0 || known);
  }
}

void BasicPage::DestroyControls() {
  CloseFunctionMenus();
  for (int box = 1; box <= 3; ++box) CloseLedList(box);
  for (auto& label : ledLabels_) delete label.data();
  for (auto& swatch : swatches_) delete swatch.data();
  ledLabels_ = {};
  swatches_ = {};
  hasControls_ = false;
}

// ---- Drawing -------------------------------------------------------------

void BasicPage::DrawBox(QImage& canvas, int slot, bool over) {
  const PixelRect r = FunctionBoxRect(slot);
  DrawSkinFile(&canvas, over ? kDropdownOverPng : kDropdownNormalPng, r.left, r.top);
  DrawBoxTexts(canvas, slot);
}

void BasicPage::DrawBoxTexts(QImage& canvas, int slot) {
  const PixelRect r = FunctionBoxRect(slot);
  const int group = static_cast<int>(EditedGroup(*host_.block));
  const std::string& caption = host_.items->captions[static_cast<size_t>(group)][static_cast<size_t>(slot)];
  QPainter p(&canvas);
  // Centred in its column: left aligned, a number sits on the box's rounded
  // edge.
  DrawSkinText(p, QString::number(slot + 1), RectLTRB(r.left, r.top, r.left + 20, r.bottom),
               host_.fonts->normal, kCaptionAlign);
  DrawSkinText(p, QString::fromStdString(caption), RectLTRB(r.left + 20, r.top, r.right, r.bottom),
               host_.fonts->normal, kLabelAlign);
}

void BasicPage::DrawModeButtons(QImage& canvas) {
  DrawModeButton(canvas, 0);
  DrawModeButton(canvas, 1);
}

void BasicPage::DrawModeButton(QImage& canvas, int m) {
  const bool selected = (EditedGroup(*host_.block) == KeyGroup::ModeB) == (m == 1);
  const PixelRect r = m == 0 ? kModeA : kModeB;
  DrawSkinFile(&canvas, selected ? kButtonOverPng : kButtonNormalPng, r.left, r.top);
  DrawSkinText(&canvas, Utf8(UiText(kModeNames[m], CurrentLanguage())), ToQRect(r), host_.fonts->normal, kCaptionAlign);
}

void BasicPage::DrawReportStop(QImage& canvas, int stop, bool light) {
  DrawSkinFile(&canvas, light ? kSliderRateLightPng : kSliderRateDarkPng, kStopLefts[stop], kStopTop);
}

void BasicPage::DrawStage(QImage& canvas, int s, bool showLevel) {
  DrawStageBox(canvas, s);
  DrawLevels(canvas, s, showLevel);
}

void BasicPage::DrawStageBox(QImage& canvas, int s) {
  DrawSkinFile(&canvas, host_.block->dpiStageEnabled[s] != 0 ? kPaneTickPng : kPanePng, StageLeft(s),
               StageBox(s).top);
}

void BasicPage::DrawLevels(QImage& canvas, int s, bool showLevel) {
  const SettingsBlock& b = *host_.block;
  const bool lit = b.dpiStageEnabled[s] != 0 || showLevel;
  const int level = b.dpiStageIndex[s] + 1;
  const int levels = DpiSliderLevels(SensorType());
  for (int k = 1; k <= levels; ++k) {
    const PixelRect cell = LevelCell(s, k);
    DrawSkinFile(&canvas, lit && k <= level ? kSliderDpiLightPng : kSliderDpiDarkPng, cell.left, cell.top);
  }
}

void BasicPage::DrawHoverText(QImage& canvas, const HoverElement& element) {
  if (element.id == kHoverDefault) {
    DrawSkinText(&canvas, Utf8(UiText(MainText::KeyDefault, CurrentLanguage())), element.region,
                 host_.fonts->normal, kCaptionAlign);
  } else if (element.id >= kHoverBox0 && element.id < kHoverBox0 + kFunctionBoxCount) {
    DrawBoxTexts(canvas, element.id - kHoverBox0);
  }
}

// ---- Clicks --------------------------------------------------------------

bool BasicPage::Dispatch(int x, int y) { return ClickControls(Controls(), x, y, Canvas()).value_or(false); }

// ---- The control list ----------------------------------------------------

std::vector<PageControl> BasicPage::Controls() {
  std::vector<PageControl> list;
  AddKeyControls(list);
  for (int stop = 0; stop < kReportRateStops; ++stop) {
    PageControl c;
    c.role = PageControl::Role::RadioButton;
    c.rect = StopRect(stop);
    c.name = [stop] { return QString::fromStdString(ReportRateStopLabel(stop)); };
    c.description = [] { return Utf8(UiText(AccessibleText::ReportRate, CurrentLanguage())); };
    c.checked = [this, stop] { return std::optional<bool>(ShownReportRateStop(*host_.block) == stop); };
    c.draw = [this, stop](QImage& canvas) {
      DrawReportStop(canvas, stop, ShownReportRateStop(*host_.block) == stop);
    };
    c.click = [this, stop](int, int, QImage*) { return SelectReportRate(stop), true; };
    list.push_back(std::move(c));
  }
  for (int s = 0; s < kDpiStages; ++s) AddStageControls(s, list);
  AddLightingControls(list);
  return list;
}

void BasicPage::AddKeyControls(std::vector<PageControl>& list) {
  for (int m = 0; m < 2; ++m) {
    PageControl mode;
    mode.rect = m == 0 ? kModeA : kModeB;
    mode.name = [m] { return Utf8(UiText(kModeNames[m], CurrentLanguage())); };
    mode.checked = [this, m] {
      return std::optional<bool>((EditedGroup(*host_.block) == KeyGroup::ModeB) == (m == 1));
    };
    mode.draw = [this, m](QImage& canvas) { DrawModeButton(canvas, m); };
    mode.click = [this, m](int, int, QImage*) { return SelectMode(m), true; };
    list.push_back(std::move(mode));
  }
  for (int slot = 0; slot < kVisibleButtons; ++slot) {
    PageControl box;
    box.role = PageControl::Role::ComboBox;
    box.rect = FunctionBoxRect(slot);
    box.value = [this, slot] {
      const auto group = static_cast<size_t>(EditedGroup(*host_.block));
      return QString::fromStdString(host_.items->captions[group][static_cast<size_t>(slot)]);
    };
    box.name = [slot, caption = box.value] { return QString::number(slot + 1) + QLatin1Char(' ') + caption(); };
    box.expanded = [this, slot] { return menu_.IsOpen(slot); };
    box.draw = [this, slot](QImage& canvas) { DrawBox(canvas, slot); };
    box.click = [this, slot](int, int, QImage*) { return OpenFunctionMenu(slot), true; };
    list.push_back(std::move(box));
  }
  PageControl defaults;
  defaults.rect = kDefault;
  defaults.name = [] { return Utf8(UiText(MainText::KeyDefault, CurrentLanguage())); };
  defaults.draw = [this](QImage& canvas) {
    DrawSkinFile(&canvas, kButtonNormalPng, kDefault.left, kDefault.top);
    DrawSkinText(&canvas, Utf8(UiText(MainText::KeyDefault, CurrentLanguage())), ToQRect(kDefault), host_.fonts->normal, kCaptionAlign);
  };
  defaults.click = [this](int, int, QImage*) { return RestoreDefaults(), true; };
  list.push_back(std::move(defaults));
}

// The boxes' texts are child labels; the skin draws the boxes themselves.
void BasicPage::AddLightingControls(std::vector<PageControl>& list) {
  const MainText titles[3] = {MainText::LedModeLabel, MainText::LedParameterLabel, MainText::LedEffectLabel};
  for (int box = 0; box < 3; ++box) {
    PageControl c;
    c.role = PageControl::Role::ComboBox;
    c.rect = kLedBoxes[box];
    c.name = [id = titles[box]] { return Utf8(UiText(id, CurrentLanguage())); };
    c.value = [this, box] {
      QLabel* label = LedLabel(box + 1);
      return label ? label->text() : QString();
    };
    c.expanded = [this, box] { return LedList(box + 1) != nullptr; };
    c.click = [this, box](int, int, QImage*) { return ToggleLedList(box + 1), true; };
    list.push_back(std::move(c));
  }
}

void BasicPage::AddStageControls(int s, std::vector<PageControl>& list) {
  auto numbered = [s](AccessibleText id) {
    return [id, s] { return Utf8(NumberedText(id, s + 1, CurrentLanguage())); };
  };
  PageControl tick;
  tick.role = PageControl::Role::CheckBox;
  tick.rect = StageBox(s);
  tick.name = numbered(AccessibleText::StageSwitch);
  tick.checked = [this, s] { return std::optional<bool>(host_.block->dpiStageEnabled[s] != 0); };
  tick.draw = [this, s](QImage& canvas) { DrawStageBox(canvas, s); };
  tick.click = [this, s](int, int, QImage*) { return ToggleDpiStage(s), true; };
  list.push_back(std::move(tick));

  PageControl level;
  level.role = PageControl::Role::Slider;
  const int drawn = DpiSliderLevels(SensorType());
  level.rect = {LevelCell(s, 1).left, LevelCell(s, drawn).top, LevelCell(s, 1).right, LevelCell(s, 1).bottom};
  level.name = numbered(AccessibleText::StageLevel);
  level.level = [this, s] { return host_.block->dpiStageIndex[s] + 1; };
  level.value = [this, s] {
    const int index = host_.block->dpiStageIndex[s];
    return Utf8(FilledText(AccessibleText::DpiLevel, std::to_string(index + 1),
                           DpiLabel(DpiSliderSensorType(SensorType()), index), CurrentLanguage()));
  };
  level.minimum = 1;
  level.maximum = drawn;
  level.step = [s](int v) { return LevelCell(s, v); };
  level.draw = [this, s](QImage& canvas) { DrawLevels(canvas, s, false); };
  // A sensor with no table of its own draws twelve levels but takes eight.
  level.click = [this, s](int x, int y, QImage*) {
    for (int k = 1; k <= ClickableDpiLevels(SensorType()); ++k)
      if (LevelCell(s, k).Contains(x, y)) return SetDpiLevel(s, k), true;
    return false;
  };
  list.push_back(std::move(level));

  // The swatch of a stage that is off takes the click too: it must not
  // start a drag of the window.
  PageControl swatch;
  swatch.rect = SwatchRect(s);
  swatch.name = numbered(AccessibleText::StageColour);
  swatch.description = [this, s] {
    const auto& c = host_.block->dpiStageColour[s];
    return QColor(c[0], c[1], c[2]).name(QColor::HexRgb).toUpper();
  };
  swatch.value = swatch.description;
  swatch.click = [this, s](int, int, QImage*) { return ChooseStageColour(s), true; };
  list.push_back(std::move(swatch));
}

void BasicPage::CloseListsOutside(int x, int y) {
  if (menu_.openSlot >= 0 && !FunctionBoxRect(menu_.openSlot).Contains(x, y) &&
      !FunctionListRect(menu_.openSlot).Contains(x, y))
    CloseFunctionMenus();
  const PixelRect listAreas[3] = {{766, 347, 851, 407}, {0, 0, 0, 0}, {766, 407, 851, 447}};
  for (int box = 0; box < 3; ++box) {
    if (ledLists_[static_cast<size_t>(box)] && !kLedBoxes[box].Contains(x, y) &&
        !listAreas[box].Contains(x, y))
      CloseLedList(box + 1);
  }
}

void BasicPage::SelectReportRate(int stop) {
  SettingsBlock& b = *host_.block;
  const std::uint8_t code = ReportRateCodeAt(stop);
  if (code == 0 || b.reportRateCode == code) return;
  const int previous = ShownReportRateStop(b);
  b.reportRateCode = code;
  QImage* canvas = Canvas();
  if (!canvas) return;
  DrawReportStop(*canvas, previous, false);
  DrawReportStop(*canvas, stop, true);
  Repaint();
}

void BasicPage::ToggleDpiStage(int s) {
  if (!corvaline::ToggleDpiStage(*host_.block, s)) return;
  if (QImage* canvas = Canvas()) {
    DrawStage(*canvas, s);
    Repaint();
  }
}

void BasicPage::SetDpiLevel(int s, int level) {
  if (!corvaline::SetDpiLevel(*host_.block, s, level)) return;
  if (QImage* canvas = Canvas()) {
    DrawStage(*canvas, s, true);
    Repaint();
  }
}

void BasicPage::ChooseStageColour(int s) {
  SettingsBlock& b = *host_.block;
  if (!StageColourEditable(b, s) || !chooseColour_) return;
  // Opening on the stage's own colour: an OK pressed out of habit keeps it
  // rather than painting the stage black.
  const auto& now = b.dpiStageColour[s];
  const std::optional<QColor> colour = chooseColour_(host_.window, QColor(now[0], now[1], now[2]));
  if (!colour) return;
  SetStageColour(b, s, static_cast<std::uint8_t>(colour->red()), static_cast<std::uint8_t>(colour->green()),
                 static_cast<std::uint8_t>(colour->blue()));
  if (QLabel* swatch = swatches_[static_cast<size_t>(s)])
    ApplyChildColours(*swatch, ChildKind::Static, kFirstSwatchId + s, *host_.fonts, *colour);
}

void BasicPage::SelectMode(int mode) {
  host_.block->currentMode = static_cast<std::uint8_t>(mode);
  QImage* canvas = Canvas();
  if (!canvas) return;
  DrawModeButtons(*canvas);
  for (int slot = 0; slot < kVisibleButtons; ++slot) DrawBox(*canvas, slot);
  Repaint();
}

void BasicPage::RestoreDefaults() {
  CloseFunctionMenus();
  for (int box = 1; box <= 3; ++box) CloseLedList(box);
  RestoreDefaultFunctions(*host_.block, *host_.items, CurrentLanguage());
  QImage* canvas = Canvas();
  if (!canvas) return;
  for (int slot = 0; slot < kVisibleButtons; ++slot) DrawBox(*canvas, slot);
  Repaint();
}

ListBox* BasicPage::LedList(int box) const {
  return box >= 1 && box <= 3 ? ledLists_[static_cast<size_t>(box - 1)].data() : nullptr;
}

QLabel* BasicPage::LedLabel(int box) const {
  return box >= 1 && box <= 3 ? ledLabels_[static_cast<size_t>(box - 1)].data() : nullptr;
}

QLabel* BasicPage::Swatch(int stage) const {
  return stage >= 0 && stage < kDpiStages ? swatches_[static_cast<size_t>(stage)].data() : nullptr;
}


}  // namespace corvaline::gui
