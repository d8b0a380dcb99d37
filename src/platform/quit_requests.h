// The system's request that the program end, in a form an event loop can
// wait for: on Linux SIGTERM (what a logout sends) and SIGINT (Ctrl+C in a
// terminal), noted by a handler that does no more than write to a pipe.
#pragma once

namespace corvaline::platform {

class QuitRequests {
 public:
  // Catches the requests from now until this goes; the handlers there were
  // before come back then. A second request of the same kind while the
  // first is being answered ends the program at once, as it would have.
  QuitRequests();
  ~QuitRequests();
  QuitRequests(const QuitRequests&) = delete;
  QuitRequests& operator=(const QuitRequests&) = delete;

  // Readable once a request has come; -1 where none can come this way.
  int Descriptor() const { return read_; }
  // Empties the descriptor; true when a request was waiting in it.
  bool Take();

 private:
  int read_ = -1;
  int write_ = -1;
};

}  // namespace corvaline::platform
