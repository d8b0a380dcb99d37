#include "gui/shell/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "gui/skin/list_box.h"

namespace corvaline::gui {

namespace {
// Size of the empty window when the skin has no "/main.png".
constexpr int kTemplateWidth = 675;
constexpr int kTemplateHeight = 528;
}  // namespace

MainWindow::MainWindow(WindowActions& actions, bool trayResident, QWidget* parent)
    : QWidget(parent), actions_(actions), trayResident_(trayResident) {
  Qt::WindowFlags flags = Qt::FramelessWindowHint;
  flags |= trayResident ? Qt::Tool : Qt::Window;
  setWindowFlags(flags);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setWindowTitle(QStringLiteral("CORVALINEX01"));
  resize(kTemplateWidth, kTemplateHeight);
  setMouseTracking(true);  // hover feedback follows the pointer without a button down
  // Keys of every child control pass the window's filter first.
  qApp->installEventFilter(this);
}

void MainWindow::SetCanvas(QImage canvas) {
  canvas_ = std::move(canvas);
  if (!canvas_.isNull()) setFixedSize(canvas_.deviceIndependentSize().toSize());
  update();
}

void MainWindow::Present() {
  if (!placed_) {
    // The first showing comes up centred on the screen.
    placed_ = true;
    if (QScreen* screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - rect().center());
  }
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void MainWindow::Conceal() {
  if (trayResident_)
    hide();
  else
    showMinimized();  // without a tray a hidden window could never come back
}

ClickOutcome MainWindow::ClickAt(int x, int y) { return DispatchClick(x, y, actions_); }

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (canvas_.isNull())
    painter.fillRect(rect(), Qt::black);
  else
    painter.drawImage(0, 0, canvas_);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  if (dragArmed_ && (event->buttons() & Qt::LeftButton)) {
    dragArmed_ = false;
    if (isVisible() && !isMinimized() && windowHandle()) windowHandle()->startSystemMove();
    return;
  }
  if (event->buttons() == Qt::NoButton) {
    dragArmed_ = false;  // the release went elsewhere (a modal dialog the click opened)
    emit pointerMoved(event->position().toPoint());
  }
  QWidget::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragArmed_ = false;
  QWidget::mouseReleaseEvent(event);
}

void MainWindow::leaveEvent(QEvent* event) {
  // Off the window is off every element: no button stays lit behind a pointer
  // that went elsewhere.
  emit pointerMoved(QPoint(-1, -1));
  QWidget::leaveEvent(event);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  const QPoint p = event->position().toPoint();
  dragArmed_ = false;
  // Any spot that is not an active control moves the window once the pointer
  // moves with the button held. Asking for the move right here would race the
  // release: an action such as Apply keeps the release queued for a while,
  // and a compositor handed a move after the button is up keeps moving the
  // window with the pointer until the next click.
  dragArmed_ = ClickAt(p.x(), p.y()) == ClickOutcome::Drag;
}

// The second press of a double click comes as a double click, which no
// region answers: a double click is one click, so a tick box is not toggled
// back and a button's menu not closed again by it.
void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) {
    const auto old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    if ((old & Qt::WindowMinimized) && !isMinimized()) emit restored();
  }
  QWidget::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (trayResident_) {
    // Alt+F4 and the frame's close command only hide the window.
    event->ignore();
    hide();
    return;
  }
  event->ignore();
  actions_.ExitProgram();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  if (capturing_ && capturing_()) return true;
  const int key = static_cast<QKeyEvent*>(event)->key();
  // Esc on an open menu or drop-down closes only that, choosing nothing.
  if (key == Qt::Key_Escape && DismissOpenLists(this)) return true;
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
    // The window never ends through a default OK or Cancel.
    Conceal();
    return true;
  }
  return false;
}

}  // namespace corvaline::gui
