#include "sim/virtual_mouse.h"

#include <algorithm>

namespace corvaline::sim {

namespace {

// A key of another firmware generation: blocks scrambled with it do not
// unscramble to anything sensible with the program's key.
constexpr ScrambleKey kForeignKey = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x00};
static_assert(kForeignKey != kHandshakeKey);

// The firmware tells a plain handshake from scrambled traffic by its exact
// bytes; that is only sound while those bytes do not also unscramble to a
// block with a valid checksum.
constexpr bool PlainHandshakeIsUnambiguous() {
  CommandBlock b = kHandshakeRequest;
  Unscramble(b, kHandshakeKey);
  return b[kChecksumIndex] != CommandChecksum(b);
}
static_assert(PlainHandshakeIsUnambiguous());

constexpr std::size_t kLogLimit = 4096;
// Length announced by read responses when the mouse is told to overstate it.
constexpr std::uint8_t kOversizeLength = 0xFF;
// Bytes beyond the real data of an overstated response: easy to spot in a dump.
constexpr std::uint8_t kOversizeFiller = 0xEE;
// Out-of-range table/macro numbers sent back when the mouse is told to.
constexpr std::uint8_t kBadTableIndex = 7;
constexpr std::uint8_t kBadMacroIndex = 13;

std::size_t ReportsFor(std::size_t length) {
  return (length + kDataReportPayload - 1) / kDataReportPayload;
}

HidCollectionInfo Info(std::uint16_t page, std::uint16_t usage, std::uint16_t in,
                       std::uint16_t out, std::uint16_t feature) {
  HidCollectionInfo c;
  c.vendorId = kMouseVendorId;
  c.productId = kMouseProductId;
  c.usagePage = page;
  c.usage = usage;
  c.inputReportLength = in;
  c.outputReportLength = out;
  c.featureReportLength = feature;
  return c;
}

// What a mouse fresh from the factory holds; the firmware-owned fields are
// non-zero so that a link which fails to pass them back unchanged shows up.
MouseState FactoryState() {
  MouseState s;
  s.sensorInfo = {0, 0x01, 0x10, 0x02};
  s.reportRateCode = 1;
  s.effect = {1, 5, 2};
  s.ledTiming = {LedTimingRecord{1, 50, 2}, LedTimingRecord{2, 80, 4}};
  for (std::size_t i = 0; i < kColourTableSize; ++i) {
    s.colourTables[0][i] = static_cast<std::uint8_t>(0x30 + i);
    s.colourTables[1][i] = static_cast<std::uint8_t>(i < 12 ? (i % 3 == i / 3 ? 0xFF : 0) : 0x60 + i);
  }
  s.dpiStageCount = kDpiStageCount;
  s.dpiTable = {0x02, 0x04, 0x06, 0x08, 0x80, 0x80, 0x80, 0x80};
  return s;
}

}  // namespace

std::vector<CollectionEntry> MouseCollections() {
  return {
      {Collection::Events, Info(kEventUsagePage, kEventUsage, kEventReportLength, 0, 0)},
      {Collection::Feature, Info(kCommandUsagePage, kCommandUsage, kDataReportLength,
                                 kDataReportLength, kFeatureReportLength)},
  };
}

// ---------------------------------------------------------------------------
// EventChannel

HidReadResult EventChannel::Read(std::span<std::uint8_t> buffer, std::size_t& got) {
  got = 0;
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return cancelled_ || gone_ || !reports_.empty(); });
  if (cancelled_) {
    cancelled_ = false;
    return HidReadResult::Cancelled;
  }
  if (gone_) return HidReadResult::Gone;
  const auto report = reports_.front();
  reports_.pop_front();
  got = std::min(buffer.size(), report.size());
  std::copy_n(report.begin(), got, buffer.begin());
  return HidReadResult::Ok;
}

void EventChannel::Cancel() {
  std::lock_guard lock(mutex_);
  cancelled_ = true;
  wake_.notify_all();
}

bool EventChannel::TryRead(std::span<std::uint8_t> buffer, std::size_t& got, bool& gone) {
  got = 0;
  std::lock_guard lock(mutex_);
  gone = gone_;
  if (gone_ || reports_.empty()) return false;
  got = std::min(buffer.size(), reports_.front().size());
  std::copy_n(reports_.front().begin(), got, buffer.begin());
  reports_.pop_front();
  return true;
}

void EventChannel::SetWakeCallback(std::function<void()> wake) {
  std::lock_guard lock(mutex_);
  wake_callback_ = std::move(wake);
}

void EventChannel::Push(const std::array<std::uint8_t, kEventReportLength>& report) {
  std::function<void()> wake;
  {
    std::lock_guard lock(mutex_);
    reports_.push_back(report);
    wake_.notify_all();
    wake = wake_callback_;
  }
  if (wake) wake();
}

