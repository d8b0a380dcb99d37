#include <gtest/gtest.h>

#include "core/settings/value_tables.h"

namespace corvaline {
namespace {

TEST(ReportRate, StopsCodesAndNotices) {
  const std::uint8_t codes[] = {8, 4, 2, 1};
  const int hz[] = {125, 250, 500, 1000};
  for (int stop = 0; stop < 4; ++stop) {
    EXPECT_EQ(ReportRateCodeAt(stop), codes[stop]);
    EXPECT_EQ(ReportRateStop(codes[stop]), stop);
    EXPECT_EQ(ReportRateHz(codes[stop]), hz[stop]);
  }
  EXPECT_EQ(ReportRateCodeAt(4), 0);
  EXPECT_EQ(ReportRateStop(0), -1);
  EXPECT_EQ(ReportRateStop(3), -1);
  EXPECT_EQ(ReportRateHz(16), 0);
  EXPECT_EQ(ReportRateNotice(1, UiLanguage::EN), "Switch report rate into 1000HZ");
  EXPECT_EQ(ReportRateNotice(8, UiLanguage::CHT), "報告率切換到125HZ");
  EXPECT_TRUE(ReportRateNotice(5, UiLanguage::EN).empty());
}

TEST(Dpi, CodesAndLabelsOfEverySensorType) {
  struct Case { int type, index, code; const char* label; };
  const Case cases[] = {
      {0, 0, 0x01, "250"},  {0, 7, 0x08, "2000"}, {0, 8, 0x25, "2500"}, {0, 11, 0x28, "4000"},
      {1, 0, 0x01, "600"},  {1, 4, 0x05, "1600"}, {1, 5, 0x23, "2000"}, {1, 7, 0x25, "3200"},
      {2, 0, 0x02, "250"},  {2, 4, 0x0A, "1250"}, {2, 5, 0x26, "1500"}, {2, 7, 0x2A, "2500"},
      {3, 0, 0x01, "400"},  {3, 7, 0x08, "3200"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DpiCode(c.type, c.index), c.code) << c.type << '/' << c.index;
    EXPECT_EQ(DpiLabel(c.type, c.index), c.label) << c.type << '/' << c.index;
  }
}

TEST(Dpi, OutOfRangeGivesNoLabelAndCodeZero) {
  // An index stored under the 12-level table has no entry in the 8-level ones.
  EXPECT_EQ(DpiLabel(0, 9), "3000");
  for (int type : {1, 2, 3}) {
    EXPECT_TRUE(DpiLabel(type, 9).empty());
    EXPECT_TRUE(DpiLabel(type, 8).empty());
    EXPECT_EQ(DpiCode(type, 8), 0);
  }
  EXPECT_EQ(DpiCode(0, 12), 0);
  EXPECT_EQ(DpiCode(0, 255), 0);
  EXPECT_EQ(DpiCode(0, -1), 0);
  for (int type : {4, 5, 255, -1}) {
    EXPECT_EQ(DpiCode(type, 0), 0);
    EXPECT_TRUE(DpiLabel(type, 0).empty());
  }
  // Unknown sensors still get a slider: the 12 levels of type 0.
  EXPECT_EQ(DpiSliderLevels(5), 12);
  EXPECT_EQ(DpiSliderSensorType(5), 0);
  EXPECT_EQ(DpiSliderLevels(2), 8);
  EXPECT_EQ(DpiSliderSensorType(2), 2);
}

TEST(Dpi, LevelClicksAndColourSwatches) {
  SettingsBlock s{};
  EXPECT_TRUE(SetDpiLevel(s, 2, 8));
  EXPECT_EQ(s.dpiStageIndex[2], 7);
  EXPECT_FALSE(SetDpiLevel(s, 2, 0));
  EXPECT_FALSE(SetDpiLevel(s, 4, 1));
  EXPECT_EQ(s.dpiStageIndex[2], 7);

  s.dpiStageEnabled[0] = 1;
  s.dpiStageEnabled[1] = 0;
  s.dpiStageEnabled[2] = 2;  // only exactly 1 counts as enabled
  EXPECT_TRUE(SetStageColour(s, 0, 10, 20, 30));
  EXPECT_EQ(s.dpiStageColour[0][0], 10);
  EXPECT_EQ(s.dpiStageColour[0][1], 20);
  EXPECT_EQ(s.dpiStageColour[0][2], 30);
  EXPECT_FALSE(SetStageColour(s, 1, 1, 1, 1));
  EXPECT_FALSE(SetStageColour(s, 2, 1, 1, 1));
  EXPECT_FALSE(SetStageColour(s, -1, 1, 1, 1));
  EXPECT_EQ(s.dpiStageColour[1][0], 0);
  EXPECT_EQ(s.dpiStageColour[2][0], 0);
}

TEST(Lighting, ListTextsAndRanges) {
  EXPECT_EQ(PeriodText(0), "0.5S");
  EXPECT_EQ(PeriodText(1), "1S");
  EXPECT_EQ(PeriodText(19), "10S");
  EXPECT_EQ(PeriodText(28), "14.5S");
  EXPECT_EQ(PeriodText(29), "15S");
  EXPECT_TRUE(PeriodText(30).empty());
  EXPECT_EQ(BrightnessText(9), "100%");
  EXPECT_TRUE(BrightnessText(10).empty());
  EXPECT_EQ(SpeedText(0), "8S");
  EXPECT_TRUE(SpeedText(5).empty());
  EXPECT_EQ(LedOptionName(0, UiLanguage::EN), "Non-Disolay");
  EXPECT_TRUE(LedOptionName(4, UiLanguage::EN).empty());
  EXPECT_TRUE(LedEffectName(-1, UiLanguage::EN).empty());

  EXPECT_EQ(EffectListEntries(UiLanguage::CHS),
            (std::vector<std::string_view>{"标准模式", "呼吸模式", "霓虹模式"}));
  EXPECT_EQ(ParameterListEntries(1).size(), 10u);
  EXPECT_EQ(ParameterListEntries(2).size(), 5u);
  EXPECT_EQ(ParameterListEntries(3).size(), 30u);
  EXPECT_EQ(ParameterListEntries(0).size(), 30u);
  EXPECT_TRUE(OptionListEntries(1, UiLanguage::EN).empty());
  EXPECT_EQ(OptionListEntries(2, UiLanguage::EN),
            (std::vector<std::string_view>{"RGB Effect", "RGB Flash"}));
  EXPECT_EQ(OptionListEntries(3, UiLanguage::EN),
            (std::vector<std::string_view>{"RGB Flash", "RGB Fixed On"}));
}

TEST(Lighting, HandlersStoreIntoTheFieldsOfTheCurrentEffect) {
  SettingsBlock s{};
  EXPECT_FALSE(ChooseLedEffect(s, -1, UiLanguage::EN));
  EXPECT_FALSE(ChooseLedEffect(s, 3, UiLanguage::EN));
  EXPECT_EQ(s.ledEffect, 0);

  // Off: a parameter choice changes only the box's text.
  EXPECT_EQ(ChooseLedParameter(s, 19), "10S");
  EXPECT_EQ(s.ledNeonPeriod, 0);

  ASSERT_TRUE(ChooseLedEffect(s, 2, UiLanguage::EN));
  EXPECT_EQ(s.ledEffect, 3);
  EXPECT_EQ(ChooseLedParameter(s, 19), "10S");
  EXPECT_EQ(s.ledNeonPeriod, 19);  // sent as Option1 = 20
  EXPECT_EQ(ChooseLedOption(s, 1, UiLanguage::EN), "RGB Fixed On");
  EXPECT_EQ(s.ledNeonOption, 3);
  EXPECT_TRUE(ChooseLedOption(s, 2, UiLanguage::EN).empty());
  EXPECT_EQ(s.ledNeonOption, 3);

  // Neon -> Standard keeps the Neon fields; Standard's box reads option name 1.
  auto shown = ChooseLedEffect(s, 0, UiLanguage::EN);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->effect, "Standard");
  EXPECT_EQ(shown->option, "RGB Effect");
  EXPECT_EQ(ChooseLedParameter(s, 9), "100%");
  EXPECT_EQ(s.ledStandardBrightness, 9);
  EXPECT_EQ(ChooseLedOption(s, 0, UiLanguage::EN), "RGB Effect");
  EXPECT_EQ(s.ledStandardOption, 1);
  EXPECT_EQ(s.ledNeonPeriod, 19);
  EXPECT_EQ(s.ledNeonOption, 3);

