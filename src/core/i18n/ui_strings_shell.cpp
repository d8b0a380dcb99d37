// The program's own notices in the three languages.
#include "core/i18n/text_row.h"
#include "core/i18n/ui_strings.h"

namespace corvaline {
namespace {

using i18n_detail::TextRow;

constexpr std::array<TextRow<ShellText>, static_cast<std::size_t>(ShellText::Count)> kShellRows{{
    {ShellText::SkinReplaced,
     "The skin \"%1\" cannot be loaded (%2). The delivered skin \"%3\" is shown instead.",
     "无法载入皮肤“%1”（%2）。现在显示自带的皮肤“%3”。",
     "無法載入面板「%1」（%2）。現在顯示內建的面板「%3」。"},
    {ShellText::NoSkin,
     "No skin can be shown:\n%1\n\nReinstall the program or repair the skins in\n%2\n\n"
     "Close this window with the button at the top right.",
     "无法显示任何皮肤：\n%1\n\n请重新安装本程序，或修复以下文件夹中的皮肤：\n%2\n\n"
     "可用右上角的按钮关闭本窗口。",
     "無法顯示任何面板：\n%1\n\n請重新安裝本程式，或修復以下資料夾中的面板：\n%2\n\n"
     "可用右上角的按鈕關閉本視窗。"},
    {ShellText::UnappliedOnClose,
     "Some changes have not been applied yet. Apply them to the mouse before closing?",
     "有些更改尚未应用。关闭前要将它们应用到鼠标吗？",
     "有些變更尚未應用。關閉前要將它們應用到滑鼠嗎？"},
    {ShellText::Discard, "Discard", "放弃", "放棄"},
    {ShellText::OutsideChange,
     "Another program changed %1 while this window was open. Apply your changes over it?",
     "在本窗口打开期间，另一个程序修改了 %1。要用您的更改覆盖它吗？",
     "在本視窗開啟期間，另一個程式修改了 %1。要用您的變更覆寫它嗎？"},
    {ShellText::CaptionsNotSaved,
     "The button captions could not be saved to %1. The settings themselves were saved.",
     "按键名称无法保存到 %1。设置本身已经保存。",
     "按鍵名稱無法儲存到 %1。設定本身已經儲存。"},
    {ShellText::NothingLoaded,
     "No settings could be loaded from %1 or from the factory settings in %2, so nothing is sent "
     "to the mouse. Reinstall the program or restore one of these files.",
     "无法从 %1 或 %2 中的出厂设置载入任何设置，因此不会向鼠标发送任何内容。请重新安装本程序，或恢复其中一个文件。",
     "無法從 %1 或 %2 中的出廠設定載入任何設定，因此不會向滑鼠傳送任何內容。請重新安裝本程式，或還原其中一個檔案。"},
    {ShellText::TransfersFailed,
     "%1 transfer(s) to the mouse failed; the mouse may not have taken every setting.",
     "有 %1 次传输失败，鼠标可能没有收到全部设置。",
     "有 %1 次傳輸失敗，滑鼠可能沒有收到全部設置。"},
    {ShellText::SavedTryAgain,
     "The settings were saved; check the connection and press Apply again.",
     "设置已保存，请检查连接后再按应用。",
     "設置已保存，請檢查連接後再按應用。"},
    {ShellText::SettingsNotSaved,
     "The settings could not be saved to %1.",
     "设置无法保存到 %1。",
     "設定無法儲存到 %1。"},
}};
static_assert(i18n_detail::RowsInOrder(kShellRows));

}  // namespace

std::string_view UiText(ShellText id, UiLanguage lang) { return i18n_detail::Lookup(kShellRows, id, lang); }

std::string FilledText(ShellText id, std::string_view value, UiLanguage lang) {
  std::string text(UiText(id, lang));
  if (const std::size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, value);
  return text;
}

}  // namespace corvaline
