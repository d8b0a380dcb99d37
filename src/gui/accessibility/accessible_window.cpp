#include "gui/accessibility/accessible_window.h"

#include <QAccessibleObject>
#include <QApplication>
#include <QLabel>
#include <QWindow>

#include <algorithm>

#include "core/buttons/button_assign.h"
#include "core/i18n/accessible_texts.h"
#include "core/i18n/ui_strings.h"
#include "core/settings/settings_block.h"
#include "gui/accessibility/accessible_dialogs.h"
#include "gui/accessibility/accessible_focus.h"
#include "gui/accessibility/accessible_notify.h"
#include "gui/pages/advanced_page.h"
#include "gui/shell/main_window.h"
#include "gui/shell/shell.h"
#include "gui/pages/macro_editor_view.h"
#include "gui/skin/child_colours.h"
#include "gui/skin/skinned_dialog.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

namespace {

Shell* g_shell = nullptr;
PageControls g_pointer;

void AddWindowControls(Shell& shell, std::vector<DrawnControl>& out) {
  using namespace regions;
  for (auto [rect, id, page] : {std::tuple{kBasicTab, MainText::BasicTitle, Page::Basic},
                                std::tuple{kAdvancedTab, MainText::AdvancedTitle, Page::Advanced}}) {
    DrawnControl tab = DrawnButton(ToQRect(rect), UiName(id));
    tab.role = QAccessible::PageTab;
    tab.checked = [&shell, page] { return std::optional<bool>(shell.CurrentPage() == page); };
    out.push_back(tab);
  }
  out.push_back(DrawnButton(ToQRect(kSkins), UiName(AccessibleText::Skins)));
  out.push_back(DrawnButton(ToQRect(kMinimise), UiName(AccessibleText::Minimise)));
  out.push_back(DrawnButton(ToQRect(kClose), UiName(AccessibleText::Close)));
}

// A page's own control, as assistive technology sees it; shown while its
// page is.
DrawnControl Accessible(const PageControl& p, std::function<bool()> shown) {
  DrawnControl c;
  const QAccessible::Role roles[] = {QAccessible::Button, QAccessible::RadioButton, QAccessible::CheckBox,
                                     QAccessible::Slider, QAccessible::ComboBox};
  c.role = roles[static_cast<int>(p.role)];
  c.rect = ToQRect(p.rect);
  c.name = p.name;
  c.value = p.value;
  c.description = p.description;
  c.checked = p.checked;
  c.enabled = p.enabled;
  c.expanded = p.expanded;
  c.level = p.level;
  c.minimum = p.minimum;
  c.maximum = p.maximum;
  if (p.step) c.levelPoint = [step = p.step](int v) { return ToQRect(step(v)).center(); };
  c.shown = std::move(shown);
  return c;
}

void AddPageControls(Shell& shell, Page page, const std::vector<PageControl>& controls,
                     std::vector<DrawnControl>& out) {
  for (const PageControl& p : controls)
    out.push_back(Accessible(p, [&shell, page] { return shell.CurrentPage() == page; }));
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
    DrawnControl c = DrawnButton(rect, UiName(text));
    if (text == MainText::InsertMouseEvent) c.role = QAccessible::ComboBox;
    c.shown = onAdvanced;
    out.push_back(c);
  }
}

void AddCommonButtons(Shell& shell, std::vector<DrawnControl>& out) {
  using namespace regions;
  out.push_back(DrawnButton(ToQRect(kOk), UiName(MainText::Ok)));
  // Apply says whether it has anything to do: a screen reader speaks the
  // change of the focused button's description, so Apply is heard to work.
  DrawnControl apply = DrawnButton(ToQRect(kApply), UiName(MainText::Apply));
  apply.description = [&shell] {
    return Utf8(UiText(shell.HasUnappliedEdits() ? AccessibleText::EditsPending : AccessibleText::EditsApplied,
                       CurrentLanguage()));
  };
  out.push_back(apply);
  out.push_back(DrawnButton(ToQRect(kCancel), UiName(MainText::Cancel)));
  DrawnControl link = DrawnButton(ToQRect(kWebLink), UiName(MainText::WebAddress));
  link.role = QAccessible::Link;
  out.push_back(link);
}

// The application's windows that are shown: a screen reader counts the
// dialogs among them, and one made once and hidden since is none.
class ShownWindows : public QAccessibleApplication {
 public:
  int childCount() const override { return static_cast<int>(Windows().size()); }
  QAccessibleInterface* child(int index) const override {
    const auto windows = Windows();
    return index >= 0 && index < static_cast<int>(windows.size()) ? windows[static_cast<size_t>(index)] : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto windows = Windows();
    const auto at = std::find(windows.begin(), windows.end(), child);
    return at == windows.end() ? -1 : static_cast<int>(at - windows.begin());
  }

 private:
  static std::vector<QAccessibleInterface*> Windows() {
    std::vector<QAccessibleInterface*> shown;
    for (QWindow* w : QGuiApplication::topLevelWindows()) {
      if (!w->isVisible() || w->type() == Qt::Popup || w->type() == Qt::Desktop) continue;
      if (QAccessibleInterface* root = w->accessibleRoot(); root && root->object()) shown.push_back(root);
    }
    return shown;
  }
};

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
    auto* host = new AccessibleHost(window, QAccessible::Window, MainWindowControls(*g_shell, g_pointer),
                                    [window](QPoint p) { window->ClickAt(p.x(), p.y()); }, IsValueLabel);
    host->SetName(UiName(AccessibleText::ProgramName));
    return host;
  }
  if (object == qApp) return new ShownWindows;
  if (QAccessibleInterface* dialog = MakeAccessibleDialog(object)) return dialog;
  return MakeAccessibleListBox(object, ListName);
}

}  // namespace

std::vector<DrawnControl> MainWindowControls(Shell& shell, const PageControls& pointer) {
  std::vector<DrawnControl> controls;
  AddWindowControls(shell, controls);
  AddPageControls(shell, Page::Basic, shell.Basic().Controls(), controls);
  // Settings this desktop cannot change are dimmed: disabled here, and Tab
  // passes over them.
  if (pointer) AddPageControls(shell, Page::Advanced, pointer(), controls);
  AddMacroEditor(shell, controls);
  AddCommonButtons(shell, controls);
  return controls;
}

void InstallAccessibility(Shell& shell, PageControls pointer) {
  g_shell = &shell;
  g_pointer = std::move(pointer);
  QAccessible::installFactory(Factory);
  MainWindow* window = &shell.Window();
  new FocusRing(window, MainWindowControls(shell, g_pointer), [window](QPoint p) { window->ClickAt(p.x(), p.y()); });
  new ChangeNotifier(window);
  WatchDialogs();
}

}  // namespace corvaline::gui
