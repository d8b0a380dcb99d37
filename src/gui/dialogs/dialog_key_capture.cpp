#include "gui/dialogs/dialog_key_capture.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "platform/key_names.h"

namespace corvaline::gui {

DialogKeyCapture::DialogKeyCapture(Sink sink, QObject* parent) : QObject(parent), sink_(std::move(sink)) {}

DialogKeyCapture::~DialogKeyCapture() { Stop(); }

void DialogKeyCapture::Start() {
  if (active_ || QCoreApplication::instance() == nullptr) return;
  QCoreApplication::instance()->installEventFilter(this);
  active_ = true;
}

void DialogKeyCapture::Stop() {
  if (!active_) return;
  if (QCoreApplication::instance() != nullptr)
    QCoreApplication::instance()->removeEventFilter(this);
  active_ = false;
}

bool DialogKeyCapture::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // Claimed, so no shortcut of any window fires on a captured key.
      event->accept();
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      // Seen first at the window, then at the focused widget: taken at the
      // first sight, so one key event gives one capture. The last one wins.
      const auto* key = static_cast<QKeyEvent*>(event);
      if (sink_) sink_(platform::KeyNameFromNativeScanCode(key->nativeScanCode()));
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace corvaline::gui
