#include "gui/tray/profiles_menu.h"

#include <QInputDialog>

#include "core/profiles/profile_store.h"
#include "core/profiles/profile_texts.h"
#include "core/settings/data_paths.h"
#include "core/system/balloons.h"
#include "gui/skin/message_sink.h"
#include "gui/shell/shell.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {
namespace {

constexpr int kProfileBalloonMs = kBalloonMinimumMs;

std::filesystem::path Folder() { return ProfilesFolder(DataFiles().programFolder); }

ConfigFiles Files() { return {DataFiles().configBin, DataFiles().strIni, DataFiles().recordIni}; }

}  // namespace

ProfilesMenu::ProfilesMenu(Shell& shell, TrayPort& tray, QObject* parent)
    : QObject(parent), shell_(shell), tray_(tray) {
  prompt_ = [](const QString& prompt) {
    return QInputDialog::getText(nullptr, QString::fromLatin1(kTrayTip), prompt).trimmed();
  };
  connect(&tray_, &TrayPort::menuOpening, this, &ProfilesMenu::Refresh);
  connect(&tray_, &TrayPort::profileChosen, this, [this](const QString& name) { Load(name); });
  connect(&tray_, &TrayPort::saveProfileChosen, this, &ProfilesMenu::AskAndSave);
  Refresh();
}

void ProfilesMenu::Refresh() {
  const UiLanguage lang = shell_.Language();
  QStringList names;
  for (const std::string& n : ListProfiles(Folder())) names << QString::fromStdString(n);
  tray_.SetProfiles(Utf8(ProfileUiText(ProfileText::Menu, lang)), names,
                    Utf8(ProfileUiText(ProfileText::NoProfiles, lang)),
                    Utf8(ProfileUiText(ProfileText::SaveCurrent, lang)));
}

bool ProfilesMenu::Load(const QString& name, const QString& balloon, std::string* problem) {
  const UiLanguage lang = shell_.Language();
  SettingsStore& store = Settings();
  const Profile current = ProfileOf(store, shell_.Items().captions, lang, DataFiles().recordIni);
  const ProfileResult r = LoadProfileIntoFiles(Folder(), name.toStdString(), current, Files());
  if (!r.profile) {
    if (problem)
      *problem = r.error;
    else
      ShowMessage(r.error, kAppTitle);
    return false;
  }
  store.settings = r.profile->block;
  store.firstRunFlag = r.profile->firstRunFlag;
  store.loaded = true;
  shell_.Items().captions = r.profile->captions;
  shell_.Session().MarkSaved();
  shell_.RecomposeCurrentPage();
  // As OK does: to the mouse and saved, when there is a mouse; the files
  // already hold the profile either way. Without a mouse the profile is not
  // on it, and its arrival sends nothing.
  shell_.SendLoadedProfile(name);
  // A table outside the editing rules is loaded as it is, and said, as import does.
  QString text = balloon.isEmpty() ? Utf8(ProfileLoadedText(name.toStdString(), lang)) : balloon;
  for (const std::string& w : r.warnings) text += QLatin1Char('\n') + Utf8(w);
  tray_.ShowBalloon(QStringLiteral("Info"), text, kProfileBalloonMs);
  Refresh();
  return true;
}

bool ProfilesMenu::SaveCurrent(const QString& name) {
  const Profile current =
      ProfileOf(Settings(), shell_.Items().captions, shell_.Language(), DataFiles().recordIni);
  if (!ShowIfFailed(SaveProfile(Folder(), name.toStdString(), current))) return false;
  // Saved from what was last sent: the mouse now holds a named profile.
  shell_.NameProfileIfHeld(name, current.block);
  tray_.ShowBalloon(QStringLiteral("Info"), Utf8(ProfileSavedText(name.toStdString(), shell_.Language())),
                    kProfileBalloonMs);
  Refresh();
  return true;
}

void ProfilesMenu::AskAndSave() {
  const QString name = prompt_(Utf8(ProfileUiText(ProfileText::NamePrompt, shell_.Language())));
  if (!name.isEmpty()) SaveCurrent(name);
}

}  // namespace corvaline::gui
