#include "gui/shell/message_box_sink.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

namespace corvaline::gui {

namespace {

void ShowBox(const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
  box.exec();
}

}  // namespace

void MessageBoxSink::ShowMessage(std::string_view text, std::string_view caption) {
  const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const QString qcaption = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
  if (QThread::currentThread() == qApp->thread()) {
    ShowBox(qtext, qcaption);
    return;
  }
  // Windows belong to the GUI thread; a message raised on the reader's thread
  // is shown there while the reader waits.
  QMetaObject::invokeMethod(qApp, [qtext, qcaption] { ShowBox(qtext, qcaption); },
                            Qt::BlockingQueuedConnection);
}

}  // namespace corvaline::gui
