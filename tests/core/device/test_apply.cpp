#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/buttons/button_action.h"
#include "core/device/apply.h"
#include "core/device/commands.h"
#include "device_test_support.h"

namespace corvaline {
namespace {

using testing::SimLink;

// A block with something in every field Apply sends.
SettingsBlock KnownBlock() {
  SettingsBlock s{};
  for (int slot = 0; slot < kButtonSlots; ++slot) {
    s.buttons[0].category[slot] = static_cast<std::uint8_t>(slot % 6);
    s.buttons[1].category[slot] = static_cast<std::uint8_t>(FunctionCategory::SingleKey);
    s.buttons[1].singleKeyUsage[slot] = static_cast<std::uint8_t>(0x04 + slot);
  }
  for (int m = 0; m < kMacroBlocks; ++m)
    for (int i = 0; i < kMacroBlockSize; ++i) s.macroArea[m][i] = static_cast<std::uint8_t>(m * 16 + i);
  s.reportRateCode = 2;
  const std::uint8_t index[] = {0, 3, 7, 11};
  const std::uint8_t enabled[] = {1, 0, 1, 7};
  for (int k = 0; k < kDpiStages; ++k) {
    s.dpiStageIndex[k] = index[k];
    s.dpiStageEnabled[k] = enabled[k];
    for (int c = 0; c < 3; ++c) s.dpiStageColour[k][c] = static_cast<std::uint8_t>(0x10 * (k + 1) + c);
  }
  s.ledEffect = 3;
  s.ledNeonPeriod = 19;
  s.ledNeonOption = 3;
  return s;
}

// What the mouse holds before Apply: values Apply must pass back untouched.
void PrepareMouse(sim::VirtualMouse& mouse) {
  sim::MouseState state = mouse.State();
  state.sensorInfo = {1, 3, 4, 0};
  state.effect = {1, 5, 9};
  state.ledTiming = {LedTimingRecord{1, 40, 50}, LedTimingRecord{2, 60, 70}};
  for (std::size_t i = 0; i < kColourTableSize; ++i) {
    state.colourTables[0][i] = static_cast<std::uint8_t>(0xA0 + i);
    state.colourTables[1][i] = static_cast<std::uint8_t>(0xC0 + i);
  }
  mouse.SetState(state);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + '\n';
  return text;
}

TEST(Apply, WholeSequenceMatchesTheRecordedTraffic) {
  SimLink s;
  PrepareMouse(*s.mouse);
  ASSERT_TRUE(s.Connect());
  RefreshSensorInfo(s.link);
  s.trace.clear();
  s.sleeper.pauses.clear();

  std::vector<std::string> order;
  std::size_t linesAtSave = 0;
  ApplySavers savers{[&] {
                       order.push_back("settings");
                       linesAtSave = s.trace.size();
                       return Outcome();
                     },
                     [&] { order.push_back("texts"); return Outcome(); }, {}};
  const SettingsBlock block = KnownBlock();
  EXPECT_TRUE(ApplySettings(s.link, block, savers).AllDone());
  EXPECT_EQ(order, (std::vector<std::string>{"settings", "texts"}));
  EXPECT_EQ(linesAtSave, s.trace.size());
  EXPECT_EQ(s.sleeper.Total(), 249);

  const std::string golden = std::string(CORVALINE_TEST_DATA_DIR) + "/apply_trace.txt";
  if (std::getenv("CORVALINE_UPDATE_GOLDEN")) std::ofstream(golden) << Joined(s.trace);
  std::ifstream in(golden);
  ASSERT_TRUE(in) << golden;
  std::stringstream expected;
  expected << in.rdbuf();
  EXPECT_EQ(Joined(s.trace), expected.str());

  // Sensor type 1: codes 01 02 03 04 05 23 24 25. Stage 2 is off; stage 4
  // points past the 8-level table and gets its highest code.
  const sim::MouseState m = s.mouse->State();
  EXPECT_EQ(m.dpiTable, (DpiTable{0x01, 0x84, 0x25, 0x25, 0x80, 0x80, 0x80, 0x80}));
  EXPECT_EQ(m.effect.option2, 9);  // Neon keeps the mouse's Option2
  EXPECT_EQ(m.colourTables[0][23], 0xA0 + 23);
  const KeyMatrixTable modeA = SerializeKeyMatrix(BuildKeyMatrix(block, KeyGroup::ModeA));
  const KeyMatrixTable modeB = SerializeKeyMatrix(BuildKeyMatrix(block, KeyGroup::ModeB));
  ASSERT_NE(modeA, modeB);
  EXPECT_EQ(std::memcmp(m.keyMatrix[0].data(), modeA.data(), kKeyMatrixBytes), 0);
  EXPECT_EQ(std::memcmp(m.keyMatrix[2].data(), modeB.data(), kKeyMatrixBytes), 0);
  const std::array<std::uint8_t, kKeyMatrixBytes> zeros{};
  EXPECT_EQ(m.keyMatrix[1], zeros);
  EXPECT_EQ(m.keyMatrix[3], zeros);
}

TEST(Apply, LightingRulesChangeOnlyTheirFields) {
  DeviceRecords read{};
  read.effect = {0, 7, 9};
  read.ledTiming[0] = {4, 40, 50};
  read.ledTiming[1] = {5, 60, 70};
  read.colourTables[0].fill(0xA5);
  read.colourTables[1].fill(0xC3);

  struct Case {
    std::uint8_t effect, brightness, speed, period, respiration, neon;
    EffectRecord wantEffect;
    LedTimingRecord wantTiming;
  };
  const Case cases[] = {
      {0, 1, 1, 1, 1, 2, {0, 7, 9}, {4, 40, 50}},     // Off: all as read
      {1, 9, 0, 0, 2, 2, {1, 10, 2}, {1, 40, 50}},    // Standard: only the mode
      {2, 0, 4, 0, 1, 0, {2, 5, 2}, {1, 40, 50}},
      {2, 0, 0, 0, 2, 0, {2, 1, 3}, {2, 125, 3}},
      {2, 0, 2, 0, 5, 0, {2, 3, 9}, {4, 40, 50}},     // unknown option: kept
      {3, 0, 0, 0, 0, 2, {3, 1, 9}, {2, 100, 10}},
      {3, 0, 0, 29, 0, 3, {3, 30, 9}, {3, 5, 5}},
      {3, 0, 0, 5, 0, 7, {3, 6, 9}, {4, 40, 50}},
      {9, 3, 3, 3, 2, 3, {0, 7, 9}, {4, 40, 50}},     // no such effect: as read
  };
  for (const Case& c : cases) {
    SettingsBlock s{};
    s.ledEffect = c.effect;
    s.ledStandardBrightness = c.brightness;
    s.ledRespirationSpeed = c.speed;
    s.ledNeonPeriod = c.period;
    s.ledRespirationOption = c.respiration;
    s.ledNeonOption = c.neon;
    s.dpiStageColour[3][2] = 0xEE;
    DeviceRecords r = read;
    ApplyLightingToRecords(s, r);
    const std::string name = "effect " + std::to_string(c.effect);
    EXPECT_EQ(std::memcmp(&r.effect, &c.wantEffect, 3), 0) << name;
    EXPECT_EQ(std::memcmp(&r.ledTiming[0], &c.wantTiming, 3), 0) << name;
    EXPECT_EQ(std::memcmp(&r.ledTiming[1], &read.ledTiming[1], 3), 0) << name;
    EXPECT_EQ(r.colourTables[0], read.colourTables[0]) << name;
    LedColourTable stages{};
    stages[11] = 0xEE;
    EXPECT_EQ(r.colourTables[1], stages) << name;
  }
}

TEST(Apply, DpiStagesForUnknownSensorsAndEnableValues) {
  SettingsBlock s{};
  const std::uint8_t index[] = {0, 7, 8, 200};
  const std::uint8_t enabled[] = {0, 1, 2, 0};
  for (int k = 0; k < kDpiStages; ++k) {
    s.dpiStageIndex[k] = index[k];
    s.dpiStageEnabled[k] = enabled[k];
  }
  // Type 2: 02 04 06 08 0A 26 28 2A.
  EXPECT_EQ(BuildDpiTable(s, 2), (DpiTable{0x82, 0x2A, 0x2A, 0xAA, 0x80, 0x80, 0x80, 0x80}));
  // Type 0 has 12 levels: position 8 is 0x25.
  EXPECT_EQ(BuildDpiTable(s, 0), (DpiTable{0x81, 0x08, 0x25, 0xA8, 0x80, 0x80, 0x80, 0x80}));
  // A sensor type without a table sends code 0.
  EXPECT_EQ(BuildDpiTable(s, 5), (DpiTable{0x80, 0x00, 0x00, 0x80, 0x80, 0x80, 0x80, 0x80}));
}

TEST(Apply, UnpluggingHalfwayStillFinishesAndSaves) {
  for (int after : {0, 3, 20, 60}) {
    SimLink s;
    ASSERT_TRUE(s.Connect());
    s.mouse->VanishAfterTransfers(after);
    int saved = 0;
    const SettingsBlock block = KnownBlock();
    const unsigned failed =
        ApplySettings(s.link, block, ApplySavers{[&] { ++saved; return Outcome(); }, [&] { ++saved; return Outcome(); }, {}})
            .failedTransfers;
    EXPECT_GT(failed, 0u) << after;
    EXPECT_EQ(saved, 2) << after;
    // The sequence ran to its last command.
    ASSERT_FALSE(s.trace.empty());
    EXPECT_EQ(s.trace.back(), "SLEEP 2");
    EXPECT_EQ(s.trace[s.trace.size() - 6].substr(0, 9), "FO 120440") << after;
  }

  // No mouse opened at all.
  DeviceLink link;
  testing::CountingSleeper sleeper;
  link.sleeper = &sleeper;
  int saved = 0;
  EXPECT_GT(ApplySettings(link, KnownBlock(), ApplySavers{[&] { ++saved; return Outcome(); }, {}, {}}).failedTransfers, 50u);
  EXPECT_EQ(saved, 1);
}

TEST(Apply, ProblemTextsSayWhatWentWrongAndNothingElse) {
  const std::filesystem::path config = "d/config.bin", str = "d/str.ini";
  ApplyReport r;
  r.settingsWritten = true;
  EXPECT_TRUE(ApplyProblemTexts(r, UiLanguage::EN, config, str).empty());
  r.failedTransfers = 2;
  r.captionsSaved = Outcome::Failed("x");
  EXPECT_EQ(ApplyProblemTexts(r, UiLanguage::EN, config, str),
            (std::vector<std::string>{"2 transfer(s) to the mouse failed; the mouse may not have taken every "
                                      "setting. The settings were saved; check the connection and press Apply "
                                      "again.",
                                      "The button captions could not be saved to d/str.ini. The settings "
                                      "themselves were saved."}));
  // Not saved: no word of "saved"; a lock's reason is passed on as it is.
  r.settingsWritten = false;
  r.settingsSaved = Outcome::Failed("The settings were not saved: locked");
  const auto texts = ApplyProblemTexts(r, UiLanguage::CHS, config, str);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "有 2 次传输失败，鼠标可能没有收到全部设置。");
  EXPECT_EQ(texts[1], "The settings were not saved: locked");
}

}  // namespace
}  // namespace corvaline
