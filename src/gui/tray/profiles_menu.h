// The tray's "Profiles" submenu: lists the profiles saved in the data
// folder's profiles/, loads a chosen one into the program (the pages
// recomposed, the replaced settings kept as "(previous)") and applies it to
// the mouse as OK does, and saves the current settings under a new name.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

namespace corvaline::gui {

class Shell;
class TrayPort;

class ProfilesMenu : public QObject {
  Q_OBJECT
 public:
  // Asks for a profile name; an empty result cancels. Tests answer it.
  using NamePrompt = std::function<QString(const QString& prompt)>;

  ProfilesMenu(Shell& shell, TrayPort& tray, QObject* parent = nullptr);
  void SetNamePrompt(NamePrompt prompt) { prompt_ = std::move(prompt); }

  // Lists the saved profiles in the tray menu.
  void Refresh();
  // Loads the profile into the program and applies it; false when it
  // cannot be read, with a message shown, or the reason handed back in
  // `problem` when the caller says it in its own way. The balloon says
  // `balloon`, or by default that the profile was loaded.
  bool Load(const QString& name, const QString& balloon = QString(),
            std::string* problem = nullptr);
  // Saves what the program holds now; false (with a message) on failure.
  bool SaveCurrent(const QString& name);

 private:
  void AskAndSave();

  Shell& shell_;
  TrayPort& tray_;
  NamePrompt prompt_;
};

}  // namespace corvaline::gui
