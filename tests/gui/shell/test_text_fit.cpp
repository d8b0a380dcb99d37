// Every text the program draws over its skins, on both delivered skins, in
// the three languages, at 1x and 2x: its ink stays inside its rectangle (on
// one line, or wrapped where the control wraps), off the lines of the
// picture behind it (borders, panel edges), and off every other control; an
// open list hides a text whole or not at all. The entries of the lists and
// the displays fit their controls beside the scroll bar. The texts are the
// ones the windows draw, seen as they are drawn, not a list kept here.
#include <QLabel>
#include <QScrollBar>

#include <algorithm>
#include <filesystem>

#include "../../core/system/fake_pointer_backend.h"
#include "core/settings/data_paths.h"
#include "core/settings/ini_file.h"
#include "gui/dialogs/combo_dialog.h"
#include "gui/dialogs/delay_time_dialog.h"
#include "gui/dialogs/fire_key_dialog.h"
#include "gui/dialogs/macro_dialog.h"
#include "gui/dialogs/media_dialog.h"
#include "gui/dialogs/single_dialog.h"
#include "gui/dialogs/skins_dialog.h"
#include "gui/dialogs/windows_dialog.h"
#include "gui/pages/advanced_page.h"
#include "gui/shell/main_window.h"
#include "gui/skin/drop_down.h"
#include "gui/skin/hover.h"
#include "gui/skin/skin_scale.h"
#include "gui/skin/skin_state.h"
#include "generated_skins.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

// Texts a view drew, and the view's picture without them.
struct Seen {
  std::vector<DrawnText> texts;
  QImage bare;
};

template <typename Compose>
Seen Watch(Compose compose, const std::function<QImage()>& canvas) {
  Seen seen;
  SkinTextWatcher before = WatchSkinTexts([&](const DrawnText& t) {
    seen.texts.push_back(t);
    return false;
  });
  compose();
  seen.bare = canvas();
  WatchSkinTexts(before);
  compose();  // the view as it was, texts and all
  return seen;
}

