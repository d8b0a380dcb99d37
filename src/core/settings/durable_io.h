// The few operating-system calls behind durable saves and file locks.
//
// The core stays standard C++, yet a save that survives a power cut needs
// fsync (or FlushFileBuffers) and a lock needs flock (or LockFileEx). Each
// system's backend in src/platform fills this table and every program
// installs it before it touches a file. Without one, saves and locks fail
// with kNoDurableIo instead of quietly skipping the flush to disk.
#pragma once

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "core/outcome.h"

namespace corvaline {

using OsFile = std::intptr_t;  // the backend's own handle
inline constexpr OsFile kNoOsFile = -1;

// Error code of a save or lock tried with no backend installed.
inline constexpr int kNoDurableIo = ENOSYS;

// Error code of a lock whose file is a link, folder, FIFO or device.
inline constexpr int kLockNotAFile = -2;

// Error code of a lock that another holder has.
inline constexpr int kLockHeld = -3;

// A failed call of the backend: the system's error number (or one of the
// codes above) as Code(), with its text.
Outcome IoFailure(int code);

// Every call that can fail hands back the system's error number in its
// result's Code(): the core words the message and tells some numbers apart
// (a name already taken, a lock held by another).
struct DurableIo {
  // Creates `file` for writing; fails with EEXIST when it already exists.
  Result<OsFile> (*createNew)(const std::filesystem::path& file);
  Outcome (*write)(OsFile file, std::string_view bytes);
  // The file's data and size reach the disk.
  Outcome (*flush)(OsFile file);
  Outcome (*close)(OsFile file);
  // Moves `from` over `to` in one step; both in the same folder.
  Outcome (*replace)(const std::filesystem::path& from, const std::filesystem::path& to);
  // The folder's entries reach the disk, so a replace survives a power cut.
  Outcome (*flushFolder)(const std::filesystem::path& folder);
  bool (*remove)(const std::filesystem::path& file);
  // An exclusive advisory lock on `file` (created when missing), without
  // waiting: fails with kLockHeld when another holder has it. Only a
  // regular file serves (kLockNotAFile otherwise): a symbolic link is never
  // followed and a FIFO never blocks the opening.
  Result<OsFile> (*tryLock)(const std::filesystem::path& file);
  void (*unlock)(OsFile lock);
  // A folder only this user can enter, for locks other users must not hold
  // (the session's runtime folder, else one made for the user); empty when
  // no such folder can be had.
  std::filesystem::path (*privateFolder)();
};

// The table every save and lock goes through; nullptr uninstalls.
void InstallDurableIo(const DurableIo* io);
const DurableIo* InstalledDurableIo();

}  // namespace corvaline
