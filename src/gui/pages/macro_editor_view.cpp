#include "gui/pages/macro_editor_view.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

#include "core/i18n/ui_strings.h"
#include "gui/skin/child_colours.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

namespace {

QStringList ToList(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& t : texts) list << QString::fromStdString(t);
  return list;
}

const QRect kMacroListRect = RectLTRB(462, 220, 591, 512);
const QRect kEventListRect = RectLTRB(592, 220, 725, 512);
const QRect kNameEditRect = RectLTRB(735, 322, 799, 336);
const QRect kLoopEditRect = RectLTRB(735, 362, 799, 376);
const QRect kHeaderRect = RectLTRB(735, 402, 839, 416);
const QRect kMouseEventListRect = RectLTRB(734, 419, 854, 569);
const QRect kMouseEventHeaderArea = RectLTRB(735, 402, 854, 416);

bool DefaultItemMenu(QWidget* parent, QPoint globalPosition) {
  QMenu menu(parent);
  QAction* remove = menu.addAction(Utf8(UiText(MainText::MacroDelete)));
  return menu.exec(globalPosition) == remove;
}

void SetRow(ListBox* list, int row) {
  if (!list) return;
  const QSignalBlocker quiet(list);
  if (row >= 0 && row < list->count())
    list->setCurrentRow(row);
  else
    list->clearSelection();
}

QLineEdit* MakeEdit(QWidget* window, int id, const QRect& geometry, const UiFonts& fonts) {
  auto* edit = new QLineEdit(window);
  edit->setObjectName(QStringLiteral("edit%1").arg(id));
  edit->setFrame(false);
  edit->setTextMargins(0, 0, 0, 0);
  edit->setContentsMargins(0, 0, 0, 0);
  edit->setAlignment(Qt::AlignCenter);
  edit->setFont(fonts.normal);
  edit->setGeometry(geometry);
  ApplyChildColours(*edit, ChildKind::Edit, id, fonts);
  edit->show();
  return edit;
}

}  // namespace

MacroEditorView::MacroEditorView(MacroEditor& editor, DelayPrompt delayPrompt, QObject* parent)
    : QObject(parent), editor_(editor), delayPrompt_(std::move(delayPrompt)),
      itemMenu_(DefaultItemMenu) {}

MacroEditorView::~MacroEditorView() { DestroyControls(); }

void MacroEditorView::CreateControls(QWidget* window, const UiFonts& fonts) {
  if (HasControls()) return;
  window_ = window;
  fonts_ = &fonts;
  header_ = new QLabel(window);
  header_->setObjectName(QStringLiteral("static%1").arg(kMouseEventHeaderId));
  header_->setAlignment(Qt::AlignCenter);
  header_->setGeometry(kHeaderRect);
  // Clicks on the header belong to the window's dispatcher (it opens the list).
  header_->setAttribute(Qt::WA_TransparentForMouseEvents);
  ApplyChildColours(*header_, ChildKind::Static, kMouseEventHeaderId, fonts);
  header_->show();

  nameEdit_ = MakeEdit(window, kNameEditId, kNameEditRect, fonts);
  // Text that assistive technology sets changes a field without an edit
  // signal: the name is taken on any change, a loop count when it needs no
  // correction (a cleared field is no count yet).
  connect(nameEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (text.toStdString() != editor_.NameText()) editor_.SetNameText(text.toStdString());
  });
  loopEdit_ = MakeEdit(window, kLoopEditId, kLoopEditRect, fonts);
  loopEdit_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), loopEdit_));
  connect(loopEdit_, &QLineEdit::textEdited, this, &MacroEditorView::OnLoopEdited);
  connect(loopEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
    const int loops = text.toInt();
    if (loops >= 1 && loops <= 0xFFFF && text.toStdString() != editor_.LoopText()) OnLoopEdited(text);
  });

  macroList_ = new ListBox(window, kMacroListId, kMacroListRect);
  ApplyChildColours(*macroList_, ChildKind::ListBox, kMacroListId, fonts);
  macroList_->setFont(fonts.normal);
  // The macro list selects by click only: a selection that followed the
  // pointer would show a macro other than the one loaded.
  macroList_->setMouseTracking(false);
  macroList_->viewport()->setMouseTracking(false);
  connect(macroList_, &ListBox::chosen, this, &MacroEditorView::OnMacroChosen);

  eventList_ = new ListBox(window, kMacroEventListId, kEventListRect);
  ApplyChildColours(*eventList_, ChildKind::ListBox, kMacroEventListId, fonts);
  eventList_->setFont(fonts.normal);
  eventList_->setContextMenuPolicy(Qt::CustomContextMenu);
  eventViewport_ = eventList_->viewport();
  eventViewport_->installEventFilter(this);
  // The entry under the pointer is the insertion point and what "Delete"
  // removes.
  connect(eventList_, &ListBox::hovered, this, [this](int row) { editor_.SelectItem(row); });
  connect(eventList_, &ListBox::chosen, this, [this](int row) { editor_.SelectItem(row); });
  connect(eventList_, &QWidget::customContextMenuRequested, this, &MacroEditorView::ShowItemMenu);
  Sync();
}

