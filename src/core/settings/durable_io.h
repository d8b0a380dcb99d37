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

namespace corvaline {

using OsFile = std::intptr_t;  // the backend's own handle
inline constexpr OsFile kNoOsFile = -1;

// Error code of a save or lock tried with no backend installed.
inline constexpr int kNoDurableIo = ENOSYS;

// Error code of a lock whose file is a link, folder, FIFO or device.
inline constexpr int kLockNotAFile = -2;

struct DurableIo {
  // Creates `file` for writing; fails (kNoOsFile) when it already exists.
  OsFile (*createNew)(const std::filesystem::path& file, int* error);
  bool (*write)(OsFile file, std::string_view bytes, int* error);
  // The file's data and size reach the disk.
  bool (*flush)(OsFile file, int* error);
  bool (*close)(OsFile file, int* error);
  // Moves `from` over `to` in one step; both in the same folder.
  bool (*replace)(const std::filesystem::path& from, const std::filesystem::path& to,
                  int* error);
  // The folder's entries reach the disk, so a replace survives a power cut.
  bool (*flushFolder)(const std::filesystem::path& folder, int* error);
  bool (*remove)(const std::filesystem::path& file);
  // An exclusive advisory lock on `file` (created when missing), without
  // waiting: kNoOsFile with *error == 0 when another holder has it. Only a
  // regular file serves (kLockNotAFile otherwise): a symbolic link is never
  // followed and a FIFO never blocks the opening.
  OsFile (*tryLock)(const std::filesystem::path& file, int* error);
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
