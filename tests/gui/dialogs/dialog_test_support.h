// Helpers of the sub-dialog tests: a scratch skin with every dialog picture,
// key events as the keyboard gives them (with the xkb keycode as native scan
// code), and clicks on list entries.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <string_view>

#include "gui/skin/drop_down.h"
#include "gui/skin/list_box.h"
#include "gui/skin/skin_files.h"
#include "ui_test_support.h"

namespace corvaline::test {

// xkb keycodes of a US keyboard.
inline constexpr quint32 kXkbA = 38;
inline constexpr quint32 kXkbD = 40;
inline constexpr quint32 kXkbLeftShift = 50;
inline constexpr quint32 kXkbEnter = 36;
inline constexpr quint32 kXkbEscape = 9;
inline constexpr quint32 kXkbLeftWindows = 133;
inline constexpr quint32 kXkbDelete = 119;

// A skin holding the dialog backgrounds and the frame's pictures; `skip`
// names one file left out.
inline void WriteDialogSkin(const ScratchSkin& skin, std::string_view skip = {}) {
  const std::pair<std::string_view, QImage> files[] = {
      {kSingleKeyPng, Filled(380, 290, QColor(10, 20, 30))},
      {kComboKeyPng, Filled(380, 290, QColor(10, 20, 30))},
      {kFireKeyPng, Filled(380, 290, QColor(10, 20, 30))},
      {kMediaKeyPng, Filled(380, 290, QColor(10, 20, 30))},
      {kWindowsKeyPng, Filled(380, 320, QColor(10, 20, 30))},
      {kDelayTimePng, Filled(380, 290, QColor(10, 20, 30))},
      {kMacroKeyPng, Filled(380, 300, QColor(10, 20, 30))},
      {kSkinsDialogPng, Filled(380, 290, QColor(10, 20, 30))},
      {kButtonNormalPng, Filled(105, 21, QColor(0, 0, 200))},
      {kButtonOverPng, Filled(105, 21, QColor(0, 200, 0))},
      {kCloseNormalPng, Filled(18, 18, QColor(200, 0, 0))},
      {kCloseOverPng, Filled(18, 18, QColor(250, 250, 0))},
      {kPanePng, Filled(16, 16, QColor(90, 90, 90))},
      {kPaneTickPng, Filled(16, 16, QColor(255, 255, 255))},
  };
  for (const auto& [name, image] : files) {
    if (name != skip) WritePng(skin.Path(name), image, false);
  }
}

inline void SendKey(QWidget* target, QEvent::Type type, int key, quint32 xkbKeycode,
                    bool autoRepeat = false) {
  QKeyEvent event(type, key, Qt::NoModifier, xkbKeycode, 0, 0, QString(), autoRepeat);
  QApplication::sendEvent(target, &event);
}
inline void PressKey(QWidget* target, int key, quint32 xkbKeycode) {
  SendKey(target, QEvent::KeyPress, key, xkbKeycode);
  SendKey(target, QEvent::KeyRelease, key, xkbKeycode);
}

// Clicks entry `row` of an open drop-down, scrolling it into view first.
inline void ChooseEntry(DropDown& dropDown, int row) {
  ListBox* list = dropDown.List();
  ASSERT_NE(list, nullptr);
  list->scrollToItem(list->item(row));
  const QRect rect = list->EntryRect(row);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center() - list->viewport()->pos());
}

}  // namespace corvaline::test