void MacroEditorView::DestroyControls() {
  if (eventViewport_) eventViewport_->removeEventFilter(this);
  for (QWidget* w : std::initializer_list<QWidget*>{mouseEvents_, eventList_, macroList_, loopEdit_,
                                                    nameEdit_, header_}) {
    delete w;
  }
  window_ = nullptr;
}

void MacroEditorView::Sync() {
  if (!HasControls()) return;
  {
    const QSignalBlocker quiet(macroList_);
    macroList_->SetEntries(ToList(editor_.MacroNames()));
  }
  SetRow(macroList_, editor_.SelectedMacro());
  SyncItems();
  if (nameEdit_->text().toStdString() != editor_.NameText())
    nameEdit_->setText(QString::fromStdString(editor_.NameText()));
  if (loopEdit_->text().toStdString() != editor_.LoopText())
    loopEdit_->setText(QString::fromStdString(editor_.LoopText()));
  header_->setText(QString::fromStdString(editor_.MouseEventHeader()));
  if (!editor_.MouseEventListOpen()) CloseMouseEventList();
}

void MacroEditorView::SyncItems() {
  {
    const QSignalBlocker quiet(eventList_);
    eventList_->SetEntries(ToList(editor_.Items()));
  }
  SetRow(eventList_, editor_.SelectedItem());
  if (editor_.SelectedItem() >= 0) eventList_->scrollToItem(eventList_->item(editor_.SelectedItem()));
}

void MacroEditorView::OnMacroChosen(int row) {
  editor_.SelectMacro(row);
  Sync();
}

void MacroEditorView::OnLoopEdited(const QString& text) {
  editor_.SetLoopCount(text.toStdString());
  // Anything outside 1..65535 has become "1".
  if (loopEdit_->text().toStdString() != editor_.LoopText())
    loopEdit_->setText(QString::fromStdString(editor_.LoopText()));
}

void MacroEditorView::ToggleMouseEventList() {
  if (!HasControls()) return;
  editor_.ToggleMouseEventList();
  if (!editor_.MouseEventListOpen()) {
    CloseMouseEventList();
    return;
  }
  // Made afresh at each opening, as a bordered list over the page.
  mouseEvents_ = new ListBox(window_, kMouseEventListId, kMouseEventListRect);
  ApplyChildColours(*mouseEvents_, ChildKind::ListBox, kMouseEventListId, *fonts_);
  QStringList entries;
  for (std::string_view e : MouseEventEntries()) entries << Utf8(e);
  mouseEvents_->SetEntries(entries);
  mouseEvents_->raise();
  connect(mouseEvents_, &ListBox::chosen, this, &MacroEditorView::OnMouseEventChosen);
}

void MacroEditorView::CloseMouseEventList() {
  editor_.CloseMouseEventList();
  // Later: the list may be the one whose click is being handled.
  if (mouseEvents_) {
    mouseEvents_->hide();
    mouseEvents_->deleteLater();
  }
  mouseEvents_ = nullptr;
}

void MacroEditorView::OnMouseEventChosen(int row) {
  editor_.InsertMouseEvent(row);
  Sync();
}

bool MacroEditorView::eventFilter(QObject* watched, QEvent* event) {
  // Types first: the list may be on its way out while its viewport still
  // gets events.
  if (event->type() == QEvent::MouseButtonDblClick && eventViewport_ && watched == eventViewport_ &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    const int row = eventList_->RowAt(
        eventList_->viewport()->mapTo(eventList_, static_cast<QMouseEvent*>(event)->position().toPoint()));
    if (row >= 0) editor_.SelectItem(row);
    EditDelay();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void MacroEditorView::EditDelay() {
  if (!editor_.CanEditDelay() || !delayPrompt_) return;
  const int at = editor_.SelectedItem();
  const std::optional<DelayResult> entered = delayPrompt_(window_);
  if (!entered || !HasControls()) return;
  editor_.SelectItem(at);
  editor_.EditDelay(*entered);
  SyncItems();
}

void MacroEditorView::ShowItemMenu(const QPoint& position) {
  if (!eventList_) return;
  // The press itself picks the entry under the pointer, as hovering does.
  const int row = eventList_->RowAt(eventList_->viewport()->mapTo(eventList_, position));
  if (row >= 0) editor_.SelectItem(row);
  if (!itemMenu_(window_, eventList_->viewport()->mapToGlobal(position))) return;
  if (!HasControls()) return;
  editor_.DeleteItem();
  SyncItems();
}

}  // namespace corvaline::gui
