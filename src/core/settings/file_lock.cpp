#include "core/settings/file_lock.h"

#include <map>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "core/settings/atomic_file.h"
#include "core/settings/durable_io.h"
#include "core/settings/utf8_paths.h"

namespace corvaline {
namespace {

struct Holding {
  OsFile handle = kNoOsFile;
  int count = 0;
};

// The locks this process holds, by file: a nested lock only counts.
std::mutex& HeldMutex() {
  static std::mutex m;
  return m;
}
std::map<std::string, Holding>& HeldLocks() {
  static std::map<std::string, Holding> held;
  return held;
}

constexpr std::string_view kBusyText = "another program held ";

int HoldCount(const std::string& key) {
  std::lock_guard<std::mutex> guard(HeldMutex());
  const auto it = HeldLocks().find(key);
  return it == HeldLocks().end() ? 0 : it->second.count;
}

}  // namespace

FileLock::FileLock(FileLock&& other) noexcept : key_(std::exchange(other.key_, {})) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    key_ = std::exchange(other.key_, {});
  }
  return *this;
}

FileLock::~FileLock() { Release(); }

void FileLock::Release() {
  if (key_.empty()) return;
  std::lock_guard<std::mutex> guard(HeldMutex());
  auto it = HeldLocks().find(key_);
  if (it != HeldLocks().end() && --it->second.count == 0) {
    if (const DurableIo* io = InstalledDurableIo()) io->unlock(it->second.handle);
    HeldLocks().erase(it);
  }
  key_.clear();
}

Result<FileLock> LockFile(const std::filesystem::path& file, std::chrono::milliseconds wait) {
  const std::u8string generic = file.lexically_normal().generic_u8string();
  const std::string key(generic.begin(), generic.end());
  const DurableIo* io = InstalledDurableIo();
  if (!io) return Result<FileLock>::Failed("cannot lock " + Utf8FromPath(file) + ": no file-system backend");
  if (file.empty()) return Result<FileLock>::Failed("no folder of this user's own to keep the lock in");
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    {
      std::lock_guard<std::mutex> guard(HeldMutex());
      auto it = HeldLocks().find(key);
      if (it != HeldLocks().end()) {
        ++it->second.count;
        return FileLock(key);
      }
      const Result<OsFile> handle = io->tryLock(file);
      if (handle) {
        HeldLocks()[key] = {*handle, 1};
        return FileLock(key);
      }
      if (handle.Code() != kLockHeld)
        return Result<FileLock>::Error(handle.Code(), "cannot lock " + Utf8FromPath(file) + ": " + handle.Reason());
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return Result<FileLock>::Failed(std::string(kBusyText) + Utf8FromPath(file) + " for " +
                                      std::to_string(wait.count() / 1000) + " s");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}


std::filesystem::path DataLockFile(const std::filesystem::path& dataFolder) {
  return dataFolder / "corvaline.lock";
}

Result<FileLock> LockDataFolder(const std::filesystem::path& dataFolder) {
  Result<FileLock> lock = LockFile(DataLockFile(dataFolder), kDataLockWait);
  // Another program kept the lock, rather than it could not be made at all
  // (a read-only folder).
  if (!lock && lock.Reason().rfind(kBusyText, 0) == 0)
    return Result<FileLock>::Failed("the data files are busy: " + lock.Reason());
  if (lock && HoldCount(lock->key_) == 1) {
    // Every writer of these files holds this lock, so a temporary of theirs
    // seen now belongs to a writer that was killed.
    RemoveStaleTemporaries(dataFolder, {"config.bin", "str.ini", "record.ini"});
  }
  return lock;
}

std::filesystem::path TalkLockFile(std::string_view devicePath) {
  const DurableIo* io = InstalledDurableIo();
  const std::filesystem::path folder = io && io->privateFolder ? io->privateFolder() : "";
  if (folder.empty()) return {};
  std::string name = "corvaline-mouse-";
  for (char c : devicePath) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    name += plain ? c : '_';
  }
  return folder / (name + ".lock");
}

}  // namespace corvaline
