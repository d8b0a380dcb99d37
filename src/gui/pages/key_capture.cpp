#include "gui/pages/key_capture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "core/i18n/ui_strings.h"
#include "gui/skin/message_sink.h"
#include "platform/key_names.h"

namespace corvaline::gui {

namespace {

bool IsCtrlName(const std::string& name) { return name == "Ctrl" || name == "Right Ctrl"; }

// Break is Pause with Ctrl held; Windows names that key "Break" then.
bool IsBreak(const QKeyEvent& key, const std::string& name) {
  const bool pauseKey = key.key() == Qt::Key_Pause || name == "Pause" || name == "Break";
  return pauseKey && (key.modifiers() & Qt::ControlModifier);
}

}  // namespace

KeyCapture::~KeyCapture() { RemoveKeyCapture(); }

Outcome KeyCapture::InstallKeyCapture() {
  if (!qApp) return Outcome::Error(1, "no application to take the keys from");
  // Installed last, so it sees the keys before the window's own filter
  // swallows the presses.
  qApp->removeEventFilter(this);
  qApp->installEventFilter(this);
  installed_ = true;
  lastSeen_ = SeenKey{};
  heldCtrl_.clear();
  return {};
}

void KeyCapture::RemoveKeyCapture() {
  if (!installed_) return;
  installed_ = false;
  if (qApp) qApp->removeEventFilter(this);
  // The title told how to stop; once stopped it would only mislead.
  if (window_ && !normalTitle_.isNull()) window_->setWindowTitle(normalTitle_);
}

void KeyCapture::SetWindowTitle(std::string_view title) {
  if (!window_) return;
  if (normalTitle_.isNull()) normalTitle_ = window_->windowTitle();
  window_->setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
}

bool KeyCapture::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
  if (!watched->isWidgetType() && !watched->isWindowType()) return false;
  auto& key = static_cast<QKeyEvent&>(*event);
  const SeenKey seen{event, key.timestamp(), type, key.nativeScanCode(), key.key(),
                     key.modifiers(), key.isAutoRepeat()};
  if (seen == lastSeen_) return false;
  lastSeen_ = seen;
  // A message box or dialog on top has the keyboard: its keys are not the
  // macro (the Enter that closes "Stop Recording", the digits of a delay).
  if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != window_) return false;
  return HandleKey(key);
}

bool KeyCapture::HandleKey(QKeyEvent& key) {
  if (!recorder_) return false;
  const std::string name = platform::KeyNameFromNativeScanCode(key.nativeScanCode());
  const bool press = key.type() == QEvent::KeyPress;
  if (IsBreak(key, name)) {
    if (press) {
      // The handler may show a box and remove this filter; nothing of
      // ours is touched after it.
      const std::string ctrl = heldCtrl_;
      const std::function<void()> changed = changed_;
      const Outcome stopped = recorder_->StopByKeyboard(ctrl);
      ShowMessage(UiText(MainText::StopRecording), kAppTitle);
      ShowIfFailed(stopped);
      if (changed) changed();
    }
    return true;
  }
  if (name.empty()) return false;
  if (IsCtrlName(name)) heldCtrl_ = press ? name : std::string();
  if (press) {
    recorder_->OnKey(name, KeyTransition::Press, key.isAutoRepeat());
  } else if (!key.isAutoRepeat()) {
    // A held key repeats as release and press pairs; only the real release counts.
    recorder_->OnKey(name, KeyTransition::Release, false);
  }
  if (changed_) changed_();
  return false;
}

}  // namespace corvaline::gui
