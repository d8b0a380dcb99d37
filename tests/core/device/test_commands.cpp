#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "core/device/commands.h"
#include "core/device/transfer.h"
#include "device_test_support.h"
#include "fake_hid.h"

namespace corvaline {
namespace {

using testing::SimLink;

std::vector<std::string> Fields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> fields;
  for (std::string f; in >> f;) fields.push_back(f);
  return fields;
}

// The report of an FO line must be report ID 0 and the scrambled plain block.
void ExpectScrambledFrame(const std::string& line, const CommandBlock& plain) {
  const auto f = Fields(line);
  ASSERT_EQ(f.size(), 3u) << line;
  CommandBlock wire = plain;
  Scramble(wire, kHandshakeKey);
  EXPECT_EQ(f[2], "00" + HexBytes(wire)) << line;
}

TEST(Commands, ShortCommandsCarryTheKnownBlocks) {
  SimLink s;
  ASSERT_TRUE(s.Connect());

  WriteReportRate(s.link, 1);
  ASSERT_EQ(s.trace.size(), 1u);
  EXPECT_EQ(Fields(s.trace[0])[1], "01010000000000fd");
  ExpectScrambledFrame(s.trace[0], CommandBlock{0x01, 0x01, 0, 0, 0, 0, 0, 0xFD});
  EXPECT_EQ(s.mouse->State().reportRateCode, 1);

  s.trace.clear();
  WriteReportRate(s.link, 8);
  EXPECT_EQ(Fields(s.trace.at(0))[1], "01080000000000f6");
  EXPECT_EQ(s.mouse->State().reportRateCode, 8);

  s.trace.clear();
  ReadSensorInfo(s.link);
  ReadEffect(s.link);
  ASSERT_EQ(s.trace.size(), 4u);
  EXPECT_EQ(Fields(s.trace[0])[1], "830000000000007c");
  EXPECT_EQ(Fields(s.trace[1])[0], "FI");
  EXPECT_EQ(Fields(s.trace[2])[1], "8d00000000000072");
  EXPECT_EQ(Fields(s.trace[3])[0], "FI");
  EXPECT_EQ(s.sleeper.pauses.size(), 0u);
  EXPECT_EQ(s.link.failedTransfers, 0u);
}

TEST(Commands, BulkWritesSendTheirReportsWithPauses) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  for (int m = 0; m < kKeyMatrixCount; ++m)
    for (std::size_t i = 0; i < kKeyMatrixBytes; ++i)
      s.link.records.keyMatrix[m][i] = static_cast<std::uint8_t>(m * 64 + i);

  WriteKeyMatrixTables(s.link);
  ASSERT_GE(s.trace.size(), 6u);
  EXPECT_EQ(Fields(s.trace[0])[1], "12014000000000ac");
  EXPECT_EQ(Fields(s.trace[1])[0], "OUT");
  EXPECT_EQ(Fields(s.trace[1])[1], "00" + HexBytes(std::span(s.link.records.keyMatrix[0], 32)));
  EXPECT_EQ(s.trace[2], "SLEEP 3");
  EXPECT_EQ(Fields(s.trace[3])[0], "OUT");
  EXPECT_EQ(s.trace[4], "SLEEP 3");
  EXPECT_EQ(s.trace[5], "SLEEP 2");
  EXPECT_EQ(Fields(s.trace.at(6))[1].substr(0, 6), "120240");
  for (int m = 0; m < kKeyMatrixCount; ++m)
    EXPECT_EQ(std::memcmp(s.mouse->State().keyMatrix[m].data(), s.link.records.keyMatrix[m],
                          kKeyMatrixBytes), 0) << "matrix " << m + 1;

  s.trace.clear();
  std::memset(s.link.records.macroStaging.blocks[11], 0x5C, kMacroSize);
  TransferMacros(s.link, true);
  // The last macro: header, four data reports with 3 ms after each, then 2 ms.
  ASSERT_GE(s.trace.size(), 10u);
  const std::vector<std::string> tail(s.trace.end() - 10, s.trace.end());
  EXPECT_EQ(Fields(tail[0])[1], "130c800000000060");
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(Fields(tail[1 + 2 * k])[0], "OUT");
    EXPECT_EQ(tail[2 + 2 * k], "SLEEP 3");
  }
  EXPECT_EQ(tail[9], "SLEEP 2");
  EXPECT_EQ(s.mouse->State().macros.blocks[11][127], 0x5C);
  EXPECT_EQ(s.link.failedTransfers, 0u);
}

