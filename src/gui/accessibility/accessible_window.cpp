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
#include "gui/shell/main_window.h"
#include "gui/shell/shell.h"
#include "gui/pages/macro_editor_view.h"
#include "gui/skin/child_colours.h"
#include "gui/skin/skinned_dialog.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

namespace {

Shell* g_shell = nullptr;

// A page's controls, shown while its page is.
void AddPageControls(Shell& shell, Page page, std::vector<DrawnControl>& out) {
  PageRegions* regions = shell.RegionsOf(page);
  if (!regions) return;
  for (DrawnControl& c : FromView(regions->Controls(), [&shell, page] { return shell.CurrentPage() == page; }))
    out.push_back(std::move(c));
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
// A list in a view's controls has that entry's name; a drop-down is named
// by what it chooses, a dialog's as its box.
QString ListName(const ListBox& list) {
  if (!list.accessibleName().isEmpty()) return list.accessibleName();
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
    auto* host = new AccessibleHost(window, QAccessible::Window, MainWindowControls(*g_shell),
                                    [window](QPoint p) { window->ClickAt(p.x(), p.y()); }, IsValueLabel);
    host->SetName(UiName(AccessibleText::ProgramName));
    return host;
  }
  if (object == qApp) return new ShownWindows;
  if (QAccessibleInterface* dialog = MakeAccessibleDialog(object)) return dialog;
  return MakeAccessibleListBox(object, ListName);
}

}  // namespace

std::vector<DrawnControl> MainWindowControls(Shell& shell) {
  std::vector<DrawnControl> controls = FromView(WindowBandAbove(shell));
  AddPageControls(shell, Page::Basic, controls);
  // Settings this desktop cannot change are dimmed: disabled here, and Tab
  // passes over them.
  AddPageControls(shell, Page::Advanced, controls);
  for (DrawnControl& c : FromView(WindowBandBelow(shell))) controls.push_back(std::move(c));
  return controls;
}

void InstallAccessibility(Shell& shell) {
  g_shell = &shell;
  QAccessible::installFactory(Factory);
  MainWindow* window = &shell.Window();
  new FocusRing(window, MainWindowControls(shell), [window](QPoint p) { window->ClickAt(p.x(), p.y()); });
  new ChangeNotifier(window);
  // A screen reader speaks the result of Apply after the key, as the status
  // line shows it.
  QObject::connect(&shell, &Shell::applyNoteShown, window,
                   [window](const QString& note) { ChangeNotifier::Announce(window, note); });
  WatchDialogs();
}

}  // namespace corvaline::gui
