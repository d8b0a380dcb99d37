// A mouse lost, or answering garbage, at every single transfer of a
// handshake, RefreshSensorInfo and a whole Apply. Whatever transfer it is,
// nothing crashes, an Apply runs to its end and saves config.bin whole, and
// once the mouse is plugged in again a fresh handshake and a second Apply
// bring it exactly what the block says.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "core/device/apply.h"
#include "core/device/commands.h"
#include "core/settings/config_file.h"
#include "device_test_support.h"
#include "test_support.h"

namespace corvaline {
namespace {

using testing_support::ReadBytes;
using testing_support::ScratchDir;
using testing_support::WriteBytes;

enum class FaultKind { None, Vanish, Garbage };

// Counts the command collection's transfers and spoils the one asked for:
// a read gets random bytes, a write sends random bytes to the mouse.
struct FaultPlan {
  FaultKind kind = FaultKind::None;
  int at = 0;  // 1-based
  int count = 0;
  bool Hit() { return ++count == at && kind == FaultKind::Garbage; }
  void Fill(std::span<std::uint8_t> bytes) const {
    std::mt19937 random(static_cast<unsigned>(at));
    for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random());
  }
};

class FaultyDevice final : public HidDevice {
 public:
  FaultyDevice(std::unique_ptr<HidDevice> inner, FaultPlan& plan, bool commands)
      : inner_(std::move(inner)), plan_(plan), commands_(commands) {}
  bool SetFeature(std::span<const std::uint8_t> report) override { return Write(report, true); }
  bool WriteOutput(std::span<const std::uint8_t> report) override { return Write(report, false); }
  bool GetFeature(std::span<std::uint8_t> report) override {
    const bool ok = inner_->GetFeature(report);
    if (!commands_ || !plan_.Hit()) return ok;
    plan_.Fill(report.subspan(1));
    return true;
  }
  HidReadResult ReadInput(std::span<std::uint8_t> buffer, std::size_t& got) override {
    const HidReadResult r = inner_->ReadInput(buffer, got);
    if (!commands_ || !plan_.Hit()) return r;
    got = buffer.size();
    plan_.Fill(buffer);
    return HidReadResult::Ok;
  }
  void CancelRead() override { inner_->CancelRead(); }

 private:
  bool Write(std::span<const std::uint8_t> report, bool feature) {
    std::vector<std::uint8_t> bytes(report.begin(), report.end());
    if (commands_ && plan_.Hit()) plan_.Fill(bytes);
    return feature ? inner_->SetFeature(bytes) : inner_->WriteOutput(bytes);
  }
  std::unique_ptr<HidDevice> inner_;
  FaultPlan& plan_;
  bool commands_;
};

class FaultyBackend final : public HidBackend {
 public:
  FaultyBackend(std::unique_ptr<HidBackend> inner, FaultPlan& plan)
      : inner_(std::move(inner)), plan_(plan) {}
  std::vector<HidCollectionInfo> Enumerate() override { return inner_->Enumerate(); }
  HidOpenResult Open(const HidCollectionInfo& c, HidOpenMode mode) override {
    HidOpenResult d = inner_->Open(c, mode);
    if (!d) return d;
    return Opened(std::make_unique<FaultyDevice>(std::move(*d), plan_, mode == HidOpenMode::Commands));
  }
  bool StartDeviceMonitor() override { return true; }
  int NotificationHandle() const override { return -1; }
  std::vector<HidDeviceChange> TakeDeviceChanges() override { return {}; }

