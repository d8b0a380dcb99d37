// The Basic page's lists: the function menus of the ten boxes with the DPI
// sub-menu, and the three lighting lists. The open/closed state of the menus
// is the core's FunctionMenuState; the widgets follow it.
#include <QLabel>

#include "core/i18n/ui_strings.h"
#include "core/settings/value_tables.h"
#include "gui/skin/message_sink.h"
#include "gui/pages/basic_page.h"
#include "gui/skin/child_colours.h"
#include "gui/skin/list_box.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

namespace {

template <typename Strings>
QStringList ToList(const Strings& entries) {
  QStringList list;
  for (const auto& e : entries) list << Utf8(e);
  return list;
}

// A list that is gone for the user at once; Qt deletes it once the event
// that may still run inside it has returned.
void Discard(QPointer<ListBox>& list) {
  if (!list) return;
  list->hide();
  list->deleteLater();
  list = nullptr;
}

// Below each lighting box, one pixel further left, as wide as the box.
QRect LedListRect(int box, int height) {
  const int top = 347 + 30 * (box - 1);
  return QRect(766, top, 85, height);
}

}  // namespace

// ---- Function menus ------------------------------------------------------

void BasicPage::OpenFunctionMenu(int slot) {
  const Outcome opened = corvaline::OpenFunctionMenu(menu_, Target(), slot);
  SyncMenus();
  ShowIfFailed(opened);
}

void BasicPage::OnMenuHover(int slot, int entry) {
  corvaline::OnMenuHover(menu_, slot, entry);
  SyncMenus();
}

void BasicPage::OnFunctionChosen(int slot, int entry) {
  const Outcome chosen = corvaline::OnFunctionChosen(menu_, Target(), slot, entry, *dialogs_);
  SyncMenus();
  ShowIfFailed(chosen);
  if (QImage* canvas = Canvas()) {
    DrawBox(*canvas, slot);
    Repaint();
  }
}

void BasicPage::OnDpiFunctionChosen(int position) {
  const int slot = menu_.openSlot;
  corvaline::OnDpiFunctionChosen(menu_, Target(), position);
  SyncMenus();
  if (QImage* canvas = Canvas(); canvas && slot >= 0) {
    DrawBox(*canvas, slot);
    Repaint();
  }
}

void BasicPage::CloseFunctionMenus() {
  corvaline::CloseFunctionMenus(menu_);
  SyncMenus();
}

// Makes the widgets what the menu state says: at most one function list, and
// the DPI sub-menu beside its "DPI Switch" entry while that entry is hovered.
void BasicPage::SyncMenus() {
  const int slot = menu_.openSlot;
  if (functionList_ && (slot < 0 || functionList_->Id() != kFunctionListControlBase + slot)) {
    Discard(dpiMenu_);
    Discard(functionList_);
  }
  if (slot >= 0 && !functionList_ && host_.window) {
    const PixelRect r = FunctionListRect(slot);
    auto* list = new ListBox(host_.window, kFunctionListControlBase + slot,
                             QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
    ApplyChildColours(*list, ChildKind::ListBox, list->Id(), *host_.fonts);
    list->SetEntries(ToList(FunctionMenuEntries(CurrentLanguage())));
    connect(list, &ListBox::hovered, this, [this, slot](int row) { OnMenuHover(slot, row); });
    connect(list, &ListBox::chosen, this, [this, slot](int row) { OnFunctionChosen(slot, row); });
    connect(list, &ListBox::dismissed, this, &BasicPage::CloseFunctionMenus);
    list->MarkCurrent(CurrentFunctionEntry(*host_.block, slot));
    functionList_ = list;
  }
  if (!menu_.dpiMenuOpen) {
    Discard(dpiMenu_);
  } else if (!dpiMenu_ && functionList_) {
    // Its top-left corner is the list's corner moved by the far corner of the
    // entry's rectangle, counted inside the list's border.
    const QRect entry = functionList_->EntryRect(kDpiMenuEntry);
    const QPoint at = functionList_->pos() + QPoint(entry.right() + 1 - ListBox::kBorder,
                                                    entry.top() - ListBox::kBorder);
    auto* menu = new ListBox(host_.window, kDpiMenuControlId, QRect(at, QSize(kDpiMenuWidth, kDpiMenuHeight)));
    ApplyChildColours(*menu, ChildKind::ListBox, kDpiMenuControlId, *host_.fonts);
    menu->SetEntries(ToList(DpiMenuEntries()));
    connect(menu, &ListBox::chosen, this, &BasicPage::OnDpiFunctionChosen);
    connect(menu, &ListBox::dismissed, this, &BasicPage::CloseFunctionMenus);
    dpiMenu_ = menu;
  }
}

// ---- Lighting lists ------------------------------------------------------

void BasicPage::ToggleLedList(int box) {
  QPointer<ListBox>& slot = ledLists_[static_cast<size_t>(box - 1)];
  if (slot) {
    CloseLedList(box);
    return;
  }
  if (!host_.window) return;
  const SettingsBlock& b = *host_.block;
  const UiLanguage lang = CurrentLanguage();
  QStringList entries;
  int height = 0;
  if (box == 1) {
    entries = ToList(EffectListEntries(lang));
    height = 60;
  } else if (box == 2) {
    entries = ToList(ParameterListEntries(b.ledEffect));
    height = ParameterListHeight(b.ledEffect);
  } else {
    entries = ToList(OptionListEntries(b.ledEffect, lang));
    height = 40;
  }
  // Standard has no options: its box only ever reads "RGB Effect".
  if (entries.isEmpty()) return;
  auto* list = new ListBox(host_.window, kEffectListId + box - 1, LedListRect(box, height));
  ApplyChildColours(*list, ChildKind::ListBox, list->Id(), *host_.fonts);
  list->SetEntries(entries);
  // The entry the box shows now is the one the keys start from.
  const LedBoxTexts shown = LedBoxCaptions(b, lang);
  list->MarkCurrent(entries.indexOf(Utf8(box == 1 ? shown.effect : box == 2 ? shown.parameter : shown.option)));
  connect(list, &ListBox::chosen, this, [this, box](int row) { OnLedChosen(box, row); });
  connect(list, &ListBox::dismissed, this, [this, box] { CloseLedList(box); });
  slot = list;
}

void BasicPage::CloseLedList(int box) { Discard(ledLists_[static_cast<size_t>(box - 1)]); }

void BasicPage::OnLedChosen(int box, int position) {
  SettingsBlock& b = *host_.block;
  const UiLanguage lang = CurrentLanguage();
  QLabel* parameter = ledLabels_[1];
  QLabel* option = ledLabels_[2];
  if (box == 1) {
    const std::optional<LedBoxTexts> texts = ChooseLedEffect(b, position, lang);
    if (!texts) return;
    SetLedLabels();  // shows the labels an effect without parameters hid
    if (option) option->setText(Utf8(texts->option));  // a fresh Standard shows its only option
  } else if (box == 2) {
    const std::string_view text = ChooseLedParameter(b, position);
    if (text.empty()) return;
    if (parameter) parameter->setText(Utf8(text));
  } else {
    const std::string_view text = ChooseLedOption(b, position, lang);
    if (text.empty()) return;
    if (option) option->setText(Utf8(text));
  }
  CloseLedList(box);
}

}  // namespace corvaline::gui
