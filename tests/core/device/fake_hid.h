// A scripted HID backend for the cases the virtual mouse cannot show: odd
// report lengths and answers of a given shape.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/device/hid_port.h"

namespace corvaline::testing {

// Answers feature reads and input reads from queues; remembers what it got.
class ScriptedDevice final : public HidDevice {
 public:
  struct Script {
    std::deque<std::vector<std::uint8_t>> featureReplies;  // whole reports, ID first
    std::deque<std::vector<std::uint8_t>> inputReports;
    std::vector<std::vector<std::uint8_t>> written;  // feature and output reports
    int inputReads = 0;
    int open = 0;  // devices not yet closed
  };
  explicit ScriptedDevice(std::shared_ptr<Script> script) : script_(std::move(script)) {
    ++script_->open;
  }
  ~ScriptedDevice() override { --script_->open; }

  bool SetFeature(std::span<const std::uint8_t> report) override {
    script_->written.emplace_back(report.begin(), report.end());
    return true;
  }
  bool GetFeature(std::span<std::uint8_t> report) override {
    if (script_->featureReplies.empty()) return false;
    const auto reply = std::move(script_->featureReplies.front());
    script_->featureReplies.pop_front();
    for (std::size_t i = 0; i < report.size() && i < reply.size(); ++i) report[i] = reply[i];
    return true;
  }
  bool WriteOutput(std::span<const std::uint8_t> report) override {
    script_->written.emplace_back(report.begin(), report.end());
    return true;
  }
  HidReadResult ReadInput(std::span<std::uint8_t> buffer, std::size_t& got) override {
    ++script_->inputReads;
    got = 0;
    if (script_->inputReports.empty()) return HidReadResult::Error;
    const auto report = std::move(script_->inputReports.front());
    script_->inputReports.pop_front();
    for (; got < buffer.size() && got < report.size(); ++got) buffer[got] = report[got];
    return HidReadResult::Ok;
  }
  void CancelRead() override {}

 private:
  std::shared_ptr<Script> script_;
};

// Lists the given collections; opens every one as a ScriptedDevice.
class ScriptedBackend final : public HidBackend {
 public:
  std::vector<HidCollectionInfo> collections;
  std::vector<std::string> opened;  // paths, in order
  std::shared_ptr<ScriptedDevice::Script> script = std::make_shared<ScriptedDevice::Script>();

  std::vector<HidCollectionInfo> Enumerate() override { return collections; }
  HidOpenResult Open(const HidCollectionInfo& c, HidOpenMode) override {
    opened.push_back(c.path);
    return Opened(std::make_unique<ScriptedDevice>(script));
  }
  bool StartDeviceMonitor() override { return true; }
  int NotificationHandle() const override { return -1; }
  std::vector<HidDeviceChange> TakeDeviceChanges() override { return {}; }
};

}  // namespace corvaline::testing
