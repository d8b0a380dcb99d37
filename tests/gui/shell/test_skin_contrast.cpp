// The delivered skins as a user meets them: every text the program draws on
// the main window's pages and on the sub-dialogs, in the three languages,
// stands out from what lies behind it by at least 4.5 : 1 (the WCAG ratio for
// body text), and so do the colours of the lists, edits and drop-down boxes.
// Each skin is measured with the text colour its skin.ini declares.
#include <QLabel>

#include <cmath>
#include <filesystem>

#include "../../core/system/fake_pointer_backend.h"
#include "core/settings/data_paths.h"
#include "core/settings/ini_file.h"
#include "gui/pages/advanced_page.h"
#include "gui/shell/main_window.h"
#include "gui/dialogs/combo_dialog.h"
#include "gui/dialogs/delay_time_dialog.h"
#include "gui/dialogs/fire_key_dialog.h"
#include "gui/dialogs/media_dialog.h"
#include "gui/dialogs/single_dialog.h"
#include "gui/dialogs/windows_dialog.h"
#include "gui/dialogs/macro_dialog.h"
#include "gui/skin/child_colours.h"
#include "gui/skin/skin_state.h"
#include "gui/dialogs/skins_dialog.h"
#include "generated_skins.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

constexpr double kReadable = 4.5;