void EventChannel::MarkGone() {
  std::function<void()> wake;
  {
    std::lock_guard lock(mutex_);
    gone_ = true;
    reports_.clear();
    wake_.notify_all();
    wake = wake_callback_;
  }
  if (wake) wake();
}

// ---------------------------------------------------------------------------
// Plugging

VirtualMouse::VirtualMouse() : state_(FactoryState()) {}

bool VirtualMouse::SetPlugged(bool plugged) {
  if (plugged_ == plugged) return false;
  plugged_ = plugged;
  pendingFeature_.reset();
  pendingData_.clear();
  bulk_.reset();
  if (plugged) {
    ++generation_;
  } else {
    for (auto& weak : channels_)
      if (auto channel = weak.lock()) channel->MarkGone();
    channels_.clear();
    transfersLeft_ = -1;
  }
  return true;
}

void VirtualMouse::NotifyPlug(bool plugged) {
  std::vector<std::function<void(bool)>> calls;
  {
    std::lock_guard lock(mutex_);
    for (const auto& entry : listeners_) calls.push_back(entry.second);
  }
  for (const auto& call : calls) call(plugged);
}

void VirtualMouse::Unplug() {
  bool changed;
  {
    std::lock_guard lock(mutex_);
    changed = SetPlugged(false);
  }
  if (changed) NotifyPlug(false);
}

void VirtualMouse::Plug() {
  bool changed;
  {
    std::lock_guard lock(mutex_);
    changed = SetPlugged(true);
  }
  if (changed) NotifyPlug(true);
}

bool VirtualMouse::IsPlugged() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

std::uint64_t VirtualMouse::Generation() const {
  std::lock_guard lock(mutex_);
  return generation_;
}

int VirtualMouse::AddPlugListener(std::function<void(bool)> listener) {
  std::lock_guard lock(mutex_);
  listeners_.emplace_back(nextListener_, std::move(listener));
  return nextListener_++;
}

