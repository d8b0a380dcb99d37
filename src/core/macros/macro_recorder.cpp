#include "core/macros/macro_recorder.h"

#include <algorithm>
#include <vector>

#include "core/i18n/ui_strings.h"
#include "core/macros/macro_editor.h"
#include "core/macros/macro_items.h"
#include "core/macros/macro_messages.h"

namespace corvaline {

MacroRecorder::MacroRecorder(MacroEditor& editor, RecordingHost& host)
    : editor_(editor), host_(host) {}

Outcome MacroRecorder::MayStartRecording() const {
  if (editor_.MacroNames().empty())
    return Outcome::Failed(std::string(UiText(MainText::MsgMacroNameBlank)), kWarningCaption);
  return {};
}

Outcome MacroRecorder::StartRecording() {
  if (Outcome may = MayStartRecording(); !may.Ok()) return may;
  if (capturing_) {
    host_.RemoveKeyCapture();
    capturing_ = false;
  }
  editor_.ClearItems();
  if (const Outcome installed = host_.InstallKeyCapture(); !installed)
    return Outcome::Failed("JournalRecordHook Install error code :" + std::to_string(installed.Code()) + "\n",
                           kAppTitle);
  capturing_ = true;
  everStarted_ = true;
  firstEventSeen_ = false;
  keysDown_.clear();
  host_.SetWindowTitle(UiText(MainText::RecordingTitle));
  return {};
}

Outcome MacroRecorder::StopRecording() {
  if (!everStarted_) return Outcome::Failed(std::string(UiText(MainText::MsgNotRecording)), kWarningCaption);
  if (!capturing_) return {};
  host_.RemoveKeyCapture();
  capturing_ = false;
  return {};
}

Outcome MacroRecorder::StopByKeyboard(std::string_view ctrlKeyName) {
  if (capturing_ && editor_.SelectedMacro() >= 0 && !ctrlKeyName.empty()) {
    const std::vector<std::string>& items = editor_.Items();
    const std::string press = PressItem(ctrlKeyName);
    const std::string release = ReleaseItem(ctrlKeyName);
    const auto lastPress = std::find(items.rbegin(), items.rend(), press);
    const bool held = lastPress != items.rend() && std::find(items.rbegin(), lastPress, release) == lastPress;
    if (held && lastPress == items.rbegin()) {
      const int at = static_cast<int>(items.size()) - 1;
      const bool delayBefore = at > 0 && ClassifyMacroItem(items[at - 1]) == MacroItemKind::Delay;
      editor_.SelectItem(at);
      editor_.DeleteItem();
      if (delayBefore) {
        editor_.SelectItem(at - 1);
        editor_.DeleteItem();
      }
      editor_.SelectItem(static_cast<int>(editor_.Items().size()) - 1);
    } else if (held) {
      AppendAndSelect(DelayItem(kRecordedDelayMs));
      AppendAndSelect(release);
    }
  }
  return StopRecording();
}

void MacroRecorder::LeavePage() {
  if (!capturing_) return;
  host_.RemoveKeyCapture();
  capturing_ = false;
}

void MacroRecorder::OnKey(std::string_view keyName, KeyTransition transition, bool keyWasDown) {
  if (!capturing_) return;
  if (transition == KeyTransition::Press && keyWasDown && keyName == lastPressedKey_) return;
  OnRecordedKey(transition, keyName);
}

void MacroRecorder::OnRecordedKey(KeyTransition transition, std::string_view keyName) {
  if (editor_.SelectedMacro() < 0) return;
  if (transition == KeyTransition::Release) {
    const auto down = keysDown_.find(keyName);
    if (down == keysDown_.end()) return;
    keysDown_.erase(down);
    AppendAndSelect(DelayItem(kRecordedDelayMs));
    AppendAndSelect(ReleaseItem(keyName));
    return;
  }
  // The first press of a recording needs no pause in front of it.
  if (firstEventSeen_) AppendAndSelect(DelayItem(kRecordedDelayMs));
  AppendAndSelect(PressItem(keyName));
  firstEventSeen_ = true;
  lastPressedKey_ = std::string(keyName);
  keysDown_.insert(lastPressedKey_);
}

void MacroRecorder::AppendAndSelect(std::string item) {
  editor_.AppendItem(std::move(item));
  editor_.SelectItem(static_cast<int>(editor_.Items().size()) - 1);
}

}  // namespace corvaline
