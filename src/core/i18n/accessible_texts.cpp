#include "core/i18n/accessible_texts.h"

#include "core/i18n/text_row.h"

namespace corvaline {
namespace {

using i18n_detail::TextRow;

constexpr std::array<TextRow<AccessibleText>, static_cast<std::size_t>(AccessibleText::Count)> kRows{{
    {AccessibleText::ProgramName, "CORVALINE Control", "CORVALINE 控制程序", "CORVALINE 控制程式"},
    {AccessibleText::Minimise, "Minimise", "最小化", "最小化"},
    {AccessibleText::Close, "Close", "关闭", "關閉"},
    {AccessibleText::Skins, "Skins", "皮肤", "皮膚"},
    {AccessibleText::StageSwitch, "DPI stage %1", "DPI档位%1", "DPI檔位%1"},
    {AccessibleText::StageLevel, "DPI stage %1 level", "DPI档位%1级别", "DPI檔位%1級別"},
    {AccessibleText::StageColour, "DPI stage %1 colour", "DPI档位%1颜色", "DPI檔位%1顏色"},
    {AccessibleText::ReportRate, "Report rate", "报告率", "報告率"},
    {AccessibleText::KeyGroup, "Key group", "按键组", "按鍵組"},
    {AccessibleText::DialogClose, "Close", "关闭", "關閉"},
    {AccessibleText::FireKey, "Key", "按键", "按鍵"},
    {AccessibleText::Modifier, "Modifier", "修饰键", "修飾鍵"},
    {AccessibleText::ComboKey, "Key %1", "按键%1", "按鍵%1"},
    {AccessibleText::Skin, "Skin", "皮肤", "皮膚"},
    {AccessibleText::TextColour, "Text colour", "文字颜色", "文字顏色"},
    {AccessibleText::DelayTime, "Delay Time", "延迟时间", "延遲時間"},
    {AccessibleText::NameValue, "%1, %2", "%1，%2", "%1，%2"},
    {AccessibleText::DpiLevel, "level %1, %2 DPI", "级别%1，%2 DPI", "級別%1，%2 DPI"},
    {AccessibleText::EditsPending, "Changes not applied", "有未应用的更改", "有未應用的更改"},
    {AccessibleText::EditsApplied, "All changes applied", "所有更改已应用", "所有更改已應用"},
}};
static_assert(i18n_detail::RowsInOrder(kRows));

}  // namespace

std::string_view UiText(AccessibleText id, UiLanguage lang) {
  return i18n_detail::Lookup(kRows, id, lang);
}

std::string NumberedText(AccessibleText id, int number, UiLanguage lang) {
  return FilledText(id, std::to_string(number), {}, lang);
}

std::string FilledText(AccessibleText id, std::string_view first, std::string_view second, UiLanguage lang) {
  // One pass: a value that holds "%1" or "%2" itself stays as it is.
  const std::string_view pattern = UiText(id, lang);
  std::string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
      text += pattern[++i] == '1' ? first : second;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace corvaline
