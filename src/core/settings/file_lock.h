// Exclusive advisory locks between programs: the data folder's lock, held
// around every read-modify-write of config.bin, str.ini and record.ini, and
// the mouse's lock, held by whoever talks to it. The program and corvalinectl
// take the same locks, so neither undoes nor interrupts the other.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "core/outcome.h"

namespace corvaline {

// Held until destroyed or released. Locks of one file nest inside one
// process: a save inside a locked read-modify-write does not wait for itself.
class FileLock {
 public:
  FileLock() = default;
  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();

  bool Held() const { return !key_.empty(); }
  void Release();

 private:
  friend Result<FileLock> LockFile(const std::filesystem::path&, std::chrono::milliseconds);
  friend Result<FileLock> LockDataFolder(const std::filesystem::path&);
  explicit FileLock(std::string key) : key_(std::move(key)) {}
  std::string key_;
};

// Waits up to `wait` for the lock on `file`. On failure the reason says
// another program kept it all that time, or the file cannot be made.
Result<FileLock> LockFile(const std::filesystem::path& file, std::chrono::milliseconds wait);

inline constexpr std::chrono::milliseconds kDataLockWait{10000};

// The lock file of a data folder.
std::filesystem::path DataLockFile(const std::filesystem::path& dataFolder);

// The data folder's lock, waiting kDataLockWait; the reason on failure names
// the lock's file, and begins "the data files are busy: " when another
// program kept it. Taken afresh (not nested), it deletes the temporaries of
// config.bin, str.ini and record.ini that a killed save left behind.
Result<FileLock> LockDataFolder(const std::filesystem::path& dataFolder);

// The lock file of one mouse, named after its device path, in a folder of
// the user's own ($XDG_RUNTIME_DIR, else a per-user 0700 folder), so another
// user cannot hold it; empty (and every lock on it refused) without one.
std::filesystem::path TalkLockFile(std::string_view devicePath);

}  // namespace corvaline
