// One entry in a view's control list is all a control needs: the view draws
// it, a click on it reaches it, and assistive technology finds it by name
// and presses it, without anything else naming it.
#include <QAccessibleInterface>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include "../dialogs/dialog_test_support.h"
#include "gui/accessibility/accessible_dialogs.h"
#include "gui/skin/skinned_dialog.h"

namespace corvaline::gui {
namespace {

using namespace corvaline::test;

constexpr PixelRect kProbe{40, 40, 90, 60};

// A dialog whose only own control is the probe: a green button counting its
// clicks.
class ProbeDialog : public SkinnedDialog {
 public:
  ProbeDialog() : SkinnedDialog(nullptr, kSingleKeyPng, "probe", DialogKeys::EndDialog) {}
  int clicks = 0;

 protected:
  void AddOwnControls(std::vector<DialogControl>& controls) override {
    DialogControl probe;
    probe.rect = kProbe;
    probe.name = [] { return QStringLiteral("Probe"); };
    probe.draw = [](QImage& canvas) { QPainter(&canvas).fillRect(ToQRect(kProbe), Qt::green); };
    probe.click = [this](int, int, QImage*) { return ++clicks, true; };
    controls.push_back(std::move(probe));
  }
};

QAccessibleInterface* ChildNamed(QAccessibleInterface& host, const QString& name) {
  for (int i = 0; i < host.childCount(); ++i)
    if (QAccessibleInterface* c = host.child(i); c && c->text(QAccessible::Name) == name) return c;
  return nullptr;
}

TEST(DialogControlsTest, OneEntryIsDrawnClickedAndPressedByAssistiveTechnology) {
  ScratchSkin skin;
  WriteDialogSkin(skin);
  RecordingSink sink;
  ProbeDialog dialog;
  dialog.show();
  const QPoint centre = ToQRect(kProbe).center();
  EXPECT_EQ(dialog.Canvas().pixelColor(centre), QColor(Qt::green));
  dialog.ClickAt(centre);
  EXPECT_EQ(dialog.clicks, 1);

  QAccessibleInterface* host = MakeAccessibleDialog(&dialog);
  ASSERT_NE(host, nullptr);
  struct Forget {
    QAccessible::Id id;
    ~Forget() { QAccessible::deleteAccessibleInterface(id); }
  } forget{QAccessible::registerAccessibleInterface(host)};
  QAccessibleInterface* probe = ChildNamed(*host, QStringLiteral("Probe"));
  ASSERT_NE(probe, nullptr) << "no accessible child named Probe among " << host->childCount();
  EXPECT_EQ(probe->role(), QAccessible::Button);
  EXPECT_EQ(probe->rect(), QRect(dialog.mapToGlobal(ToQRect(kProbe).topLeft()), ToQRect(kProbe).size()));
  probe->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.clicks == 2; }, 5000))
      << "the press did not reach the probe's click; clicks: " << dialog.clicks;
  // The frame's own controls come from the same list, after the dialog's.
  EXPECT_NE(ChildNamed(*host, QStringLiteral("OK")), nullptr);
}

}  // namespace
}  // namespace corvaline::gui
