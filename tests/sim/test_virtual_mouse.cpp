// The virtual mouse behind the in-process backend, driven with raw reports.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "host_link.h"
#include "sim/in_process_backend.h"

namespace corvaline::sim {
namespace {

using testing::HostLink;

class VirtualMouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mouse = std::make_shared<VirtualMouse>();
    backend = CreateInProcessHidBackend(mouse);
  }

  std::unique_ptr<HidDevice> Open(const char* path, HidOpenMode mode = HidOpenMode::Commands) {
    HidCollectionInfo info;
    info.path = path;
    HidOpenResult device = backend->Open(info, mode);
    return device ? std::move(*device) : nullptr;
  }

  std::shared_ptr<VirtualMouse> mouse;
  std::unique_ptr<HidBackend> backend;
};

TEST_F(VirtualMouseTest, ListsEventThenFeatureCollectionWithReportLengths) {
  const auto list = backend->Enumerate();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].usagePage, 0xFF01);
  EXPECT_EQ(list[0].usage, 0xFF01);
  EXPECT_EQ(list[0].inputReportLength, 8);
  EXPECT_EQ(list[0].featureReportLength, 0);
  EXPECT_EQ(list[1].usagePage, 0xFF00);
  EXPECT_EQ(list[1].featureReportLength, 9);
  EXPECT_EQ(list[1].inputReportLength, 33);
  EXPECT_EQ(list[1].outputReportLength, 33);
  for (const auto& c : list) {
    EXPECT_EQ(c.vendorId, 0x04D9);
    EXPECT_EQ(c.productId, 0xA09F);
  }
  auto swapped = CreateInProcessHidBackend(mouse, {.featureFirst = true})->Enumerate();
  EXPECT_EQ(swapped[0].path, kInProcessFeaturePath);
}

TEST_F(VirtualMouseTest, RefusesPlainHandshakeAndAcceptsScrambledOne) {
  auto dev = Open(kInProcessFeaturePath);
  HostLink plain{*dev, false};
  EXPECT_FALSE(plain.Handshake());
  HostLink scrambled{*dev};
  EXPECT_TRUE(scrambled.Handshake());
  // Scrambled with a key of the wrong value: the firmware ignores the block.
  HostLink stranger{*dev, true, {0, 1, 2, 3, 4, 5, 6, 0}};
  EXPECT_FALSE(stranger.Handshake());
  const auto s = mouse->State();
  EXPECT_EQ(s.handshakesRefused, 1);
  EXPECT_EQ(s.handshakesAccepted, 1);
}

TEST_F(VirtualMouseTest, KeepsShortRecordsAndAnswersReadsFromThem) {
  auto dev = Open(kInProcessFeaturePath);
  HostLink link{*dev};
  mouse->SetSensorType(2);
  auto info = link.Command(MakeCommand(cmd::kGetSensorInfo));
  ASSERT_TRUE(info);
  EXPECT_EQ((*info)[0], cmd::kGetSensorInfo);
  EXPECT_EQ((*info)[1], 2);
  EXPECT_EQ((*info)[7], CommandChecksum(*info));

  link.Command(MakeCommand(cmd::kSetSensorInfo, 3, (*info)[2], (*info)[3], (*info)[4] | 0x40));
  link.Command(MakeCommand(cmd::kSetReportRate, 8));
  link.Command(MakeCommand(cmd::kSetEffect, 3, 20, 9));
  link.Command(MakeCommand(cmd::kSetLedTiming, 1, 3, 5, 5));
  link.Command(MakeCommand(cmd::kSetLedTiming, 2, 9, 9, 9));  // no such record: ignored

  EXPECT_EQ((*link.Command(MakeCommand(cmd::kGetSensorInfo)))[4], (*info)[4] | 0x40);
  const auto effect = *link.Command(MakeCommand(cmd::kGetEffect));
  EXPECT_EQ(std::vector<int>(effect.begin() + 1, effect.begin() + 4), (std::vector<int>{3, 20, 9}));
  const auto timing = *link.Command(MakeCommand(cmd::kGetLedTiming, 1));
  EXPECT_EQ(std::vector<int>(timing.begin() + 1, timing.begin() + 5), (std::vector<int>{1, 3, 5, 5}));
  const auto s = mouse->State();
  EXPECT_EQ(s.reportRateCode, 8);
  EXPECT_EQ(s.sensorInfo.sensorType, 3);
  EXPECT_EQ(s.ledTiming[0].mode, 1);  // factory value untouched
}

