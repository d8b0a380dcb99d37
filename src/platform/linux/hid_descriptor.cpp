#include "platform/linux/hid_descriptor.h"

#include <algorithm>
#include <array>
#include <optional>

namespace corvaline::platform {
namespace {

// Item types and tags of the HID 1.11 short-item encoding.
enum : std::uint8_t { kTypeMain = 0, kTypeGlobal = 1, kTypeLocal = 2 };
enum : std::uint8_t {
  kMainInput = 0x8, kMainOutput = 0x9, kMainCollection = 0xA, kMainFeature = 0xB,
  kMainEndCollection = 0xC,
};
enum : std::uint8_t {
  kGlobalUsagePage = 0x0, kGlobalReportSize = 0x7, kGlobalReportId = 0x8,
  kGlobalReportCount = 0x9, kGlobalPush = 0xA, kGlobalPop = 0xB,
};
enum : std::uint8_t { kLocalUsage = 0x0, kLocalUsageMinimum = 0x1 };
constexpr std::uint8_t kLongItemPrefix = 0xFE;

// Limits that no real device comes near; past them the descriptor is garbage.
constexpr std::size_t kMaxPushDepth = 32;
constexpr int kMaxCollectionDepth = 64;
constexpr std::size_t kMaxTopCollections = 64;
constexpr std::uint64_t kMaxReportBytes = 0xFFFE;  // plus the ID byte still fits 16 bits

enum ReportKind { kInput = 0, kOutput = 1, kFeature = 2, kKinds = 3 };

struct Globals {
  std::uint32_t usagePage = 0;
  std::uint32_t reportSize = 0;
  std::uint32_t reportCount = 0;
  std::uint32_t reportId = 0;
};

struct Item {
  std::uint8_t type = 0;
  std::uint8_t tag = 0;
  std::uint8_t size = 0;  // data bytes
  std::uint32_t value = 0;
};

// Bits per report ID and kind, for one top-level collection.
struct CollectionBits {
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
  std::array<std::array<std::uint64_t, 256>, kKinds> bits{};
};

class Parser {
 public:
  explicit Parser(std::span<const std::uint8_t> d) : data_(d) {}
  HidDescriptorLayout Run();

