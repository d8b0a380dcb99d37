// The main window (CPointekDlg): a frameless popup whose whole surface is the
// canvas, an off-screen picture the size of the skin's "/main.png". Clicks go
// to the dispatcher, keys through the keyboard filter; the window itself only
// draws, hides and moves.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "gui/shell/hit_regions.h"

namespace corvaline::gui {

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  // With a notification area the window has no taskbar entry and hiding it
  // leaves the program in the tray; without one it is an ordinary top-level
  // window so the user can always get back to it.
  MainWindow(WindowActions& actions, bool trayResident, QWidget* parent = nullptr);

  // Takes the canvas; a null image means the skin has no "/main.png": the
  // window keeps its size and shows no skin.
  void SetCanvas(QImage canvas);
  QImage* Canvas() { return canvas_.isNull() ? nullptr : &canvas_; }
  bool HasCanvas() const { return !canvas_.isNull(); }

  // Shows the window in front (the tray opening and the Skins dialog's OK).
  void Present();
  // OK, Cancel, minimise, Enter, Escape and device loss: out of sight.
  void Conceal();

  // While it returns true every key press is swallowed (a macro recording on
  // the Advanced page owns the keyboard).
  void SetKeyboardCapture(std::function<bool()> capturing) { capturing_ = std::move(capturing); }

  // Runs one click as if the left button went down at (x, y); returns what
  // the dispatcher decided (tests and the showcase use it).
  ClickOutcome ClickAt(int x, int y);

 signals:
  // The user brought the minimised window back (desktops without a tray).
  void restored();
  // The pointer moved over the window with no button down; (-1, -1) when it
  // left the window.
  void pointerMoved(QPoint position);

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  WindowActions& actions_;
  bool trayResident_;
  bool placed_ = false;
  // A press that may move the window; the move starts at the first motion
  // with the button still held.
  bool dragArmed_ = false;
  QImage canvas_;
  std::function<bool()> capturing_;
};

}  // namespace corvaline::gui