// The device pixels a text inks when drawn alone without any clipping
// (alpha above a third: the faint fringe of antialiasing does not count),
// looked for in a margin around its rectangle wide enough to show a text
// that runs out of it.
QRect Ink(const DrawnText& t, int ratio) {
  const QRect area = t.rect.adjusted(-80, -40, 80, 40);
  QImage img(area.size() * ratio, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  img.setDevicePixelRatio(ratio);
  QPainter p(&img);
  p.setFont(t.font);
  p.setPen(Qt::black);
  p.drawText(t.rect.translated(-area.topLeft()), t.flags | Qt::TextDontClip, t.text);
  p.end();
  int left = img.width(), top = img.height(), right = -1, bottom = -1;
  for (int y = 0; y < img.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      if (qAlpha(line[x]) <= 85) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return QRect(QPoint(left, top), QPoint(right, bottom)).translated(area.topLeft() * ratio);
}

QRect Scaled(const QRect& r, int ratio) { return QRect(r.topLeft() * ratio, r.size() * ratio); }

std::string Describe(const QRect& r) {
  return "(" + std::to_string(r.left()) + "," + std::to_string(r.top()) + " " + std::to_string(r.width()) +
         "x" + std::to_string(r.height()) + ")";
}

// A line of the picture: neighbours that differ in brightness by more than a
// bevel or a gradient does.
bool CrossesALine(const QImage& bare, const QRect& area) {
  const QRect a = area.intersected(bare.rect());
  auto grey = [&](int x, int y) { return qGray(bare.pixel(x, y)); };
  for (int y = a.top(); y <= a.bottom(); ++y) {
    for (int x = a.left(); x <= a.right(); ++x) {
      if (x < a.right() && std::abs(grey(x, y) - grey(x + 1, y)) > 60) return true;
      if (y < a.bottom() && std::abs(grey(x, y) - grey(x, y + 1)) > 60) return true;
    }
  }
  return false;
}

struct View {
  std::string where;
  Seen seen;
  std::vector<QRect> controls;  // logical pixels
  std::vector<const ListBox*> lists;
};

void ExpectFits(const View& v) {
  const int ratio = CanvasRatio(v.seen.bare);
  ASSERT_FALSE(v.seen.texts.empty()) << v.where;
  for (const DrawnText& t : v.seen.texts) {
    const std::string what = v.where + " \"" + t.text.toStdString() + "\" in " + Describe(t.rect);
    const QRect ink = Ink(t, ratio);
    if (ink.isEmpty()) continue;
    EXPECT_TRUE(Scaled(t.rect, ratio).contains(ink)) << what << " inks " << Describe(ink) << " at " << ratio << "x";
    EXPECT_FALSE(CrossesALine(v.seen.bare, ink.adjusted(-ratio, 0, ratio, 0))) << what << " lies on a line";
    for (const QRect& c : v.controls) {
      if (c.contains(t.rect.center())) continue;  // its own control
      EXPECT_FALSE(Scaled(c, ratio).intersects(ink)) << what << " runs into the control at " << Describe(c);
    }
    for (const ListBox* list : v.lists) {
      const QRect l = Scaled(list->geometry(), ratio);
      EXPECT_TRUE(!l.intersects(ink) || l.contains(ink)) << what << " half under the open list";
    }
  }
  for (const ListBox* list : v.lists) {
    // Beside the scroll bar, whole or cut short with an ellipsis.
    const QFontMetrics metrics(list->font());
    for (int row = 0; row < list->count(); ++row) {
      const QString entry = list->item(row)->text(), shown = list->ShownText(row);
      EXPECT_LE(metrics.horizontalAdvance(shown) + 2, list->viewport()->width())
          << v.where << " list entry \"" << entry.toStdString() << "\" is cut";
      EXPECT_TRUE(shown == entry || shown.endsWith(QChar(0x2026))) << shown.toStdString();
    }
  }
}

void ExpectDisplaysFit(const QWidget& window, const std::string& where) {
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (!label->isVisible() || label->text().isEmpty()) continue;
    EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), DisplayTextWidth(*label))
        << where << " display \"" << label->text().toStdString() << "\" is cut";
  }
}

std::vector<QRect> ChildControls(const QWidget& window) {
  std::vector<QRect> rects;
  for (const QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->isVisible() && !qobject_cast<const ListBox*>(child)) rects.push_back(child->geometry());
  return rects;
}

// A dialog as shown, then with its drop-down open on every entry choice.
template <typename Dialog, typename... Args>
void CheckDialog(const std::string& where, DropDown* (Dialog::*list)() const, Args... args) {
  Dialog dialog(args...);
  dialog.show();
  std::vector<QRect> controls = ChildControls(dialog);
  for (const QRect& r : {kDialogOkButton, kDialogCancelButton, kDialogCloseBox}) controls.push_back(r);
  if constexpr (std::is_same_v<Dialog, CMacroDialog>)
    for (int mode = 1; mode <= kRepeatModeCount; ++mode) controls.push_back(RepeatModeBox(mode));
  auto canvas = [&] { return dialog.Canvas().copy(); };
  auto compose = [&] {  // a dialog composes its picture as it is shown
    dialog.hide();
    dialog.show();
  };
  View v{where, Watch(compose, canvas), controls, {}};
  ExpectFits(v);
  ExpectDisplaysFit(dialog, where);
  if (list == nullptr) return;
  DropDown* dropDown = (dialog.*list)();
  controls.push_back(dropDown->Box());
  dropDown->Open();
  ASSERT_TRUE(dropDown->IsOpen()) << where;
  ExpectFits({where + " (list open)", Watch(compose, canvas), controls, {dropDown->List()}});
  // Every entry once in the display.
  for (int row = 0; row < dropDown->List()->count(); ++row) {
    emit dropDown->List()->chosen(row);
    ExpectDisplaysFit(dialog, where);
    dropDown->Open();
  }
}

