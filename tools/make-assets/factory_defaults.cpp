#include "factory_defaults.h"

#include <cstring>
#include <system_error>

#include "core/settings/atomic_file.h"
#include "core/settings/config_file.h"
#include "core/settings/ini_file.h"
#include "core/settings/utf8_paths.h"

namespace corvaline::assets {
namespace {

// The buttons as the Default command sets them, identical in both groups.
void SetButtonDefaults(SettingsBlock& s) {
  constexpr std::uint8_t kCategories[kButtonSlots] = {0, 1, 2, 3, 4, 6, 5, 6, 12, 7, 15, 15};
  for (int g = 0; g < 2; ++g) {
    ButtonTable& t = s.buttons[g];
    std::memcpy(t.category, kCategories, sizeof kCategories);
    t.comboModifiers[8] = 0x08;  // left Windows key
    t.comboKey1[8] = 0x07;       // D
    t.comboKey2[8] = 0;
    s.dpiSwitchSelector[g][5] = 3;  // DPI Loop
    s.dpiSwitchSelector[g][7] = 4;  // Shift DPI
  }
}

}  // namespace

SettingsBlock FactorySettings() {
  SettingsBlock s{};
  SetButtonDefaults(s);
  s.reportRateCode = 1;  // 1000 Hz
  // Positions 1, 3, 5, 7 exist in the DPI table of every sensor type.
  constexpr std::uint8_t kStages[kDpiStages] = {1, 3, 5, 7};
  constexpr std::uint8_t kColours[kDpiStages][3] = {
      {0xFF, 0x20, 0x20}, {0x20, 0xFF, 0x40}, {0x20, 0x60, 0xFF}, {0xFF, 0xC0, 0x00}};
  for (int i = 0; i < kDpiStages; ++i) {
    s.dpiStageIndex[i] = kStages[i];
    s.dpiStageEnabled[i] = 1;
    std::memcpy(s.dpiStageColour[i], kColours[i], 3);
  }
  s.ledEffect = 2;              // Respiration
  s.ledStandardBrightness = 9;  // 100 %
  s.ledRespirationSpeed = 2;    // 6 s
  s.ledNeonPeriod = 3;          // 2 s
  s.ledStandardOption = 1;
  s.ledRespirationOption = 1;
  s.ledNeonOption = 2;
  // The pointer settings the Advanced page restores.
  s.pointerPrecision = 0;
  s.wheelPageScroll = 0;
  s.pointerSpeedLevel = 6;
  s.wheelScrollLines = 3;
  s.doubleClickLevel = 6;
  s.currentMode = 0;
  return s;
}

std::string WriteDeliveredFiles(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return "cannot create " + Utf8FromPath(folder) + ": " + ec.message();

  std::string config(kConfigFileSize, '\0');
  config[0] = 0;  // never applied: the first showing resets the captions
  const SettingsBlock block = FactorySettings();
  std::memcpy(config.data() + 1, &block, sizeof block);
  if (!WriteFileAtomically(folder / "config.bin", config))
    return "cannot write " + Utf8FromPath(folder / "config.bin");

  // No "Lan" key: English. White text on the default dark skin.
  const auto str = folder / "str.ini";
  std::filesystem::remove(str, ec);
  for (auto [key, value] : {std::pair{"RColor", "255"}, {"GColor", "255"}, {"BColor", "255"},
                            {"Path", kDefaultSkin}}) {
    if (!IniWriteString(str, "Skins", key, value)) return "cannot write " + Utf8FromPath(str);
  }
  return {};
}

}  // namespace corvaline::assets