double Luminance(QRgb c) {
  auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double Contrast(QRgb a, QRgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int Distance(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// The text of one picture: the pixels that the text covers more than half
// (changed from the picture without texts, and nearer the ink than what was
// there), each measured against what lies behind it.
struct Measured {
  int pixels = 0;
  int unreadable = 0;
  double worst = 99;
};

Measured MeasureText(const QImage& withText, const QImage& without, QColor ink) {
  const QImage a = withText.convertToFormat(QImage::Format_RGB32);
  const QImage b = without.convertToFormat(QImage::Format_RGB32);
  Measured m;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb shown = a.pixel(x, y), behind = b.pixel(x, y);
      if (shown == behind || Distance(shown, ink.rgb()) >= Distance(shown, behind)) continue;
      const double ratio = Contrast(ink.rgb(), behind);
      ++m.pixels;
      m.worst = std::min(m.worst, ratio);
      if (ratio < kReadable) ++m.unreadable;
    }
  }
  return m;
}

// Anti-aliased glyphs may brush a bevel line or a glow; a text is readable
// when all but a sliver of it (1 %) stands out enough, and none of it falls
// to half the ratio.
void ExpectReadable(const Measured& m, const std::string& where) {
  SCOPED_TRACE(where);
  EXPECT_GT(m.pixels, 20) << "no text found";
  EXPECT_LE(m.unreadable * 100, m.pixels) << m.unreadable << " of " << m.pixels
                                          << " pixels below 4.5:1, worst " << m.worst;
  EXPECT_GE(m.worst, kReadable / 2);
}

QColor DeclaredTextColour(const QString& skin) {
  const std::optional<Rgb> rgb = ReadSkinColours((kSkins + "/" + skin).toStdString()).text;
  EXPECT_TRUE(rgb.has_value()) << skin.toStdString();
  return rgb ? ToQColor(*rgb) : QColor(Qt::green);
}

// A dialog with its own texts left out, to see what lies behind them.
template <typename Dialog>
struct WithoutOwnTexts : Dialog {
  using Dialog::Dialog;
  void DrawOwnTexts(QPainter&) override {}
};

template <typename Dialog, typename... Args>
QImage Shown(Args&&... args) {
  Dialog dialog(std::forward<Args>(args)...);
  dialog.show();
  return dialog.Canvas().copy();
}

// The texts of one dialog: OK and Cancel in the UI text colour, its own
// texts (where it has some) in white or, for the Skins dialog, in the UI
// text colour.
enum class Own { None, White, UiColour };

template <typename Dialog, typename... Args>
void MeasureDialog(const std::string& where, QColor ui, Own own, Args... args) {
  SetTextColour(ui);
  const QImage full = Shown<Dialog>(args...);
  const QImage bare = Shown<WithoutOwnTexts<Dialog>>(args...);
  SetTextColour(Qt::transparent);
  const QImage noButtonTexts = Shown<WithoutOwnTexts<Dialog>>(args...);
  ExpectReadable(MeasureText(bare, noButtonTexts, ui), where + " OK/Cancel");
  if (own != Own::None)
    ExpectReadable(MeasureText(full, bare, own == Own::White ? QColor(Qt::white) : ui), where);
}

class SkinContrastTest : public ShellTest {
 protected:
  void StartOn(const QString& skin, const std::string& language) {
    WriteDataFiles(language);
    const std::filesystem::path skins = DataFiles().skinsFolder;
    std::filesystem::create_directory_symlink((kSkins + "/" + skin).toStdString(),
                                              skins / skin.toStdString());
    const QColor ui = DeclaredTextColour(skin);
    EXPECT_TRUE(IniWriteStrings(DataFiles().strIni, "Skins",
                    {{"RColor", std::to_string(ui.red())}, {"GColor", std::to_string(ui.green())},
                     {"BColor", std::to_string(ui.blue())}, {"Path", skin.toStdString()}}));
    MakeShell();
    shell->Start();
    advanced = AttachAdvancedPage(*shell, desktop);
  }
  // The page on show, with its texts and without them.
  std::pair<QImage, QImage> PagePictures() {
    const QColor ui = TextColour();
    shell->RecomposeCurrentPage();
    const QImage with = shell->Window().Canvas()->copy();
    SetTextColour(Qt::transparent);
    shell->RecomposeCurrentPage();
    const QImage without = shell->Window().Canvas()->copy();
    SetTextColour(ui);
    return {with, without};
  }
  void TearDown() override {
    advanced.reset();
    ShellTest::TearDown();
  }
  test::FakePointerBackend desktop;
  std::unique_ptr<AdvancedPage> advanced;
};

TEST_F(SkinContrastTest, EveryTextOfBothSkinsIsReadableInEveryLanguage) {
  for (const QString skin : {"Carbon", "Frost"}) {
    for (const char* language : {"EN", "CHS", "CHT"}) {
      const std::string where = skin.toStdString() + " " + language;
      StartOn(skin, language);
      ASSERT_EQ(SkinName(), skin);
      const QColor ui = TextColour();
      ASSERT_EQ(ui, DeclaredTextColour(skin));
      // Page texts and the captions of the button boxes.
      auto [basic, basicBare] = PagePictures();
      ExpectReadable(MeasureText(basic, basicBare, ui), where + " Basic page");
      shell->ShowAdvancedPage();
      auto [advancedPage, advancedBare] = PagePictures();
      ExpectReadable(MeasureText(advancedPage, advancedBare, ui), where + " Advanced page");

      MeasureDialog<CSingleDialog>(where + " single key", ui, Own::White);
      MeasureDialog<CComboDialog>(where + " combo key", ui, Own::None);
      MeasureDialog<CFireKeyDialog>(where + " fire key", ui, Own::White);
      MeasureDialog<CDelayTimeDialog>(where + " delay", ui, Own::White);
      MeasureDialog<CMediaDialog>(where + " media", ui, Own::None);
      MeasureDialog<CWindowsDialog>(where + " windows", ui, Own::None);
      MeasureDialog<CMacroDialog>(where + " macro", ui, Own::White, DataFiles().recordIni);
      MeasureDialog<CSkinsDialog>(where + " skins", ui, Own::UiColour, kSkins);
      SetTextColour(ui);

      // Lists, edits and drop-down boxes: the skin's own pair for each.
      for (ControlRole role : {ControlRole::List, ControlRole::Edit, ControlRole::DropDown}) {
        const ControlColours c = SkinControlColours(role, {});
        ASSERT_TRUE(c.text.isValid() && c.back.isValid()) << where;
        EXPECT_GE(Contrast(c.text.rgb(), c.back.rgb()), kReadable) << where;
      }
      shell->ShowBasicPage();
      const QLabel* effect = shell->Window().findChild<QLabel*>(QStringLiteral("label80"));
      ASSERT_NE(effect, nullptr);
      EXPECT_EQ(effect->palette().color(QPalette::WindowText),
                SkinControlColours(ControlRole::DropDown, {}).text);
      advanced.reset();
      shell.reset();
      std::filesystem::remove_all(DataFiles().skinsFolder);
    }
  }
}

}  // namespace
}  // namespace corvaline::gui::testing
