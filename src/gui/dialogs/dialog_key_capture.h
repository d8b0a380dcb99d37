// Key capture for the key dialogs: while it is on, every key press, release
// and auto-repeat that reaches the program is taken by it and named by its
// physical key; no window sees the key, so Enter, Escape and the Windows
// keys can be captured like any other and never act on a dialog.
#pragma once

#include <QObject>

#include <functional>
#include <string>

namespace corvaline::gui {

class DialogKeyCapture : public QObject {
  Q_OBJECT
 public:
  using Sink = std::function<void(const std::string& keyName)>;
  explicit DialogKeyCapture(Sink sink, QObject* parent = nullptr);
  ~DialogKeyCapture() override;

  void Start();
  void Stop();
  bool Active() const { return active_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Sink sink_;
  bool active_ = false;
};

}  // namespace corvaline::gui
