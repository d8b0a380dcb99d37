#include "core/profiles/profile_texts.h"

#include <array>

namespace corvaline {
namespace {

struct Row {
  std::string_view en, chs, cht;
};

constexpr std::array<Row, static_cast<int>(ProfileText::Count)> kRows = {{
    {"Profiles", "配置文件", "設定檔"},
    {"Save Current Settings as Profile...", "将当前设置保存为配置文件...",
     "將目前設定儲存為設定檔..."},
    {"(no profiles)", "（无配置文件）", "（無設定檔）"},
    {"Profile name:", "配置文件名称：", "設定檔名稱："},
}};

}  // namespace

std::string_view ProfileUiText(ProfileText id, UiLanguage lang) {
  const int i = static_cast<int>(id);
  if (i < 0 || i >= static_cast<int>(kRows.size())) return {};
  switch (lang) {
    case UiLanguage::CHS:
      return kRows[i].chs;
    case UiLanguage::CHT:
      return kRows[i].cht;
    default:
      return kRows[i].en;
  }
}

std::string ProfileLoadedText(std::string_view name, UiLanguage lang) {
  const std::string n(name);
  switch (lang) {
    case UiLanguage::CHS:
      return "已加载配置文件“" + n + "”";
    case UiLanguage::CHT:
      return "已載入設定檔「" + n + "」";
    default:
      return "Profile \"" + n + "\" loaded";
  }
}

std::string ProfileSavedText(std::string_view name, UiLanguage lang) {
  const std::string n(name);
  switch (lang) {
    case UiLanguage::CHS:
      return "已将当前设置保存为配置文件“" + n + "”";
    case UiLanguage::CHT:
      return "已將目前設定儲存為設定檔「" + n + "」";
    default:
      return "Current settings saved as profile \"" + n + "\"";
  }
}

}  // namespace corvaline
