#include "sim/sim_server.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>

#include "platform/virtual/sim_wire.h"

namespace corvaline::sim {

namespace wire = corvaline::simwire;

std::string DefaultSocketPath() {
  return wire::RuntimeDir() + "/" + std::string(wire::kSocketPrefix) + std::to_string(::getpid()) +
         std::string(wire::kSocketSuffix);
}

void RemoveStaleSockets(const std::string& dir) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return;
  std::vector<std::string> stale;
  while (dirent* entry = ::readdir(d)) {
    const std::string name = entry->d_name;
    if (!wire::IsSocketName(name)) continue;
    const std::string path = dir + "/" + name;
    sockaddr_un addr;
    if (!wire::MakeAddress(path, addr)) continue;
    int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (fd < 0) continue;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 && errno == ECONNREFUSED)
      stale.push_back(path);
    ::close(fd);
  }
  ::closedir(d);
  for (const auto& path : stale) ::unlink(path.c_str());
}

namespace {

wire::Status StatusOf(Transfer t) {
  switch (t) {
    case Transfer::Ok: return wire::Status::Ok;
    case Transfer::Gone: return wire::Status::Gone;
    case Transfer::Failed: break;
  }
  return wire::Status::Failed;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

SimServer::SimServer(std::shared_ptr<VirtualMouse> mouse) : mouse_(std::move(mouse)) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
  }
  plugListener_ = mouse_->AddPlugListener([this](bool) { Wake(); });
}

SimServer::~SimServer() {
  mouse_->RemovePlugListener(plugListener_);
  DropClients();
  CloseListener();
  if (wakeRead_ >= 0) ::close(wakeRead_);
  if (wakeWrite_ >= 0) ::close(wakeWrite_);
}

void SimServer::Wake() {
  if (wakeWrite_ < 0) return;
  const char byte = 1;
  // A full pipe already means "wake up"; nothing more to do then.
  [[maybe_unused]] ssize_t n = ::write(wakeWrite_, &byte, 1);
}

void SimServer::RequestStop() {
  stop_.store(true);
  Wake();
}

bool SimServer::Start(const std::string& socketPath, std::string* error) {
  socketPath_ = socketPath;
  if (wakeRead_ < 0) {
    if (error) *error = "cannot create a pipe";
    return false;
  }
  if (!wire::EnsureRuntimeDir(FolderOf(socketPath))) {
    if (error) *error = "cannot use the folder " + FolderOf(socketPath);
    return false;
  }
  return !mouse_->IsPlugged() || OpenListener(error);
}

// The socket is bound under a hidden name and renamed once it listens, so a
// watcher that sees the final name can connect at once.
bool SimServer::OpenListener(std::string* error) {
  const std::string folder = FolderOf(socketPath_);
  const std::string temp = folder + "/.new-" + socketPath_.substr(folder.size() + 1);
  sockaddr_un addr;
  if (!wire::MakeAddress(temp, addr)) {
    if (error) *error = "socket path too long: " + socketPath_;
    return false;
  }
  int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    if (error) *error = "cannot create a socket";
    return false;
  }
  ::unlink(temp.c_str());
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 16) != 0 ||
      ::rename(temp.c_str(), socketPath_.c_str()) != 0) {
    if (error) *error = "cannot listen on " + socketPath_;
    ::unlink(temp.c_str());
    ::close(fd);
    return false;
  }
  listenFd_ = fd;
  listenGeneration_ = mouse_->Generation();
  return true;
}

void SimServer::CloseListener() {
  if (listenFd_ < 0) return;
  ::unlink(socketPath_.c_str());
  ::close(listenFd_);
  listenFd_ = -1;
}

void SimServer::DropClients() {
  for (auto& c : clients_) ::close(c.fd);
  clients_.clear();
}

// The socket follows the mouse: unplugged means no socket and no connections.
// A removal and plug-in that both happened since the last look still replace
// the socket, so watchers see both.
void SimServer::FollowPlugState() {
  const bool plugged = mouse_->IsPlugged();
  if (listenFd_ >= 0 && (!plugged || mouse_->Generation() != listenGeneration_)) {
    DropClients();
    CloseListener();
  }
  if (plugged && listenFd_ < 0) {
    std::string error;
    if (!OpenListener(&error)) std::fprintf(stderr, "corvaline-sim: %s\n", error.c_str());
  }
}

void SimServer::Accept() {
  for (;;) {
    int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    clients_.push_back({fd, mouse_->Generation(), nullptr});
  }
}