 private:
  bool Next(Item& item);
  bool Main(const Item& item);
  bool Global(const Item& item);
  void Local(const Item& item);
  bool AddBits(ReportKind kind);
  bool Fail(std::string why) {
    error_ = std::move(why);
    return false;
  }

  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
  Globals globals_;
  std::vector<Globals> stack_;
  std::optional<std::uint32_t> firstUsage_;
  bool firstUsageExtended_ = false;
  int depth_ = 0;
  bool numbered_ = false;
  std::vector<CollectionBits> collections_;
  std::string error_;
};

bool Parser::Next(Item& item) {
  const std::uint8_t prefix = data_[pos_];
  if (prefix == kLongItemPrefix) {
    // Long items carry no meaning for report layout; skip them whole.
    if (data_.size() - pos_ < 3) return Fail("truncated long item");
    const std::size_t total = 3u + data_[pos_ + 1];
    if (data_.size() - pos_ < total) return Fail("truncated long item");
    pos_ += total;
    item.type = 0xFF;
    return true;
  }
  static constexpr std::uint8_t kSizes[4] = {0, 1, 2, 4};
  item.size = kSizes[prefix & 0x03];
  item.type = (prefix >> 2) & 0x03;
  item.tag = prefix >> 4;
  if (data_.size() - pos_ - 1 < item.size) return Fail("truncated item");
  item.value = 0;
  for (std::uint8_t i = 0; i < item.size; ++i) {
    item.value |= static_cast<std::uint32_t>(data_[pos_ + 1 + i]) << (8 * i);
  }
  pos_ += 1u + item.size;
  return true;
}

bool Parser::AddBits(ReportKind kind) {
  if (depth_ == 0 || collections_.empty()) return true;  // outside any collection: not reported
  auto& slot = collections_.back().bits[kind][globals_.reportId];
  slot += static_cast<std::uint64_t>(globals_.reportSize) * globals_.reportCount;
  if (slot > kMaxReportBytes * 8) return Fail("report longer than a HID report can be");
  return true;
}

bool Parser::Main(const Item& item) {
  bool ok = true;
  switch (item.tag) {
    case kMainInput: ok = AddBits(kInput); break;
    case kMainOutput: ok = AddBits(kOutput); break;
    case kMainFeature: ok = AddBits(kFeature); break;
    case kMainCollection:
      if (depth_ == 0) {
        if (collections_.size() >= kMaxTopCollections) return Fail("too many top-level collections");
        CollectionBits c;
        const std::uint32_t usage = firstUsage_.value_or(0);
        // A four-byte usage carries its own page; shorter ones take the
        // page in force at this main item.
        c.usagePage = static_cast<std::uint16_t>(
            firstUsageExtended_ ? (usage >> 16) : globals_.usagePage);
        c.usage = static_cast<std::uint16_t>(usage & 0xFFFF);
        collections_.push_back(c);
      }
      if (++depth_ > kMaxCollectionDepth) ok = Fail("collections nested too deeply");
      break;
    case kMainEndCollection:
      if (depth_ == 0) ok = Fail("End Collection without a Collection");
      else --depth_;
      break;
    default: break;  // reserved main tags carry nothing we count
  }
  firstUsage_.reset();  // local items end with every main item
  firstUsageExtended_ = false;
  return ok;
}

bool Parser::Global(const Item& item) {
  switch (item.tag) {
    case kGlobalUsagePage: globals_.usagePage = item.value; break;
    case kGlobalReportSize: globals_.reportSize = item.value; break;
    case kGlobalReportCount: globals_.reportCount = item.value; break;
    case kGlobalReportId:
      if (item.value == 0 || item.value > 0xFF) return Fail("invalid report ID");
      globals_.reportId = item.value;
      numbered_ = true;
      break;
    case kGlobalPush:
      if (stack_.size() >= kMaxPushDepth) return Fail("Push nested too deeply");
      stack_.push_back(globals_);
      break;
    case kGlobalPop:
      if (stack_.empty()) return Fail("Pop without Push");
      globals_ = stack_.back();
      stack_.pop_back();
      break;
    default: break;  // logical/physical ranges and units do not change lengths
  }
  return true;
}

void Parser::Local(const Item& item) {
  if (item.tag != kLocalUsage && item.tag != kLocalUsageMinimum) return;
  if (firstUsage_) return;  // a collection takes its first usage
  firstUsage_ = item.value;
  firstUsageExtended_ = item.size == 4;
}

HidTopCollection Summarise(const CollectionBits& c) {
  HidTopCollection out;
  out.usagePage = c.usagePage;
  out.usage = c.usage;
  std::uint16_t* lengths[kKinds] = {&out.inputReportLength, &out.outputReportLength,
                                    &out.featureReportLength};
  for (int kind = 0; kind < kKinds; ++kind) {
    std::uint64_t longest = 0;
    for (std::size_t id = 0; id < 256; ++id) {
      const std::uint64_t bits = c.bits[kind][id];
      if (bits == 0) continue;
      longest = std::max(longest, (bits + 7) / 8 + 1);
      if (kind == kInput) out.inputReportIds.push_back(static_cast<std::uint8_t>(id));
    }
    *lengths[kind] = static_cast<std::uint16_t>(longest);
  }
  return out;
}

HidDescriptorLayout Parser::Run() {
  HidDescriptorLayout layout;
  bool ok = true;
  while (ok && pos_ < data_.size()) {
    Item item;
    ok = Next(item);
    if (!ok || item.type == 0xFF) continue;
    switch (item.type) {
      case kTypeMain: ok = Main(item); break;
      case kTypeGlobal: ok = Global(item); break;
      case kTypeLocal: Local(item); break;
      default: break;  // reserved item type: skipped, its size is known
    }
  }
  if (ok && depth_ != 0) ok = Fail("Collection without End Collection");
  if (ok && collections_.empty()) ok = Fail("no top-level collection");
  if (!ok) {
    layout.error = error_;
    return layout;
  }
  layout.numberedReports = numbered_;
  for (const auto& c : collections_) layout.collections.push_back(Summarise(c));
  return layout;
}

}  // namespace

HidDescriptorLayout ParseHidReportDescriptor(std::span<const std::uint8_t> descriptor) {
  return Parser(descriptor).Run();
}

}  // namespace corvaline::platform
