// The sub-dialogs' texts in the three languages, and the lookups built on the
// tables (category names, list captions).
#include <array>

#include "core/i18n/text_row.h"
#include "core/i18n/ui_strings.h"

namespace corvaline {
namespace {

using i18n_detail::Lookup;
using i18n_detail::RowsInOrder;
using i18n_detail::TextRow;

constexpr std::array<TextRow<DialogText>, 2> kDialogRows{{
    {DialogText::Ok, "OK", "确定", "確定"},
    {DialogText::Cancel, "Cancel", "取消", "取消"},
}};
static_assert(RowsInOrder(kDialogRows));

constexpr std::array<TextRow<DelayTimeText>, 2> kDelayRows{{
    {DelayTimeText::Prompt, "Please enter a delay", "请输入一个延时", "請輸入一個延時"},
    {DelayTimeText::RangeNote, "(value range 20-10000)", "(数值范围 20-10000)",
     "(數值範圍 20-10000)"},
}};
static_assert(RowsInOrder(kDelayRows));

constexpr std::array<TextRow<SingleKeyText>, 1> kSingleRows{{
    {SingleKeyText::Prompt, "Please enter a key", "请输入一个按键", "請輸入一個按鍵"},
}};
static_assert(RowsInOrder(kSingleRows));

constexpr std::array<TextRow<SkinsText>, 1> kSkinsRows{{
    {SkinsText::ColourPrompt, "Please click to set the UI text color", "请点击设置UI文本颜色",
     "請點擊設置UI文本顏色"},
}};
static_assert(RowsInOrder(kSkinsRows));

constexpr std::array<TextRow<FireKeyText>, 6> kFireRows{{
    {FireKeyText::InitialKey, "A", "A", "A"},
    {FireKeyText::SpeedLabel, "Speed", "速度", "速度"},
    {FireKeyText::TimesLabel, "Times", "次数", "次數"},
    {FireKeyText::Illustration, "Illustration:", "说明:", "說明:"},
    {FireKeyText::SpeedHelp, "Speed (value range 5-255, with smaller values faster)",
     "速度(数值范围5-255，数值越小速度越快)", "速度(數值範圍5-255，數值越小速度越快)"},
    {FireKeyText::TimesHelp,
     "Times (value range 0-255,0 indicates fire key to end when the key released)",
     "次数(数值范围0-255，0表示按键放开火力键结束)", "次數(數值範圍0-255，0表示按鍵放開火力鍵結束)"},
}};
static_assert(RowsInOrder(kFireRows));

constexpr std::array<TextRow<MediaText>, 8> kMediaRows{{
    {MediaText::Display, "Next", "下一首", "下一首"},
    {MediaText::Next, "Next", "下一首", "下一首"},
    {MediaText::Previous, "Previous", "上一首", "上一首"},
    {MediaText::Stop, "Stop", "停止", "停止"},
    {MediaText::PlayPause, "Play/Pause", "播放/暂停", "播放/暫停"},
    {MediaText::Mute, "Mute", "静音", "靜音"},
    {MediaText::VolumeUp, "Vol+", "音量+", "音量+"},
    {MediaText::VolumeDown, "Vol-", "音量-", "音量-"},
}};
static_assert(RowsInOrder(kMediaRows));

constexpr std::array<TextRow<WindowsText>, 12> kWindowsRows{{
    {WindowsText::Display, "Multimedia Player", "打开多媒体播放器", "打開多媒體播放器"},
    {WindowsText::MultimediaPlayer, "Multimedia Player", "打开多媒体播放器", "打開多媒體播放器"},
    {WindowsText::Mail, "Mail", "邮件", "郵件"},
    {WindowsText::Calculator, "Calculator", "计算器", "計算器"},
    {WindowsText::MyComputer, "My Computer", "我的电脑", "我的電腦"},
    {WindowsText::BrowserSearch, "Browser-Search", "浏览器-搜索", "瀏覽器-搜索"},
    {WindowsText::BrowserHome, "Browser-Home", "浏览器-主页", "瀏覽器-主頁"},
    {WindowsText::BrowserBack, "Browser-Back", "浏览器-后退", "瀏覽器-後退"},
    {WindowsText::BrowserForward, "Browser-Forward", "浏览器-前进", "瀏覽器-前進"},
    {WindowsText::BrowserStop, "Browser-Stop", "浏览器-停止", "瀏覽器-停止"},
    {WindowsText::BrowserRefresh, "Browser-Refresh", "浏览器-刷新", "瀏覽器-刷新"},
    {WindowsText::BrowserFavorites, "Browser-My Favorites", "浏览器-收藏夹", "瀏覽器-我的最愛"},
}};
static_assert(RowsInOrder(kWindowsRows));

constexpr std::array<TextRow<MacroDialogText>, 4> kMacroRows{{
    {MacroDialogText::RepeatCounted, "Repeat a specified number of times or press any key to end",
     "重复指定次数或按任意键结束", "重複指定次數或按任意鍵結束"},
    {MacroDialogText::RepeatUntilKey, "Repeat until press any key to end", "重复直到按任意键结束",
     "重複直到按任意鍵結束"},
    {MacroDialogText::RepeatWhileHeld, "Repeat until the key is released", "重复直到该按键松开结束",
     "重複直到該按鍵鬆開結束"},
    {MacroDialogText::Prompt, "Please select a macro", "请从列表框选择一个宏",
     "請從清單方塊選擇一個巨集"},
}};
static_assert(RowsInOrder(kMacroRows));

// Category codes 0..15 in code order; the menus list the same names.
constexpr std::array<MainText, 16> kCategoryTexts{
    MainText::FnLeftClick, MainText::FnRightClick, MainText::FnMidClick,
    MainText::FnForward,   MainText::FnBackward,   MainText::FnTripleClick,
    MainText::FnDpiSwitch, MainText::FnRgbOnOff,   MainText::FnWindows,
    MainText::FnMultimedia, MainText::FnFireKey,   MainText::FnSingleKey,
    MainText::FnComboKey,  MainText::FnMacroKey,   MainText::FnShift,
    MainText::FnKeyOff,
};

}  // namespace

std::string_view UiText(DialogText id, UiLanguage lang) { return Lookup(kDialogRows, id, lang); }
std::string_view UiText(DelayTimeText id, UiLanguage lang) { return Lookup(kDelayRows, id, lang); }
std::string_view UiText(SingleKeyText id, UiLanguage lang) { return Lookup(kSingleRows, id, lang); }
std::string_view UiText(SkinsText id, UiLanguage lang) { return Lookup(kSkinsRows, id, lang); }
std::string_view UiText(FireKeyText id, UiLanguage lang) { return Lookup(kFireRows, id, lang); }
std::string_view UiText(MediaText id, UiLanguage lang) { return Lookup(kMediaRows, id, lang); }
std::string_view UiText(WindowsText id, UiLanguage lang) { return Lookup(kWindowsRows, id, lang); }
std::string_view UiText(MacroDialogText id, UiLanguage lang) { return Lookup(kMacroRows, id, lang); }

std::string_view CategoryName(int category, UiLanguage lang) {
  if (category < 0 || category >= static_cast<int>(kCategoryTexts.size())) return {};
  return UiText(kCategoryTexts[static_cast<std::size_t>(category)], lang);
}

std::string_view MediaEntryText(int position, UiLanguage lang) {
  constexpr int kEntries = static_cast<int>(MediaText::Count) - 1;
  if (position < 0 || position >= kEntries) return {};
  return UiText(static_cast<MediaText>(static_cast<int>(MediaText::Next) + position), lang);
}

std::string_view WindowsEntryText(int position, UiLanguage lang) {
  constexpr int kEntries = static_cast<int>(WindowsText::Count) - 1;
  if (position < 0 || position >= kEntries) return {};
  return UiText(
      static_cast<WindowsText>(static_cast<int>(WindowsText::MultimediaPlayer) + position), lang);
}

}  // namespace corvaline
