// The window pictures in docs/ are what this build draws: each is drawn again
// offscreen from the delivered skins, in a fixed state, and must match pixel
// for pixel, so a change to the drawing that forgets the pictures fails here.
// CORVALINE_DOCS_PICTURES=FOLDER writes the drawings there instead
// (scripts/showcase --docs refreshes docs/ so). balloon.png (the desktop's
// own balloon) and wine-basic-page.png (Wine's screen) are not this build's
// drawing. No picture shows a keyboard focus mark: the window is drawn as
// opened from the tray, before any key was pressed.
#include <QPainter>

#include <cstdlib>
#include <fstream>
#include <filesystem>

#include "core/macros/macro_encoder.h"
#include "core/macros/record_store.h"
#include "core/settings/config_file.h"
#include "core/settings/data_paths.h"
#include "core/settings/ini_file.h"
#include "core/settings/skin_ini.h"
#include "gui/pages/advanced_page.h"
#include "gui/shell/main_window.h"
#include "gui/skin/list_box.h"
#include "gui/skin/skin_scale.h"
#include "../../core/system/fake_pointer_backend.h"
#include "generated_skins.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

const QString kDocs = QStringLiteral(CORVALINE_SOURCE_DIR "/docs");

class DocsPicturesTest : public ShellTest {
 protected:
  void StartOn(const QString& skin, const std::string& language) {
    WriteDataFiles(language);
    // The delivered settings and captions, as a first start has them, and a
    // recorded macro that plays three times.
    const std::filesystem::path assets = std::filesystem::path(CORVALINE_SOURCE_DIR) / "assets";
    const auto overwrite = std::filesystem::copy_options::overwrite_existing;
    std::filesystem::copy_file(assets / "config.bin", DataFiles().configBin, overwrite);
    std::filesystem::copy_file(assets / "str.ini", DataFiles().strIni, overwrite);
    ASSERT_TRUE(IniWriteString(DataFiles().strIni, "Skins", "Lan", language));
    ASSERT_TRUE(WriteMacroSection(
        DataFiles().recordIni, "demo",
        {"H   Dn", "50 ms", "H   Up", "50 ms", "I   Dn", "50 ms", "I   Up", "50 ms", "Shift   Dn",
         "50 ms", "A   Dn", "50 ms", "Shift   Up", "50 ms", "A   Up"}));
    SettingsStore store;
    ASSERT_TRUE(LoadSettings(store, DataFiles().configBin));
    ASSERT_TRUE(EncodeMacroArea(DataFiles().recordIni, store.settings));
    SetMacroLoopCount(store.settings, 0, 3);
    ASSERT_TRUE(SaveSettings(store, DataFiles().configBin).Ok());
    // The save marks the file as applied once; a first start has never applied.
    std::fstream(DataFiles().configBin, std::ios::in | std::ios::out | std::ios::binary).put('\0');
    std::filesystem::create_directory_symlink((kSkins + "/" + skin).toStdString(),
                                              DataFiles().skinsFolder / skin.toStdString());
    // The skin's own text colour, as after choosing it in the Skins dialog.
    const auto text = ReadSkinColours((kSkins + "/" + skin).toStdString()).text.value_or(Rgb{255, 255, 255});
    const char* keys[] = {"RColor", "GColor", "BColor"};
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(IniWriteString(DataFiles().strIni, "Skins", keys[i], std::to_string(text[i])));
    EXPECT_TRUE(IniWriteString(DataFiles().strIni, "Skins", "Path", skin.toStdString()));
    MakeShell();
    shell->Start();
    shell->OnTrayClicked();  // opened as a user opens it: the first showing sets the captions
    advanced = AttachAdvancedPage(*shell, desktop);
  }
  void Stop() {
    advanced.reset();
    shell.reset();
    std::filesystem::remove_all(DataFiles().skinsFolder);
  }
  QImage Draw(qreal ratio) {
    MainWindow& window = shell->Window();
    QImage image(window.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    window.render(&image);
    image.setDevicePixelRatio(1);
    return image;
  }
  void Check(const QString& name, const QImage& drawn) {
    if (const char* out = std::getenv("CORVALINE_DOCS_PICTURES")) {
      ASSERT_TRUE(drawn.save(QString::fromLocal8Bit(out) + "/" + name)) << name.toStdString();
      return;
    }
    const QImage kept(kDocs + "/" + name);
    ASSERT_FALSE(kept.isNull()) << "docs/" << name.toStdString() << " is missing";
    EXPECT_TRUE(kept.convertToFormat(QImage::Format_RGB32) == drawn)
        << "docs/" << name.toStdString() << " is not what the build draws; look at the change, then "
        << "refresh docs/ with scripts/showcase --docs";
  }
  void TearDown() override {
    SetSkinPixelRatio(1.0);
    advanced.reset();
    ShellTest::TearDown();
  }
  test::FakePointerBackend desktop;
  std::unique_ptr<AdvancedPage> advanced;
};

TEST_F(DocsPicturesTest, EveryWindowPictureInDocsIsWhatTheBuildDraws) {
  StartOn("Carbon", "EN");
  const QImage basic = Draw(1);
  Check("basic-page.png", basic);
  // Button 3's function menu, the pointer on "DPI Switch": its sub-menu beside it.
  shell->Window().ClickAt(300, 251);
  ListBox* menu = shell->Basic().FunctionList();
  ASSERT_NE(menu, nullptr);
  menu->TrackPointer(menu->mapFrom(&shell->Window(), QPoint(300, 371)));
  ASSERT_NE(shell->Basic().DpiMenu(), nullptr);
  Check("function-menu.png", Draw(1));
  menu->Dismiss();
  shell->ShowAdvancedPage();
  Check("advanced-page.png", Draw(1));
  Stop();

  // One state at 1x and at 2x, the 1x picture enlarged pixel for pixel.
  SetSkinPixelRatio(2.0);
  StartOn("Carbon", "EN");
  const QImage twice = Draw(2);
  QImage both(twice.width() * 2, twice.height(), QImage::Format_RGB32);
  QPainter painter(&both);
  painter.drawImage(0, 0, basic.scaled(twice.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
  painter.drawImage(twice.width(), 0, twice);
  painter.end();
  Check("basic-page-1x-vs-2x.png", both);
  Stop();
  SetSkinPixelRatio(1.0);

  StartOn("Frost", "CHS");
  Check("basic-page-frost-CHS.png", Draw(1));
}

}  // namespace
}  // namespace corvaline::gui::testing
