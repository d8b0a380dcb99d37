// The files a skin folder holds. A skin is complete when every one of them
// exists; there is no index file. Each name starts with the forward slash that
// separates it from the skin folder, so a path is simply folder + name.
#pragma once

#include <array>
#include <string_view>

namespace corvaline {

// Main window.
inline constexpr std::string_view kMainPng = "/main.png";
inline constexpr std::string_view kBasicPagePng = "/BasicSet2.png";
inline constexpr std::string_view kAdvancedPagePng = "/AdvancedSet2.png";
inline constexpr std::string_view kMinNormalPng = "/button-min-normal.png";
inline constexpr std::string_view kMinOverPng = "/button-min-over.png";
inline constexpr std::string_view kCloseNormalPng = "/button-close-normal.png";
inline constexpr std::string_view kCloseOverPng = "/button-close-over.png";
inline constexpr std::string_view kSkinsNormalPng = "/button-Skins-normal.png";
inline constexpr std::string_view kSkinsOverPng = "/button-Skins-over.png";
inline constexpr std::string_view kPrePageNormalPng = "/button-PrePage-normal.png";
inline constexpr std::string_view kPrePageOverPng = "/button-PrePage-over.png";
inline constexpr std::string_view kNextPageNormalPng = "/button-NextPage-normal.png";
inline constexpr std::string_view kNextPageOverPng = "/button-NextPage-over.png";
inline constexpr std::string_view kButtonNormalPng = "/button-normal.png";
inline constexpr std::string_view kButtonOverPng = "/button-over.png";
inline constexpr std::string_view kDropdownNormalPng = "/DropdownBox-normal.png";
inline constexpr std::string_view kDropdownOverPng = "/DropdownBox-over.png";
inline constexpr std::string_view kSliderRateDarkPng = "/slider-RP-dark.png";
inline constexpr std::string_view kSliderRateLightPng = "/slider-RP-light.png";
inline constexpr std::string_view kSliderDpiDarkPng = "/slider-DPI-dark.png";
inline constexpr std::string_view kSliderDpiLightPng = "/slider-DPI-light.png";
inline constexpr std::string_view kPanePng = "/Pane.png";
inline constexpr std::string_view kPaneTickPng = "/PaneMakingTick.png";
inline constexpr std::string_view kSliderDarkPng = "/slider-dark.png";
inline constexpr std::string_view kSliderLightPng = "/slider-light.png";

// Sub-dialog backgrounds; each dialog takes the size of its background.
inline constexpr std::string_view kComboKeyPng = "/combo-key.png";
inline constexpr std::string_view kSingleKeyPng = "/single-key.png";
inline constexpr std::string_view kDelayTimePng = "/delay-time.png";
inline constexpr std::string_view kFireKeyPng = "/fire-key.png";
inline constexpr std::string_view kMediaKeyPng = "/media-key.png";
inline constexpr std::string_view kWindowsKeyPng = "/windows-key.png";
inline constexpr std::string_view kMacroKeyPng = "/macro-key.png";
inline constexpr std::string_view kSkinsDialogPng = "/skins.png";

inline constexpr std::array<std::string_view, 33> kSkinFileSet = {
    kMainPng,           kBasicPagePng,       kAdvancedPagePng,   kMinNormalPng,
    kMinOverPng,        kCloseNormalPng,     kCloseOverPng,      kSkinsNormalPng,
    kSkinsOverPng,      kPrePageNormalPng,   kPrePageOverPng,    kNextPageNormalPng,
    kNextPageOverPng,   kButtonNormalPng,    kButtonOverPng,     kDropdownNormalPng,
    kDropdownOverPng,   kSliderRateDarkPng,  kSliderRateLightPng, kSliderDpiDarkPng,
    kSliderDpiLightPng, kPanePng,            kPaneTickPng,       kSliderDarkPng,
    kSliderLightPng,    kComboKeyPng,        kSingleKeyPng,      kDelayTimePng,
    kFireKeyPng,        kMediaKeyPng,        kWindowsKeyPng,     kMacroKeyPng,
    kSkinsDialogPng,
};

// Radio choices (the macro dialog's repeat modes), not part of a complete
// skin: without them the tick boxes stand in.
inline constexpr std::string_view kRadioPng = "/Radio.png";
inline constexpr std::string_view kRadioOnPng = "/Radio-on.png";

// Name of the skin chosen when str.ini names none.
inline constexpr std::string_view kDefaultSkinName = "Carbon";

// Message-box caption each sub-dialog shows (text "error") when its background
// cannot be loaded.
inline constexpr std::string_view kComboBackgroundFailed = "Combo Dialog Load background image failed!!!";
inline constexpr std::string_view kSingleBackgroundFailed = "Single Key Dialog Load background image failed!!!";
inline constexpr std::string_view kDelayBackgroundFailed = "DelayTime Dialog Load background image failed!!!";
inline constexpr std::string_view kFireBackgroundFailed = "FireKey Dialog Load background image failed!!!";
inline constexpr std::string_view kMediaBackgroundFailed = "Media Dialog Load background image failed!!!";
inline constexpr std::string_view kWindowsBackgroundFailed = "Windows Dialog Load background image failed!!!";
inline constexpr std::string_view kMacroBackgroundFailed = "Macro Key Dialog Load background image failed!!!";
inline constexpr std::string_view kSkinsBackgroundFailed = "Skins Dialog Load background image failed!!!";

}  // namespace corvaline
