#include "gui/skin/list_box.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QPointer>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <vector>

namespace corvaline {

namespace {

constexpr int kTextIndent = 2;

// Draws an entry the way a plain list box does: the text two pixels in from
// the left on one line, the selected entry in the highlight colours. The
// style's own item margins would cut the short lists' longer entries.
class EntryDelegate : public QStyledItemDelegate {
 public:
  explicit EntryDelegate(ListBox* list) : QStyledItemDelegate(list), list_(list) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) painter->fillRect(option.rect, option.palette.color(QPalette::Highlight));
    painter->setFont(option.font);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(option.rect.adjusted(kTextIndent, 0, 0, 0),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, list_->ShownText(index.row()));
  }
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return QSize(0, ListBox::kRowHeight);
  }

 private:
  ListBox* list_;
};

}  // namespace

ListBox::ListBox(QWidget* parent, int id, const QRect& geometry) : QListWidget(parent), id_(id) {
  setObjectName(QStringLiteral("list%1").arg(id));
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(kBorder);
  setUniformItemSizes(true);
  setSpacing(0);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setTextElideMode(Qt::ElideNone);
  setFocusPolicy(Qt::NoFocus);  // the window's keys stay with the window
  setItemDelegate(new EntryDelegate(this));
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  setGeometry(geometry);
  show();
}

void ListBox::SetEntries(const QStringList& entries) {
  clear();
  trackedRow_ = -1;
  for (const QString& text : entries) {
    auto* item = new QListWidgetItem(text, this);
    item->setSizeHint(QSize(0, kRowHeight));
  }
}

QString ListBox::ShownText(int row) const {
  const QListWidgetItem* it = item(row);
  if (!it) return {};
  // A pixel kept free before the scroll bar or the border.
  return fontMetrics().elidedText(it->text(), Qt::ElideRight, viewport()->width() - kTextIndent - 1);
}

QRect ListBox::EntryRect(int row) const {
  const QListWidgetItem* it = item(row);
  if (!it) return {};
  const QRect r = visualItemRect(it);
  return r.translated(viewport()->pos());
}

int ListBox::RowAt(QPoint point) const {
  const QPoint inViewport = point - viewport()->pos();
  if (!viewport()->rect().contains(inViewport)) return -1;
  const QModelIndex index = indexAt(inViewport);
  return index.isValid() ? index.row() : -1;
}

int ListBox::TrackPointer(QPoint point) {
  const int row = RowAt(point);
  if (row < 0 || row == trackedRow_) return row;
  trackedRow_ = row;
  setCurrentRow(row);
  emit hovered(row);
  return row;
}

void ListBox::MarkCurrent(int row) {
  if (row < 0 || row >= count()) return;
  setCurrentRow(row);
  scrollToItem(item(row));
}

bool ListBox::Dismiss() {
  if (!isSignalConnected(QMetaMethod::fromSignal(&ListBox::dismissed))) return false;
  emit dismissed();
  return true;
}

bool DismissOpenLists(QWidget* window) {
  if (!window) return false;
  bool any = false;
  // Guarded first: closing one menu may take another with it.
  std::vector<QPointer<ListBox>> lists;
  for (ListBox* list : window->findChildren<ListBox*>(QString(), Qt::FindDirectChildrenOnly)) lists.emplace_back(list);
  for (const QPointer<ListBox>& list : lists)
    if (list && list->isVisible()) any |= list->Dismiss();
  return any;
}

void ListBox::mouseMoveEvent(QMouseEvent* event) {
  // Hot tracking only: the viewport's coordinates are turned into the list's.
  TrackPointer(viewport()->mapTo(this, event->position().toPoint()));
}

void ListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QListWidget::mousePressEvent(event);
    return;
  }
  const int row = RowAt(viewport()->mapTo(this, event->position().toPoint()));
  if (row < 0) {
    QListWidget::mousePressEvent(event);  // the scroll bar and empty space
    return;
  }
  setCurrentRow(row);
  emit chosen(row);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void ListBox::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
    emit chosen(currentRow());
    return;
  }
  QListWidget::keyPressEvent(event);
}

}  // namespace corvaline
