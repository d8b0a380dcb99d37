// The drop-down lists of the sub-dialogs: a click on the box opens the list
// under it (made anew, filled on each opening) or closes it again; choosing an
// entry, or a click elsewhere on the dialog, closes it. While closed the list
// does not exist.
#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <functional>

#include "gui/skin/list_box.h"

namespace corvaline {

class DropDown {
 public:
  // `box` is the click target (the display and its arrow), `listRect` where
  // the list appears; both in the dialog's client pixels.
  DropDown(QWidget* dialog, int id, const QRect& box, const QRect& listRect, QFont font);
  ~DropDown();

  // The entries, asked for at every opening.
  std::function<QStringList()> entries;
  // The entry that holds now, marked at each opening; -1 or unset: none.
  std::function<int()> current;
  // An entry was chosen (the list is closed already).
  std::function<void(int row, const QString& text)> chosen;
  // The list opened or closed, by any of the ways.
  std::function<void(bool open)> openChanged;

  bool IsOpen() const { return list_ != nullptr; }
  ListBox* List() const { return list_; }
  const QRect& Box() const { return box_; }
  void Open();
  void Close();
  void Toggle() { IsOpen() ? Close() : Open(); }

  // Frame rules for a click at `point`: closes an open list when the point is
  // in neither the list nor the box; returns true when it closed it.
  bool CloseIfOutside(QPoint point);
  // Scrolls the open list three entries per wheel notch (down for a delta
  // of zero or below); false when the list is closed.
  bool Scroll(int wheelDelta);

 private:
  void Choose(int row);

  QWidget* dialog_;
  int id_;
  QRect box_;
  QRect listRect_;
  QFont font_;
  QPointer<ListBox> list_;
};

}  // namespace corvaline
