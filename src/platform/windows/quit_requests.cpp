// A windowed program on Windows has no console whose Ctrl+C or closing it
// would be told of; the end of a session reaches it as window messages,
// which Qt answers itself. So nothing is caught here.
#include "platform/quit_requests.h"

namespace corvaline::platform {

QuitRequests::QuitRequests() = default;
QuitRequests::~QuitRequests() = default;
bool QuitRequests::Take() { return false; }

}  // namespace corvaline::platform
