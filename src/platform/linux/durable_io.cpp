// POSIX: open(O_EXCL), fsync, rename, fsync of the folder, flock.
#include "platform/durable_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace corvaline::platform {
namespace {

// Done when `ok`, else errno's failure.
Outcome Done(bool ok) { return ok ? Outcome() : IoFailure(errno); }

Result<OsFile> CreateNew(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return IoFailure(errno);
  return fd;
}

Outcome Write(OsFile file, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(static_cast<int>(file), bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return IoFailure(errno);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return {};
}

Outcome Flush(OsFile file) { return Done(::fsync(static_cast<int>(file)) == 0); }

Outcome Close(OsFile file) { return Done(::close(static_cast<int>(file)) == 0); }

Outcome Replace(const std::filesystem::path& from, const std::filesystem::path& to) {
  return Done(::rename(from.c_str(), to.c_str()) == 0);
}

Outcome FlushFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return IoFailure(errno);
  // Some file systems cannot sync a folder (EINVAL): nothing more to do there.
  const Outcome synced = ::fsync(fd) == 0 || errno == EINVAL ? Outcome() : IoFailure(errno);
  ::close(fd);
  return synced;
}

bool Remove(const std::filesystem::path& file) { return ::unlink(file.c_str()) == 0; }

Result<OsFile> TryLock(const std::filesystem::path& file) {
  // A FIFO would block the open for good, a planted link would make us
  // create or lock its target.
  const int fd = ::open(file.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (fd < 0) return IoFailure(errno != ELOOP && errno != EISDIR ? errno : kLockNotAFile);
  struct stat st{};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return IoFailure(kLockNotAFile);
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
  const int code = errno;
  ::close(fd);
  return IoFailure(code == EWOULDBLOCK ? kLockHeld : code);
}

void Unlock(OsFile lock) { ::close(static_cast<int>(lock)); }

// $XDG_RUNTIME_DIR, else /tmp/corvaline-<uid> made owner-only, as the
// virtual mouse keeps its sockets.
std::filesystem::path PrivateFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat st{};
  if (runtime && runtime[0] == '/' && ::stat(runtime, &st) == 0 && S_ISDIR(st.st_mode))
    return runtime;
  const std::string dir = "/tmp/corvaline-" + std::to_string(::getuid());
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
  // Another user may have made the name first: then it is not ours to use.
  if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return {};
  if ((st.st_mode & 077) != 0 && ::chmod(dir.c_str(), 0700) != 0) return {};
  return dir;
}

}  // namespace

const DurableIo& SystemDurableIo() {
  static const DurableIo io{CreateNew,   Write,  Flush,   Close,  Replace,
                            FlushFolder, Remove, TryLock, Unlock, PrivateFolder};
  return io;
}

}  // namespace corvaline::platform
