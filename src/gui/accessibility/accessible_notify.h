// Tells assistive technology of every change a window shows, from one place:
// after each repaint of a host (a click, a key, a device notice) its drawn
// controls are compared with what they said before, and each change is
// sent as the event Qt's own widgets send for it (checked, selected,
// value, name). Children that came and went (a page change, a menu or
// drop-down opening or closing) are told too; an open list takes the
// screen reader's focus, the entry under the arrows follows it, and when it
// closes the focus returns to its box, with the box's new value. What Qt's
// bridge on this system does not carry is sent by platform/accessible_events.
#pragma once

#include <QAccessible>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <vector>

namespace corvaline::gui {

class ChangeNotifier : public QObject {
  Q_OBJECT
 public:
  explicit ChangeNotifier(QWidget* host);

  // Compares again after the current event: a click that changed no
  // picture (Apply) may have changed what a control says.
  static void CheckSoon(QWidget* host);
  // Speaks `text` at once, as a result of the key that just went to the
  // control with the focus mark (Apply: what was sent, or why nothing was).
  static void Announce(QWidget* host, const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What a drawn control said when last compared.
  struct Said {
    QAccessible::Id id = 0;
    QAccessible::State state;
    int level = 0;
    QString name;
    QString description;
  };

  void Check();
  void Schedule();
  void CheckChildren();
  void CheckControls();
  void FollowList(QObject* list);

  QPointer<QWidget> host_;
  std::vector<QAccessible::Id> children_;
  std::vector<QAccessible::Id> lists_;  // open menus and drop-downs
  std::vector<Said> said_;
  bool pending_ = false;
  bool ended_ = false;  // the application's event loop has ended
  QAccessible::Id announced_ = 0;  // its new description is told by the announcement
};

}  // namespace corvaline::gui