TEST_F(VirtualMouseTest, BulkWritesAreStoredAndReadBack) {
  auto dev = Open(kInProcessFeaturePath);
  HostLink link{*dev};
  std::vector<std::uint8_t> macro(kMacroSize);
  for (std::size_t i = 0; i < macro.size(); ++i) macro[i] = static_cast<std::uint8_t>(i * 3 + 1);
  link.Command(MakeCommand(cmd::kSetMacro, 12, kMacroSize));
  ASSERT_TRUE(link.WriteData(macro));
  auto head = link.Command(MakeCommand(cmd::kGetMacro, 12));
  ASSERT_TRUE(head);
  EXPECT_EQ((*head)[1], 12);
  EXPECT_EQ((*head)[2], kMacroSize);
  EXPECT_EQ(link.ReadData(4), macro);
  // Nothing more is pending: a further read fails instead of hanging.
  std::vector<std::uint8_t> extra(kDataReportLength);
  std::size_t got = 0;
  EXPECT_EQ(dev->ReadInput(extra, got), HidReadResult::Error);

  std::vector<std::uint8_t> colours(kColourTableSize, 0x5C);
  link.Command(MakeCommand(cmd::kSetColourTable, 1, kColourTableSize));
  link.WriteData(colours);
  head = link.Command(MakeCommand(cmd::kGetColourTable, 1));
  EXPECT_EQ((*head)[2], kColourTableSize);
  auto read = link.ReadData(1);
  read.resize(kColourTableSize);
  EXPECT_EQ(read, colours);

  std::vector<std::uint8_t> matrix(kKeyMatrixBytes);
  matrix[0] = 0x11;
  matrix[63] = 0x22;
  link.Command(MakeCommand(cmd::kSetKeyMatrix, 3, kKeyMatrixBytes));
  link.WriteData(matrix);
  link.Command(MakeCommand(cmd::kSetDpiStages, 4, 8));
  link.WriteData(std::vector<std::uint8_t>{0x01, 0x82, 0x03, 0x04, 0x80, 0x80, 0x80, 0x80});
  const auto s = mouse->State();
  EXPECT_EQ(s.keyMatrix[2][0], 0x11);
  EXPECT_EQ(s.keyMatrix[2][63], 0x22);
  EXPECT_EQ(s.keyMatrix[0][0], 0);
  EXPECT_EQ(s.dpiTable[1], 0x82);
  EXPECT_EQ(s.dpiStageCount, 4);
}

TEST_F(VirtualMouseTest, InterruptedOrHeaderlessBulkDataIsDropped) {
  auto dev = Open(kInProcessFeaturePath);
  HostLink link{*dev};
  const auto before = mouse->State().macros;
  std::vector<std::uint8_t> half(64, 0xAB);
  link.Command(MakeCommand(cmd::kSetMacro, 1, kMacroSize));
  link.WriteData(half);                                  // two of four reports
  link.Command(MakeCommand(cmd::kGetEffect));            // a new command ends the transfer
  link.WriteData(std::vector<std::uint8_t>(64, 0xCD));   // no header in front: dropped
  EXPECT_EQ(0, std::memcmp(mouse->State().macros.blocks, before.blocks, sizeof before.blocks));
  // A read with an unknown table answers length 0 and sends no data.
  auto head = link.Command(MakeCommand(cmd::kGetColourTable, 5));
  EXPECT_EQ((*head)[2], 0);
  EXPECT_TRUE(link.ReadData(1).empty());
}

TEST_F(VirtualMouseTest, MisbehavesOnRequest) {
  auto dev = Open(kInProcessFeaturePath);
  HostLink link{*dev};
  HostLink plain{*dev, false};

  mouse->SetMisbehaviour(Misbehaviour::NoAnswer);
  EXPECT_TRUE(link.Put(kHandshakeRequest));
  EXPECT_FALSE(link.Get());

  mouse->SetMisbehaviour(Misbehaviour::PlainEcho);
  EXPECT_TRUE(plain.Handshake());

  mouse->SetMisbehaviour(Misbehaviour::WrongKey);
  EXPECT_FALSE(link.Handshake());
  ASSERT_TRUE(link.Get());
  EXPECT_NE(*link.Get(), CommandBlock{});  // it does answer, just not readably

  mouse->SetMisbehaviour(Misbehaviour::OversizeLength);
  auto head = link.Command(MakeCommand(cmd::kGetColourTable, 0));
  EXPECT_EQ((*head)[2], 0xFF);
  const auto data = link.ReadData(100);
  ASSERT_EQ(data.size(), 8 * kDataReportPayload);
  EXPECT_EQ(data[0], mouse->State().colourTables[0][0]);
  EXPECT_EQ(data[200], 0xEE);

  mouse->SetMisbehaviour(Misbehaviour::BadIndex);
  head = link.Command(MakeCommand(cmd::kGetMacro, 1));
  EXPECT_GT((*head)[1], kMacroCount);
  head = link.Command(MakeCommand(cmd::kGetColourTable, 1));
  EXPECT_GT((*head)[1], 1);

  mouse->SetMisbehaviour(Misbehaviour::None);
  EXPECT_TRUE(link.Handshake());
}

TEST_F(VirtualMouseTest, RejectsTransfersOfWrongShapeOrMode) {
  auto query = Open(kInProcessFeaturePath, HidOpenMode::Query);
  std::vector<std::uint8_t> frame(kFeatureReportLength, 0);
  EXPECT_FALSE(query->SetFeature(frame));
  auto dev = Open(kInProcessFeaturePath);
  EXPECT_TRUE(dev->SetFeature(frame));
  std::vector<std::uint8_t> longFrame(16, 0);
  EXPECT_FALSE(dev->SetFeature(longFrame));
  frame[0] = 3;  // no such report ID
  EXPECT_FALSE(dev->GetFeature(frame));
  auto events = Open(kInProcessEventsPath);
  frame[0] = 0;
  EXPECT_FALSE(events->SetFeature(frame));
  EXPECT_EQ(Open("elsewhere"), nullptr);
}