class TextFitTest : public ShellTest {
 protected:
  void StartOn(const QString& skin, const std::string& language) {
    WriteDataFiles(language);
    std::filesystem::create_directory_symlink((kSkins + "/" + skin).toStdString(),
                                              DataFiles().skinsFolder / skin.toStdString());
    EXPECT_TRUE(IniWriteString(DataFiles().strIni, "Skins", "Path", skin.toStdString()));
    // Two macros, the names a user would give them.
    EXPECT_TRUE(IniWriteStrings(DataFiles().recordIni, "Browser-Forward", {{"ItemCount", "0"}}));
    EXPECT_TRUE(IniWriteStrings(DataFiles().recordIni, "Multimedia Player", {{"ItemCount", "0"}}));
    MakeShell();
    shell->Start();
    advanced = AttachAdvancedPage(*shell, desktop);
  }
  View PageView(const std::string& where, const std::vector<PageControl>& pageControls) {
    MainWindow& window = shell->Window();
    std::vector<QRect> controls = ChildControls(window);
    for (const PageControl& c : pageControls) controls.push_back(ToQRect(c.rect));
    const HoverPage shown = shell->CurrentPage() == Page::Basic ? HoverPage::Basic : HoverPage::Advanced;
    for (const HoverElement& e : shell->Hover().Elements())
      if (e.page == HoverPage::Both || e.page == shown) controls.push_back(e.region);
    std::vector<const ListBox*> lists;
    for (const ListBox* l : window.findChildren<ListBox*>())
      if (l->isVisible()) lists.push_back(l);
    return {where, Watch([&] { shell->RecomposeCurrentPage(); }, [&] { return window.Canvas()->copy(); }),
            controls, lists};
  }
  void TearDown() override {
    advanced.reset();
    ShellTest::TearDown();
  }
  test::FakePointerBackend desktop;
  std::unique_ptr<AdvancedPage> advanced;
};

TEST_F(TextFitTest, EveryTextFitsOnBothSkinsInEveryLanguageAtBothRatios) {
  struct RatioBack {
    ~RatioBack() { SetSkinPixelRatio(1.0); }
  } back;
  for (const QString skin : {"Carbon", "Frost"}) {
    for (const char* language : {"EN", "CHS", "CHT"}) {
      for (qreal ratio : {1.0, 2.0}) {
        const std::string where = skin.toStdString() + " " + language + (ratio > 1 ? " 2x" : " 1x");
        SetSkinPixelRatio(ratio);
        StartOn(skin, language);
        ASSERT_EQ(SkinName(), skin);
        ExpectFits(PageView(where + " Basic page", shell->Basic().Controls()));
        for (int box = 0; box < 3; ++box) {
          shell->Window().ClickAt(800, 335 + 30 * box);
          ExpectFits(PageView(where + " Basic page, lighting list " + std::to_string(box + 1),
                          shell->Basic().Controls()));
          shell->Window().ClickAt(800, 335 + 30 * box);
        }
        ExpectDisplaysFit(shell->Window(), where + " Basic page");
        shell->ShowAdvancedPage();
        ExpectFits(PageView(where + " Advanced page", advanced->Controls()));

        CheckDialog<CSingleDialog>(where + " single key", nullptr);
        CheckDialog<CComboDialog>(where + " combo key", &CComboDialog::ModifierList);
        CheckDialog<CFireKeyDialog>(where + " fire key", &CFireKeyDialog::KeyList);
        CheckDialog<CDelayTimeDialog>(where + " delay", nullptr);
        CheckDialog<CMediaDialog>(where + " media", &ChoiceDialog::List);
        CheckDialog<CWindowsDialog>(where + " windows", &ChoiceDialog::List);
        CheckDialog<CMacroDialog>(where + " macro", &CMacroDialog::MacroList, DataFiles().recordIni);
        CheckDialog<CSkinsDialog>(where + " skins", &CSkinsDialog::SkinList, kSkins);
        advanced.reset();
        shell.reset();
        std::filesystem::remove_all(DataFiles().skinsFolder);
        std::filesystem::remove(DataFiles().recordIni);
      }
    }
  }
}

}  // namespace
}  // namespace corvaline::gui::testing
