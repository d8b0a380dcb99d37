#include <gtest/gtest.h>

#include <cstring>

#include "core/settings/settings_block.h"

namespace corvaline {
namespace {

TEST(SettingsStore, CancelReturnsToTheLastSnapshotNotTheLoadedState) {
  SettingsStore store;
  store.settings.reportRateCode = 8;  // as loaded
  TakeSnapshot(store);
  store.settings.reportRateCode = 1;  // applied
  TakeSnapshot(store);
  store.settings.reportRateCode = 4;  // edited, then cancelled
  store.settings.macroArea[3][0] = 0x55;
  RestoreSnapshot(store);
  EXPECT_EQ(store.settings.reportRateCode, 1);
  EXPECT_EQ(store.settings.macroArea[3][0], 0);
}

TEST(SettingsStore, ModeBColumnsStartAfterTheModeATable) {
  SettingsBlock block{};
  auto* raw = reinterpret_cast<unsigned char*>(&block);
  block.table(KeyGroup::ModeB).category[3] = 14;
  block.table(KeyGroup::ModeB).comboKey1[2] = 7;
  block.dpiSwitchSelector[1][5] = 3;
  EXPECT_EQ(raw[192 + 3], 14);
  EXPECT_EQ(raw[192 + 12 * 12 + 2], 7);
  EXPECT_EQ(raw[1973 + 5], 3);
}

}  // namespace
}  // namespace corvaline
