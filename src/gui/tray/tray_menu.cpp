#include "gui/tray/tray_menu.h"

#include <QActionGroup>
#include <QMenu>

#include <iterator>

#include "core/i18n/system_language.h"
#include "core/i18n/tray_texts.h"
#include "core/settings/data_paths.h"
#include "core/settings/item_texts.h"
#include "core/system/captions.h"
#include "gui/skin/message_sink.h"
#include "gui/shell/shell.h"
#include "gui/shell/tray_port.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

namespace {
constexpr UiLanguage kEntryOrder[] = {UiLanguage::EN, UiLanguage::CHS, UiLanguage::CHT};
constexpr int kTrayHintMs = 10000;
}

TrayMenuEntries::TrayMenuEntries(Shell& shell, QMenu* menu, QObject* parent)
    : QObject(parent), shell_(shell) {
  if (!menu) return;
  const UiLanguage lang = shell_.Language();
  QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().first();
  QAction* last = menu->actions().isEmpty() ? nullptr : menu->actions().last();
  open_ = new QAction(Utf8(UiText(TrayText::Open, lang)), menu);
  menu->insertAction(first, open_);
  connect(open_, &QAction::triggered, this, &TrayMenuEntries::Open);

  languages_ = new QMenu(Utf8(UiText(TrayText::Language, lang)), menu);
  auto* group = new QActionGroup(languages_);
  // The entry of the language the next start will have.
  const UiLanguage stored = ReadLanguage(DataFiles().strIni);
  for (UiLanguage entry : kEntryOrder) {
    QAction* action = languages_->addAction(Utf8(UiText(LanguageEntry(entry), lang)));
    action->setCheckable(true);
    action->setChecked(entry == stored);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, entry] { ChooseLanguage(entry); });
  }
  menu->insertMenu(last, languages_);
}

void TrayMenuEntries::Open() { shell_.OnTrayClicked(); }

void TrayMenuEntries::ChooseLanguage(UiLanguage lang) {
  if (!WriteLanguage(DataFiles().strIni, lang)) {
    ShowMessage(kStrIniNotWritten, kAppTitle);
    // The tick goes back to what the next start will really have.
    const UiLanguage stored = ReadLanguage(DataFiles().strIni);
    const QList<QAction*> entries = languages_ ? languages_->actions() : QList<QAction*>();
    for (std::size_t i = 0; i < std::size(kEntryOrder) && i < static_cast<std::size_t>(entries.size()); ++i)
      entries[static_cast<qsizetype>(i)]->setChecked(kEntryOrder[i] == stored);
    return;
  }
  ShowMessage(UiText(TrayText::AtNextStart, shell_.Language()), kAppTitle);
}

void ShowTrayHintOnce(Shell& shell, TrayPort& tray) {
  const std::filesystem::path& strIni = DataFiles().strIni;
  if (TrayHintShown(strIni)) return;
  // Where str.ini cannot be written the hint comes at every start: better
  // than a newcomer who never learns where the program went.
  (void)MarkTrayHintShown(strIni);
  tray.ShowBalloon(QStringLiteral("Info"), Utf8(UiText(TrayText::TrayHint, shell.Language())), kTrayHintMs);
}

}  // namespace corvaline::gui
