// The key capture of a macro recording: while it is installed, every key
// press and release of the program's windows goes to the recorder, named by
// the physical key. Keys meant for a message box or dialog on top (the
// "Stop Recording" box, the delay dialog) stay theirs. Ctrl+Break
// (Ctrl+Pause) stops the recording as the Stop button does and is not
// recorded.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

#include "core/macros/macro_recorder.h"

class QKeyEvent;
class QWidget;

namespace corvaline::gui {

class KeyCapture : public QObject, public RecordingHost {
  Q_OBJECT
 public:
  // `window` is the main window: its title tells the user how to stop.
  explicit KeyCapture(QObject* parent = nullptr) : QObject(parent) {}
  ~KeyCapture() override;

  void SetWindow(QWidget* window) { window_ = window; }
  void SetRecorder(MacroRecorder* recorder) { recorder_ = recorder; }
  // Called after each key the recorder was given, so the list can show it.
  void SetChanged(std::function<void()> changed) { changed_ = std::move(changed); }
  bool Installed() const { return installed_; }

  // RecordingHost
  Outcome InstallKeyCapture() override;
  void RemoveKeyCapture() override;
  void SetWindowTitle(std::string_view title) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool HandleKey(QKeyEvent& key);

  QPointer<QWidget> window_;
  MacroRecorder* recorder_ = nullptr;
  std::function<void()> changed_;
  bool installed_ = false;
  QString normalTitle_;
  // A key event travels from its window to the focused control and on up
  // to the window's widget, passing this filter at every stop; it is
  // recorded once, at the first. Two different keystrokes never agree in
  // all of these.
  struct SeenKey {
    const QEvent* event = nullptr;
    quint64 timestamp = 0;
    int type = 0;
    quint32 scanCode = 0;
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    bool autoRepeat = false;
    bool operator==(const SeenKey&) const = default;
  };
  SeenKey lastSeen_;
  std::string heldCtrl_;  // name of the Ctrl key held down, if any
};

}  // namespace corvaline::gui
