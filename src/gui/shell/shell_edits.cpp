// What the shell does about edits that are not applied yet: the question
// before the program ends with them, and the watch on
// config.bin that notices another program (corvalinectl) saving meanwhile.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstring>

#include "core/macros/record_store.h"
#include "core/profiles/caption_repair.h"
#include "core/profiles/profile_store.h"
#include "core/settings/block_merge.h"
#include "core/settings/utf8_paths.h"
#include "core/i18n/ui_strings.h"
#include "core/settings/config_file.h"
#include "core/settings/data_paths.h"
#include "core/system/status_line.h"
#include "gui/skin/message_sink.h"
#include "gui/pages/system_mouse_view.h"
#include "gui/shell/main_window.h"
#include "gui/shell/shell.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

namespace {

// A save replaces the file by a rename, which shows as several events on the
// file and its folder; they are taken together once the folder is quiet.
constexpr int kConfigSettleMs = 100;

QString ConfigPath() { return QString::fromStdString(Utf8FromPath(DataFiles().configBin)); }
std::filesystem::path ProfilesPath() { return ProfilesFolder(DataFiles().programFolder); }

// config.bin as it is on disk when it has its size; empty otherwise (a file
// being damaged or missing is not taken for a change to load).
QByteArray ReadConfigBytes() {
  QFile file(ConfigPath());
  if (!file.open(QIODevice::ReadOnly)) return {};
  QByteArray bytes = file.read(static_cast<qint64>(kConfigFileSize) + 1);
  return bytes.size() == static_cast<qsizetype>(kConfigFileSize) ? bytes : QByteArray();
}

int AskWithMessageBox(QWidget* parent, const QString& text, const QStringList& buttons) {
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(kAppTitle.data(), kAppTitle.size()), text,
                  QMessageBox::NoButton, parent);
  std::vector<QAbstractButton*> made;
  for (int i = 0; i < buttons.size(); ++i) {
    const auto role = i == 0 ? QMessageBox::AcceptRole
                             : i + 1 == buttons.size() ? QMessageBox::RejectRole : QMessageBox::DestructiveRole;
    made.push_back(box.addButton(buttons[i], role));
  }
  box.exec();
  for (std::size_t i = 0; i < made.size(); ++i)
    if (box.clickedButton() == made[i]) return static_cast<int>(i);
  return -1;
}

}  // namespace

int Shell::Ask(const QString& text, const QStringList& buttons) {
  if (options_.ask) return options_.ask(text, buttons);
  return AskWithMessageBox(window_.get(), text, buttons);
}

bool Shell::ConfirmClose() {
  // With a tray too: the close box ends the program, and an edit it dropped
  // without a word would be lost for good.
  if (!HasUnappliedEdits()) return true;
  const QStringList buttons{Utf8(UiText(MainText::Apply, language_)),
                            Utf8(UiText(ShellText::Discard, language_)),
                            Utf8(UiText(MainText::Cancel, language_))};
  switch (Ask(Utf8(UiText(ShellText::UnappliedOnClose, language_)), buttons)) {
    case 0: return ApplyEdits();
    case 1: return true;
    default: return false;
  }
}

void Shell::WatchConfigFile() {
  knownConfig_ = ReadConfigBytes();
  configWatcher_ = new QFileSystemWatcher(this);
  configSettle_ = new QTimer(this);
  configSettle_->setSingleShot(true);
  configSettle_->setInterval(kConfigSettleMs);
  connect(configWatcher_, &QFileSystemWatcher::fileChanged, configSettle_, qOverload<>(&QTimer::start));
  connect(configWatcher_, &QFileSystemWatcher::directoryChanged, configSettle_, qOverload<>(&QTimer::start));
  connect(configSettle_, &QTimer::timeout, this, &Shell::OnConfigFileChanged);
  configWatcher_->addPath(QFileInfo(ConfigPath()).absolutePath());
  if (QFileInfo::exists(ConfigPath())) configWatcher_->addPath(ConfigPath());
  ForgetDeletedProfile();
}

// corvalinectl may delete the profile the mouse holds: then no profile names
// what it holds, on the status line or in the tray's "Use ... for ...". The
// profiles folder is watched from when it exists; the data folder's watch
// sees it come.
void Shell::ForgetDeletedProfile() {
  const QString folder = QString::fromStdString(Utf8FromPath(ProfilesPath()));
  if (!configWatcher_->directories().contains(folder) && QFileInfo(folder).isDir()) configWatcher_->addPath(folder);
  if (onMouse_.Name().empty()) return;
  onMouse_.KeepNameOnlyAmong(ListProfiles(ProfilesPath()));
  if (onMouse_.Name().empty()) UpdateStatus();
}

