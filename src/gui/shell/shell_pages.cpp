// The page model of the shell: page switching, leaving a page, the parts
// every page shares, and OK/Apply.
#include "core/settings/utf8_paths.h"
#include "core/i18n/ui_strings.h"
#include "core/settings/config_file.h"
#include "core/settings/data_paths.h"
#include "gui/skin/message_sink.h"
#include "core/device/apply.h"
#include "gui/shell/main_window.h"
#include "gui/shell/shell.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_image.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

void Shell::ShowBasicPage() {
  if (currentPage_ == Page::Basic || noSkin_) return;
  currentPage_ = Page::Basic;
  LeavePage(Leaving::Advanced);
  PrepareBasicPageOnce();
  ComposeCommonParts(Page::Basic);
  if (QImage* canvas = window_->Canvas(); canvas && basicContent_) basicContent_->Compose(*canvas);
  window_->update();
}

void Shell::ShowAdvancedPage() {
  if (currentPage_ == Page::Advanced || noSkin_) return;
  currentPage_ = Page::Advanced;
  LeavePage(Leaving::Basic);
  ComposeCommonParts(Page::Advanced);
  if (QImage* canvas = window_->Canvas(); canvas && advancedContent_) {
    advancedContent_->Compose(*canvas);
  }
  window_->update();
}

void Shell::RecomposeCurrentPage() {
  const Page page = currentPage_;
  LeavePage(Leaving::Both);
  currentPage_ = Page::None;
  if (page == Page::Basic) ShowBasicPage();
  if (page == Page::Advanced) ShowAdvancedPage();
}

void Shell::PresentWindow() { window_->Present(); }

void Shell::SetRecordingQuery(std::function<bool()> recording) {
  window_->SetKeyboardCapture([this, recording = std::move(recording)] {
    return currentPage_ == Page::Advanced && recording && recording();
  });
}

void Shell::PrepareBasicPageOnce() {
  if (basicPageBuilt_) return;
  // The first showing in a run marks the mouse as configured by this program
  // and, before any Apply was ever saved, gives the buttons their default
  // captions.
  device_->PrepareSensor();
  ResetItemTextsOnFirstRun(DataFiles().strIni, language_, Settings().firstRunFlag, items_);
  basicPageBuilt_ = true;
}

void Shell::LeavePage(Leaving which) {
  if (which != Leaving::Advanced && basicContent_ && basicContent_->HasControls())
    basicContent_->DestroyControls();
  if (which != Leaving::Basic && advancedContent_ && advancedContent_->HasControls())
    advancedContent_->DestroyControls();
}

// Background, the window's own controls as their lists have them (the web
// link is active on both pages, so both carry its text) and the page title;
// without a canvas nothing lasts, so nothing is drawn.
void Shell::ComposeCommonParts(Page page) {
  QImage* canvas = window_->Canvas();
  if (!canvas) return;
  const bool basic = page == Page::Basic;
  DrawSkinFile(canvas, basic ? kBasicPagePng : kAdvancedPagePng, 0, 0);
  DrawPictureControls(WindowBandAbove(*this), *canvas, fonts_.normal);
  DrawSkinText(canvas, Utf8(UiText(basic ? MainText::BasicTitle : MainText::AdvancedTitle, language_)),
               RectLTRB(105, 51, 320, 99), fonts_.bold, kLabelAlign);
  DrawPictureControls(WindowBandBelow(*this), *canvas, fonts_.normal);
  UpdateStatus();
}

bool Shell::ApplySettingsNow() { return ApplyEdits(); }

void Shell::ReportApplyResult(const ApplyReport& report) {
  for (const std::string& text : ApplyProblemTexts(report, language_, DataFiles().configBin, DataFiles().strIni))
    ShowMessage(text, kAppTitle);
}

}  // namespace corvaline::gui
