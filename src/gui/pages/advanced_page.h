// The Advanced page: the desktop's pointer settings on the left, the macro
// editor with its recording on the right. The shell draws the background and
// the window's buttons; this page draws the rest, owns the editor's child
// controls while it is shown and answers the page's clicks.
#pragma once

#include <QImage>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/macros/macro_editor.h"
#include "core/macros/macro_recorder.h"
#include "core/settings/settings_block.h"
#include "gui/pages/delay_prompt.h"
#include "gui/pages/key_capture.h"
#include "gui/pages/macro_editor_view.h"
#include "core/system/system_mouse.h"
#include "gui/pages/system_mouse_view.h"
#include "gui/pages/page_content.h"
#include "gui/skin/ui_fonts.h"

class QWidget;

namespace corvaline::gui {

// What the page needs of the window it lives in.
struct AdvancedPageHost {
  QWidget* window = nullptr;        // parent of the editor's controls
  std::function<QImage*()> canvas;  // nullptr without a skin
  std::function<void()> repaint;
  const UiFonts* fonts = nullptr;
  EditSession* session = nullptr;   // the working settings and their snapshot
  std::filesystem::path recordIni;
};

class AdvancedPage : public PageContent {
 public:
  AdvancedPage(AdvancedPageHost host, PointerBackend& pointer, DelayPrompt delayPrompt);
  ~AdvancedPage() override;

  // What OK and Apply call to write the pointer settings.
  PointerSettings& Pointer() { return systemMouse_; }
  // While true, key presses on the page reach no control.
  bool Recording() const { return recorder_.Capturing(); }

  // PageContent
  void Compose(QImage& canvas) override;
  bool HasControls() const override { return editorView_.HasControls(); }
  void DestroyControls() override;
  void DrawHoverText(QImage& canvas, const HoverElement& element) override;
  void CloseListsOutside(int x, int y) override;
  bool Dispatch(int x, int y) override;
  // The pointer settings, then the macro editor in its keyboard order.
  std::vector<PageControl> Controls() override;

  // For tests and the showcase.
  MacroEditor& Editor() { return editor_; }
  MacroEditorView& EditorView() { return editorView_; }
  MacroRecorder& Recorder() { return recorder_; }
  KeyCapture& Capture() { return capture_; }
  SystemMouse& System() { return systemMouse_; }

 private:
  std::vector<PageControl> MacroControls();
  void AddRecordingControls(std::vector<PageControl>& list);
  void AddMacroButtons(std::vector<PageControl>& list);
  void DrawMacroTexts(QImage& canvas);
  void DrawMacroButton(QImage& canvas, int index);
  void Repaint();
  void StartRecording();

  AdvancedPageHost host_;
  SystemMouse systemMouse_;
  SystemMouseView systemView_;
  MacroEditor editor_;
  KeyCapture capture_;
  MacroRecorder recorder_;
  MacroEditorView editorView_;
};

}  // namespace corvaline::gui
