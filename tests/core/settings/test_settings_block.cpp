#include <gtest/gtest.h>

#include <cstring>

#include "core/settings/block_merge.h"
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

TEST(BlockMerge, EachSideKeepsItsOwnFieldsAndOnlyOneFieldChangedByBothConflicts) {
  SettingsBlock base{};
  base.reportRateCode = 1;
  SettingsBlock mine = base, theirs = base;
  mine.reportRateCode = 8;                    // the user's edit
  theirs.dpiStageIndex[2] = 5;                // another program's
  theirs.buttons[1].category[3] = 6;          // and a button of Mode B
  theirs.dpiSwitchSelector[1][3] = 3;
  mine.ledEffect = theirs.ledEffect = 2;      // both alike: no conflict
  BlockMerge m = MergeBlocks(base, mine, theirs);
  EXPECT_TRUE(m.conflicts.empty());
  EXPECT_EQ(m.merged.reportRateCode, 8);
  EXPECT_EQ(m.merged.dpiStageIndex[2], 5);
  EXPECT_EQ(m.merged.buttons[1].category[3], 6);
  EXPECT_EQ(m.merged.dpiSwitchSelector[1][3], 3);
  EXPECT_EQ(m.merged.ledEffect, 2);
  EXPECT_EQ(m.theirButtons, (std::vector<std::pair<int, int>>{{1, 3}}));

  theirs.reportRateCode = 4;
  mine.dpiStageEnabled[2] = 1;  // one field with the stage's level: theirs changed it too
  m = MergeBlocks(base, mine, theirs);
  EXPECT_EQ(m.conflicts, (std::vector<std::string>{"DPI stage 3", "report rate"}));
  EXPECT_EQ(m.merged.reportRateCode, 8);
  EXPECT_EQ(m.merged.dpiStageIndex[2], 0);
}

}  // namespace
}  // namespace corvaline
