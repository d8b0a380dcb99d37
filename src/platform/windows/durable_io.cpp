// Windows: CreateFileW(CREATE_NEW), FlushFileBuffers, MoveFileExW with
// write-through, LockFileEx. Paths go in as wide strings, never through the
// ANSI code page.
#include "platform/durable_io.h"

#include <windows.h>

#include <cerrno>

namespace corvaline::platform {
namespace {

HANDLE AsHandle(OsFile file) { return reinterpret_cast<HANDLE>(file); }

// The last error's failure.
Outcome Fail() {
  const DWORD code = GetLastError();
  // The core retries another temporary name on EEXIST only.
  return IoFailure(code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ? EEXIST : static_cast<int>(code));
}

Outcome Done(bool ok) { return ok ? Outcome() : Fail(); }

Result<OsFile> CreateNew(const std::filesystem::path& file) {
  const HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Fail();
  return reinterpret_cast<OsFile>(h);
}

Outcome Write(OsFile file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 1u << 30 ? 1u << 30 : static_cast<DWORD>(bytes.size());
    DWORD done = 0;
    if (!WriteFile(AsHandle(file), bytes.data(), chunk, &done, nullptr) || done == 0) return Fail();
    bytes.remove_prefix(done);
  }
  return {};
}

Outcome Flush(OsFile file) { return Done(FlushFileBuffers(AsHandle(file))); }

Outcome Close(OsFile file) { return Done(CloseHandle(AsHandle(file))); }

// A file that someone is reading (opened without FILE_SHARE_DELETE, as the
// C runtime and most programs open files) cannot be replaced until the reader
// lets go; readers hold a file only briefly, so the rename is tried again for
// a while before the save counts as failed.
Outcome Replace(const std::filesystem::path& from, const std::filesystem::path& to) {
  constexpr int kTries = 2000;  // about 2 s, 1 ms apart
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return {};
    const DWORD code = GetLastError();
    const bool held = code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION ||
                      code == ERROR_LOCK_VIOLATION;
    if (!held || attempt == kTries) return Fail();
    Sleep(1);
  }
}

// MOVEFILE_WRITE_THROUGH already returns only once the move is on the disk.
Outcome FlushFolder(const std::filesystem::path&) { return {}; }

bool Remove(const std::filesystem::path& file) { return DeleteFileW(file.c_str()) != 0; }

Result<OsFile> TryLock(const std::filesystem::path& file) {
  const HANDLE h = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Fail();
  OVERLAPPED at{};
  if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
    return reinterpret_cast<OsFile>(h);
  const DWORD code = GetLastError();
  CloseHandle(h);
  return IoFailure(code == ERROR_LOCK_VIOLATION ? kLockHeld : static_cast<int>(code));
}

// Closing the handle lets go of its lock.
void Unlock(OsFile lock) { CloseHandle(AsHandle(lock)); }

// The user's own temporary folder (%TEMP% lies in the user's profile).
std::filesystem::path PrivateFolder() {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
  return ec ? std::filesystem::path() : folder;
}

}  // namespace

const DurableIo& SystemDurableIo() {
  static const DurableIo io{CreateNew,   Write,  Flush,   Close,  Replace,
                            FlushFolder, Remove, TryLock, Unlock, PrivateFolder};
  return io;
}

}  // namespace corvaline::platform
