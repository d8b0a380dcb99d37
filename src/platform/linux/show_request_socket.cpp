// The running instance listens on a Unix socket in the user's runtime
// folder; a second start connects and writes one line: the activation token
// it was started with, or nothing. Only the holder of the single-instance
// lock listens, so a socket file found at start is a crashed run's leftover.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/show_request.h"

namespace corvaline::platform {
namespace {

constexpr char kSocketName[] = "corvaline-show.sock";
// Longer lines are no token of any compositor.
constexpr std::size_t kMaxToken = 255;
// A peer that connects and then says nothing holds the event loop this long.
constexpr int kReadTimeoutMs = 500;

// The user's runtime folder, or a private one under /tmp where the session
// has none; empty when neither is usable.
std::string RuntimeFolder() {
  if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run && run[0] == '/') return run;
  const std::string folder = "/tmp/corvaline-" + std::to_string(getuid());
  mkdir(folder.c_str(), 0700);
  struct stat info {};
  // Somebody else's folder, or one others may write into, is not ours to use.
  if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
      (info.st_mode & 0077) != 0)
    return {};
  return folder;
}

bool SocketAddress(sockaddr_un& address) {
  const std::string folder = RuntimeFolder();
  if (folder.empty()) return false;
  const std::string path = folder + "/" + kSocketName;
  address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

bool IsToken(const std::string& text) {
  if (text.empty() || text.size() > kMaxToken) return false;
  for (unsigned char c : text)
    if (c <= 0x20 || c >= 0x7F) return false;
  return true;
}

// One request: a line ending in '\n'. False when none came in time.
bool ReadRequest(int connection, std::string& token) {
  const timeval timeout{0, kReadTimeoutMs * 1000};
  setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  std::string line;
  char buffer[128];
  while (line.size() <= kMaxToken + 1) {
    const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    line.append(buffer, static_cast<std::size_t>(got));
    if (const std::size_t end = line.find('\n'); end != std::string::npos) {
      line.resize(end);
      token = IsToken(line) ? line : std::string();
      return true;
    }
  }
  return false;
}

class SocketShowRequests : public ShowRequests {
 public:
  explicit SocketShowRequests(OnShowRequest onShow) : onShow_(std::move(onShow)) {}
  ~SocketShowRequests() override {
    if (listener_ < 0) return;
    close(listener_);
    unlink(address_.sun_path);
  }

  bool Start() {
    if (!SocketAddress(address_)) return false;
    listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener_ < 0) return false;
    unlink(address_.sun_path);
    if (bind(listener_, reinterpret_cast<const sockaddr*>(&address_), sizeof address_) != 0 ||
        listen(listener_, 8) != 0) {
      close(listener_);
      listener_ = -1;
      return false;
    }
    return true;
  }

  int Descriptor() const override { return listener_; }

  void Serve() override {
    for (;;) {
      const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (connection < 0) {
        if (errno == EINTR) continue;
        return;  // nothing more waiting
      }
      std::string token;
      const bool asked = ReadRequest(connection, token);
      close(connection);
      if (asked && onShow_) onShow_(token);
    }
  }

 private:
  OnShowRequest onShow_;
  sockaddr_un address_{};
  int listener_ = -1;
};

}  // namespace

bool AskRunningInstanceToShow(std::string_view activationToken) {
  sockaddr_un address{};
  if (!SocketAddress(address)) return false;
  const int connection = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (connection < 0) return false;
  std::string line(activationToken);
  line += '\n';
  bool sent = connect(connection, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  for (std::size_t done = 0; sent && done < line.size();) {
    const ssize_t wrote = send(connection, line.data() + done, line.size() - done, MSG_NOSIGNAL);
    if (wrote < 0 && errno == EINTR) continue;
    sent = wrote > 0;
    if (sent) done += static_cast<std::size_t>(wrote);
  }
  close(connection);
  return sent;
}

std::unique_ptr<ShowRequests> ListenForShowRequests(OnShowRequest onShow) {
  auto requests = std::make_unique<SocketShowRequests>(std::move(onShow));
  if (!requests->Start()) return nullptr;
  return requests;
}

}  // namespace corvaline::platform
