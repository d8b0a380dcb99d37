// Edits that are not applied yet: the question when the program closes with
// them, another program saving config.bin meanwhile, and an Apply
// whose files cannot be saved.
#include <QDir>
#include <QFile>
#include <fstream>

#include "core/settings/data_paths.h"
#include "gui/shell/main_window.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

// Another program's save: a whole new file renamed over config.bin.
void SaveFromOutside(std::uint8_t rate) {
  const QString path = QString::fromStdString(DataFiles().configBin.string());
  QFile in(path);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  QByteArray bytes = in.readAll();
  in.close();
  bytes[static_cast<qsizetype>(kRateOffset)] = static_cast<char>(rate);
  QFile out(path + ".other");
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(bytes);
  out.close();
  ASSERT_EQ(std::rename((path + ".other").toLocal8Bit().constData(), path.toLocal8Bit().constData()), 0);
}

class EditsTest : public ShellTest {
 protected:
  void Start(bool trayResident) {
    WriteDataFiles("EN");
    MakeShell(trayResident);
    shell->Start();
    if (trayResident) emit tray.leftClicked();
    ASSERT_TRUE(shell->Window().isVisible());
  }
  void Click(int x, int y) { shell->Window().ClickAt(x, y); }
  void Close() { Click(860, 10); }
  void Apply() { Click(700, 630); }
};

TEST_F(EditsTest, WithoutTrayClosingWithEditsAsksApplyDiscardOrCancel) {
  // Each ending closes the device (the test only records the exit code), so
  // the mouse is checked at the first one.
  Start(/*trayResident=*/false);
  Settings().settings.reportRateCode = 8;
  answers = {2};  // Cancel: the program and the edit stay
  Close();
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questionButtons, (QStringList{"Apply", "Discard", "Cancel"}));
  EXPECT_TRUE(exitCodes.empty());
  EXPECT_EQ(Settings().settings.reportRateCode, 8);

  answers = {0};  // Apply: sent and saved, then ends
  Close();
  EXPECT_EQ(exitCodes, std::vector<int>{0});
  EXPECT_EQ(ConfigByte(kRateOffset), 8);
  EXPECT_EQ(mouse->State().reportRateCode, 8);

  Settings().settings.currentMode = 1;  // looking at Mode B is no edit
  Close();
  EXPECT_EQ(questions.size(), 2u);
  EXPECT_EQ(exitCodes, (std::vector<int>{0, 0}));

  Settings().settings.reportRateCode = 1;
  answers = {1};  // Discard: ends, nothing saved
  shell->Window().close();
  EXPECT_EQ(questions.size(), 3u);
  EXPECT_EQ(exitCodes, (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(ConfigByte(kRateOffset), 8);
}

TEST_F(EditsTest, WithTrayTheCloseButtonAsksTooAndAltF4OnlyHides) {
  Start(/*trayResident=*/true);
  Settings().settings.reportRateCode = 8;
  shell->Window().close();  // only hides; the edit stays in memory
  EXPECT_TRUE(questions.empty());
  EXPECT_TRUE(exitCodes.empty());
  answers = {2};  // Cancel: the program, its icon and the edit stay
  Close();
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questionButtons, (QStringList{"Apply", "Discard", "Cancel"}));
  EXPECT_TRUE(exitCodes.empty());
  EXPECT_TRUE(tray.iconShown);
  answers = {1};  // Discard
  Close();
  EXPECT_EQ(exitCodes, std::vector<int>{0});
  EXPECT_EQ(ConfigByte(kRateOffset), Settings().savedSettings.reportRateCode);
}

TEST_F(EditsTest, AnOutsideSaveIsLoadedAndShownWhenNothingIsEdited) {
  Start(/*trayResident=*/true);
  shell->Window().Canvas()->fill(Qt::red);
  SaveFromOutside(4);
  ASSERT_TRUE(WaitFor([] { return Settings().settings.reportRateCode == 4; }));
  EXPECT_EQ(Settings().savedSettings.reportRateCode, 4);
  EXPECT_EQ(shell->Window().Canvas()->pixelColor(2, 200), QColor(0, 0, 200));  // composed again

  // The program's own save is not taken for another program's.
  Settings().settings.reportRateCode = 1;
  Apply();
  WaitFor([] { return false; }, 400);
  EXPECT_FALSE(shell->OutsideChangePending());
  EXPECT_EQ(Settings().settings.reportRateCode, 1);
  EXPECT_TRUE(questions.empty());
}

