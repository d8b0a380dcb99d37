#include "platform/virtual/sim_client.h"

#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

#include "platform/virtual/sim_wire.h"

namespace corvaline::platform {

namespace wire = corvaline::simwire;

namespace {

// How long a request waits for the sim's answer before the transfer fails;
// the sim answers at once, so only a hung process hits this.
constexpr int kReplyTimeoutMs = 2000;

struct SimPath {
  std::string socket;
  std::uint8_t collection = 0;
};

std::optional<SimPath> ParseSimPath(std::string_view path) {
  if (!IsSimPath(path)) return std::nullopt;
  path.remove_prefix(wire::kPathPrefix.size());
  for (auto [suffix, number] : {std::pair{wire::kFeatureSuffix, wire::kFeatureCollection},
                                std::pair{wire::kEventsSuffix, wire::kEventsCollection}}) {
    if (path.size() > suffix.size() && path.substr(path.size() - suffix.size()) == suffix)
      return SimPath{std::string(path.substr(0, path.size() - suffix.size())), number};
  }
  return std::nullopt;
}

// Waits for one message; false on timeout, hang-up or garbage.
bool AwaitMessage(int fd, wire::Message& m, int timeoutMs) {
  pollfd p{fd, POLLIN, 0};
  int r;
  do {
    r = ::poll(&p, 1, timeoutMs);
  } while (r < 0 && errno == EINTR);
  return r > 0 && wire::ReceiveMessage(fd, m) == wire::RecvResult::Ok;
}

// One request and its answer on a fresh or open connection.
std::optional<wire::Message> Exchange(int fd, const wire::Message& request) {
  wire::Message reply;
  if (!wire::SendMessage(fd, request) || !AwaitMessage(fd, reply, kReplyTimeoutMs) ||
      reply.type != request.type)
    return std::nullopt;
  return reply;
}

std::vector<std::string> SocketsIn(const std::string& dir) {
  std::vector<std::string> sockets;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (dirent* e = ::readdir(d))
      if (wire::IsSocketName(e->d_name)) sockets.push_back(dir + "/" + e->d_name);
    ::closedir(d);
  }
  std::sort(sockets.begin(), sockets.end());
  return sockets;
}

class SimHidDevice final : public HidDevice {
 public:
  SimHidDevice(int fd, int cancelFd, std::uint8_t collection, HidOpenMode mode)
      : fd_(fd), cancelFd_(cancelFd), collection_(collection), mode_(mode) {}
  ~SimHidDevice() override {
    ::close(fd_);
    ::close(cancelFd_);
  }

  bool SetFeature(std::span<const std::uint8_t> report) override {
    return Transfer(wire::MsgType::SetFeature, report).has_value();
  }

  bool GetFeature(std::span<std::uint8_t> report) override {
    auto reply = Transfer(wire::MsgType::GetFeature, report);
    if (!reply) return false;
    std::copy_n(reply->payload.begin(), std::min(reply->payload.size(), report.size()), report.begin());
    return true;
  }

  bool WriteOutput(std::span<const std::uint8_t> report) override {
    return Transfer(wire::MsgType::WriteOutput, report).has_value();
  }

  HidReadResult ReadInput(std::span<std::uint8_t> buffer, std::size_t& got) override {
    got = 0;
    if (mode_ == HidOpenMode::Query || gone_) return gone_ ? HidReadResult::Gone : HidReadResult::Error;
    return collection_ == wire::kEventsCollection ? ReadEvent(buffer, got) : ReadData(buffer, got);
  }

  // A cancel with no read waiting is kept for the next read (the eventfd
  // stays readable), so a reader about to block is woken all the same.
  void CancelRead() override {
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(cancelFd_, &one, sizeof one);
  }

 private:
  std::optional<wire::Message> Transfer(wire::MsgType type, std::span<const std::uint8_t> report) {
    if (mode_ == HidOpenMode::Query || collection_ != wire::kFeatureCollection || gone_) return std::nullopt;
    wire::Message m;
    m.type = type;
    m.collection = collection_;
    m.payload.assign(report.begin(), report.end());
    auto reply = Exchange(fd_, m);
    if (!reply || reply->status == wire::Status::Gone) gone_ = true;
    if (!reply || reply->status != wire::Status::Ok) return std::nullopt;
    return reply;
  }

