#include "gui/skin/skinned_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QWheelEvent>

#include "core/i18n/accessible_texts.h"
#include "core/i18n/fonts.h"
#include "core/i18n/ui_strings.h"
#include "gui/skin/message_sink.h"
#include "gui/skin/child_colours.h"
#include "gui/skin/drop_down.h"
#include "gui/skin/image_cache.h"
#include "gui/skin/list_box.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_scale.h"
#include "gui/skin/skin_image.h"
#include "gui/skin/skin_state.h"
#include "gui/skin/ui_fonts.h"

namespace corvaline {

namespace {

// How long the pointer rests on a button before it lights up.
constexpr int kRestMs = 10;
constexpr int kFrameGroup = 1;  // OK and Cancel exclude each other

std::vector<HoverElement> FrameElements() {
  return {
      {kDialogHoverOk, kDialogOkButton, HoverPage::Both, kFrameGroup, kButtonNormalPng,
       kButtonOverPng},
      {kDialogHoverCancel, kDialogCancelButton, HoverPage::Both, kFrameGroup, kButtonNormalPng,
       kButtonOverPng},
      {kDialogHoverClose, kDialogCloseBox, HoverPage::Both, kHoverAlone, kCloseNormalPng,
       kCloseOverPng},
  };
}

// White on RGB(40, 40, 40) unless the skin declares the role's colours.
void PaintControl(QWidget& control, ControlRole kind) {
  const ControlColours own{Qt::white, QColor::fromRgb(kDialogControlBack)};
  const ControlColours colours = SkinControlColours(kind, own);
  QPalette palette = control.palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
      palette.setColor(group, role, colours.text);
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
      palette.setColor(group, role, colours.back);
  }
  // Disabled fields stay readable, only dimmed: half way to the background.
  const QColor dimmed((colours.text.red() + colours.back.red()) / 2,
                      (colours.text.green() + colours.back.green()) / 2,
                      (colours.text.blue() + colours.back.blue()) / 2);
  palette.setColor(QPalette::Disabled, QPalette::Text,
                   colours.text == own.text && colours.back == own.back ? QColor(160, 160, 160)
                                                                        : dimmed);
  control.setPalette(palette);
  control.setAutoFillBackground(true);
}

}  // namespace

QFont DialogFontFor(UiLanguage lang) { return gui::ToQFont(UiFontFor(FontRole::Dialog, lang)); }

void StyleDialogList(ListBox& list, const QFont& font) {
  PaintControl(list, ControlRole::List);
  list.setFont(font);
}

SkinnedDialog::SkinnedDialog(QWidget* parent, std::string_view backgroundFile,
                             std::string_view failureCaption, DialogKeys keys)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      keys_(keys),
      language_(CurrentLanguage()),
      font_(DialogFontFor(language_)),
      hover_(FrameElements()) {
  setModal(true);
  setMouseTracking(true);
  setFont(font_);
  const DialogBackground background = LoadDialogBackground(backgroundFile, failureCaption);
  built_ = background.loaded;
  background_ = background.canvas;
  canvas_ = background_;
  setFixedSize(background_.deviceIndependentSize().toSize());
  hoverTimer_ = new QTimer(this);
  hoverTimer_->setSingleShot(true);
  hoverTimer_->setInterval(kRestMs);
  connect(hoverTimer_, &QTimer::timeout, this, &SkinnedDialog::OnPointerRested);
}

SkinnedDialog::~SkinnedDialog() = default;

void SkinnedDialog::showEvent(QShowEvent* event) {
  // The frame shows no title; the class name lets scripts and assistive
  // tools tell the dialogs apart.
  if (windowTitle().isEmpty()) {
    const QString name = QString::fromLatin1(metaObject()->className());
    setWindowTitle(name.mid(name.lastIndexOf(QLatin1Char(':')) + 1));
  }
  // Composed here, once the dialog's own texts exist.
  Recompose();
  QDialog::showEvent(event);
}

void SkinnedDialog::DrawDialogImage(QPainter& painter, std::string_view fileName, QPoint at) {
  // The canvas is 32-bit, so the open painter survives the blend.
  (void)painter;
  DrawDialogImage(fileName, at);
}

void SkinnedDialog::DrawDialogImage(std::string_view fileName, QPoint at) {
  const QString path = SkinPath(fileName);
  const SkinImage* image = FindSkinImageFor(canvas_, path);
  if (image == nullptr) {
    // Once per dialog: a missing hover image would otherwise raise the same
    // message at every rest of the pointer, under the message box itself.
    if (built_ && !reportedMissing_.contains(path)) {
      reportedMissing_.insert(path);
      ShowMessage("LoadPng---Load image failed.", kAppTitle);
    }
    return;
  }
  BlendSkinImage(*image, canvas_, at.x(), at.y());
}

void SkinnedDialog::DrawButton(int hoverId, const QRect& rect, const QString& caption) {
  QPainter painter(&canvas_);
  const bool over = hover_.IsHighlighted(hoverId);
  DrawDialogImage(painter, over ? kButtonOverPng : kButtonNormalPng, rect.topLeft());
  DrawSkinText(painter, caption, rect, font_, kCaptionAlign);
}

std::vector<DialogControl> SkinnedDialog::Controls() {
  std::vector<DialogControl> controls;
  if (built_) AddOwnControls(controls);
  AddFrameControls(controls);
  return controls;
}

