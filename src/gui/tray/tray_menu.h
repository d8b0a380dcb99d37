// The tray menu's entries beside "Profiles" and "Exit": "Open" at the top,
// which opens the window as a click on the icon does, and the "Language"
// submenu, which writes the choice into str.ini for the next start and says
// so (every text of the program is chosen once, at start).
#pragma once

#include <QObject>

#include "core/i18n/ui_language.h"

class QAction;
class QMenu;

namespace corvaline::gui {

class Shell;
class TrayPort;

class TrayMenuEntries : public QObject {
  Q_OBJECT
 public:
  // Adds the entries to `menu` (the tray icon's menu; nothing happens
  // without one): "Open" first, "Language" above the last entry ("Exit").
  TrayMenuEntries(Shell& shell, QMenu* menu, QObject* parent = nullptr);

  void Open();
  // Stores the language for the next start; the running program keeps its own.
  void ChooseLanguage(UiLanguage lang);

  QAction* OpenAction() const { return open_; }
  QMenu* LanguageMenu() const { return languages_; }

 private:
  Shell& shell_;
  QAction* open_ = nullptr;
  QMenu* languages_ = nullptr;
};

// The first start ever with a notification area: one balloon saying that
// the program lives there and how to open it. Never again once str.ini has
// noted it.
void ShowTrayHintOnce(Shell& shell, TrayPort& tray);

}  // namespace corvaline::gui