void Shell::OnConfigFileChanged() {
  // A file renamed over the watched one ends the watch on it; it starts again
  // on the new file.
  if (!configWatcher_->files().contains(ConfigPath()) && QFileInfo::exists(ConfigPath()))
    configWatcher_->addPath(ConfigPath());
  ForgetDeletedProfile();
  const QByteArray bytes = ReadConfigBytes();
  if (bytes.isEmpty() || bytes == knownConfig_) return;
  knownConfig_ = bytes;
  if (HasUnappliedEdits()) {
    // The user's edits stay; the next Apply asks before it overwrites.
    outsideChange_ = true;
    return;
  }
  ReloadConfigFile();
}

void Shell::ReloadConfigFile() {
  outsideChange_ = false;
  const SettingsBlock before = Settings().savedSettings;
  const LoadedSettings loaded = LoadSettings(Settings(), DataFiles().configBin);
  if (!loaded.notice.empty()) ShowMessage(loaded.notice, kAppTitle);
  if (!loaded) return;
  session_.MarkSaved();
  // Another program's settings (a profile loaded here writes the file too,
  // with what the program holds already): whether it sent them is not known.
  if (std::memcmp(&before, &Settings().savedSettings, sizeof before) != 0) {
    onMouse_.Forget();
    UpdateStatus();
  }
  knownConfig_ = ReadConfigBytes();
  // The other program saved the button captions with the settings.
  LoadCaptions();
  RecomposeCurrentPage();
}

// The user's edited fields go over the other program's save; the question
// comes only when both changed one field (Apply: the user's value wins).
bool Shell::MergeOutsideChange() {
  const QString text = Utf8(UiText(ShellText::OutsideChange, language_)).arg(ConfigPath());
  const QStringList buttons{Utf8(UiText(MainText::Apply, language_)), Utf8(UiText(MainText::Cancel, language_))};
  if (knownConfig_.size() != static_cast<qsizetype>(kConfigFileSize)) return Ask(text, buttons) == 0;
  SettingsBlock theirs{};
  std::memcpy(&theirs, knownConfig_.constData() + 1, sizeof theirs);
  const BlockMerge merge = MergeBlocks(Settings().savedSettings, Settings().settings, theirs);
  if (!merge.conflicts.empty() && Ask(text, buttons) != 0) return false;
  if (!merge.theirButtons.empty()) {
    ItemTexts saved;
    LoadItemTexts(DataFiles().strIni, language_, saved);
    MendOutdatedCaptions(saved, theirs, language_, ListMacroNames(DataFiles().recordIni));
    for (const auto& [g, slot] : merge.theirButtons)
      items_.captions[static_cast<std::size_t>(g)][static_cast<std::size_t>(slot)] =
          saved.captions[static_cast<std::size_t>(g)][static_cast<std::size_t>(slot)];
  }
  const bool changed = std::memcmp(&merge.merged, &Settings().settings, sizeof theirs) != 0;
  Settings().settings = merge.merged;
  if (changed) RecomposeCurrentPage();  // the page shows what goes to the mouse
  return true;
}

bool Shell::SendLoadedProfile(const QString& name) {
  // Loading the profile rewrote the file: another program's change to it is
  // gone, not one to merge into the profile.
  outsideChange_ = false;
  knownConfig_ = ReadConfigBytes();
  if (!device_->Ready()) return false;
  return ApplyEdits(name.toStdString());
}

bool Shell::ApplyEdits(const std::string& profile) {
  if (!Settings().loaded) {
    const QString text = Utf8(UiText(ShellText::NothingLoaded, language_))
                             .arg(ConfigPath(), QString::fromStdString(Utf8FromPath(DataFiles().factoryConfigBin)));
    ShowMessage(text.toStdString(), kAppTitle);
    ShowApplyNote(NotSentNoteText(NotSentReason::NothingLoaded, language_));
    return false;
  }
  if (outsideChange_ && !MergeOutsideChange()) return false;
  const ApplyReport report =
      session_.Apply([this](const SettingsBlock&) { return device_->ApplySettings(items_, language_); });
  outsideChange_ = false;
  knownConfig_ = ReadConfigBytes();
  if (report.sent)
    onMouse_.NoteSent(Settings().savedSettings, report.failedTransfers == 0, profile);
  ShowPointerProblems((pointer_ ? *pointer_ : static_cast<PointerSettings&>(noPointer_)).Apply());
  ShowApplyNote(ApplyNoteText(report, language_));
  ReportApplyResult(report);
  return true;
}

}  // namespace corvaline::gui