TEST_F(EditsTest, AnOutsideSaveIsNotSilentlyUndoneByTheNextApply) {
  Start(/*trayResident=*/true);
  Settings().settings.reportRateCode = 8;
  SaveFromOutside(4);
  ASSERT_TRUE(WaitFor([&] { return shell->OutsideChangePending(); }));
  EXPECT_EQ(Settings().settings.reportRateCode, 8);  // the user's edit stays

  answers = {1, 1};  // Cancel Apply, then OK: the other program's value stays
  Apply();
  Click(600, 630);
  ASSERT_EQ(questions.size(), 2u);
  EXPECT_NE(questions[0].indexOf("config.bin"), -1);
  EXPECT_EQ(ConfigByte(kRateOffset), 4);
  EXPECT_TRUE(shell->Window().isVisible());  // OK called off keeps the window

  answers = {0};
  Apply();
  EXPECT_EQ(ConfigByte(kRateOffset), 8);
  EXPECT_FALSE(shell->OutsideChangePending());
}

TEST_F(EditsTest, AnOutsideChangeOfAnotherFieldIsKeptWithoutAQuestion) {
  Start(/*trayResident=*/true);
  Settings().settings.dpiStageIndex[1] ^= 1;
  const std::uint8_t level = Settings().settings.dpiStageIndex[1];
  SaveFromOutside(4);  // the other program changed the report rate only
  ASSERT_TRUE(WaitFor([&] { return shell->OutsideChangePending(); }));
  Apply();
  EXPECT_TRUE(questions.empty());
  EXPECT_EQ(ConfigByte(kRateOffset), 4);
  EXPECT_EQ(ConfigByte(1 + offsetof(SettingsBlock, dpiStageIndex) + 1), level);
  EXPECT_FALSE(shell->OutsideChangePending());
}

TEST_F(EditsTest, WithNoSettingsLoadedApplySendsNothingAndSaysWhy) {
  WriteDataFiles("EN");
  ASSERT_TRUE(QFile::remove(QString::fromStdString(DataFiles().configBin.string())));
  MakeShell();  // and no factory settings either
  shell->Start();
  emit tray.leftClicked();
  const std::size_t sent = mouse->CommandLog().size();
  Apply();
  EXPECT_EQ(mouse->CommandLog().size(), sent);
  ASSERT_FALSE(sink.messages.empty());
  EXPECT_NE(sink.messages.back().first.find("nothing is sent to the mouse"), std::string::npos);
}

TEST_F(EditsTest, ApplySaysWhichFilesCouldNotBeSaved) {
  Start(/*trayResident=*/true);
  const QString strIni = QString::fromStdString(DataFiles().strIni.string());
  ASSERT_TRUE(QFile::remove(strIni));
  ASSERT_TRUE(QDir().mkdir(strIni));  // unreadable as a file, whoever runs the test
  Settings().settings.reportRateCode = 8;
  Apply();
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_NE(sink.messages[0].first.find("captions could not be saved"), std::string::npos);
  EXPECT_EQ(ConfigByte(kRateOffset), 8);

  // config.bin that cannot be replaced is said in the window as well, in
  // one box; one that is gone in the program's own words.
  sink.messages.clear();
  const QString config = QString::fromStdString(DataFiles().configBin.string());
  ASSERT_TRUE(QFile::remove(config));
  ASSERT_TRUE(QDir().mkdir(config));
  Settings().settings.reportRateCode = 4;
  Apply();
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0].first,
            "The settings could not be saved to " + DataFiles().configBin.string() + ", " +
                DataFiles().strIni.string() + ".");
  sink.messages.clear();
  ASSERT_TRUE(QDir().rmdir(config));
  Settings().settings.reportRateCode = 2;
  Apply();
  EXPECT_EQ(sink.messages, (std::vector<std::pair<std::string, std::string>>{
                               {"Config file is not exist.", "CORVALINEX01"}}));
}

}  // namespace
}  // namespace corvaline::gui::testing
