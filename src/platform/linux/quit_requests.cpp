// A self-pipe: a signal handler may only do async-signal-safe things, so it
// writes one byte and the event loop, woken by the readable end, does the
// rest. The handler is reset on its first call (SA_RESETHAND): a user who
// presses Ctrl+C again while the clean-up hangs gets the default at once.
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include "platform/quit_requests.h"

namespace corvaline::platform {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT};
volatile sig_atomic_t gWriteEnd = -1;
struct sigaction gBefore[2];

void OnQuitSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // A full pipe already holds a request: nothing is lost.
  if (write(gWriteEnd, &byte, 1) < 0) {
  }
  errno = saved;
}

}  // namespace

QuitRequests::QuitRequests() {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;  // then the defaults stay
  read_ = ends[0];
  write_ = ends[1];
  gWriteEnd = write_;
  struct sigaction action = {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (int i = 0; i < 2; ++i) sigaction(kSignals[i], &action, &gBefore[i]);
}

QuitRequests::~QuitRequests() {
  if (read_ < 0) return;
  for (int i = 0; i < 2; ++i) sigaction(kSignals[i], &gBefore[i], nullptr);
  gWriteEnd = -1;
  close(read_);
  close(write_);
}

bool QuitRequests::Take() {
  char bytes[16];
  bool any = false;
  while (read_ >= 0 && read(read_, bytes, sizeof bytes) > 0) any = true;
  return any;
}

}  // namespace corvaline::platform
