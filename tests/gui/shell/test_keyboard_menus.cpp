// Menus by keyboard on the main window: an open menu starts on the current
// entry, Esc closes it without a change (the window stays), Tab closes it and
// moves on, and the focus mark is 2 pixels wide in the skin's colour.
#include <QTest>

#include <cstring>

#include "core/buttons/button_menu.h"
#include "gui/accessibility/accessible_focus.h"
#include "gui/accessibility/accessible_window.h"
#include "gui/pages/basic_page.h"
#include "gui/shell/main_window.h"
#include "gui/skin/child_colours.h"
#include "gui/skin/list_box.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

class KeyboardMenus : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    WriteDataFiles("EN");
    QFile ini(dir.path() + "/Skins/Test/skin.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Skin]\nFocusColor=250,120,10\n");
    ini.close();
    MakeShell();
    shell->Start();
    emit tray.leftClicked();
    ASSERT_TRUE(shell->Window().isVisible());
    ring = new FocusRing(&shell->Window(), MainWindowControls(*shell),
                         [this](QPoint p) { shell->Window().ClickAt(p.x(), p.y()); });
  }
  void Key(int key) { QTest::keyClick(&shell->Window(), static_cast<Qt::Key>(key)); }
  BasicPage& Page() { return shell->Basic(); }
  FocusRing* ring = nullptr;
};

TEST_F(KeyboardMenus, AMenuStartsOnTheCurrentEntryAndEscOrTabClosesItUnchanged) {
  Settings().settings.buttons[0].category[1] = 3;  // Forward
  Settings().settings.ledEffect = 2;                // Respiration
  const SettingsBlock before = Settings().settings;
  const PixelRect box = FunctionBoxRect(1);
  shell->Window().ClickAt(box.left + 5, box.top + 5);
  ASSERT_NE(Page().FunctionList(), nullptr);
  EXPECT_EQ(Page().FunctionList()->currentRow(), 3);
  Key(Qt::Key_Down);
  EXPECT_EQ(Page().FunctionList()->currentRow(), 4);
  Key(Qt::Key_Escape);
  EXPECT_EQ(Page().FunctionList(), nullptr);
  EXPECT_TRUE(shell->Window().isVisible());  // Esc went to the menu, not the window
  EXPECT_EQ(std::memcmp(&before, &Settings().settings, sizeof before), 0);

  shell->Window().ClickAt(box.left + 5, box.top + 5);
  ASSERT_NE(Page().FunctionList(), nullptr);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Page().FunctionList(), nullptr);
  ASSERT_NE(ring->Marked(), nullptr);

  // A lighting list the same way; with nothing open Esc hides the window.
  shell->Window().ClickAt(800, 337);
  ASSERT_NE(Page().LedList(1), nullptr);
  EXPECT_EQ(Page().LedList(1)->currentRow(), 1);
  Key(Qt::Key_Escape);
  EXPECT_EQ(Page().LedList(1), nullptr);
  EXPECT_TRUE(shell->Window().isVisible());
  shell->Window().ClickAt(800, 337);
  ASSERT_NE(Page().LedList(1), nullptr);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Page().LedList(1), nullptr);
  Key(Qt::Key_Escape);
  EXPECT_FALSE(shell->Window().isVisible());
  EXPECT_EQ(std::memcmp(&before, &Settings().settings, sizeof before), 0);
}

TEST_F(KeyboardMenus, TheFocusMarkIsTwoPixelsOfTheSkinsColourAroundTheControl) {
  Key(Qt::Key_Tab);
  const DrawnControl* marked = ring->Marked();
  ASSERT_NE(marked, nullptr);
  auto* mark = shell->Window().findChild<QWidget*>(QStringLiteral("focusMark"));
  ASSERT_NE(mark, nullptr);
  ASSERT_TRUE(mark->isVisible());
  EXPECT_EQ(mark->geometry(), marked->rect.adjusted(-2, -2, 2, 2));
  const QImage drawn = mark->grab().toImage();
  const QColor own(250, 120, 10);
  for (QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(drawn.width() - 2, drawn.height() / 2)})
    EXPECT_EQ(drawn.pixelColor(p), own) << p.x() << "," << p.y();
}

}  // namespace
}  // namespace corvaline::gui::testing