 private:
  std::unique_ptr<HidBackend> inner_;
  FaultPlan& plan_;
};

SettingsBlock DeliveredBlock() {
  SettingsStore store;
  EXPECT_TRUE(LoadSettings(store, CORVALINE_SOURCE_DIR "/assets/config.bin"));
  SettingsBlock s = store.settings;
  s.reportRateCode = 4;
  s.macroArea[3][5] = 0x2C;  // differs from a fresh mouse in every part Apply sends
  return s;
}

// What the mouse must hold after the block was applied: the parts the block
// alone decides (the lighting records also carry what the mouse itself had).
void ExpectMouseHolds(const sim::MouseState& got, const sim::MouseState& want, int k) {
  EXPECT_EQ(got.reportRateCode, want.reportRateCode) << "fault at transfer " << k;
  EXPECT_EQ(got.dpiTable, want.dpiTable) << "fault at transfer " << k;
  EXPECT_EQ(got.keyMatrix, want.keyMatrix) << "fault at transfer " << k;
  EXPECT_EQ(std::memcmp(&got.macros, &want.macros, sizeof got.macros), 0)
      << "fault at transfer " << k;
}

struct TransferRun {
  bool ready = false;
  unsigned failed = 0;
  int transfers = 0;
  sim::MouseState state;
};

class TransferFaults : public ::testing::Test {
 protected:
  // One run: start-up, RefreshSensorInfo and Apply with the given fault; then
  // the mouse comes back and a second Apply must succeed.
  TransferRun Run(FaultKind kind, int k) {
    ScratchDir dir;
    WriteBytes(dir / "config.bin", ReadBytes(CORVALINE_SOURCE_DIR "/assets/config.bin"));
    WriteBytes(dir / "str.ini", ReadBytes(CORVALINE_SOURCE_DIR "/assets/str.ini"));
    SettingsStore store;
    store.settings = block_;
    ItemTexts texts;
    texts.captions = DefaultCaptions(UiLanguage::EN);
    const ApplySavers savers =
        FileSavers(store, dir / "config.bin", dir / "str.ini", UiLanguage::EN, texts);

    FaultPlan plan{kind, k};
    auto mouse = std::make_shared<sim::VirtualMouse>();
    FaultyBackend backend(sim::CreateInProcessHidBackend(mouse), plan);
    testing::CountingSleeper sleeper;
    DeviceLink link;
    link.backend = &backend;
    link.sleeper = &sleeper;
    if (kind == FaultKind::Vanish) mouse->VanishAfterTransfers(k);

    TransferRun out;
    out.ready = ConnectAtStartup(link).ready;
    if (out.ready) {
      RefreshSensorInfo(link);
      out.failed = ApplySettings(link, block_, savers).failedTransfers;
      EXPECT_EQ(ReadBytes(dir / "config.bin"),
                std::string(1, '\1') + std::string(reinterpret_cast<const char*>(&block_),
                                                   sizeof block_))
          << "fault at transfer " << k;
    }
    out.transfers = plan.count;

    // Plugged in again.
    plan.kind = FaultKind::None;
    mouse->Unplug();
    mouse->Plug();
    const int accepted = mouse->State().handshakesAccepted;
    EXPECT_TRUE(HandleDeviceChange(link, {HidDeviceChange::Kind::Arrival, "\\\\?\\HID#VID_04D9&PID_A09F#1"}, {}))
        << "fault at transfer " << k;
    EXPECT_TRUE(link.deviceReady) << "fault at transfer " << k;
    EXPECT_EQ(mouse->State().handshakesAccepted, accepted + 1) << "fault at transfer " << k;
    EXPECT_EQ(ApplySettings(link, block_, savers).failedTransfers, 0u) << "fault at transfer " << k;
    out.state = mouse->State();
    CloseDeviceHandles(link);
    return out;
  }

  SettingsBlock block_ = DeliveredBlock();
};

TEST_F(TransferFaults, AMouseLostAtAnyTransferIsAppliedWholeAfterItComesBack) {
  const TransferRun clean = Run(FaultKind::None, 0);
  ASSERT_TRUE(clean.ready);
  ASSERT_EQ(clean.failed, 0u);
  ASSERT_GT(clean.transfers, 100);
  for (int k = 1; k <= clean.transfers; ++k) {
    const TransferRun o = Run(FaultKind::Vanish, k);
    // Gone during the Apply: the transfers after k fail and are counted.
    if (o.ready && k < clean.transfers) {
      EXPECT_GT(o.failed, 0u) << "lost after transfer " << k;
    }
    ExpectMouseHolds(o.state, clean.state, k);
    if (HasFailure()) return;
  }
}

TEST_F(TransferFaults, GarbageAtAnyTransferIsAppliedWholeAfterAReplug) {
  const TransferRun clean = Run(FaultKind::None, 0);
  for (int k = 1; k <= clean.transfers; ++k) {
    ExpectMouseHolds(Run(FaultKind::Garbage, k).state, clean.state, k);
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace corvaline
