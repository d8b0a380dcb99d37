#include "core/profiles/auto_texts.h"

namespace corvaline {
namespace {

std::string_view Pick(UiLanguage lang, std::string_view en, std::string_view chs,
                      std::string_view cht) {
  switch (lang) {
    case UiLanguage::CHS:
      return chs;
    case UiLanguage::CHT:
      return cht;
    default:
      return en;
  }
}

}  // namespace

std::string_view AutoSwitchMenuText(UiLanguage lang) {
  return Pick(lang, "Switch automatically", "自动切换", "自動切換");
}

std::string AutoAssignMenuText(std::string_view profile, std::string_view app, UiLanguage lang) {
  const std::string p(profile), a(app);
  switch (lang) {
    case UiLanguage::CHS:
      return "为 " + a + " 使用“" + p + "”";
    case UiLanguage::CHT:
      return "為 " + a + " 使用「" + p + "」";
    default:
      return "Use \"" + p + "\" for " + a;
  }
}

std::string AutoSwitchedText(std::string_view profile, std::string_view app, UiLanguage lang) {
  const std::string p(profile), a(app);
  switch (lang) {
    case UiLanguage::CHS:
      return "已为 " + a + " 切换到配置文件“" + p + "”";
    case UiLanguage::CHT:
      return "已為 " + a + " 切換到設定檔「" + p + "」";
    default:
      return "Profile \"" + p + "\" switched on for " + a;
  }
}

std::string AutoProfileFailedText(std::string_view profile, std::string_view app,
                                  std::string_view reason, UiLanguage lang) {
  const std::string p(profile), a(app), r(reason);
  switch (lang) {
    case UiLanguage::CHS:
      return "无法为 " + a + " 加载配置文件“" + p + "”，鼠标保持当前设置。\n" + r;
    case UiLanguage::CHT:
      return "無法為 " + a + " 載入設定檔「" + p + "」，滑鼠保持目前設定。\n" + r;
    default:
      return "Profile \"" + p + "\" for " + a + " cannot be loaded; the mouse keeps its settings.\n" + r;
  }
}

std::string_view AutoNeedsExtensionText(UiLanguage lang) {
  return Pick(lang,
              "Automatic profiles see only X11 windows here: native Wayland windows need the "
              "CORVALINE GNOME Shell extension (see the README).",
              "此处自动切换只能识别 X11 窗口：原生 Wayland 窗口需要 CORVALINE 的 GNOME Shell "
              "扩展（见 README）。",
              "此處自動切換只能識別 X11 視窗：原生 Wayland 視窗需要 CORVALINE 的 GNOME Shell "
              "擴充功能（見 README）。");
}

}  // namespace corvaline
