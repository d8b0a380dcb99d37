// Offers a VirtualMouse to other processes over a Unix socket in the runtime
// folder, where the platform layer's client lists it beside the hidraw
// devices. The socket exists exactly while the mouse is plugged in, so its
// appearance and removal are the plug-in and removal notifications.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "sim/virtual_mouse.h"

namespace corvaline::sim {

// "<runtime folder>/mouse-<pid>.sock".
std::string DefaultSocketPath();

// Deletes sockets in `dir` that nobody answers on any more (left behind by a
// corvaline-sim that was killed).
void RemoveStaleSockets(const std::string& dir);

class SimServer {
 public:
  explicit SimServer(std::shared_ptr<VirtualMouse> mouse);
  ~SimServer();
  SimServer(const SimServer&) = delete;
  SimServer& operator=(const SimServer&) = delete;

  // Creates the socket at `socketPath` (its folder is created when missing).
  // False with *error set when it cannot.
  bool Start(const std::string& socketPath, std::string* error);
  const std::string& SocketPath() const { return socketPath_; }

  // Serves clients until RequestStop(). Removes the socket before returning.
  void Run();
  // Safe from any thread and from a signal handler.
  void RequestStop();

 private:
  struct Client {
    int fd = -1;
    std::uint64_t generation = 0;
    std::shared_ptr<EventChannel> events;
  };

  bool OpenListener(std::string* error);
  void CloseListener();
  void DropClients();
  void Wake();
  void Accept();
  // False when the client hung up or broke the protocol.
  bool Serve(Client& client);
  void ForwardEvents(Client& client, bool& drop);
  void FollowPlugState();

  std::shared_ptr<VirtualMouse> mouse_;
  std::string socketPath_;
  int listenFd_ = -1;
  std::uint64_t listenGeneration_ = 0;  // the mouse's plug-in the socket stands for
  int wakeRead_ = -1;
  int wakeWrite_ = -1;
  int plugListener_ = 0;
  std::atomic<bool> stop_{false};
  std::vector<Client> clients_;
};

}  // namespace corvaline::sim