void VirtualMouse::RemovePlugListener(int id) {
  std::lock_guard lock(mutex_);
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

bool VirtualMouse::Usable(std::uint64_t generation) const {
  return plugged_ && generation == generation_;
}

bool VirtualMouse::CountTransfer() {
  if (transfersLeft_ == 0) {
    SetPlugged(false);
    return true;
  }
  if (transfersLeft_ > 0) --transfersLeft_;
  return false;
}

// ---------------------------------------------------------------------------
// Feature collection transfers

// Runs one transfer under the mouse's lock. A mouse that vanishes on this
// transfer tells its listeners after the lock is released.
Transfer VirtualMouse::RunTransfer(std::uint64_t generation, const std::function<Transfer()>& body) {
  bool vanished = false;
  Transfer result = Transfer::Gone;
  {
    std::lock_guard lock(mutex_);
    if (!Usable(generation)) return Transfer::Gone;
    vanished = CountTransfer();
    if (!vanished) result = body();
  }
  if (vanished) NotifyPlug(false);
  return result;
}

Transfer VirtualMouse::SetFeature(std::uint64_t generation, std::span<const std::uint8_t> report) {
  return RunTransfer(generation, [&] {
    if (report.size() != kFeatureReportLength || report[0] != kCommandReportId) return Transfer::Failed;
    CommandBlock raw;
    std::copy_n(report.begin() + kFrameBlockOffset, kCommandBlockSize, raw.begin());
    HandleBlock(raw);
    return Transfer::Ok;
  });
}

Transfer VirtualMouse::GetFeature(std::uint64_t generation, std::span<std::uint8_t> report) {
  return RunTransfer(generation, [&] {
    if (report.size() != kFeatureReportLength || report[0] != kCommandReportId ||
        misbehaviour_ == Misbehaviour::NoAnswer)
      return Transfer::Failed;
    std::fill(report.begin(), report.end(), 0);
    if (pendingFeature_) std::copy(pendingFeature_->begin(), pendingFeature_->end(), report.begin());
    return Transfer::Ok;
  });
}

Transfer VirtualMouse::WriteOutput(std::uint64_t generation, std::span<const std::uint8_t> report) {
  return RunTransfer(generation, [&] {
    if (report.size() != kDataReportLength || report[0] != kDataReportId) return Transfer::Failed;
    // Data without a header in front of it is dropped, as firmware would.
    if (bulk_) {
      bulk_->data.insert(bulk_->data.end(), report.begin() + 1, report.end());
      if (bulk_->data.size() >= ReportsFor(bulk_->length) * kDataReportPayload) FinishBulkWrite();
    }
    return Transfer::Ok;
  });
}

Transfer VirtualMouse::ReadData(std::uint64_t generation, std::span<std::uint8_t> buffer,
                                std::size_t& got) {
  got = 0;
  return RunTransfer(generation, [&] {
    if (pendingData_.empty() || buffer.size() < kDataReportLength) return Transfer::Failed;
    std::copy(pendingData_.front().begin(), pendingData_.front().end(), buffer.begin());
    got = kDataReportLength;
    pendingData_.pop_front();
    return Transfer::Ok;
  });
}

// ---------------------------------------------------------------------------
// Firmware

void VirtualMouse::HandleBlock(const CommandBlock& raw) {
  // Every new block ends whatever exchange came before it.
  pendingFeature_.reset();
  pendingData_.clear();
  bulk_.reset();
  if (misbehaviour_ == Misbehaviour::PlainEcho) {
    if (raw[kChecksumIndex] == CommandChecksum(raw)) Execute(raw, false);
    return;
  }
  if (raw == kHandshakeRequest) {
    // A host trying the plain protocol gets no echo: this firmware only
    // speaks scrambled blocks.
    ++state_.handshakesRefused;
    return;
  }
  CommandBlock plain = raw;
  Unscramble(plain, kHandshakeKey);
  // A block whose checksum does not hold was damaged or scrambled with
  // another key; the firmware ignores it.
  if (plain[kChecksumIndex] == CommandChecksum(plain)) Execute(plain, true);
}

void VirtualMouse::Execute(const CommandBlock& b, bool scrambled) {
  if (log_.size() < kLogLimit) log_.push_back(b);
  switch (b[0]) {
    case cmd::kHandshake:
      if (std::equal(kHandshakeMagic.begin(), kHandshakeMagic.end(), b.begin() + 1)) {
        if (scrambled) ++state_.handshakesAccepted;
        Reply(b, scrambled);
      }
      return;
    case cmd::kSetReportRate:
      state_.reportRateCode = b[1];
      return;
    case cmd::kSetSensorInfo:
      state_.sensorInfo = {b[1], b[2], b[3], b[4]};
      return;
    case cmd::kSetLedTiming:
      if (b[1] < state_.ledTiming.size()) state_.ledTiming[b[1]] = {b[2], b[3], b[4]};
      return;
    case cmd::kSetEffect:
      state_.effect = {b[1], b[2], b[3]};
      return;
    case cmd::kSetColourTable:
    case cmd::kSetDpiStages:
    case cmd::kSetKeyMatrix:
    case cmd::kSetMacro:
      StartBulkWrite(b);
      return;
    default:
      if (ExpectsResponse(b)) {
        CommandBlock reply{};
        ExecuteRead(b, reply);
        Reply(reply, scrambled);
      }
      return;
  }
}

void VirtualMouse::ExecuteRead(const CommandBlock& b, CommandBlock& reply) {
  const bool bad = misbehaviour_ == Misbehaviour::BadIndex;
  reply[0] = b[0];
  switch (b[0]) {
    case cmd::kGetSensorInfo: {
      const auto& s = state_.sensorInfo;
      reply = {b[0], s.sensorType, s.rate, s.option1, s.option2, 0, 0, 0};
      return;
    }
    case cmd::kGetEffect:
      reply = {b[0], state_.effect.effect, state_.effect.option1, state_.effect.option2, 0, 0, 0, 0};
      return;
    case cmd::kGetLedTiming:
      reply[1] = bad ? kBadTableIndex : b[1];
      if (b[1] < state_.ledTiming.size()) {
        const auto& t = state_.ledTiming[b[1]];
        reply[2] = t.mode;
        reply[3] = t.parameter1;
        reply[4] = t.parameter2;
      }
      return;
    case cmd::kGetColourTable:
      reply[kBulkIndexByte] = bad ? kBadTableIndex : b[1];
      if (b[1] < state_.colourTables.size()) {
        reply[kBulkLengthByte] = kColourTableSize;
        QueueData(state_.colourTables[b[1]], kColourTableSize);
      }
      break;
    case cmd::kGetMacro:
      reply[kBulkIndexByte] = bad ? kBadMacroIndex : b[1];
      if (b[1] >= 1 && b[1] <= kMacroCount) {
        reply[kBulkLengthByte] = kMacroSize;
        QueueData(state_.macros.blocks[b[1] - 1], kMacroSize);
      }
      break;
    default:
      return;  // unknown requests get an empty answer of their own code
  }
  if (misbehaviour_ == Misbehaviour::OversizeLength && reply[kBulkLengthByte] != 0) {
    std::vector<std::uint8_t> data;
    for (const auto& r : pendingData_) data.insert(data.end(), r.begin() + 1, r.end());
    data.resize(reply[kBulkLengthByte]);
    pendingData_.clear();
    reply[kBulkLengthByte] = kOversizeLength;
    QueueData(data, kOversizeLength);
  }
}

void VirtualMouse::QueueData(std::span<const std::uint8_t> data, std::size_t announced) {
  const std::uint8_t filler = announced > data.size() ? kOversizeFiller : 0;
  const std::size_t reports = ReportsFor(announced);
  for (std::size_t r = 0; r < reports; ++r) {
    std::array<std::uint8_t, kDataReportLength> report{};
    report[0] = kDataReportId;
    for (std::size_t i = 0; i < kDataReportPayload; ++i) {
      const std::size_t at = r * kDataReportPayload + i;
      report[1 + i] = at < data.size() ? data[at] : filler;
    }
    pendingData_.push_back(report);
  }
}

void VirtualMouse::Reply(CommandBlock reply, bool scrambled) {
  SetChecksum(reply);
  if (scrambled)
    Scramble(reply, misbehaviour_ == Misbehaviour::WrongKey ? kForeignKey : kHandshakeKey);
  std::array<std::uint8_t, kFeatureReportLength> frame{};
  frame[0] = kCommandReportId;
  std::copy(reply.begin(), reply.end(), frame.begin() + kFrameBlockOffset);
  pendingFeature_ = frame;
}

void VirtualMouse::StartBulkWrite(const CommandBlock& b) {
  bulk_ = BulkWrite{b[0], b[kBulkIndexByte], b[kBulkLengthByte], {}};
  if (bulk_->length == 0) FinishBulkWrite();
}

void VirtualMouse::FinishBulkWrite() {
  const BulkWrite w = std::move(*bulk_);
  bulk_.reset();
  auto store = [&w](std::span<std::uint8_t> target) {
    std::copy_n(w.data.begin(), std::min({w.length, target.size(), w.data.size()}), target.begin());
  };
  switch (w.code) {
    case cmd::kSetColourTable:
      if (w.index < state_.colourTables.size()) store(state_.colourTables[w.index]);
      break;
    case cmd::kSetDpiStages:
      state_.dpiStageCount = w.index;
      store(state_.dpiTable);
      break;
    case cmd::kSetKeyMatrix:
      if (w.index >= 1 && w.index <= kKeyMatrixCount) store(state_.keyMatrix[w.index - 1]);
      break;
    case cmd::kSetMacro:
      if (w.index >= 1 && w.index <= kMacroCount) store(state_.macros.blocks[w.index - 1]);
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------
// Event collection

std::shared_ptr<EventChannel> VirtualMouse::OpenEvents() {
  std::lock_guard lock(mutex_);
  if (!plugged_) return nullptr;
  auto channel = std::make_shared<EventChannel>();
  channels_.push_back(channel);
  return channel;
}

void VirtualMouse::Broadcast(const std::array<std::uint8_t, kEventReportLength>& report) {
  std::erase_if(channels_, [](const auto& weak) { return weak.expired(); });
  for (auto& weak : channels_)
    if (auto channel = weak.lock()) channel->Push(report);
}

bool VirtualMouse::RaiseEvent(std::uint8_t code, std::uint8_t value) {
  std::lock_guard lock(mutex_);
  if (!plugged_) return false;
  if (code == kEventReportRate) state_.reportRateCode = value;
  if (code == kEventDpiStage) state_.dpiStage = value;
  if (code == kEventKeyGroup) state_.keyGroup = value;
  Broadcast({kEventReportId, code, 0, value, 0, 0, 0, 0});
  return true;
}

bool VirtualMouse::SendRawEventReport(std::span<const std::uint8_t> report) {
  std::lock_guard lock(mutex_);
  if (!plugged_) return false;
  std::array<std::uint8_t, kEventReportLength> r{};
  std::copy_n(report.begin(), std::min(report.size(), r.size()), r.begin());
  Broadcast(r);
  return true;
}

// ---------------------------------------------------------------------------
// Test controls

void VirtualMouse::SetMisbehaviour(Misbehaviour m) {
  std::lock_guard lock(mutex_);
  misbehaviour_ = m;
}

void VirtualMouse::VanishAfterTransfers(int count) {
  std::lock_guard lock(mutex_);
  transfersLeft_ = count < 0 ? -1 : count;
}

void VirtualMouse::SetSensorType(std::uint8_t type) {
  std::lock_guard lock(mutex_);
  state_.sensorInfo.sensorType = type;
}

MouseState VirtualMouse::State() const {
  std::lock_guard lock(mutex_);
  return state_;
}

void VirtualMouse::SetState(const MouseState& state) {
  std::lock_guard lock(mutex_);
  state_ = state;
}

std::vector<CommandBlock> VirtualMouse::CommandLog() const {
  std::lock_guard lock(mutex_);
  return log_;
}

void VirtualMouse::ClearCommandLog() {
  std::lock_guard lock(mutex_);
  log_.clear();
}

}  // namespace corvaline::sim
