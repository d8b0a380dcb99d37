#include "gui/app/showcase_hook.h"

#include <QTimer>

#include "gui/app/shell.h"

namespace corvaline::gui {

void InstallShowcaseHook(Shell& shell) {
  bool ok = false;
  const int delayMs = qEnvironmentVariableIntValue("CORVALINE_SHOWCASE_OPEN_MS", &ok);
  if (!ok || delayMs < 0) return;
  const bool advanced = qEnvironmentVariable("CORVALINE_SHOWCASE_PAGE") == "advanced";
  QTimer::singleShot(delayMs, &shell, [&shell, advanced] {
    shell.OnTrayClicked();
    if (advanced) shell.ShowAdvancedPage();
  });
}

}  // namespace corvaline::gui
