#include "core/i18n/accessible_texts.h"

#include "core/i18n/text_row.h"

namespace corvaline {
namespace {

using i18n_detail::TextRow;

constexpr std::array<TextRow<AccessibleText>, static_cast<std::size_t>(AccessibleText::Count)> kRows{{
    {AccessibleText::BasicTab, "Basic Settings page", "基本设置页", "基本設置頁"},
    {AccessibleText::AdvancedTab, "Advanced Settings page", "高级设置页", "高級設置頁"},
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
}};
static_assert(i18n_detail::RowsInOrder(kRows));

}  // namespace

std::string_view UiText(AccessibleText id, UiLanguage lang) {
  return i18n_detail::Lookup(kRows, id, lang);
}

std::string NumberedText(AccessibleText id, int number, UiLanguage lang) {
  std::string text(UiText(id, lang));
  if (const std::size_t at = text.find("%1"); at != std::string::npos)
    text.replace(at, 2, std::to_string(number));
  return text;
}

}  // namespace corvaline
