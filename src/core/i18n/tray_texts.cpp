#include "core/i18n/tray_texts.h"

#include <array>

#include "core/i18n/text_row.h"

namespace corvaline {

namespace {

using i18n_detail::TextRow;

constexpr std::array<TextRow<TrayText>, static_cast<std::size_t>(TrayText::Count)> kTrayRows{{
    {TrayText::Open, "Open", "打开", "打開"},
    {TrayText::Language, "Language", "语言", "語言"},
    {TrayText::English, "English", "English", "English"},
    {TrayText::SimplifiedChinese, "简体中文", "简体中文", "简体中文"},
    {TrayText::TraditionalChinese, "繁體中文", "繁體中文", "繁體中文"},
    {TrayText::AtNextStart, "The new language takes effect the next time the program starts.",
     "新的语言将在下次启动程序时生效。", "新的語言將在下次啟動程式時生效。"},
    {TrayText::TrayHint,
     "The program runs in the notification area. Click its icon to open the window; "
     "right-click it for the menu.",
     "程序在通知区域中运行。单击其图标打开窗口，右键单击打开菜单。",
     "程式在通知區域中執行。按一下其圖示開啟視窗，按右鍵開啟選單。"},
    {TrayText::AutoSwitchTrouble, "Not everything went well with this automatic switch:",
     "此次自动切换未能全部完成：", "此次自動切換未能全部完成："},
}};
static_assert(i18n_detail::RowsInOrder(kTrayRows));

}  // namespace

std::string_view UiText(TrayText id, UiLanguage lang) { return i18n_detail::Lookup(kTrayRows, id, lang); }

TrayText LanguageEntry(UiLanguage lang) {
  switch (lang) {
    case UiLanguage::CHS: return TrayText::SimplifiedChinese;
    case UiLanguage::CHT: return TrayText::TraditionalChinese;
    case UiLanguage::EN: break;
  }
  return TrayText::English;
}

}  // namespace corvaline
