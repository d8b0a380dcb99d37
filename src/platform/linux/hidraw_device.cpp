#include "platform/linux/hidraw_device.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

namespace corvaline::platform {
namespace {

// The kernel's largest HID report buffer; one read never returns more.
constexpr std::size_t kMaxReport = 4096;

bool IsGoneError(int error) { return error == ENODEV || error == EIO || error == ENXIO; }

class HidrawDevice final : public HidDevice {
 public:
  HidrawDevice(int fd, int cancelFd, const HidTopCollection& c, bool numbered, int timeoutMs)
      : fd_(fd), cancelFd_(cancelFd), inputIds_(c.inputReportIds), numbered_(numbered),
        timeoutMs_(timeoutMs) {}
  ~HidrawDevice() override {
    ::close(fd_);
    ::close(cancelFd_);
  }

  bool SetFeature(std::span<const std::uint8_t> report) override {
    if (report.empty()) return false;
    std::vector<std::uint8_t> copy(report.begin(), report.end());
    return ::ioctl(fd_, HIDIOCSFEATURE(copy.size()), copy.data()) >= 0;
  }

  bool GetFeature(std::span<std::uint8_t> report) override {
    if (report.empty()) return false;
    return ::ioctl(fd_, HIDIOCGFEATURE(report.size()), report.data()) >= 0;
  }

  bool WriteOutput(std::span<const std::uint8_t> report) override {
    if (report.empty()) return false;
    ssize_t n;
    do n = ::write(fd_, report.data(), report.size());
    while (n < 0 && errno == EINTR);
    return n == static_cast<ssize_t>(report.size());
  }

  HidReadResult ReadInput(std::span<std::uint8_t> buffer, std::size_t& got) override;

  void CancelRead() override {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(cancelFd_, &one, sizeof one);
  }

 private:
  // Reads one report into report_ (with its ID byte first); Ok, Gone or Error,
  // or Cancelled when nothing was ready.
  HidReadResult ReadOne(std::size_t& length);
  bool Wanted(std::uint8_t id) const {
    return !numbered_ || std::find(inputIds_.begin(), inputIds_.end(), id) != inputIds_.end();
  }

  int fd_;
  int cancelFd_;
  std::vector<std::uint8_t> inputIds_;
  bool numbered_;
  int timeoutMs_;
  std::array<std::uint8_t, kMaxReport + 1> report_{};
};

HidReadResult HidrawDevice::ReadOne(std::size_t& length) {
  // Unnumbered reports come without an ID byte; give them the 0 that
  // Windows puts in front so callers see one form.
  std::uint8_t* into = numbered_ ? report_.data() : report_.data() + 1;
  report_[0] = 0;
  const ssize_t n = ::read(fd_, into, kMaxReport);
  if (n < 0) {
    if (errno == EAGAIN || errno == EINTR) return HidReadResult::Cancelled;
    return IsGoneError(errno) ? HidReadResult::Gone : HidReadResult::Error;
  }
  if (n == 0) return HidReadResult::Gone;
  length = static_cast<std::size_t>(n) + (numbered_ ? 0 : 1);
  return HidReadResult::Ok;
}

HidReadResult HidrawDevice::ReadInput(std::span<std::uint8_t> buffer, std::size_t& got) {
  got = 0;
  for (;;) {
    pollfd fds[2] = {{fd_, POLLIN, 0}, {cancelFd_, POLLIN, 0}};
    const int ready = ::poll(fds, 2, timeoutMs_);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return HidReadResult::Error;
    }
    if (ready == 0) return HidReadResult::Error;  // nothing came in time
    if (fds[1].revents & POLLIN) {
      std::uint64_t count = 0;
      [[maybe_unused]] const ssize_t n = ::read(cancelFd_, &count, sizeof count);
      return HidReadResult::Cancelled;
    }
    if (fds[0].revents & (POLLHUP | POLLNVAL)) return HidReadResult::Gone;
    if (fds[0].revents & POLLERR) return HidReadResult::Gone;
    if (!(fds[0].revents & POLLIN)) continue;
    std::size_t length = 0;
    const HidReadResult r = ReadOne(length);
    if (r == HidReadResult::Cancelled) continue;  // spurious wake-up
    if (r != HidReadResult::Ok) return r;
    if (!Wanted(report_[0])) continue;  // another collection's report on the same node
    got = std::min(length, buffer.size());
    std::memcpy(buffer.data(), report_.data(), got);
    return HidReadResult::Ok;
  }
}

}  // namespace

HidOpenResult MakeHidrawDevice(int fd, const HidTopCollection& collection, bool numberedReports,
                               int readTimeoutMs) {
  const int cancelFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (cancelFd < 0) {
    const std::string why = std::string("Cannot create the read-cancel event: ") + std::strerror(errno);
    ::close(fd);
    return HidOpenResult::Failed(why);
  }
  return Opened(std::make_unique<HidrawDevice>(fd, cancelFd, collection, numberedReports, readTimeoutMs));
}

}  // namespace corvaline::platform
