// The frame every sub-dialog shares: a frameless modal dialog whose skin
// background sets its size, drawn OK, Cancel and close buttons that light up
// after the pointer rests on them, the dialog font of the UI language, and
// the click and key rules that end the dialog. Each dialog adds its controls
// and texts on top.
#pragma once

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QSet>
#include <QString>

#include <string_view>
#include <vector>

#include "core/i18n/ui_language.h"
#include "gui/skin/hover.h"
#include "gui/skin/skin_text.h"
#include "gui/skin/view_controls.h"

class QLabel;
class QLineEdit;
class QTimer;

namespace corvaline {

class DropDown;
class ListBox;

inline constexpr QRect kDialogCloseBox = RectLTRB(352, 6, 370, 24);
inline constexpr QRect kDialogOkButton = RectLTRB(166, 253, 271, 274);
inline constexpr QRect kDialogCancelButton = RectLTRB(270, 253, 375, 274);
// Background of the dialogs' edits, displays and lists.
inline constexpr QRgb kDialogControlBack = 0xFF282828;  // RGB(40, 40, 40)

// A dialog's controls are listed once: the list draws them, takes their
// clicks and makes their accessible objects.
using DialogControl = ViewControl;

// Hover ids of the frame's three picture buttons.
enum DialogHoverId : int { kDialogHoverOk = 1, kDialogHoverCancel, kDialogHoverClose };

// What Enter and Escape do: end the dialog (OK / cancelled) like any dialog,
// or nothing at all, because the dialog captures those keys as key names.
enum class DialogKeys { EndDialog, Captured };

// The one font of every sub-dialog in a language.
QFont DialogFontFor(UiLanguage lang);

class SkinnedDialog : public QDialog {
  Q_OBJECT
 public:
  // Loads the background (the user is told with "error" and `failureCaption`
  // when it is missing; the dialog then keeps a plain surface with its
  // buttons, so it can still be ended).
  SkinnedDialog(QWidget* parent, std::string_view backgroundFile, std::string_view failureCaption,
                DialogKeys keys);
  ~SkinnedDialog() override;

  // False when the background was missing: the dialog then has no controls
  // and its results stay at their initial values.
  bool Built() const { return built_; }
  UiLanguage Language() const { return language_; }
  const QFont& DialogFont() const { return font_; }
  const QImage& Canvas() const { return canvas_; }
  bool IsHighlighted(int hoverId) const { return hover_.IsHighlighted(hoverId); }
  // Whether every key is a key name to it (no focus mark, no Tab).
  bool CapturesKeys() const { return keys_ == DialogKeys::Captured; }
  // What the dialog is called: the function it sets (its picture has no
  // title); the window title by default.
  virtual QString Name() const { return windowTitle(); }

  // Every control of the dialog in reading order: its own (none when the
  // background was missing), then OK, Cancel and the close box.
  std::vector<DialogControl> Controls();

  // One left click at a point of the dialog, as the mouse would give it.
  void ClickAt(QPoint point);
  // OK pressed: the dialog takes over what its fields hold, then ends.
  void ConfirmDialog();

 protected:
  // The dialog's own texts over the background, after the buttons.
  virtual void DrawOwnTexts(QPainter& painter) { (void)painter; }
  // The dialog's own controls, in reading order (only once it is built).
  virtual void AddOwnControls(std::vector<DialogControl>& controls) { (void)controls; }
  // Called by OK (button or Enter) before the dialog ends.
  virtual void TakeFieldValues() {}

  // The lists the frame opens, closes and scrolls by its click and wheel rules.
  void AddDropDown(DropDown* dropDown) { dropDowns_.push_back(dropDown); }
  // A drop-down as a control: its box opens and closes the list, and its
  // display says the value.
  DialogControl DropDownControl(DropDown& list, QLabel* display, std::function<QString()> name) const;
  // An edit field as a control: it draws itself and takes its own keys.
  DialogControl FieldControl(QLineEdit* field, std::function<QString()> name) const;

  // Rebuilds the picture (after a hover change or a change of own texts).
  void Recompose();
  // Draws a skin file in the dialog's picture; a missing file is reported
  // once per dialog ("LoadPng---Load image failed.").
  void DrawDialogImage(QPainter& painter, std::string_view fileName, QPoint at);
  // The same outside a text pass: the picture blends into the canvas itself.
  void DrawDialogImage(std::string_view fileName, QPoint at);

  // Child controls in the dialogs' colours: white on RGB(40, 40, 40).
  QLabel* MakeDisplay(const QRect& rect, Qt::Alignment align, const QString& text);
  QLineEdit* MakeEdit(const QRect& rect, bool digitsOnly, const QString& text);

  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnPointerRested();
  void DrawButton(int hoverId, const QRect& rect, const QString& caption);
  void AddFrameControls(std::vector<DialogControl>& controls);

  DialogKeys keys_;
  bool built_ = false;
  UiLanguage language_;
  QFont font_;
  QImage background_;
  QImage canvas_;
  HoverTracker hover_;
  QTimer* hoverTimer_ = nullptr;
  QPoint hoverPoint_;
  QSet<QString> reportedMissing_;
  std::vector<DropDown*> dropDowns_;
};

// Shows `text` in a display (a sunken label), cut short with an ellipsis
// where it is wider than the display.
void SetDisplayText(QLabel& display, const QString& text);
// The width a display has for its text.
int DisplayTextWidth(const QLabel& display);

// Colours a list of a dialog the way its displays are coloured.
void StyleDialogList(ListBox& list, const QFont& font);

}  // namespace corvaline
