// The rules every view asks the edit session for: what counts as an edit,
// the DPI stage switches and levels, the report-rate stop shown, and what
// Apply hands back.
#include <gtest/gtest.h>

#include "core/settings/edit_session.h"

namespace corvaline {
namespace {

TEST(EditSession, OnlyWhatTheUserSetIsAnUnappliedEdit) {
  SettingsStore store;
  store.settings.pointerSpeedLevel = 4;  // config.bin's old value
  EditSession session(store);
  session.MarkSaved();
  EXPECT_FALSE(session.HasUnappliedEdits());

  // Looking at Mode B is no edit: the automatic switch and the question on
  // closing both go on as if nothing were open.
  store.settings.currentMode = 1;
  EXPECT_FALSE(session.HasUnappliedEdits());

  // The desktop's own pointer values, first read into the working block
  // alone (the snapshot is another load's), are no edit either...
  store.settings.pointerSpeedLevel = 9;
  store.settings.wheelScrollLines = 5;
  session.NoteDesktopPointer();
  EXPECT_FALSE(session.HasUnappliedEdits());
  // ...but a slider moved afterwards is.
  PointerValue(store.settings, PointerField::WheelLines) = 6;
  EXPECT_TRUE(session.HasUnappliedEdits());
  PointerValue(store.settings, PointerField::WheelLines) = 5;
  store.settings.dpiStageIndex[2] ^= 1;
  EXPECT_TRUE(session.HasUnappliedEdits());

  session.Cancel();
  EXPECT_EQ(store.settings.dpiStageIndex[2], store.savedSettings.dpiStageIndex[2]);
  EXPECT_FALSE(session.HasUnappliedEdits());

  // A value taken from the desktop lands in the snapshot too.
  session.TakeFromDesktop(PointerField::Precision, 1);
  EXPECT_EQ(store.savedSettings.pointerPrecision, 1);
  EXPECT_FALSE(session.HasUnappliedEdits());
}

TEST(EditSession, ApplyHandsBackEverySaveAndTakesTheSnapshot) {
  SettingsStore store;
  EditSession session(store);
  store.settings.reportRateCode = 8;
  ApplyReport failing;
  failing.captionsSaved = Outcome::Failed("disk full");
  const ApplyReport report = session.Apply([&](const SettingsBlock& block) {
    EXPECT_EQ(block.reportRateCode, 8);
    return failing;
  });
  EXPECT_FALSE(report.AllDone());
  EXPECT_EQ(report.captionsSaved.Reason(), "disk full");
  EXPECT_EQ(store.savedSettings.reportRateCode, 8);
  EXPECT_FALSE(session.HasUnappliedEdits());
}

TEST(EditSession, DpiStagesAndReportRateStops) {
  SettingsBlock b{};
  b.dpiStageEnabled[1] = 1;
  // The last stage that is on stays on; any other switches freely.
  EXPECT_FALSE(ToggleDpiStage(b, 1));
  EXPECT_EQ(b.dpiStageEnabled[1], 1);
  EXPECT_TRUE(ToggleDpiStage(b, 3));
  EXPECT_TRUE(ToggleDpiStage(b, 1));
  EXPECT_EQ(b.dpiStageEnabled[1], 0);
  EXPECT_FALSE(SetDpiStageEnabled(b, 3, false));
  EXPECT_FALSE(ToggleDpiStage(b, 4));

  // Twelve levels take a click on sensor type 0 only.
  EXPECT_EQ(ClickableDpiLevels(0), 12);
  EXPECT_EQ(ClickableDpiLevels(1), 8);
  EXPECT_EQ(ClickableDpiLevels(5), 8);

  const char* labels[kReportRateStops] = {"125", "250", "500", "1000"};
  for (int stop = 0; stop < kReportRateStops; ++stop) EXPECT_EQ(ReportRateStopLabel(stop), labels[stop]);
  b.reportRateCode = 4;
  EXPECT_EQ(ShownReportRateStop(b), 1);
  b.reportRateCode = 3;  // no stop's code: 1000 Hz is lit
  EXPECT_EQ(ShownReportRateStop(b), 3);
}

}  // namespace
}  // namespace corvaline
