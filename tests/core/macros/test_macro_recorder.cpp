#include <gtest/gtest.h>

#include "core/i18n/ui_language.h"
#include "core/macros/macro_editor.h"
#include "core/macros/macro_recorder.h"
#include "macro_test_support.h"

namespace corvaline {
namespace {

using macro_testing::Shown;
using macro_testing::ScratchDir;
using macro_testing::WriteRecordIni;
using Items = std::vector<std::string>;
using macro_testing::Message;

class FakeHost : public RecordingHost {
 public:
  Outcome InstallKeyCapture() override {
    if (failWith != 0) return Outcome::Error(failWith, "refused");
    ++installs;
    return {};
  }
  void RemoveKeyCapture() override { ++removals; }
  void SetWindowTitle(std::string_view t) override { title = t; }

  int failWith = 0;
  int installs = 0;
  int removals = 0;
  std::string title;
};

class MacroRecorderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCurrentLanguage(UiLanguage::EN);
    WriteRecordIni(ini, {{"m", {"old   Dn"}}});
    editor.EnterPage();
  }
  void Press(std::string_view key, bool wasDown = false) {
    recorder.OnKey(key, KeyTransition::Press, wasDown);
  }
  void Release(std::string_view key) { recorder.OnKey(key, KeyTransition::Release, true); }

  ScratchDir dir;
  std::filesystem::path ini = dir / "record.ini";
  SettingsBlock settings{};
  MacroEditor editor{settings, ini};
  FakeHost host;
  MacroRecorder recorder{editor, host};
};

TEST_F(MacroRecorderTest, RecordsPressesAndReleasesWithFixedStepsAndDropsAutoRepeat) {
  ASSERT_TRUE(recorder.StartRecording());
  ASSERT_TRUE(recorder.Capturing());
  EXPECT_EQ(host.title, "Press Ctrl+Break key to stop recording");
  EXPECT_TRUE(editor.Items().empty());

  Press("Shift");
  Press("A");
  Press("A", true);      // auto-repeat of the last pressed key: dropped
  Press("Shift", true);  // repeat of another key: recorded
  Release("A");
  Release("Shift");
  EXPECT_EQ(editor.Items(), (Items{"Shift   Dn", "50 ms", "A   Dn", "50 ms", "Shift   Dn", "50 ms",
                                   "A   Up", "50 ms", "Shift   Up"}));
  EXPECT_EQ(editor.SelectedItem(), 8);

  EXPECT_TRUE(recorder.StopRecording());
  EXPECT_FALSE(recorder.Capturing());
  Press("B");
  EXPECT_EQ(editor.Items().size(), 9u);
}

TEST_F(MacroRecorderTest, ReleasesOfKeysNotPressedInThisRecordingAreDropped) {
  ASSERT_TRUE(recorder.StartRecording());
  Press("Ctrl");
  ASSERT_TRUE(recorder.StartRecording());
  Release("Enter");  // the key that closed the "Start Recording" box
  Release("Ctrl");   // held since the recording before
  Press("A");
  Release("B");
  Release("A");
  Release("A");
  EXPECT_EQ(editor.Items(), (Items{"A   Dn", "50 ms", "A   Up"}));
}

TEST_F(MacroRecorderTest, StopTwiceAndStopWithoutStart) {
  EXPECT_EQ(Shown(recorder.StopRecording()),
            (Message{"It doesn’t start recording, unnecessary to press Stop key!", "Warning"}));
  ASSERT_TRUE(recorder.StartRecording());
  EXPECT_TRUE(recorder.StopRecording());
  EXPECT_TRUE(recorder.StopRecording());
  EXPECT_EQ(host.installs, 1);
  EXPECT_EQ(host.removals, 1);
}

TEST_F(MacroRecorderTest, RestartingEmptiesTheListAndTheFirstPressHasNoLeadingStep) {
  ASSERT_TRUE(recorder.StartRecording());
  Press("A");
  ASSERT_TRUE(recorder.StartRecording());
  EXPECT_EQ(host.removals, 1);
  EXPECT_EQ(host.installs, 2);
  EXPECT_TRUE(editor.Items().empty());
  Press("A", true);  // still held from before: the last pressed key, so a repeat
  Press("B");
  EXPECT_EQ(editor.Items(), (Items{"B   Dn"}));

  recorder.LeavePage();
  EXPECT_FALSE(recorder.Capturing());
  EXPECT_EQ(host.removals, 2);
}

TEST_F(MacroRecorderTest, NothingIsRecordedWithoutAMacroOrACapture) {
  host.failWith = 5;
  EXPECT_EQ(Shown(recorder.StartRecording()), (Message{"JournalRecordHook Install error code :5\n", "CORVALINEX01"}));
  EXPECT_FALSE(recorder.Capturing());
  Press("A");
  EXPECT_TRUE(editor.Items().empty());

  std::filesystem::remove(ini);
  editor.EnterPage();
  host.failWith = 0;
  EXPECT_EQ(Shown(recorder.MayStartRecording()), (Message{"Macro name is blank", "Warning"}));
  EXPECT_EQ(Shown(recorder.StartRecording()), (Message{"Macro name is blank", "Warning"}));
  EXPECT_EQ(host.installs, 0);
}

TEST_F(MacroRecorderTest, CtrlBreakStopsAndLeavesNoCtrlHeldDown) {
  ASSERT_TRUE(recorder.StartRecording());
  Press("A");
  Release("A");
  Press("Ctrl");  // held for Ctrl+Break: taken back with its delay step
  EXPECT_TRUE(recorder.StopByKeyboard("Ctrl"));
  EXPECT_FALSE(recorder.Capturing());
  EXPECT_EQ(host.removals, 1);
  EXPECT_EQ(editor.Items(), (Items{"A   Dn", "50 ms", "A   Up"}));

  // Ctrl held across other keys keeps its press and gets its release.
  ASSERT_TRUE(recorder.StartRecording());
  Press("Right Ctrl");
  Press("C");
  Release("C");
  EXPECT_TRUE(recorder.StopByKeyboard("Right Ctrl"));
  EXPECT_EQ(editor.Items(), (Items{"Right Ctrl   Dn", "50 ms", "C   Dn", "50 ms", "C   Up", "50 ms",
                                   "Right Ctrl   Up"}));

  // Ctrl as the only press: nothing is left.
  ASSERT_TRUE(recorder.StartRecording());
  Press("Ctrl");
  EXPECT_TRUE(recorder.StopByKeyboard("Ctrl"));
  EXPECT_TRUE(editor.Items().empty());
}

}  // namespace
}  // namespace corvaline
