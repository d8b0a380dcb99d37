#include "core/i18n/tray_texts.h"

#include <array>

#include "core/i18n/text_row.h"

namespace corvaline {

namespace {

using i18n_detail::TextRow;

constexpr std::array<TextRow<TrayText>, 6> kTrayRows{{
    {TrayText::Open, "Open", "打开", "打開"},
    {TrayText::Language, "Language", "语言", "語言"},
    {TrayText::English, "English", "English", "English"},
    {TrayText::SimplifiedChinese, "简体中文", "简体中文", "简体中文"},
    {TrayText::TraditionalChinese, "繁體中文", "繁體中文", "繁體中文"},
    {TrayText::AtNextStart, "The new language takes effect the next time the program starts.",
     "新的语言将在下次启动程序时生效。", "新的語言將在下次啟動程式時生效。"},
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
