// The Basic settings page: the ten button boxes with their function menus,
// the Mode A / Mode B buttons, the report-rate stops, the four DPI stages and
// the three lighting boxes. Everything is drawn on the main window's canvas
// from the working SettingsBlock, so a page composed after a Cancel shows
// the restored values; only the lists, the colour swatches and the lighting
// labels are child controls. The rules live in the core (button_menu,
// button_assign, value_tables, edit_session); this view draws them and
// forwards clicks.
#pragma once

#include <QColor>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "core/buttons/button_menu.h"
#include "core/settings/item_texts.h"
#include "core/settings/settings_block.h"
#include "gui/skin/list_box.h"
#include "gui/pages/page_content.h"
#include "gui/pages/page_controls.h"
#include "gui/skin/ui_fonts.h"

namespace corvaline::gui {

// What the page needs of the window it lives in.
struct BasicPageHost {
  QWidget* window = nullptr;             // parent of the page's controls
  std::function<QImage*()> canvas;       // the window's canvas; nullptr without a skin
  std::function<void()> repaint;         // shows the canvas again
  ItemTexts* items = nullptr;            // the captions of both key groups
  const UiFonts* fonts = nullptr;
  std::function<int()> sensorType;       // of the mouse: picks the DPI table
  SettingsBlock* block = nullptr;        // the working settings
};

// The system colour chooser; tests answer it themselves. nullopt: cancelled.
using ColourChooser = std::function<std::optional<QColor>(QWidget* parent, QColor initial)>;

// Sub-dialogs that are not there yet: every one ends cancelled, so the menus
// stay usable and change nothing.
class CancellingSubDialogs : public SubDialogRunner {
 public:
  std::optional<WindowsKeyResult> RunWindowsDialog() override { return std::nullopt; }
  std::optional<MediaKeyResult> RunMediaDialog() override { return std::nullopt; }
  std::optional<FireKeyResult> RunFireKeyDialog() override { return std::nullopt; }
  std::optional<SingleKeyResult> RunSingleKeyDialog() override { return std::nullopt; }
  std::optional<ComboKeyResult> RunComboKeyDialog() override { return std::nullopt; }
  std::optional<MacroKeyResult> RunMacroDialog() override { return std::nullopt; }
};

// Control ids of the page's child controls.
inline constexpr int kEffectListId = 63;
inline constexpr int kParameterListId = 64;
inline constexpr int kOptionListId = 65;
inline constexpr int kEffectLabelId = 80;
inline constexpr int kParameterLabelId = 81;
inline constexpr int kOptionLabelId = 82;

class BasicPage : public QObject, public PageContent {
  Q_OBJECT
 public:
  explicit BasicPage(BasicPageHost host, QObject* parent = nullptr);
  ~BasicPage() override;

  void SetDialogs(SubDialogRunner* dialogs);
  void SetColourChooser(ColourChooser chooser) { chooseColour_ = std::move(chooser); }

  // PageContent
  void Compose(QImage& canvas) override;
  bool HasControls() const override { return hasControls_; }
  void DestroyControls() override;
  void DrawHoverText(QImage& canvas, const HoverElement& element) override;
  void CloseListsOutside(int x, int y) override;
  bool Dispatch(int x, int y) override;

  // Every drawn control in reading order (Mode buttons, button boxes,
  // Default, report-rate stops, DPI stages, lighting boxes) as it is drawn,
  // clicked and read by assistive technology.
  std::vector<PageControl> Controls() override;

  // The open lists, for tests and the showcase; nullptr when closed.
  ListBox* FunctionList() const { return functionList_; }
  ListBox* DpiMenu() const { return dpiMenu_; }
  ListBox* LedList(int box) const;  // box 1..3
  QLabel* LedLabel(int box) const;  // box 1..3
  QLabel* Swatch(int stage) const;
  const FunctionMenuState& MenuState() const { return menu_; }

 private:
  // Page operations the dispatcher calls.
  void SelectReportRate(int stop);
  void ToggleDpiStage(int stage);
  void SetDpiLevel(int stage, int level);
  void ChooseStageColour(int stage);
  void SelectMode(int mode);
  void ToggleLedList(int box);
  void OpenFunctionMenu(int slot);
  void RestoreDefaults();

  // The function menus and the lighting lists.
  void OnFunctionChosen(int slot, int entry);
  void OnMenuHover(int slot, int entry);
  void OnDpiFunctionChosen(int position);
  void SyncMenus();
  void CloseFunctionMenus();
  void OnLedChosen(int box, int position);
  void CloseLedList(int box);
  void SetLedLabels();

  // Drawing on the canvas; each ends with a repaint by the caller.
  void DrawBox(QImage& canvas, int slot, bool over = false);
  void DrawBoxTexts(QImage& canvas, int slot);
  void DrawModeButtons(QImage& canvas);
  void DrawModeButton(QImage& canvas, int mode);
  void AddKeyControls(std::vector<PageControl>& list);
  void AddLightingControls(std::vector<PageControl>& list);
  void DrawReportStop(QImage& canvas, int stop, bool light);
  // A stage that is off shows dark cells, except right after a click on one
  // of its levels (showLevel): the click then shows the level it chose.
  void DrawStage(QImage& canvas, int stage, bool showLevel = false);
  void DrawStageBox(QImage& canvas, int stage);
  void DrawLevels(QImage& canvas, int stage, bool showLevel);
  void AddStageControls(int stage, std::vector<PageControl>& list);
  void DrawStaticTexts(QImage& canvas);
  void DrawDpiAxis(QImage& canvas);
  void CreateControls();
  void Repaint();
  // The window's canvas, nullptr while the skin has none.
  QImage* Canvas() const;

  ButtonEditTarget Target() const;
  int SensorType() const;

  BasicPageHost host_;
  CancellingSubDialogs cancelling_;
  SubDialogRunner* dialogs_ = &cancelling_;
  ColourChooser chooseColour_;
  FunctionMenuState menu_;
  bool hasControls_ = false;
  QPointer<ListBox> functionList_;
  QPointer<ListBox> dpiMenu_;
  std::array<QPointer<ListBox>, 3> ledLists_{};
  std::array<QPointer<QLabel>, 3> ledLabels_{};
  std::array<QPointer<QLabel>, kDpiStages> swatches_{};
};

}  // namespace corvaline::gui
