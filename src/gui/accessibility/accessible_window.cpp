#include "gui/accessibility/accessible_window.h"

#include <QLabel>

#include "core/buttons/button_assign.h"
#include "core/i18n/accessible_texts.h"
#include "core/i18n/ui_strings.h"
#include "core/settings/edit_session.h"
#include "core/settings/settings_block.h"
#include "core/settings/value_tables.h"
#include "core/system/pointer_levels.h"
#include "gui/accessibility/accessible_dialogs.h"
#include "gui/accessibility/accessible_focus.h"
#include "gui/accessibility/accessible_notify.h"
#include "gui/pages/advanced_page.h"
#include "gui/pages/system_mouse_view.h"
#include "gui/shell/main_window.h"
#include "gui/shell/shell.h"
#include "gui/pages/macro_editor_view.h"
#include "gui/skin/child_colours.h"
#include "gui/skin/skinned_dialog.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

namespace {

Shell* g_shell = nullptr;
PointerQuery g_support;


template <typename Id>
std::function<QString()> Text(Id id) {
  return [id] { return Utf8(UiText(id, CurrentLanguage())); };
}

std::function<QString()> Numbered(AccessibleText id, int number) {
  return [id, number] { return Utf8(NumberedText(id, number, CurrentLanguage())); };
}

SettingsBlock& Block() { return Settings().settings; }

DrawnControl Button(const QRect& rect, std::function<QString()> name) {
  DrawnControl c;
  c.role = QAccessible::Button;
  c.rect = rect;
  c.name = std::move(name);
  return c;
}

void AddWindowControls(Shell& shell, std::vector<DrawnControl>& out) {
  using namespace regions;
  for (auto [rect, id, page] : {std::tuple{kBasicTab, AccessibleText::BasicTab, Page::Basic},
                                std::tuple{kAdvancedTab, AccessibleText::AdvancedTab, Page::Advanced}}) {
    DrawnControl tab = Button(ToQRect(rect), Text(id));
    tab.role = QAccessible::PageTab;
    tab.checked = [&shell, page] { return std::optional<bool>(shell.CurrentPage() == page); };
    out.push_back(tab);
  }
  out.push_back(Button(ToQRect(kSkins), Text(AccessibleText::Skins)));
  out.push_back(Button(ToQRect(kMinimise), Text(AccessibleText::Minimise)));
  out.push_back(Button(ToQRect(kClose), Text(AccessibleText::Close)));
}

void AddKeySettings(Shell& shell, std::vector<DrawnControl>& out) {
  auto onBasic = [&shell] { return shell.CurrentPage() == Page::Basic; };
  for (int mode = 0; mode < 2; ++mode) {
    DrawnControl c = Button(ToQRect(BasicPageSpots::Mode(mode)),
                            [mode] { return QString::fromLatin1(mode == 0 ? "Mode A" : "Mode B"); });
    c.checked = [mode] { return std::optional<bool>((EditedGroup(Block()) == KeyGroup::ModeB) == (mode == 1)); };
    c.shown = onBasic;
    out.push_back(c);
  }
  for (int slot = 0; slot < kVisibleButtons; ++slot) {
    DrawnControl box;
    box.role = QAccessible::ComboBox;
    box.rect = ToQRect(FunctionBoxRect(slot));
    auto caption = [&shell, slot] {
      const auto group = static_cast<size_t>(EditedGroup(Block()));
      return QString::fromStdString(shell.Items().captions[group][static_cast<size_t>(slot)]);
    };
    box.name = [caption, slot] { return QString::number(slot + 1) + QLatin1Char(' ') + caption(); };
    box.value = caption;
    box.expanded = [&shell, slot] { return shell.Basic().MenuState().IsOpen(slot); };
    box.shown = onBasic;
    out.push_back(box);
  }
  DrawnControl defaults = Button(ToQRect(BasicPageSpots::Mode(2)), Text(MainText::KeyDefault));
  defaults.shown = onBasic;
  out.push_back(defaults);
}

void AddReportAndDpi(Shell& shell, std::vector<DrawnControl>& out) {
  auto onBasic = [&shell] { return shell.CurrentPage() == Page::Basic; };
  for (int stop = 0; stop < kReportRateStops; ++stop) {
    DrawnControl c = Button(ToQRect(BasicPageSpots::ReportStop(stop)),
                            [stop] { return QString::fromStdString(ReportRateStopLabel(stop)); });
    c.role = QAccessible::RadioButton;
    c.description = Text(AccessibleText::ReportRate);
    c.checked = [stop] { return std::optional<bool>(ShownReportRateStop(Block()) == stop); };
    c.shown = onBasic;
    out.push_back(c);
  }
  for (int s = 0; s < kDpiStages; ++s) {
    DrawnControl tick = Button(ToQRect(BasicPageSpots::StageBox(s)), Numbered(AccessibleText::StageSwitch, s + 1));
    tick.role = QAccessible::CheckBox;
    tick.checked = [s] { return std::optional<bool>(Block().dpiStageEnabled[s] != 0); };
    tick.shown = onBasic;
    out.push_back(tick);

    const int sensor = shell.Device().SensorType();
    DrawnControl level;
    level.role = QAccessible::Slider;
    level.rect = ToQRect(BasicPageSpots::LevelCell(s, 1)).united(
        ToQRect(BasicPageSpots::LevelCell(s, DpiSliderLevels(sensor))));
    level.name = Numbered(AccessibleText::StageLevel, s + 1);
    level.level = [s] { return Block().dpiStageIndex[s] + 1; };
    level.value = [&shell, s] {
      const int table = DpiSliderSensorType(shell.Device().SensorType());
      return Utf8(DpiLabel(table, Block().dpiStageIndex[s]));
    };
    level.minimum = 1;
    level.maximum = DpiSliderLevels(sensor);
    level.levelPoint = [s](int v) {
      const QRect r = ToQRect(BasicPageSpots::LevelCell(s, v));
      return r.center();
    };
    level.shown = onBasic;
    out.push_back(level);

    DrawnControl swatch = Button(ToQRect(BasicPageSpots::Swatch(s)), Numbered(AccessibleText::StageColour, s + 1));
    swatch.description = [s] {
      const auto& c = Block().dpiStageColour[s];
      return QColor(c[0], c[1], c[2]).name(QColor::HexRgb).toUpper();
    };
    swatch.value = swatch.description;
    swatch.shown = onBasic;
    out.push_back(swatch);
  }
}

void AddLighting(Shell& shell, std::vector<DrawnControl>& out) {
  const MainText titles[3] = {MainText::LedModeLabel, MainText::LedParameterLabel, MainText::LedEffectLabel};
  for (int box = 0; box < 3; ++box) {
    DrawnControl c;
    c.role = QAccessible::ComboBox;
    c.rect = ToQRect(BasicPageSpots::LedBox(box));
    c.name = Text(titles[box]);
    c.value = [&shell, box] {
      QLabel* label = shell.Basic().LedLabel(box + 1);
      return label ? label->text() : QString();
    };
    c.expanded = [&shell, box] { return shell.Basic().LedList(box + 1) != nullptr; };
    c.shown = [&shell] { return shell.CurrentPage() == Page::Basic; };
    out.push_back(c);
  }
}

// Settings this desktop cannot change are drawn dimmed with a note: they
// are disabled here, and Tab passes over them.
void AddPointerSettings(Shell& shell, const PointerQuery& support, std::vector<DrawnControl>& out) {
  auto onAdvanced = [&shell] { return shell.CurrentPage() == Page::Advanced; };
  auto can = [support](PointerField field) {
    return std::function<bool()>([support, field] { return !support || support().Has(field); });
  };
  const MainText headings[3] = {MainText::MouseSpeedHeading, MainText::ScrollSpeedHeading,
                                MainText::DoubleClickHeading};
  const MainText labels[2] = {MainText::PointerPrecisionLabel, MainText::ScrollOneScreenLabel};
  for (int slider = 1; slider <= 3; ++slider) {
    const PointerField field = kPointerSliders[static_cast<std::size_t>(slider - 1)];
    DrawnControl c;
    c.role = QAccessible::Slider;
    c.rect = SystemMouseSpots::Tick(slider, 1).united(SystemMouseSpots::Tick(slider, kSliderSteps));
    c.name = Text(headings[slider - 1]);
    c.level = [field] { return LitTicks(PointerValue(Block(), field)); };
    c.value = [level = c.level] { return QString::number(level()); };
    c.minimum = 1;
    c.maximum = kSliderSteps;
    c.levelPoint = [slider](int v) { return SystemMouseSpots::Tick(slider, v).center(); };
    c.shown = onAdvanced;
    c.enabled = can(field);
    out.push_back(c);
    if (slider == 3) break;
    const PointerField boxField = kPointerBoxes[static_cast<std::size_t>(slider - 1)];
    DrawnControl box = Button(SystemMouseSpots::Box(slider), Text(labels[slider - 1]));
    box.role = QAccessible::CheckBox;
    box.checked = [boxField] { return std::optional<bool>(PointerValue(Block(), boxField) != 0); };
    box.shown = onAdvanced;
    box.enabled = can(boxField);
    out.push_back(box);
  }
  DrawnControl restore = Button(SystemMouseSpots::Restore(), Text(MainText::SystemDefault));
  restore.shown = onAdvanced;
  out.push_back(restore);
}

// The macro editor's lists and fields are widgets: in the keyboard order
// here, their accessible objects their own.
void AddMacroEditor(Shell& shell, std::vector<DrawnControl>& out) {
  auto onAdvanced = [&shell] { return shell.CurrentPage() == Page::Advanced; };
  QWidget* window = &shell.Window();
  auto field = [window](const QString& name) {
    DrawnControl c;
    c.role = QAccessible::EditableText;
    c.field = ChildField(window, name);
    return c;
  };
  out.push_back(field(QStringLiteral("list%1").arg(kMacroListId)));
  out.push_back(field(QStringLiteral("list%1").arg(kMacroEventListId)));
  const std::pair<QRect, MainText> buttons[] = {
      {AdvancedPageSpots::StartRecording(), MainText::StartRecording},
      {AdvancedPageSpots::StopRecording(), MainText::StopRecording},
      {QRect(), MainText::LoopTimesLabel},
      {AdvancedPageSpots::MouseEventHeader(), MainText::InsertMouseEvent},
      {QRect(), MainText::MacroNameLabel},
      {AdvancedPageSpots::MacroButton(0), MainText::MacroNew},
      {AdvancedPageSpots::MacroButton(1), MainText::MacroDelete},
      {AdvancedPageSpots::MacroButton(2), MainText::MacroConfirm},
  };
  for (const auto& [rect, text] : buttons) {
    if (text == MainText::LoopTimesLabel || text == MainText::MacroNameLabel) {
      out.push_back(field(QStringLiteral("edit%1").arg(text == MainText::LoopTimesLabel ? kLoopEditId : kNameEditId)));
      continue;
    }
    DrawnControl c = Button(rect, Text(text));
    if (text == MainText::InsertMouseEvent) c.role = QAccessible::ComboBox;
    c.shown = onAdvanced;
    out.push_back(c);
  }
}

void AddCommonButtons(std::vector<DrawnControl>& out) {
  using namespace regions;
  out.push_back(Button(ToQRect(kOk), Text(MainText::Ok)));
  out.push_back(Button(ToQRect(kApply), Text(MainText::Apply)));
  out.push_back(Button(ToQRect(kCancel), Text(MainText::Cancel)));
  DrawnControl link = Button(ToQRect(kWebLink), Text(MainText::WebAddress));
  link.role = QAccessible::Link;
  out.push_back(link);
}

// The Basic page's labels only show what its drawn controls say already.
// The lists are named by what they choose, a dialog's as its box.
QString ListName(const ListBox& list) {
  if (qobject_cast<SkinnedDialog*>(list.parent())) return DialogListName(list.parent());
  const int id = list.Id();
  const UiLanguage lang = CurrentLanguage();
  if (id >= kFunctionListControlBase && id < kFunctionListControlBase + kVisibleButtons)
    return QString::number(id - kFunctionListControlBase + 1) + QLatin1Char(' ') +
           Utf8(UiText(MainText::KeySettingHeading, lang));
  if (id == kDpiMenuControlId) return Utf8(UiText(MainText::FnDpiSwitch, lang));
  const MainText led[3] = {MainText::LedModeLabel, MainText::LedParameterLabel, MainText::LedEffectLabel};
  if (id >= kEffectListId && id <= kOptionListId) return Utf8(UiText(led[id - kEffectListId], lang));
  if (id == kMouseEventListId) return Utf8(UiText(MainText::InsertMouseEvent, lang));
  if (id == kMacroListId) return Utf8(UiText(MainText::SelectMacroHeading, lang));
  if (id == kMacroEventListId) return Utf8(UiText(MainText::KeySequenceHeading, lang));
  return {};
}

// The focus mark is no control, and the mouse-event header is the drawn
// "Insert A Mouse Event" box already.
bool IsValueLabel(QWidget* widget) {
  const QString name = widget->objectName();
  if (name == QLatin1String("focusMark") || name == QStringLiteral("static%1").arg(kMouseEventHeaderId))
    return true;
  return qobject_cast<QLabel*>(widget) &&
         (name.startsWith(QLatin1String("swatch")) || name.startsWith(QLatin1String("label8")));
}

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (!object || className != QLatin1String(object->metaObject()->className())) return nullptr;
  if (auto* window = qobject_cast<MainWindow*>(object); window && g_shell && window == &g_shell->Window()) {
    return new AccessibleHost(window, QAccessible::Window, MainWindowControls(*g_shell, g_support),
                              [window](QPoint p) { window->ClickAt(p.x(), p.y()); }, IsValueLabel);
  }
  if (QAccessibleInterface* dialog = MakeAccessibleDialog(object)) return dialog;
  return MakeAccessibleListBox(object, ListName);
}

}  // namespace

std::vector<DrawnControl> MainWindowControls(Shell& shell, const PointerQuery& support) {
  std::vector<DrawnControl> controls;
  AddWindowControls(shell, controls);
  AddKeySettings(shell, controls);
  AddReportAndDpi(shell, controls);
  AddLighting(shell, controls);
  AddPointerSettings(shell, support, controls);
  AddMacroEditor(shell, controls);
  AddCommonButtons(controls);
  return controls;
}

void InstallAccessibility(Shell& shell, PointerQuery support) {
  g_shell = &shell;
  g_support = std::move(support);
  QAccessible::installFactory(Factory);
  MainWindow* window = &shell.Window();
  new FocusRing(window, MainWindowControls(shell, g_support), [window](QPoint p) { window->ClickAt(p.x(), p.y()); });
  new TreeNotifier(window);
  WatchDialogs();
}

}  // namespace corvaline::gui
