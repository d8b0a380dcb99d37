#include "gui/shell/showcase_hook.h"

#include <QTimer>

#include "gui/shell/shell.h"

namespace corvaline::gui {

namespace {

int DelayOf(const char* variable) {
  bool ok = false;
  const int ms = qEnvironmentVariableIntValue(variable, &ok);
  return ok && ms >= 0 ? ms : -1;
}

}  // namespace

void InstallShowcaseHook(Shell& shell) {
  if (const int open = DelayOf("CORVALINE_SHOWCASE_OPEN_MS"); open >= 0)
    QTimer::singleShot(open, &shell, [&shell] { shell.OnTrayClicked(); });
  if (const int advanced = DelayOf("CORVALINE_SHOWCASE_ADVANCED_MS"); advanced >= 0)
    QTimer::singleShot(advanced, &shell, [&shell] { shell.ShowAdvancedPage(); });
}

}  // namespace corvaline::gui