void SkinnedDialog::AddFrameControls(std::vector<DialogControl>& controls) {
  auto button = [this](int hoverId, QRect rect, DialogText text) {
    DialogControl c;
    c.rect = ToPixelRect(rect);
    c.name = UiName(text);
    c.draw = [this, hoverId, rect, text](QImage&) { DrawButton(hoverId, rect, Utf8(UiText(text, language_))); };
    return c;
  };
  DialogControl ok = button(kDialogHoverOk, kDialogOkButton, DialogText::Ok);
  ok.click = [this](int, int, QImage*) { return ConfirmDialog(), true; };
  DialogControl cancel = button(kDialogHoverCancel, kDialogCancelButton, DialogText::Cancel);
  cancel.click = [this](int, int, QImage*) { return reject(), true; };
  DialogControl close;
  close.rect = ToPixelRect(kDialogCloseBox);
  close.name = UiName(AccessibleText::DialogClose);
  close.draw = [this](QImage&) {
    DrawDialogImage(hover_.IsHighlighted(kDialogHoverClose) ? kCloseOverPng : kCloseNormalPng, kDialogCloseBox.topLeft());
  };
  close.click = cancel.click;
  controls.push_back(std::move(ok));
  controls.push_back(std::move(cancel));
  controls.push_back(std::move(close));
}

DialogControl SkinnedDialog::DropDownControl(DropDown& list, QLabel* display, std::function<QString()> name) const {
  DialogControl box;
  box.role = DialogControl::Role::ComboBox;
  box.rect = ToPixelRect(list.Box());
  box.name = std::move(name);
  box.value = [display = QPointer<QLabel>(display)] { return display ? display->text() : QString(); };
  box.expanded = [&list] { return list.IsOpen(); };
  box.click = [&list](int, int, QImage*) { return list.Toggle(), true; };
  return box;
}

DialogControl SkinnedDialog::FieldControl(QLineEdit* field, std::function<QString()> name) const {
  DialogControl c;
  c.role = DialogControl::Role::Edit;
  c.rect = ToPixelRect(field->geometry());
  c.name = std::move(name);
  c.field = [field = QPointer<QLineEdit>(field)]() -> QWidget* {
    return field && field->isVisible() ? field.data() : nullptr;
  };
  return c;
}

void SkinnedDialog::Recompose() {
  canvas_ = background_.copy();
  DrawControls(Controls(), canvas_);
  if (built_) {
    QPainter painter(&canvas_);
    painter.setFont(font_);
    DrawOwnTexts(painter);
  }
  update();
}

void SkinnedDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, canvas_);
}

void SkinnedDialog::ClickAt(QPoint point) {
  for (DropDown* list : dropDowns_) list->CloseIfOutside(point);
  ClickControls(Controls(), point.x(), point.y(), nullptr);
}

void SkinnedDialog::ConfirmDialog() {
  if (built_) TakeFieldValues();
  accept();
}

void SkinnedDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  ClickAt(event->position().toPoint());
}

// As on the main window: the second press of a double click acts on nothing.
void SkinnedDialog::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

void SkinnedDialog::mouseMoveEvent(QMouseEvent* event) {
  const HoverTracker::MoveResult move = hover_.OnMove(event->position().toPoint(), 0);
  if (move.requestHover) {
    hoverPoint_ = event->position().toPoint();
    hoverTimer_->start();
  } else {
    hoverTimer_->stop();
    if (!move.redraws.empty()) Recompose();
  }
}

void SkinnedDialog::leaveEvent(QEvent* event) {
  hoverTimer_->stop();
  if (!hover_.OnMove(QPoint(-1, -1), 0).redraws.empty()) Recompose();
  QDialog::leaveEvent(event);
}

void SkinnedDialog::OnPointerRested() {
  if (!hover_.OnHover(hoverPoint_, 0).empty()) Recompose();
}

void SkinnedDialog::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  for (DropDown* list : dropDowns_) {
    if (list->Scroll(delta)) {
      event->accept();
      return;
    }
  }
  QDialog::wheelEvent(event);
}

void SkinnedDialog::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  const bool escape = key == Qt::Key_Escape;
  if (!enter && !escape) {
    QDialog::keyPressEvent(event);
    return;
  }
  event->accept();
  if (keys_ == DialogKeys::Captured) return;  // a key name, not a command
  if (escape && DismissOpenLists(this)) return;  // the open list only
  if (enter)
    ConfirmDialog();
  else
    reject();
}

QLabel* SkinnedDialog::MakeDisplay(const QRect& rect, Qt::Alignment align, const QString& text) {
  auto* label = new QLabel(this);
  label->setGeometry(rect);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setLineWidth(1);
  label->setIndent(2);
  label->setAlignment(align | Qt::AlignVCenter);
  label->setFont(font_);
  SetDisplayText(*label, text);
  // Clicks on the display are clicks on its box.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  PaintControl(*label, ControlRole::DropDown);
  label->show();
  return label;
}

QLineEdit* SkinnedDialog::MakeEdit(const QRect& rect, bool digitsOnly, const QString& text) {
  auto* edit = new QLineEdit(text, this);
  edit->setGeometry(rect);
  edit->setAlignment(Qt::AlignCenter);
  edit->setFrame(false);
  edit->setFont(font_);
  edit->setTextMargins(0, 0, 0, 0);
  if (digitsOnly) {
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
  }
  PaintControl(*edit, ControlRole::Edit);
  edit->show();
  return edit;
}

int DisplayTextWidth(const QLabel& display) {
  return display.contentsRect().width() - ((display.alignment() & Qt::AlignLeft) ? display.indent() : 0);
}

void SetDisplayText(QLabel& display, const QString& text) {
  display.setText(QFontMetrics(display.font()).elidedText(text, Qt::ElideRight, DisplayTextWidth(display)));
}

}  // namespace corvaline