// A link on a scripted device that answers in plain.
struct ScriptedLink {
  ScriptedLink() {
    backend.collections = {};
    link.backend = &backend;
    link.sleeper = &sleeper;
    link.commandHandle = std::make_unique<testing::ScriptedDevice>(backend.script);
    link.featureReportLength = 9;
    link.inputReportLength = 33;
    link.outputReportLength = 33;
  }
  // An answer as the mouse sends it, checksum filled in unless it is to be damaged.
  void Answer(CommandBlock block, bool damaged = false) {
    SetChecksum(block);
    if (damaged) block[kChecksumIndex] ^= 0x01;
    std::vector<std::uint8_t> frame(9, 0);
    std::copy(block.begin(), block.end(), frame.begin() + 1);
    backend.script->featureReplies.push_back(frame);
  }
  testing::ScriptedBackend backend;
  testing::CountingSleeper sleeper;
  DeviceLink link;
};

// The sensor information goes back to the mouse as it was read: a damaged
// answer taken in would stay in the mouse's memory.
TEST(Commands, AnAnswerWhoseChecksumFailsChangesNoRecord) {
  ScriptedLink s;
  s.link.records.sensorInfo = SensorInfo{2, 1, 0x10, 0x40};
  s.Answer({0x83, 0x5C, 0x4A, 0x5C, 0xF4, 0, 0, 0}, /*damaged=*/true);
  EXPECT_FALSE(ReadSensorInfo(s.link));
  EXPECT_EQ(s.link.records.sensorInfo.sensorType, 2);
  EXPECT_EQ(s.link.records.sensorInfo.option1, 0x10);
  EXPECT_EQ(s.link.failedTransfers, 1u);
}

TEST(Commands, AnswersBeyondTheRecordsChangeNothing) {
  ScriptedLink s;
  LedColourTable before;
  before.fill(0xAB);
  s.link.records.colourTables[0] = s.link.records.colourTables[1] = before;

  // Length 0: no data report is read, nothing copied.
  s.Answer({0x90, 0, 0, 0, 0, 0, 0, 0});
  // A table that does not exist.
  s.Answer({0x90, 2, 24, 0, 0, 0, 0, 0});
  s.backend.script->inputReports.push_back(std::vector<std::uint8_t>(33, 0x11));
  TransferColourTables(s.link, false);
  EXPECT_EQ(s.backend.script->inputReads, 1);
  EXPECT_EQ(s.link.records.colourTables[0], before);
  EXPECT_EQ(s.link.records.colourTables[1], before);
  EXPECT_EQ(s.link.failedTransfers, 1u);

  // Longer than a colour table, and longer than any bulk transfer: the data
  // reports are still drained so the next answer is read in step.
  s.Answer({0x90, 0, 25, 0, 0, 0, 0, 0});
  s.Answer({0x90, 1, 200, 0, 0, 0, 0, 0});
  for (int k = 0; k < 1 + 7; ++k)
    s.backend.script->inputReports.push_back(std::vector<std::uint8_t>(33, 0x22));
  TransferColourTables(s.link, false);
  EXPECT_EQ(s.backend.script->inputReads, 1 + 8);
  EXPECT_TRUE(s.backend.script->inputReports.empty());
  EXPECT_EQ(s.link.records.colourTables[0], before);
  EXPECT_EQ(s.link.records.colourTables[1], before);

  // Macro numbers outside 1..12 and lengths over 128.
  std::memset(&s.link.records.macroStaging, 0x33, sizeof(MacroStaging));
  const MacroStaging staged = s.link.records.macroStaging;
  for (std::uint8_t m = 1; m <= kMacroCount; ++m)
    s.Answer({0x93, static_cast<std::uint8_t>(m == 1 ? 0 : m == 2 ? 13 : m), m <= 2 ? std::uint8_t{32} : std::uint8_t{160}, 0, 0, 0, 0, 0});
  for (int k = 0; k < 2 + 10 * 5; ++k)
    s.backend.script->inputReports.push_back(std::vector<std::uint8_t>(33, 0x44));
  TransferMacros(s.link, false);
  EXPECT_EQ(std::memcmp(&s.link.records.macroStaging, &staged, sizeof(MacroStaging)), 0);
  EXPECT_TRUE(s.backend.script->inputReports.empty());
}

}  // namespace
}  // namespace corvaline
