#include <gtest/gtest.h>

#include <random>

#include "core/device/protocol.h"

namespace corvaline {
namespace {

TEST(CommandBlock, ChecksumsOfTheKnownBlocks) {
  EXPECT_EQ(MakeCommand(cmd::kSetReportRate, 1), (CommandBlock{0x01, 0x01, 0, 0, 0, 0, 0, 0xFD}));
  EXPECT_EQ(MakeCommand(cmd::kSetReportRate, 8), (CommandBlock{0x01, 0x08, 0, 0, 0, 0, 0, 0xF6}));
  EXPECT_EQ(MakeCommand(cmd::kGetSensorInfo), (CommandBlock{0x83, 0, 0, 0, 0, 0, 0, 0x7C}));
  EXPECT_EQ(MakeCommand(cmd::kGetEffect), (CommandBlock{0x8D, 0, 0, 0, 0, 0, 0, 0x72}));
  EXPECT_EQ(kHandshakeRequest, (CommandBlock{0x00, 0xAA, 0xDD, 0x3B, 0x62, 0, 0, 0xDB}));
  // Whatever byte 7 held is replaced.
  CommandBlock b{0x12, 0x01, 0x40, 0, 0, 0, 0, 0x55};
  SetChecksum(b);
  EXPECT_EQ(b[7], 0xAC);
}

TEST(Scrambler, UnscrambleUndoesScrambleForAnyBlockAndKey) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 2000; ++round) {
    CommandBlock plain;
    ScrambleKey key;
    for (auto& v : plain) v = static_cast<std::uint8_t>(byte(random));
    for (auto& v : key) v = static_cast<std::uint8_t>(byte(random));
    CommandBlock b = plain;
    Scramble(b, key);
    Unscramble(b, key);
    ASSERT_EQ(b, plain) << "round " << round;
  }
}

TEST(Scrambler, OnlyKeyBytesOneToSixMatter) {
  CommandBlock plain = MakeCommand(cmd::kSetLedTiming, 1, 2, 100, 10);
  ScrambleKey key = kHandshakeKey;
  CommandBlock reference = plain;
  Scramble(reference, key);

  ScrambleKey outerChanged = key;
  outerChanged[0] = 0xFF;
  outerChanged[7] = 0x77;
  CommandBlock b = plain;
  Scramble(b, outerChanged);
  EXPECT_EQ(b, reference);

  for (std::size_t i = 1; i <= 6; ++i) {
    ScrambleKey inner = key;
    inner[i] ^= 0x01;
    CommandBlock c = plain;
    Scramble(c, inner);
    EXPECT_NE(c, reference) << "key byte " << i;
  }
  // The transform really scrambles: the block on the wire is not the plain one.
  EXPECT_NE(reference, plain);
}

TEST(Scrambler, ZeroBlockWithZeroKeyIsTheSwappedFixedKey) {
  // Permuting, mixing and rotating zeros gives zeros; only the fixed key
  // remains, each byte with its nibbles exchanged ("VuKeMoRa").
  CommandBlock b{};
  Scramble(b, ScrambleKey{});
  EXPECT_EQ(b, (CommandBlock{0x65, 0x57, 0xB4, 0x56, 0xD4, 0xF6, 0x25, 0x16}));
}

}  // namespace
}  // namespace corvaline