void SimServer::Run() {
  while (!stop_.load()) {
    FollowPlugState();
    std::vector<pollfd> fds;
    fds.push_back({wakeRead_, POLLIN, 0});
    if (listenFd_ >= 0) fds.push_back({listenFd_, POLLIN, 0});
    const std::size_t firstClient = fds.size();
    for (const auto& c : clients_) fds.push_back({c.fd, POLLIN, 0});
    if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) break;
    char drain[64];
    while (::read(wakeRead_, drain, sizeof drain) > 0) {
    }
    std::vector<bool> drop(clients_.size(), false);
    for (std::size_t i = 0; i < clients_.size(); ++i) {
      const short re = fds[firstClient + i].revents;
      if (re & (POLLHUP | POLLERR)) drop[i] = true;
      else if ((re & POLLIN) && !Serve(clients_[i])) drop[i] = true;
    }
    for (std::size_t i = 0; i < clients_.size(); ++i) {
      bool d = drop[i];
      if (!d) ForwardEvents(clients_[i], d);
      drop[i] = d;
    }
    for (std::size_t i = clients_.size(); i-- > 0;) {
      if (!drop[i]) continue;
      ::close(clients_[i].fd);
      clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    if (listenFd_ >= 0 && firstClient > 1 && (fds[1].revents & POLLIN)) Accept();
  }
  DropClients();
  CloseListener();
}

void SimServer::ForwardEvents(Client& client, bool& drop) {
  if (!client.events) return;
  std::array<std::uint8_t, kEventReportLength> report{};
  std::size_t got = 0;
  bool gone = false;
  while (client.events->TryRead(report, got, gone)) {
    wire::Message m;
    m.type = wire::MsgType::Event;
    m.collection = wire::kEventsCollection;
    m.payload.assign(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(got));
    // A reader that does not keep up loses reports, as with a full HID buffer.
    wire::SendMessage(client.fd, m, /*dontWait=*/true);
  }
  if (gone) drop = true;
}

bool SimServer::Serve(Client& client) {
  wire::Message in;
  if (wire::ReceiveMessage(client.fd, in) != wire::RecvResult::Ok) return false;
  wire::Message out;
  out.type = in.type;
  out.collection = in.collection;
  const bool feature = in.collection == wire::kFeatureCollection;
  const auto gen = client.generation;
  switch (in.type) {
    case wire::MsgType::Describe: {
      std::vector<std::pair<std::uint8_t, HidCollectionInfo>> list;
      for (const auto& e : MouseCollections()) list.emplace_back(static_cast<std::uint8_t>(e.which), e.info);
      out.payload = wire::EncodeCollections(list);
      break;
    }
    case wire::MsgType::SetFeature:
      out.status = feature ? StatusOf(mouse_->SetFeature(gen, in.payload)) : wire::Status::Failed;
      break;
    case wire::MsgType::GetFeature:
      out.payload = in.payload;
      out.status = feature ? StatusOf(mouse_->GetFeature(gen, out.payload)) : wire::Status::Failed;
      break;
    case wire::MsgType::WriteOutput:
      out.status = feature ? StatusOf(mouse_->WriteOutput(gen, in.payload)) : wire::Status::Failed;
      break;
    case wire::MsgType::ReadInput: {
      if (!feature || in.payload.size() < 2) {
        out.status = wire::Status::BadRequest;
        break;
      }
      std::vector<std::uint8_t> buffer(std::min<std::size_t>(wire::GetU16(in.payload, 0), 256));
      std::size_t got = 0;
      const Transfer t = mouse_->ReadData(gen, buffer, got);
      out.status = t == Transfer::Failed ? wire::Status::Empty : StatusOf(t);
      out.payload.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
      break;
    }
    case wire::MsgType::Subscribe:
      if (!client.events) client.events = mouse_->OpenEvents();
      if (client.events) client.events->SetWakeCallback([this] { Wake(); });
      out.status = client.events ? wire::Status::Ok : wire::Status::Gone;
      break;
    case wire::MsgType::Press:
      out.status = !in.payload.empty() && mouse_->RaiseEvent(in.arg, in.payload[0])
                       ? wire::Status::Ok
                       : wire::Status::Failed;
      break;
    default:
      out.status = wire::Status::BadRequest;
      break;
  }
  return wire::SendMessage(client.fd, out);
}

}  // namespace corvaline::sim