  shown = ChooseLedEffect(s, 2, UiLanguage::CHT);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->parameter, "10S");
  EXPECT_EQ(shown->option, "RGB常亮");

  ASSERT_TRUE(ChooseLedEffect(s, 1, UiLanguage::EN));
  EXPECT_EQ(ChooseLedOption(s, 1, UiLanguage::EN), "RGB Flash");
  EXPECT_EQ(s.ledRespirationOption, 2);
  EXPECT_EQ(ChooseLedParameter(s, 4), "4S");
  EXPECT_EQ(s.ledRespirationSpeed, 4);
  EXPECT_TRUE(ChooseLedParameter(s, 5).empty());
  EXPECT_EQ(s.ledRespirationSpeed, 4);
}

TEST(Lighting, ComposedBoxesShowStoredValuesAndNothingOutOfRange) {
  SettingsBlock s{};
  LedBoxTexts t = LedBoxCaptions(s, UiLanguage::EN);
  EXPECT_EQ(t.effect, "Off");
  EXPECT_TRUE(t.parameter.empty());
  EXPECT_TRUE(t.option.empty());

  s.ledEffect = 2;
  s.ledRespirationSpeed = 7;  // beyond the five speeds
  s.ledRespirationOption = 1;
  t = LedBoxCaptions(s, UiLanguage::EN);
  EXPECT_EQ(t.effect, "Respiration");
  EXPECT_TRUE(t.parameter.empty());
  EXPECT_EQ(t.option, "RGB Effect");

  s.ledEffect = 9;
  t = LedBoxCaptions(s, UiLanguage::EN);
  EXPECT_TRUE(t.effect.empty());
  EXPECT_TRUE(t.parameter.empty());
}

}  // namespace
}  // namespace corvaline
