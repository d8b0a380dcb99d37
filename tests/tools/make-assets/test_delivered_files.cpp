#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "core/settings/config_file.h"
#include "core/settings/ini_file.h"
#include "factory_defaults.h"

namespace corvaline {
namespace {

const std::filesystem::path kAssets = std::filesystem::path(CORVALINE_SOURCE_DIR) / "assets";

std::string Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The committed files must be exactly what the generator makes, so nobody
// edits them by hand and drifts from the code.
TEST(DeliveredFiles, CommittedFilesAreWhatTheGeneratorWrites) {
  std::random_device random;
  const auto out = std::filesystem::temp_directory_path() / ("corvaline-assets-" + std::to_string(random()));
  ASSERT_EQ(assets::WriteDeliveredFiles(out), "");
  EXPECT_EQ(Bytes(out / "config.bin"), Bytes(kAssets / "config.bin"));
  EXPECT_EQ(Bytes(out / "str.ini"), Bytes(kAssets / "str.ini"));
  std::filesystem::remove_all(out);
}

TEST(DeliveredFiles, ConfigLoadsWithFactoryDefaults) {
  SettingsStore store;
  ASSERT_TRUE(LoadSettings(store, kAssets / "config.bin"));
  const SettingsBlock& s = store.settings;
  EXPECT_EQ(store.firstRunFlag, 0);
  EXPECT_EQ(s.reportRateCode, 1);
  for (int g = 0; g < 2; ++g) {
    const ButtonTable& t = s.buttons[g];
    EXPECT_EQ(t.category[0], 0);
    EXPECT_EQ(t.category[8], 12);
    EXPECT_EQ(t.comboModifiers[8], 8);
    EXPECT_EQ(t.comboKey1[8], 7);
    EXPECT_EQ(t.category[10], 15);
    EXPECT_EQ(s.dpiSwitchSelector[g][5], 3);
    EXPECT_EQ(s.dpiSwitchSelector[g][7], 4);
  }
  for (int i = 0; i < kDpiStages; ++i) {
    EXPECT_EQ(s.dpiStageEnabled[i], 1);
    EXPECT_LT(s.dpiStageIndex[i], 8);  // valid for every sensor type
    if (i > 0) {
      EXPECT_GT(s.dpiStageIndex[i], s.dpiStageIndex[i - 1]);
    }
  }
  EXPECT_EQ(s.pointerSpeedLevel, 6);
  EXPECT_EQ(s.wheelScrollLines, 3);
  EXPECT_EQ(s.doubleClickLevel, 6);
  EXPECT_TRUE(s.ledRespirationOption == 1 || s.ledRespirationOption == 2);
  EXPECT_TRUE(s.ledNeonOption == 2 || s.ledNeonOption == 3);
}

TEST(DeliveredFiles, StrIniNamesTheDefaultSkinAndNoLanguage) {
  const auto str = kAssets / "str.ini";
  EXPECT_EQ(IniReadString(str, "Skins", "Path"), assets::kDefaultSkin);
  EXPECT_EQ(IniReadString(str, "Skins", "Lan"), "");
  EXPECT_EQ(IniReadString(str, "Skins", "RColor"), "255");
}

}  // namespace
}  // namespace corvaline
