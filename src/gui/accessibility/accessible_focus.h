// Keyboard use of a window drawn from pictures: a focus mark that Tab and
// Shift+Tab move across the drawn controls in reading order, Space that
// clicks the marked control, and arrows that move within report-rate stops,
// repeat modes, sliders and lists. A marked edit field has the keyboard for
// typing until Tab leaves it. Every key that is not one of these goes on to
// the window unchanged (Enter and Esc, key capture, recording).
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

#include "gui/accessibility/accessible_controls.h"

namespace corvaline {
class ListBox;
}

namespace corvaline::gui {

class FocusRing : public QObject {
  Q_OBJECT
 public:
  FocusRing(QWidget* host, std::vector<DrawnControl> controls, HostClick click);
  ~FocusRing() override;

  // The marked control, nullptr before the first Tab or when its page is gone.
  const DrawnControl* Marked() const;
  // Tells assistive technology where the mark is.
  void NotifyFocus();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool OnKey(int key, Qt::KeyboardModifiers modifiers);
  bool OnFieldKey(QObject* field, int key, Qt::KeyboardModifiers modifiers);
  void Move(int step);
  void Mark(int index);
  void Activate();
  bool Arrow(int key);
  bool ArrowInList(ListBox* list, int key);
  ListBox* ActiveList() const;
  bool IsEntryField(const QWidget* widget) const;
  void Click(QPoint at);

  QPointer<QWidget> host_;
  std::vector<DrawnControl> controls_;
  HostClick click_;
  int index_ = -1;
  bool inSubList_ = false;
  QWidget* mark_ = nullptr;
};

// True when a focus mark of `host` is on the control at `rect`.
bool HasFocusMark(const QWidget* host, const QRect& rect);
// Tells again where the focus mark of `host` is (a list that had the focus
// closed).
void TellFocus(const QWidget* host);
// True when a focus mark is on this field (a lasting list keeps the keys
// with its window, so Qt does not call it focused).
bool HasFocusMark(const QWidget* field);

}  // namespace corvaline::gui
