#include "gui/pages/advanced_page.h"

#include "core/i18n/ui_strings.h"
#include "core/pixel_rect.h"
#include "gui/skin/message_sink.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_image.h"
#include "gui/skin/skin_state.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

namespace {

constexpr PixelRect kStartRecording{735, 229, 764, 258};
constexpr PixelRect kStopRecording{735, 265, 764, 294};
constexpr PixelRect kMacroButtons[3] = {{513, 528, 618, 549}, {617, 528, 722, 549}, {721, 528, 826, 549}};
constexpr MainText kMacroButtonTexts[3] = {MainText::MacroNew, MainText::MacroDelete,
                                           MainText::MacroConfirm};
constexpr int kMacroHoverIds[3] = {kHoverNew, kHoverDelete, kHoverSave};
constexpr PixelRect kMouseEventHeader{735, 402, 854, 416};
constexpr PixelRect kMouseEventList{734, 419, 854, 569};


struct PlacedText {
  MainText text;
  QRect rect;
  Qt::Alignment align;
  TextFlow flow = TextFlow::OneLine;
};

}  // namespace

AdvancedPage::AdvancedPage(AdvancedPageHost host, PointerBackend& pointer,
                           DelayPrompt delayPrompt)
    : host_(std::move(host)),
      systemMouse_(*host_.session, pointer),
      systemView_(systemMouse_),
      editor_(host_.session->Working(), host_.recordIni),
      recorder_(editor_, capture_),
      editorView_(editor_, std::move(delayPrompt)) {
  capture_.SetWindow(host_.window);
  capture_.SetRecorder(&recorder_);
  capture_.SetChanged([this] { editorView_.Sync(); });
}

AdvancedPage::~AdvancedPage() { DestroyControls(); }

void AdvancedPage::Compose(QImage& canvas) {
  const QFont& font = host_.fonts->normal;
  systemView_.Compose(canvas, font);
  DrawControls(MacroControls(), canvas);
  DrawMacroTexts(canvas);
  editor_.EnterPage();
  editorView_.CreateControls(host_.window, *host_.fonts);
}

void AdvancedPage::DrawMacroButton(QImage& canvas, int index) {
  const PixelRect r = kMacroButtons[index];
  DrawSkinFile(&canvas, kButtonNormalPng, r.left, r.top);
  DrawSkinText(&canvas, Utf8(UiText(kMacroButtonTexts[index])), ToQRect(r), host_.fonts->normal,
               kCaptionAlign);
}

void AdvancedPage::DrawMacroTexts(QImage& canvas) {
  const QFont& font = host_.fonts->normal;
  const PlacedText texts[] = {
      {MainText::MacroSettingHeading, RectLTRB(469, 160, 578, 181), kCaptionAlign},
      {MainText::SelectMacroHeading, RectLTRB(457, 196, 592, 220), kCaptionAlign},
      {MainText::KeySequenceHeading, RectLTRB(591, 196, 726, 220), kCaptionAlign},
      {MainText::RecordOptionHeading, RectLTRB(725, 196, 875, 220), kCaptionAlign},
      {MainText::MacroNameLabel, RectLTRB(735, 302, 874, 322), kLabelAlign},
      {MainText::LoopTimesLabel, RectLTRB(735, 342, 874, 362), kLabelAlign},
      {MainText::InsertMouseEvent, RectLTRB(735, 382, 874, 402), kLabelAlign},
      {MainText::StartRecording, RectLTRB(765, 227, 874, 260), kLabelAlign, TextFlow::Wrap},
      {MainText::StopRecording, RectLTRB(765, 263, 874, 296), kLabelAlign, TextFlow::Wrap},
  };
  for (const PlacedText& t : texts)
    DrawSkinText(&canvas, Utf8(UiText(t.text)), t.rect, font, t.align, t.flow);
}

void AdvancedPage::DestroyControls() {
  // Leaving the page ends a recording and forgets what was not saved.
  recorder_.LeavePage();
  editorView_.DestroyControls();
  editor_.LeavePage();
}

void AdvancedPage::DrawHoverText(QImage& canvas, const HoverElement& element) {
  if (element.id == kHoverRestoreSystem) {
    systemView_.DrawRestoreCaption(canvas, host_.fonts->normal);
    return;
  }
  for (int i = 0; i < 3; ++i) {
    if (element.id == kMacroHoverIds[i])
      DrawSkinText(&canvas, Utf8(UiText(kMacroButtonTexts[i])), element.region, host_.fonts->normal,
                   kCaptionAlign);
  }
}

void AdvancedPage::CloseListsOutside(int x, int y) {
  if (!editor_.MouseEventListOpen()) return;
  if (kMouseEventList.Contains(x, y) || kMouseEventHeader.Contains(x, y)) return;
  editorView_.CloseMouseEventList();
}