  HidReadResult ReadData(std::span<std::uint8_t> buffer, std::size_t& got) {
    wire::Message m;
    m.type = wire::MsgType::ReadInput;
    m.collection = collection_;
    wire::PutU16(m.payload, static_cast<std::uint16_t>(std::min<std::size_t>(buffer.size(), 0xFFFF)));
    auto reply = Exchange(fd_, m);
    if (!reply || reply->status == wire::Status::Gone) {
      gone_ = true;
      return HidReadResult::Gone;
    }
    if (reply->status != wire::Status::Ok) return HidReadResult::Error;
    got = std::min(reply->payload.size(), buffer.size());
    std::copy_n(reply->payload.begin(), got, buffer.begin());
    return HidReadResult::Ok;
  }

  HidReadResult ReadEvent(std::span<std::uint8_t> buffer, std::size_t& got) {
    pollfd p[2] = {{cancelFd_, POLLIN, 0}, {fd_, POLLIN, 0}};
    for (;;) {
      if (::poll(p, 2, -1) < 0) {
        if (errno == EINTR) continue;
        return HidReadResult::Error;
      }
      if (p[0].revents & POLLIN) {
        std::uint64_t count;
        [[maybe_unused]] ssize_t n = ::read(cancelFd_, &count, sizeof count);
        return HidReadResult::Cancelled;
      }
      wire::Message m;
      if (wire::ReceiveMessage(fd_, m) != wire::RecvResult::Ok) {
        gone_ = true;
        return HidReadResult::Gone;
      }
      if (m.type != wire::MsgType::Event) continue;
      got = std::min(m.payload.size(), buffer.size());
      std::copy_n(m.payload.begin(), got, buffer.begin());
      return HidReadResult::Ok;
    }
  }

  int fd_;
  int cancelFd_;
  std::uint8_t collection_;
  HidOpenMode mode_;
  bool gone_ = false;
};

}  // namespace

std::string SimRuntimeDir() { return wire::RuntimeDir(); }

bool IsSimPath(std::string_view path) {
  return path.substr(0, wire::kPathPrefix.size()) == wire::kPathPrefix;
}

std::vector<HidCollectionInfo> EnumerateSimCollections() {
  std::vector<HidCollectionInfo> list;
  for (const auto& socket : SocketsIn(wire::RuntimeDir())) {
    const int fd = wire::Connect(socket);
    if (fd < 0) continue;  // left behind by a sim that was killed
    wire::Message m;
    m.type = wire::MsgType::Describe;
    auto reply = Exchange(fd, m);
    ::close(fd);
    if (!reply || reply->status != wire::Status::Ok) continue;
    for (auto& [number, info] : wire::DecodeCollections(reply->payload)) {
      if (number != wire::kFeatureCollection && number != wire::kEventsCollection) continue;
      info.path = std::string(wire::kPathPrefix) + socket +
                  std::string(number == wire::kFeatureCollection ? wire::kFeatureSuffix : wire::kEventsSuffix);
      list.push_back(std::move(info));
    }
  }
  return list;
}

HidOpenResult OpenSimCollection(const HidCollectionInfo& collection, HidOpenMode mode) {
  auto fail = [](std::string why) { return HidOpenResult::Failed(std::move(why)); };
  const auto path = ParseSimPath(collection.path);
  if (!path) return fail("not a virtual mouse path: " + collection.path);
  const int fd = wire::Connect(path->socket);
  if (fd < 0) return fail("the virtual mouse at " + path->socket + " is gone");
  const int cancelFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (cancelFd < 0) {
    ::close(fd);
    return fail("cannot create an event descriptor");
  }
  auto device = std::make_unique<SimHidDevice>(fd, cancelFd, path->collection, mode);
  if (path->collection == wire::kEventsCollection && mode != HidOpenMode::Query) {
    wire::Message m;
    m.type = wire::MsgType::Subscribe;
    m.collection = wire::kEventsCollection;
    auto reply = Exchange(fd, m);
    if (!reply || reply->status != wire::Status::Ok)
      return fail("the virtual mouse at " + path->socket + " does not deliver events");
  }
  return Opened(std::move(device));
}

}  // namespace corvaline::platform
