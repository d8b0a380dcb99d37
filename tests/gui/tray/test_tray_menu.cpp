// The tray menu's "Open" and "Language" entries, and Qt's own buttons in the
// UI language.
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "core/i18n/system_language.h"
#include "core/settings/data_paths.h"
#include "core/settings/item_texts.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_translations.h"
#include "gui/tray/tray_menu.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

QStringList Texts(const QMenu& menu) {
  QStringList texts;
  for (const QAction* a : menu.actions()) texts << a->text();
  return texts;
}

TEST_F(ShellTest, TrayMenuOpensTheWindowAndKeepsTheLanguageForTheNextStart) {
  WriteDataFiles("CHT");
  MakeShell();
  shell->Start();
  QMenu menu;
  QMenu profiles(QStringLiteral("Profiles"));
  menu.addMenu(&profiles);
  menu.addAction(QStringLiteral("Exit"));
  TrayMenuEntries entries(*shell, &menu);
  EXPECT_EQ(Texts(menu), (QStringList{"打開", "Profiles", "語言", "Exit"}));
  ASSERT_NE(entries.LanguageMenu(), nullptr);
  const QList<QAction*> languages = entries.LanguageMenu()->actions();
  EXPECT_EQ(Texts(*entries.LanguageMenu()), (QStringList{"English", "简体中文", "繁體中文"}));
  EXPECT_TRUE(languages[2]->isChecked());

  languages[1]->trigger();
  EXPECT_EQ(ReadLanguageCode(DataFiles().strIni), "CHS");
  EXPECT_TRUE(languages[1]->isChecked());
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"新的語言將在下次啟動程式時生效。"});
  EXPECT_EQ(shell->Language(), UiLanguage::CHT);  // this run keeps its texts

  entries.OpenAction()->trigger();
  EXPECT_TRUE(shell->Window().isVisible());
}

TEST_F(ShellTest, TrayHintComesOnceInTheUiLanguage) {
  WriteDataFiles("CHS");
  MakeShell();
  shell->Start();
  tray.balloons.clear();
  ShowTrayHintOnce(*shell, tray);
  ShowTrayHintOnce(*shell, tray);
  ASSERT_EQ(tray.balloons.size(), 1u);
  EXPECT_EQ(tray.balloons[0].text, QStringLiteral("程序在通知区域中运行。单击其图标打开窗口，右键单击打开菜单。"));
  EXPECT_GE(tray.balloons[0].timeoutMs, 5000);
  // Kept in str.ini: the next start has nothing to say.
  EXPECT_TRUE(TrayHintShown(DataFiles().strIni));
}

TEST(QtTranslationsTest, QtsOwnButtonsSpeakTheUiLanguage) {
  App();
  auto cancelText = [] {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    return box.button(QMessageBox::Cancel)->text();
  };
  EXPECT_EQ(InstallQtTranslations(UiLanguage::EN), nullptr);
  for (auto [lang, cancel] : {std::pair{UiLanguage::CHS, "取消"}, std::pair{UiLanguage::CHT, "取消"}}) {
    const std::unique_ptr<QTranslator> qt = InstallQtTranslations(lang);
    ASSERT_NE(qt, nullptr);
    EXPECT_EQ(cancelText(), QString::fromUtf8(cancel));
  }
  EXPECT_EQ(cancelText(), "Cancel");  // gone with the translator
}

}  // namespace
}  // namespace corvaline::gui::testing