TEST_F(VirtualMouseTest, VanishesAfterTransfersAndComesBackOnPlug) {
  ASSERT_TRUE(backend->StartDeviceMonitor());
  auto dev = Open(kInProcessFeaturePath);
  auto events = Open(kInProcessEventsPath, HidOpenMode::Events);
  HostLink link{*dev};
  link.Command(MakeCommand(cmd::kSetReportRate, 4));
  mouse->VanishAfterTransfers(2);
  EXPECT_TRUE(link.Put(MakeCommand(cmd::kGetEffect)));
  EXPECT_TRUE(link.Get());
  EXPECT_FALSE(link.Put(MakeCommand(cmd::kGetEffect)));
  EXPECT_FALSE(mouse->IsPlugged());
  EXPECT_TRUE(backend->Enumerate().empty());
  std::vector<std::uint8_t> buf(kEventReportLength);
  std::size_t got = 0;
  EXPECT_EQ(events->ReadInput(buf, got), HidReadResult::Gone);

  auto changes = backend->TakeDeviceChanges();
  ASSERT_EQ(changes.size(), 2u);
  for (const auto& c : changes) {
    EXPECT_EQ(c.kind, HidDeviceChange::Kind::Removal);
    EXPECT_NE(c.interfaceName.find("VID_04D9&PID_A09F"), std::string::npos);
  }
  EXPECT_EQ(Open(kInProcessFeaturePath), nullptr);

  mouse->Plug();
  changes = backend->TakeDeviceChanges();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].kind, HidDeviceChange::Kind::Arrival);
  EXPECT_TRUE(backend->TakeDeviceChanges().empty());
  // The handle from before the removal stays dead; a new one works and the
  // settings survived.
  EXPECT_FALSE(link.Put(MakeCommand(cmd::kGetEffect)));
  auto fresh = Open(kInProcessFeaturePath);
  HostLink again{*fresh};
  EXPECT_TRUE(again.Handshake());
  EXPECT_EQ(mouse->State().reportRateCode, 4);
}

TEST_F(VirtualMouseTest, RaisesEventReportsToOpenReaders) {
  auto early = Open(kInProcessEventsPath, HidOpenMode::Events);
  ASSERT_TRUE(mouse->RaiseEvent(kEventDpiStage, 3));
  auto reader = Open(kInProcessEventsPath, HidOpenMode::Events);  // opened after: misses it
  ASSERT_TRUE(mouse->RaiseEvent(kEventReportRate, 8));
  std::vector<std::uint8_t> buf(40, 0xFF);
  std::size_t got = 0;
  ASSERT_EQ(reader->ReadInput(buf, got), HidReadResult::Ok);
  ASSERT_EQ(got, kEventReportLength);
  EXPECT_EQ(buf[0], kEventReportId);
  EXPECT_EQ(buf[1], kEventReportRate);
  EXPECT_EQ(buf[2], 0);
  EXPECT_EQ(buf[3], 8);
  ASSERT_EQ(early->ReadInput(buf, got), HidReadResult::Ok);
  EXPECT_EQ(buf[1], kEventDpiStage);
  EXPECT_EQ(mouse->State().reportRateCode, 8);
  EXPECT_EQ(mouse->State().dpiStage, 3);

  std::thread later([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    mouse->RaiseEvent(kEventKeyGroup, 2);
  });
  EXPECT_EQ(reader->ReadInput(buf, got), HidReadResult::Ok);
  EXPECT_EQ(buf[1], kEventKeyGroup);
  later.join();

  const std::uint8_t odd[] = {5, kEventDpiStage, 0, 1};
  mouse->SendRawEventReport(odd);
  ASSERT_EQ(reader->ReadInput(buf, got), HidReadResult::Ok);
  EXPECT_EQ(buf[0], 5);
}

TEST_F(VirtualMouseTest, ReadsEndOnCancelAndOnUnplug) {
  auto reader = Open(kInProcessEventsPath, HidOpenMode::Events);
  std::vector<std::uint8_t> buf(kEventReportLength);
  std::size_t got = 0;
  // A cancel before the read is kept for it.
  reader->CancelRead();
  EXPECT_EQ(reader->ReadInput(buf, got), HidReadResult::Cancelled);
  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    reader->CancelRead();
  });
  EXPECT_EQ(reader->ReadInput(buf, got), HidReadResult::Cancelled);
  canceller.join();
  std::thread unplugger([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    mouse->Unplug();
  });
  EXPECT_EQ(reader->ReadInput(buf, got), HidReadResult::Gone);
  unplugger.join();
  EXPECT_FALSE(mouse->RaiseEvent(kEventMacroKey, 1));
}

}  // namespace
}  // namespace corvaline::sim
