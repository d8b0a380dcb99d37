// The list box every window shares: row geometry, hot tracking, choosing.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>

#include "gui/skin/list_box.h"

namespace corvaline {
namespace {

QStringList Entries(int n) {
  QStringList list;
  for (int i = 0; i < n; ++i) list << QStringLiteral("Entry %1").arg(i);
  return list;
}

TEST(ListBox, SixteenEntriesOfSixteenPixelsFitAFunctionMenu) {
  QWidget parent;
  parent.resize(880, 660);
  ListBox list(&parent, 41, QRect(252, 221, 211, 270));
  list.SetEntries(Entries(16));
  parent.show();
  for (int k : {0, 1, 6, 15}) {
    const QRect r = list.EntryRect(k);
    EXPECT_EQ(r.top(), 1 + 16 * k) << k;
    EXPECT_EQ(r.height(), 16) << k;
  }
  EXPECT_FALSE(list.verticalScrollBar()->isVisible());
  EXPECT_EQ(list.RowAt(QPoint(10, 1 + 16 * 6 + 8)), 6);
  EXPECT_EQ(list.RowAt(QPoint(10, 1 + 16 * 16 + 2)), -1);  // below the last entry
}

TEST(ListBox, PointerSelectsWithoutChoosingAndAClickChooses) {
  QWidget parent;
  parent.resize(400, 400);
  ListBox list(&parent, 63, QRect(10, 10, 100, 60));
  list.SetEntries(Entries(3));
  parent.show();
  QSignalSpy hovered(&list, &ListBox::hovered);
  QSignalSpy chosen(&list, &ListBox::chosen);
  const QPoint onRow2 = list.EntryRect(2).center() - list.viewport()->pos();
  QTest::mouseMove(list.viewport(), onRow2);
  QTest::mouseMove(list.viewport(), onRow2 + QPoint(3, 0));  // same entry: told once
  ASSERT_EQ(hovered.count(), 1);
  EXPECT_EQ(hovered[0][0].toInt(), 2);
  EXPECT_EQ(list.currentRow(), 2);
  EXPECT_EQ(chosen.count(), 0);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.EntryRect(1).center() - list.viewport()->pos());
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen[0][0].toInt(), 1);
}

TEST(ListBox, TheWheelScrollsThreeEntriesANotch) {
  QWidget parent;
  parent.resize(400, 400);
  ListBox list(&parent, 64, QRect(0, 0, 85, 200));  // the thirty neon periods
  list.SetEntries(Entries(30));
  parent.show();
  const QPoint at = list.viewport()->rect().center();
  QWheelEvent wheel(at, list.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(list.viewport(), &wheel);
  EXPECT_EQ(list.verticalScrollBar()->value(), 3);
}

}  // namespace
}  // namespace corvaline
