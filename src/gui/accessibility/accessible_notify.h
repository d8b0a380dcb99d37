// Keeps assistive technology's copy of a window's tree current: when the
// children a host shows change (a page change, a menu or drop-down opening
// or closing) the host tells which children came and went, and a screen
// reader reads them anew.
#pragma once

#include <QAccessible>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace corvaline::gui {

class TreeNotifier : public QObject {
  Q_OBJECT
 public:
  explicit TreeNotifier(QWidget* host);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Check();

  QPointer<QWidget> host_;
  std::vector<QAccessible::Id> children_;
  bool pending_ = false;
};

}  // namespace corvaline::gui
