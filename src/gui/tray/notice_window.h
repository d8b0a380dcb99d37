// The stand-in for a balloon where the desktop has neither a notification
// area nor a notification service: one small message window that closes
// itself after the balloon's time, and that a new notice rewrites in place
// instead of opening another one beside it.
#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>

#include "core/system/balloons.h"

class QMessageBox;

namespace corvaline::gui {

inline constexpr int kNoticeMinimumMs = kBalloonMinimumMs;

class NoticeWindow {
 public:
  explicit NoticeWindow(int minimumMs = kNoticeMinimumMs);
  ~NoticeWindow();
  NoticeWindow(const NoticeWindow&) = delete;
  NoticeWindow& operator=(const NoticeWindow&) = delete;

  void Show(const QString& title, const QString& text, int timeoutMs);
  // The window while a notice is on show, else nullptr.
  QMessageBox* OnShow() const;

 private:
  QPointer<QMessageBox> box_;
  QTimer timer_;
  int minimumMs_;
};

}  // namespace corvaline::gui
