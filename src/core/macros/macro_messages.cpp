#include "core/macros/macro_messages.h"

#include <array>

namespace corvaline {
namespace {

// Columns: English, Simplified Chinese, Traditional Chinese.
using Row = std::array<std::string_view, 3>;
constexpr std::array<Row, static_cast<int>(MacroMessage::Count)> kTexts = {{
    {"Macro name is too long (at most 31 characters)", "宏名称过长（最多31个字符）",
     "巨集名稱過長（最多31個字元）"},
    {"Macro name cannot contain [ ] or control characters", "宏名称不能包含 [ ] 或控制字符",
     "巨集名稱不能包含 [ ] 或控制字元"},
    {"Macro \"%s\" is too long for the mouse: only its first %d events are stored.",
     "宏“%s”太长，鼠标只能保存前%d个事件。", "巨集「%s」太長，滑鼠只能保存前%d個事件。"},
    {"record.ini could not be written.", "无法写入 record.ini。", "無法寫入 record.ini。"},
}};

int Column(UiLanguage lang) {
  switch (lang) {
    case UiLanguage::CHS: return 1;
    case UiLanguage::CHT: return 2;
    default: return 0;
  }
}

void ReplaceFirst(std::string& text, std::string_view token, std::string_view by) {
  const auto at = text.find(token);
  if (at != std::string::npos) text.replace(at, token.size(), by);
}

}  // namespace

std::string_view MacroMessageText(MacroMessage id, UiLanguage lang) {
  const int row = static_cast<int>(id);
  if (row < 0 || row >= static_cast<int>(kTexts.size())) return {};
  return kTexts[row][Column(lang)];
}

std::string TruncatedMacroText(std::string_view name, int eventsKept, UiLanguage lang) {
  std::string text(MacroMessageText(MacroMessage::MacroTruncated, lang));
  // The count goes in first: the name itself may hold "%d".
  ReplaceFirst(text, "%d", std::to_string(eventsKept));
  ReplaceFirst(text, "%s", name);
  return text;
}

}  // namespace corvaline
