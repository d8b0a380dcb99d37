#include "sim/in_process_backend.h"

#include <mutex>
#include <string>
#include <utility>

namespace corvaline::sim {

namespace {

// One collection name per interface, in the Windows form the device-change
// filter looks for.
std::string InterfaceName(Collection which) {
  return std::string("\\\\?\\HID#VID_04D9&PID_A09F&Col0") + (which == Collection::Events ? "1" : "2") +
         "#virtual-mouse#{4d1e55b2-f16f-11cf-88cb-001111000030}";
}

class InProcessDevice final : public HidDevice {
 public:
  InProcessDevice(std::shared_ptr<VirtualMouse> mouse, Collection which, HidOpenMode mode)
      : mouse_(std::move(mouse)), which_(which), mode_(mode), generation_(mouse_->Generation()) {
    if (which_ == Collection::Events && mode_ != HidOpenMode::Query) events_ = mouse_->OpenEvents();
  }

  bool SetFeature(std::span<const std::uint8_t> report) override {
    return Commands() && mouse_->SetFeature(generation_, report) == Transfer::Ok;
  }
  bool GetFeature(std::span<std::uint8_t> report) override {
    return Commands() && mouse_->GetFeature(generation_, report) == Transfer::Ok;
  }
  bool WriteOutput(std::span<const std::uint8_t> report) override {
    return Commands() && mouse_->WriteOutput(generation_, report) == Transfer::Ok;
  }

  HidReadResult ReadInput(std::span<std::uint8_t> buffer, std::size_t& got) override {
    got = 0;
    if (mode_ == HidOpenMode::Query) return HidReadResult::Error;
    if (which_ == Collection::Events) {
      return events_ ? events_->Read(buffer, got) : HidReadResult::Gone;
    }
    switch (mouse_->ReadData(generation_, buffer, got)) {
      case Transfer::Ok: return HidReadResult::Ok;
      case Transfer::Gone: return HidReadResult::Gone;
      case Transfer::Failed: break;
    }
    return HidReadResult::Error;
  }

  void CancelRead() override {
    if (events_) events_->Cancel();
  }

 private:
  bool Commands() const { return which_ == Collection::Feature && mode_ != HidOpenMode::Query; }

  std::shared_ptr<VirtualMouse> mouse_;
  Collection which_;
  HidOpenMode mode_;
  std::uint64_t generation_;
  std::shared_ptr<EventChannel> events_;
};

// Changes gathered from the mouse's plug listener, which may run on any
// thread; shared with the listener so a late call never outlives it.
struct ChangeQueue {
  std::mutex mutex;
  std::vector<HidDeviceChange> changes;
};

std::vector<CollectionEntry> Ordered(const InProcessOptions& options) {
  auto list = MouseCollections();
  if (options.featureFirst) std::swap(list.front(), list.back());
  return list;
}

class InProcessBackend final : public HidBackend {
 public:
  InProcessBackend(std::shared_ptr<VirtualMouse> mouse, InProcessOptions options)
      : mouse_(std::move(mouse)), options_(options) {}

  ~InProcessBackend() override {
    if (listener_ != 0) mouse_->RemovePlugListener(listener_);
  }

  std::vector<HidCollectionInfo> Enumerate() override {
    std::vector<HidCollectionInfo> list;
    if (!mouse_->IsPlugged()) return list;
    for (const auto& entry : Ordered(options_)) {
      HidCollectionInfo info = entry.info;
      info.path = PathOf(entry.which);
      list.push_back(info);
    }
    return list;
  }

  HidOpenResult Open(const HidCollectionInfo& collection, HidOpenMode mode) override {
    Collection which;
    if (collection.path == kInProcessFeaturePath) {
      which = Collection::Feature;
    } else if (collection.path == kInProcessEventsPath) {
      which = Collection::Events;
    } else {
      return HidOpenResult::Failed("no such collection: " + collection.path);
    }
    if (!mouse_->IsPlugged()) {
      return HidOpenResult::Failed("the virtual mouse is unplugged");
    }
    return Opened(std::make_unique<InProcessDevice>(mouse_, which, mode));
  }

  bool StartDeviceMonitor() override {
    if (listener_ == 0) {
      // A real plug-in announces every interface of the mouse separately.
      listener_ = mouse_->AddPlugListener([queue = queue_, options = options_](bool plugged) {
        std::lock_guard lock(queue->mutex);
        for (const auto& entry : Ordered(options)) {
          queue->changes.push_back(
              {plugged ? HidDeviceChange::Kind::Arrival : HidDeviceChange::Kind::Removal,
               InterfaceName(entry.which)});
        }
      });
    }
    return true;
  }

  // No descriptor to wait on: the owner polls TakeDeviceChanges() on a timer.
  int NotificationHandle() const override { return -1; }

  std::vector<HidDeviceChange> TakeDeviceChanges() override {
    std::lock_guard lock(queue_->mutex);
    return std::exchange(queue_->changes, {});
  }

 private:
  static std::string PathOf(Collection which) {
    return which == Collection::Feature ? kInProcessFeaturePath : kInProcessEventsPath;
  }

  std::shared_ptr<VirtualMouse> mouse_;
  InProcessOptions options_;
  std::shared_ptr<ChangeQueue> queue_ = std::make_shared<ChangeQueue>();
  int listener_ = 0;
};

}  // namespace

std::unique_ptr<HidBackend> CreateInProcessHidBackend(std::shared_ptr<VirtualMouse> mouse,
                                                      InProcessOptions options) {
  return std::make_unique<InProcessBackend>(std::move(mouse), options);
}

}  // namespace corvaline::sim
