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
  for (int i = 0; i < 3; ++i) DrawMacroButton(canvas, i);
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
  QImage* canvas = host_.canvas ? host_.canvas() : nullptr;
  if (systemView_.ClickOptions(x, y, canvas)) return Repaint(), true;
  if (kStartRecording.Contains(x, y)) return StartRecording(), editorView_.Sync(), true;
  if (kStopRecording.Contains(x, y)) {
    ShowMessage(UiText(MainText::StopRecording), kAppTitle);
    return ShowIfFailed(recorder_.StopRecording()), editorView_.Sync(), true;
  }
  if (kMacroButtons[0].Contains(x, y)) return ShowIfFailed(editor_.NewMacro()), editorView_.Sync(), true;
  if (kMacroButtons[1].Contains(x, y)) return ShowIfFailed(editor_.DeleteMacro()), editorView_.Sync(), true;
  if (kMacroButtons[2].Contains(x, y)) return ShowIfFailed(editor_.SaveMacro()), editorView_.Sync(), true;
  // The header opens or closes the drop-down; testing goes on.
  if (kMouseEventHeader.Contains(x, y)) editorView_.ToggleMouseEventList();
  if (systemView_.ClickSliders(x, y, canvas)) return Repaint(), true;
  return false;
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

QRect AdvancedPageSpots::StartRecording() { return ToQRect(kStartRecording); }
QRect AdvancedPageSpots::StopRecording() { return ToQRect(kStopRecording); }
QRect AdvancedPageSpots::MacroButton(int index) { return ToQRect(kMacroButtons[index]); }
QRect AdvancedPageSpots::MouseEventHeader() { return ToQRect(kMouseEventHeader); }

}  // namespace corvaline::gui