bool AdvancedPage::Dispatch(int x, int y) {
  return ClickControls(Controls(), x, y, host_.canvas ? host_.canvas() : nullptr).value_or(false);
}

// ---- The control list ----------------------------------------------------

std::vector<PageControl> AdvancedPage::Controls() {
  std::vector<PageControl> list = systemView_.Controls();
  // The pointer settings redraw their own pictures; the window shows them.
  for (PageControl& c : list)
    c.click = [this, click = std::move(c.click)](int x, int y, QImage* canvas) {
      return click(x, y, canvas) && (Repaint(), true);
    };
  for (PageControl& c : MacroControls()) list.push_back(std::move(c));
  return list;
}

namespace {

PageControl Field(PageControl::Role role, QWidget* widget, std::function<QWidget*()> shown, MainText name) {
  PageControl c;
  c.role = role;
  if (widget) c.rect = ToPixelRect(widget->geometry());
  c.name = UiName(name);
  c.field = std::move(shown);
  return c;
}

template <typename Widget>
std::function<QWidget*()> WhenShown(Widget* (MacroEditorView::*get)() const, const MacroEditorView& view) {
  return [get, &view]() -> QWidget* {
    QWidget* w = (view.*get)();
    return w && w->isVisible() ? w : nullptr;
  };
}

}  // namespace

// In the keyboard order: the lists, the recording, its options, then the
// macro's own buttons.
std::vector<PageControl> AdvancedPage::MacroControls() {
  std::vector<PageControl> list;
  const MacroEditorView& view = editorView_;
  list.push_back(Field(PageControl::Role::List, view.MacroList(), WhenShown(&MacroEditorView::MacroList, view),
                       MainText::SelectMacroHeading));
  list.push_back(Field(PageControl::Role::List, view.EventList(), WhenShown(&MacroEditorView::EventList, view),
                       MainText::KeySequenceHeading));
  AddRecordingControls(list);
  AddMacroButtons(list);
  return list;
}

void AdvancedPage::AddRecordingControls(std::vector<PageControl>& list) {
  const MacroEditorView& view = editorView_;
  PageControl start;
  start.rect = kStartRecording;
  start.name = UiName(MainText::StartRecording);
  start.click = [this](int, int, QImage*) { return StartRecording(), editorView_.Sync(), true; };
  list.push_back(std::move(start));
  PageControl stop;
  stop.rect = kStopRecording;
  stop.name = UiName(MainText::StopRecording);
  stop.click = [this](int, int, QImage*) {
    ShowMessage(UiText(MainText::StopRecording), kAppTitle);
    return ShowIfFailed(recorder_.StopRecording()), editorView_.Sync(), true;
  };
  list.push_back(std::move(stop));
  list.push_back(Field(PageControl::Role::Edit, view.LoopEdit(), WhenShown(&MacroEditorView::LoopEdit, view),
                       MainText::LoopTimesLabel));
  PageControl events;
  events.role = PageControl::Role::ComboBox;
  events.rect = kMouseEventHeader;
  events.name = UiName(MainText::InsertMouseEvent);
  events.expanded = [this] { return editor_.MouseEventListOpen(); };
  // The header opens or closes the drop-down; the press may still drag the
  // window.
  events.click = [this](int, int, QImage*) { return editorView_.ToggleMouseEventList(), false; };
  list.push_back(std::move(events));
  list.push_back(Field(PageControl::Role::Edit, view.NameEdit(), WhenShown(&MacroEditorView::NameEdit, view),
                       MainText::MacroNameLabel));
}

void AdvancedPage::AddMacroButtons(std::vector<PageControl>& list) {
  using Action = Outcome (MacroEditor::*)();
  const Action actions[3] = {&MacroEditor::NewMacro, &MacroEditor::DeleteMacro, &MacroEditor::SaveMacro};
  for (int i = 0; i < 3; ++i) {
    PageControl c;
    c.rect = kMacroButtons[i];
    c.name = UiName(kMacroButtonTexts[i]);
    c.draw = [this, i](QImage& canvas) { DrawMacroButton(canvas, i); };
    c.click = [this, action = actions[i]](int, int, QImage*) {
      return ShowIfFailed((editor_.*action)()), editorView_.Sync(), true;
    };
    list.push_back(std::move(c));
  }
}

void AdvancedPage::StartRecording() {
  if (!ShowIfFailed(recorder_.MayStartRecording())) return;
  // The capture starts only once the user has closed this box, so the click
  // that closes it is not recorded.
  ShowMessage(UiText(MainText::StartRecording), kAppTitle);
  ShowIfFailed(recorder_.StartRecording());
}

void AdvancedPage::Repaint() {
  if (host_.repaint) host_.repaint();
}

}  // namespace corvaline::gui
