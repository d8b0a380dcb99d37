#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "core/macros/macro_encoder.h"
#include "core/macros/record_store.h"
#include "macro_test_support.h"

namespace corvaline {
namespace {

using macro_testing::Bytes;
using macro_testing::MacroText;
using macro_testing::ScratchDir;
using macro_testing::WriteRecordIni;
using Block = std::vector<std::uint8_t>;

// The event area of an encoded block up to its first n bytes.
Block EventBytes(const MacroBlockBytes& block, std::size_t n) {
  return Bytes(block + kEventAreaOffset, n);
}

bool ZeroFrom(const MacroBlockBytes& block, std::size_t from) {
  for (std::size_t i = from; i < kMacroBlockSize; ++i) {
    if (block[i] != 0) return false;
  }
  return true;
}

TEST(MacroEncoder, DelaysPickTheShortOrLongRecordAtThe1270msBoundary) {
  MacroBlockBytes block{};
  EncodeMacroBlock({"A   Dn", "1270 ms", "B   Up", "1271 ms", "C   Dn", "25 ms", "D   Up",
                    "10000 ms", "E   Dn"},
                   block);
  const Block expected = {
      127,         0x04,             // 1270 ms: 127 steps of 10 ms
      0x80 | 71,   0x05, 12, 3,      // 1271 ms: 12 hundreds + 71 ms, release flag
      2,           0x06,             // 25 ms truncated to 20 ms
      0x80 | 0,    0x07, 100, 3,     // 10000 ms: 100 hundreds
      0,           0x08};            // last event: no delay after it
  EXPECT_EQ(EventBytes(block, expected.size()), expected);
  EXPECT_TRUE(ZeroFrom(block, kEventAreaOffset + expected.size()));
}

TEST(MacroEncoder, PressDelayReleaseKeepsTheLoopCountAndClearsOldEvents) {
  MacroBlockBytes block;
  std::memset(block, 0xEE, sizeof block);
  block[0] = 0;
  block[1] = 3;
  const BlockEncodeResult r = EncodeMacroBlock({"A   Dn", "50 ms", "A   Up"}, block);
  EXPECT_EQ(Bytes(block, 6), (Block{0x00, 0x03, 0x05, 0x04, 0x80, 0x04}));
  EXPECT_TRUE(ZeroFrom(block, 6));
  EXPECT_EQ(r.eventsEncoded, 2);
  EXPECT_FALSE(r.truncated);
}

TEST(MacroEncoder, OddItemsEncodeSafely) {
  MacroBlockBytes block{};
  // Unknown key name -> code 0; a stray text is skipped like a delay; a
  // negative pause counts as none; a pause beyond what the long record can
  // carry is held at 255 hundreds + 99 ms instead of wrapping around.
  EncodeMacroBlock({"Menu   Dn", "-30 ms", "hello", "M-Button   Up", "99999 ms", "a   Dn"}, block);
  const Block expected = {0, 0x00, 0x80 | 99, 0xF2, 255, 3, 0, 0x00};
  EXPECT_EQ(EventBytes(block, expected.size()), expected);
}

TEST(MacroEncoder, StopsAtTheLastRecordThatFitsTheEventArea) {
  SettingsBlock settings{};
  std::memset(settings.macroArea[1], 0x5A, kMacroBlockSize);

  std::vector<std::string> shortItems;
  for (int i = 0; i < 70; ++i) shortItems.insert(shortItems.end(), {"Z   Dn", "50 ms"});
  BlockEncodeResult r = EncodeMacroBlock(shortItems, settings.macroArea[0]);
  EXPECT_EQ(r.eventsEncoded, 63);  // 126 bytes of 2-byte records
  EXPECT_TRUE(r.truncated);
  EXPECT_EQ(settings.macroArea[0][127], 0x1D);

  // 4-byte records: 31 fit (124 bytes); the 32nd would cross the block end,
  // and a short record after it is not squeezed in either.
  std::vector<std::string> longItems;
  for (int i = 0; i < 31; ++i) longItems.insert(longItems.end(), {"Z   Dn", "2000 ms"});
  longItems.insert(longItems.end(), {"Y   Dn", "2000 ms", "X   Dn"});
  r = EncodeMacroBlock(longItems, settings.macroArea[0]);
  EXPECT_EQ(r.eventsEncoded, 31);
  EXPECT_TRUE(r.truncated);
  EXPECT_EQ(Bytes(settings.macroArea[0] + 122, 6), (Block{0, 0x1D, 20, 3, 0, 0}));

  for (std::uint8_t b : settings.macroArea[1]) ASSERT_EQ(b, 0x5A) << "next block overwritten";
}

class MacroAreaTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  std::filesystem::path ini = dir / "record.ini";
  SettingsBlock settings{};
};

TEST_F(MacroAreaTest, ItemCountZeroClearsTheWholeBlockOthersKeepTheirLoopCount) {
  WriteRecordIni(ini, {{"empty", {}}, {"one", {"B   Dn"}}});
  for (int k = 0; k < 4; ++k) std::memset(settings.macroArea[k], 0x11, kMacroBlockSize);
  ASSERT_TRUE(EncodeMacroArea(ini, settings));
  EXPECT_TRUE(ZeroFrom(settings.macroArea[0], 0));
  EXPECT_EQ(Bytes(settings.macroArea[1], 5), (Block{0x11, 0x11, 0, 0x05, 0}));
  // Blocks after the last section keep what they held.
  EXPECT_EQ(settings.macroArea[2][0], 0x11);
  EXPECT_EQ(settings.macroArea[3][127], 0x11);
}

TEST_F(MacroAreaTest, DamagedItemCountsAreReadSafely) {
  std::ofstream(ini, std::ios::binary)
      << "[huge]\r\nItemCount=2147483647\r\nItem0=A   Dn\r\nItem1=30 ms\r\nItem40=A   Up\r\n"
         "Item07=X\r\nItem2147483647=B   Dn\r\n"
         "[text]\r\nItemCount=many\r\nItem0=B   Dn\r\n"
         "[none]\r\nItemCount=2\r\n";
  for (int k = 0; k < 3; ++k) std::memset(settings.macroArea[k], 0x22, kMacroBlockSize);
  ASSERT_TRUE(EncodeMacroArea(ini, settings));
  // Items after a gap are read, without visiting two billion indices.
  EXPECT_EQ(ReadMacroItems(ini, "huge"), (std::vector<std::string>{"A   Dn", "30 ms", "", "A   Up"}));
  EXPECT_EQ(Bytes(settings.macroArea[0], 7), (Block{0x22, 0x22, 3, 0x04, 0x80, 0x04, 0}));
  EXPECT_TRUE(ZeroFrom(settings.macroArea[1], 0));  // non-numeric count reads as 0
  EXPECT_EQ(settings.macroArea[2][1], 0x22);         // a count without items: loop count kept
  EXPECT_TRUE(ZeroFrom(settings.macroArea[2], 2));
}

TEST_F(MacroAreaTest, ExtraSectionsBeyondTwelveAreNotEncoded) {
  std::vector<MacroText> macros;
  for (int i = 0; i < 14; ++i) macros.push_back({"m" + std::to_string(i), {"F1   Dn"}});
  macros[11].items = {"F12   Up"};
  WriteRecordIni(ini, macros);
  std::memset(settings.reserved0, 0x77, sizeof settings.reserved0);
  const auto report = EncodeMacroArea(ini, settings);
  ASSERT_TRUE(report);
  EXPECT_EQ(report->macrosEncoded, 12);
  EXPECT_EQ(report->sectionsIgnored, 2);
  EXPECT_EQ(EventBytes(settings.macroArea[11], 2), (Block{0x80, 0x45}));
  EXPECT_EQ(settings.reserved0[0], 0x77);
  EXPECT_EQ(settings.reserved0[4], 0x77);
}

TEST_F(MacroAreaTest, LongNamesDoNotHideTheLastMacros) {
  // Twelve 31-character names make a list far longer than 256 characters.
  std::vector<MacroText> macros;
  for (int i = 0; i < 12; ++i) {
    std::string name = "A rather long macro name no " + std::to_string(10 + i);
    name.resize(31, 'x');
    macros.push_back({name, {"Space   Dn"}});
  }
  WriteRecordIni(ini, macros);
  const auto report = EncodeMacroArea(ini, settings);
  ASSERT_TRUE(report);
  EXPECT_EQ(report->macrosEncoded, 12);
  EXPECT_EQ(EventBytes(settings.macroArea[11], 2), (Block{0, 0x2C}));
}

TEST_F(MacroAreaTest, MissingFileLeavesTheAreaAlone) {
  settings.macroArea[0][2] = 9;
  EXPECT_FALSE(EncodeMacroArea(ini, settings));
  EXPECT_EQ(settings.macroArea[0][2], 9);
}

TEST(MacroLoopCount, IsBigEndianAndIgnoresBlocksOutsideTheArea) {
  SettingsBlock settings{};
  SetMacroLoopCount(settings, 4, 0x1234);
  EXPECT_EQ(settings.macroArea[4][0], 0x12);
  EXPECT_EQ(settings.macroArea[4][1], 0x34);
  EXPECT_EQ(MacroLoopCount(settings, 4), 0x1234);
  SetMacroLoopCount(settings, 12, 5);  // would land in the reserved bytes
  EXPECT_EQ(settings.reserved0[1], 0);
  EXPECT_EQ(MacroLoopCount(settings, -1), 0);
}

}  // namespace
}  // namespace corvaline
