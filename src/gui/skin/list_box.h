// The list box of every window of the program: the function menus, the DPI
// sub-menu, the lighting lists, the dialogs' lists and the macro editor's.
// Rows are 16 pixels high inside a 1-pixel border (the row of a list box
// with the 14-pixel UI font), so entry k starts 16 * k pixels below the
// list's top border; the entry under the pointer is selected as the pointer
// moves (hot tracking) without being chosen, and a click chooses it.
#pragma once

#include <QListWidget>
#include <QStringList>

namespace corvaline {

class ListBox : public QListWidget {
  Q_OBJECT
 public:
  static constexpr int kRowHeight = 16;
  static constexpr int kBorder = 1;

  // A visible child of `parent` at `geometry` (parent's client pixels) with
  // the control id the window's handlers know it by.
  ListBox(QWidget* parent, int id, const QRect& geometry);

  int Id() const { return id_; }
  void SetEntries(const QStringList& entries);
  // The entry as drawn: cut short with an ellipsis where it is wider than
  // the list beside its scroll bar.
  QString ShownText(int row) const;
  // The entry's rectangle in the list's own coordinates, border included in
  // the offset (entry 0 starts at y = 1); an empty rectangle outside the list.
  QRect EntryRect(int row) const;
  // Row under a point of the list's own coordinates, -1 for none.
  int RowAt(QPoint point) const;
  // Selects the row under a point in the list's coordinates, as the pointer
  // does; returns the row (or -1) and tells `hovered` when it changed.
  int TrackPointer(QPoint point);
  // Marks the entry that holds now (the button's function, the effect in
  // use) where the arrows start, without telling `hovered`.
  void MarkCurrent(int row);
  // Closes the list without a choice, as Esc does; false when the list is no
  // menu its owner closes (the macro editor's lists stay).
  bool Dismiss();

 signals:
  // The pointer moved onto another entry (the entry is selected already).
  void hovered(int row);
  // A click or a double click on an entry, or Enter on the selected one.
  void chosen(int row);
  // Esc or Tab: the owner closes the list and changes nothing.
  void dismissed();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int id_;
  int trackedRow_ = -1;
};

// Esc and Tab on a window: every open menu or drop-down of `window` closes
// without a choice; true when one was open.
bool DismissOpenLists(QWidget* window);

}  // namespace corvaline
