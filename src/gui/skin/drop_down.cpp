#include "gui/skin/drop_down.h"

#include <QScrollBar>

#include "gui/skin/list_box.h"
#include "gui/skin/skinned_dialog.h"

namespace corvaline {

namespace {
constexpr int kLinesPerNotch = 3;
}

DropDown::DropDown(QWidget* dialog, int id, const QRect& box, const QRect& listRect, QFont font)
    : dialog_(dialog), id_(id), box_(box), listRect_(listRect), font_(std::move(font)) {}

DropDown::~DropDown() { delete list_.data(); }

void DropDown::Open() {
  if (IsOpen()) return;
  list_ = new ListBox(dialog_, id_, listRect_);
  StyleDialogList(*list_, font_);
  if (entries) list_->SetEntries(entries());
  QObject::connect(list_, &ListBox::chosen, list_, [this](int row) { Choose(row); });
  QObject::connect(list_, &ListBox::dismissed, list_, [this] { Close(); });
  if (current) list_->MarkCurrent(current());
  list_->raise();
  if (openChanged) openChanged(true);
}

void DropDown::Close() {
  if (!IsOpen()) return;
  // The list may be inside its own click handler: it goes when that is done.
  ListBox* list = list_;
  list_ = nullptr;
  list->hide();
  list->deleteLater();
  if (openChanged) openChanged(false);
}

void DropDown::Choose(int row) {
  if (!IsOpen() || row < 0 || row >= list_->count()) return;
  const QString text = list_->item(row)->text();
  Close();
  if (chosen) chosen(row, text);
}

bool DropDown::CloseIfOutside(QPoint point) {
  if (!IsOpen() || listRect_.contains(point) || box_.contains(point)) return false;
  Close();
  return true;
}

bool DropDown::Scroll(int wheelDelta) {
  if (!IsOpen()) return false;
  QScrollBar* bar = list_->verticalScrollBar();
  bar->setValue(bar->value() + (wheelDelta > 0 ? -kLinesPerNotch : kLinesPerNotch));
  return true;
}

}  // namespace corvaline
