#include <gtest/gtest.h>

#include <random>

#include "core/device/protocol.h"

namespace corvaline {
namespace {

TEST(CommandBlock, ChecksumReplacesWhateverByteSevenHeld) {
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
}

}  // namespace
}  // namespace corvaline
