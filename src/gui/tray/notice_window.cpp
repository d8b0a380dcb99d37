#include "gui/tray/notice_window.h"

#include <QMessageBox>
#include <algorithm>

namespace corvaline::gui {

NoticeWindow::NoticeWindow(int minimumMs) : minimumMs_(minimumMs) {
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    if (box_) box_->hide();
  });
}

NoticeWindow::~NoticeWindow() { delete box_.data(); }

void NoticeWindow::Show(const QString& title, const QString& text, int timeoutMs) {
  if (!box_) {
    box_ = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok);
    box_->setModal(false);
    // A notice must not take the keyboard from what the user is doing.
    box_->setAttribute(Qt::WA_ShowWithoutActivating);
  }
  box_->setWindowTitle(title);
  box_->setText(text);
  box_->show();
  timer_.start(std::max(timeoutMs, minimumMs_));
}

QMessageBox* NoticeWindow::OnShow() const { return box_ && box_->isVisible() ? box_.data() : nullptr; }

}  // namespace corvaline::gui
