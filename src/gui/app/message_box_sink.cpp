#include "gui/app/message_box_sink.h"

#include <QMessageBox>

namespace corvaline::gui {

void MessageBoxSink::ShowMessage(std::string_view text, std::string_view caption) {
  QMessageBox box(QMessageBox::NoIcon,
                  QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok);
  box.exec();
}

}  // namespace corvaline::gui
