// Macro recording as a model: while recording, every keystroke that reaches
// the program's window is appended to the selected macro's event list, with a
// fixed 50 ms step between events. The view translates its key events into
// OnKey calls; the platform's key capture sits behind RecordingHost.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "core/outcome.h"

namespace corvaline {

class MacroEditor;

// What the recorder needs from the window that owns it.
class RecordingHost {
 public:
  virtual ~RecordingHost() = default;
  // Starts passing the window's keystrokes to MacroRecorder::OnKey; a
  // failure carries the platform's error number as its Code().
  virtual Outcome InstallKeyCapture() = 0;
  virtual void RemoveKeyCapture() = 0;
  virtual void SetWindowTitle(std::string_view title) = 0;
};

enum class KeyTransition { Press, Release };

class MacroRecorder {
 public:
  MacroRecorder(MacroEditor& editor, RecordingHost& host);

  // The Start Recording button. Refused (a warning to show) without a macro
  // in the list; otherwise the window confirms with its "Start Recording"
  // box and, once the user has closed it (so the click that closes it is not
  // recorded), calls StartRecording.
  Outcome MayStartRecording() const;
  // Empties the event list and captures keys; refused as above, or when the
  // key capture cannot be installed.
  Outcome StartRecording();
  // The Stop Recording button, after the window's "Stop Recording" box.
  // Refused with a warning when no recording was ever started.
  Outcome StopRecording();
  // Ctrl+Break: stops as the Stop button does. The Ctrl key held for it is
  // no part of the macro: its press at the end of the list is taken back
  // with the delay step before it, and a press that has other events after
  // it gets its release, so the mouse never leaves the key down.
  Outcome StopByKeyboard(std::string_view ctrlKeyName);
  // Switching to the Basic page stops the capture (the started flag stays).
  void LeavePage();

  bool Capturing() const { return capturing_; }

  // One keystroke seen while capturing, with the platform's key name.
  // keyWasDown is set for a press of a key that was already down
  // (auto-repeat); such a repeat of the last pressed key is dropped. A
  // release whose press was not recorded in this recording (the Enter that
  // closed the "Start Recording" box, a key held since before) is dropped too:
  // the mouse would send a key event the user never recorded.
  void OnKey(std::string_view keyName, KeyTransition transition, bool keyWasDown);

 private:
  void OnRecordedKey(KeyTransition transition, std::string_view keyName);
  void AppendAndSelect(std::string item);

  MacroEditor& editor_;
  RecordingHost& host_;
  bool capturing_ = false;
  bool everStarted_ = false;  // Stop before any Start is refused
  bool firstEventSeen_ = false;
  std::string lastPressedKey_;
  std::set<std::string, std::less<>> keysDown_;  // recorded presses not yet released
};

}  // namespace corvaline
