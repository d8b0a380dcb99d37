// The macro editor's child controls on the Advanced page: the macro list
// (151), the event list (152), the loop-count (149) and name (150) edits, the
// drop-down header (119) and, while open, the mouse-event drop-down (154).
// The MacroEditor model holds the state; this view shows it after every
// action and forwards what the user does to it.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <functional>

#include "core/macros/macro_editor.h"
#include "gui/pages/delay_prompt.h"
#include "gui/skin/list_box.h"
#include "gui/skin/ui_fonts.h"

namespace corvaline::gui {

inline constexpr int kLoopEditId = 149;
inline constexpr int kNameEditId = 150;
inline constexpr int kMouseEventHeaderId = 119;
inline constexpr int kMouseEventListId = 154;

// The event list's context menu at a global position; true when its only
// entry, "Delete", was chosen. Tests answer it themselves.
using ItemMenu = std::function<bool(QWidget* parent, QPoint globalPosition)>;

class MacroEditorView : public QObject {
  Q_OBJECT
 public:
  MacroEditorView(MacroEditor& editor, DelayPrompt delayPrompt, QObject* parent = nullptr);
  ~MacroEditorView() override;

  void SetItemMenu(ItemMenu menu) { itemMenu_ = std::move(menu); }

  // Creates the controls over `window` and fills them from the model.
  void CreateControls(QWidget* window, const UiFonts& fonts);
  void DestroyControls();
  bool HasControls() const { return !macroList_.isNull(); }

  // Shows the model's state in every control (after a button's action).
  void Sync();

  // The drop-down: opened and closed by its header, closed by a click
  // elsewhere on the page.
  void ToggleMouseEventList();
  void CloseMouseEventList();

  ListBox* MacroList() const { return macroList_; }
  ListBox* EventList() const { return eventList_; }
  ListBox* MouseEventList() const { return mouseEvents_; }
  QLineEdit* NameEdit() const { return nameEdit_; }
  QLineEdit* LoopEdit() const { return loopEdit_; }
  QLabel* Header() const { return header_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnMacroChosen(int row);
  void OnLoopEdited(const QString& text);
  void OnMouseEventChosen(int row);
  void EditDelay();
  void ShowItemMenu(const QPoint& position);
  void SyncItems();

  MacroEditor& editor_;
  DelayPrompt delayPrompt_;
  ItemMenu itemMenu_;
  QWidget* window_ = nullptr;
  const UiFonts* fonts_ = nullptr;
  QPointer<ListBox> macroList_;
  QPointer<ListBox> eventList_;
  QPointer<QWidget> eventViewport_;
  QPointer<ListBox> mouseEvents_;
  QPointer<QLineEdit> nameEdit_;
  QPointer<QLineEdit> loopEdit_;
  QPointer<QLabel> header_;
};

}  // namespace corvaline::gui
