// The message format between corvaline-sim and its clients. Each message is
// one packet of a SOCK_SEQPACKET Unix socket, so boundaries are kept by the
// kernel: byte 0 the message type, byte 1 the collection, byte 2 a status,
// byte 3 an argument, then the payload (a report, or a collection list).
// Shared by the sim's server and the platform's client; header-only so the sim
// needs no link dependency on the platform library.
#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/device/hid_port.h"

namespace corvaline::simwire {

enum class MsgType : std::uint8_t {
  Describe = 1,     // -> reply payload: the collection list
  SetFeature = 2,   // payload: the feature report
  GetFeature = 3,   // payload: the report buffer (byte 0 the report ID) -> reply payload: the report
  WriteOutput = 4,  // payload: the output report
  ReadInput = 5,    // payload: 2 bytes, buffer size little-endian -> reply payload: one input report
  Subscribe = 6,    // from now on the server sends Event messages on this connection
  Event = 7,        // server -> client: payload one event report
  Press = 8,        // arg: event code, payload: 1 byte value; a button pressed on the mouse
};

enum class Status : std::uint8_t { Ok = 0, Failed = 1, Gone = 2, Empty = 3, BadRequest = 4 };

// Collection numbers in the messages; also the path suffixes.
inline constexpr std::uint8_t kFeatureCollection = 0;
inline constexpr std::uint8_t kEventsCollection = 1;
inline constexpr std::string_view kFeatureSuffix = "#feature";
inline constexpr std::string_view kEventsSuffix = "#events";

inline constexpr std::size_t kHeaderSize = 4;
inline constexpr std::size_t kMaxMessage = 512;
// One collection in a Describe reply: collection number, then seven 16-bit
// little-endian values (vendor, product, usage page, usage, input, output and
// feature report lengths).
inline constexpr std::size_t kCollectionEntrySize = 15;

inline constexpr std::string_view kPathPrefix = "sim:";
inline constexpr std::string_view kSocketPrefix = "mouse-";
inline constexpr std::string_view kSocketSuffix = ".sock";

struct Message {
  MsgType type = MsgType::Describe;
  std::uint8_t collection = 0;
  Status status = Status::Ok;
  std::uint8_t arg = 0;
  std::vector<std::uint8_t> payload;
};

inline std::vector<std::uint8_t> Encode(const Message& m) {
  std::vector<std::uint8_t> out{static_cast<std::uint8_t>(m.type), m.collection,
                                static_cast<std::uint8_t>(m.status), m.arg};
  out.insert(out.end(), m.payload.begin(), m.payload.end());
  return out;
}

inline std::optional<Message> Decode(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kHeaderSize || bytes.size() > kMaxMessage) return std::nullopt;
  Message m;
  m.type = static_cast<MsgType>(bytes[0]);
  m.collection = bytes[1];
  m.status = static_cast<Status>(bytes[2]);
  m.arg = bytes[3];
  m.payload.assign(bytes.begin() + kHeaderSize, bytes.end());
  return m;
}

// Sends one message; false when the peer is gone or the message is too big.
inline bool SendMessage(int fd, const Message& m, bool dontWait = false) {
  const auto bytes = Encode(m);
  if (bytes.size() > kMaxMessage) return false;
  ssize_t n;
  do {
    n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | (dontWait ? MSG_DONTWAIT : 0));
  } while (n < 0 && errno == EINTR);
  return n == static_cast<ssize_t>(bytes.size());
}

enum class RecvResult { Ok, Closed, Error };

// Receives one message (blocking). A malformed packet counts as an error.
inline RecvResult ReceiveMessage(int fd, Message& m) {
  std::uint8_t buf[kMaxMessage + 1];
  ssize_t n;
  do {
    n = ::recv(fd, buf, sizeof buf, 0);
  } while (n < 0 && errno == EINTR);
  if (n == 0) return RecvResult::Closed;
  if (n < 0) return errno == ECONNRESET ? RecvResult::Closed : RecvResult::Error;
  auto decoded = Decode(std::span<const std::uint8_t>(buf, static_cast<std::size_t>(n)));
  if (!decoded) return RecvResult::Error;
  m = std::move(*decoded);
  return RecvResult::Ok;
}

inline void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline std::uint16_t GetU16(std::span<const std::uint8_t> in, std::size_t at) {
  return static_cast<std::uint16_t>(in[at] | (in[at + 1] << 8));
}

// The folder that holds the sockets: $XDG_RUNTIME_DIR/corvaline-sim when the
// session has a runtime folder, else a private folder under /tmp.
inline std::string RuntimeDir() {
  const char* xdg = std::getenv("XDG_RUNTIME_DIR");
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/corvaline-sim";
  return "/tmp/corvaline-sim-" + std::to_string(::getuid());
}

// Creates the runtime folder (owner-only) when missing. False when it cannot
// be created or is not a folder owned by this user.
inline bool EnsureRuntimeDir(const std::string& dir) {
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st{};
  if (::lstat(dir.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return false;
  // Other users must not reach the sockets (or plant their own).
  return (st.st_mode & 077) == 0 || ::chmod(dir.c_str(), 0700) == 0;
}

inline bool IsSocketName(std::string_view name) {
  return name.size() > kSocketPrefix.size() + kSocketSuffix.size() &&
         name.substr(0, kSocketPrefix.size()) == kSocketPrefix &&
         name.substr(name.size() - kSocketSuffix.size()) == kSocketSuffix;
}

// Fills a socket address; false when the path does not fit.
inline bool MakeAddress(const std::string& path, sockaddr_un& addr) {
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  return true;
}

// Connects to a sim socket; -1 on failure.
inline int Connect(const std::string& socketPath) {
  sockaddr_un addr;
  if (!MakeAddress(socketPath, addr)) return -1;
  int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Builds and parses the Describe reply.
inline std::vector<std::uint8_t> EncodeCollections(
    const std::vector<std::pair<std::uint8_t, HidCollectionInfo>>& list) {
  std::vector<std::uint8_t> out;
  for (const auto& [number, c] : list) {
    out.push_back(number);
    for (std::uint16_t v : {c.vendorId, c.productId, c.usagePage, c.usage, c.inputReportLength,
                            c.outputReportLength, c.featureReportLength})
      PutU16(out, v);
  }
  return out;
}

inline std::vector<std::pair<std::uint8_t, HidCollectionInfo>> DecodeCollections(
    std::span<const std::uint8_t> in) {
  std::vector<std::pair<std::uint8_t, HidCollectionInfo>> list;
  for (std::size_t at = 0; at + kCollectionEntrySize <= in.size(); at += kCollectionEntrySize) {
    HidCollectionInfo c;
    c.vendorId = GetU16(in, at + 1);
    c.productId = GetU16(in, at + 3);
    c.usagePage = GetU16(in, at + 5);
    c.usage = GetU16(in, at + 7);
    c.inputReportLength = GetU16(in, at + 9);
    c.outputReportLength = GetU16(in, at + 11);
    c.featureReportLength = GetU16(in, at + 13);
    list.emplace_back(in[at], c);
  }
  return list;
}

}  // namespace corvaline::simwire
