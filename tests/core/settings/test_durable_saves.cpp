// Saves reach the disk in the order that survives a power cut, through a
// temporary file of their own; locks keep two programs apart.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "core/settings/atomic_file.h"
#include "core/settings/file_lock.h"
#include "core/settings/ini_file.h"
#include "test_support.h"

namespace corvaline {
namespace {

using testing_support::FileNames;
using testing_support::ReadBytes;
using testing_support::RecordingIo;
using testing_support::ScratchDir;
using testing_support::WriteBytes;

TEST(DurableSaves, DataIsFlushedBeforeTheRenameAndTheFolderAfterIt) {
  ScratchDir dir;
  WriteBytes(dir / "config.bin", "old");
  RecordingIo io;
  ASSERT_TRUE(WriteFileAtomically(dir / "config.bin", "new"));
  ASSERT_TRUE(WriteFileAtomically(dir / "config.bin", "newer"));
  ASSERT_EQ(io.calls.size(), 12u);
  const std::string tmp = io.calls[0].substr(7);
  EXPECT_TRUE(IsTemporaryFor(dir / tmp, dir / "config.bin")) << tmp;
  const std::vector<std::string> expected = {
      "create " + tmp, "write", "flush", "close", "replace " + tmp + " config.bin",
      "flushFolder " + dir.path().filename().string()};
  EXPECT_EQ(std::vector<std::string>(io.calls.begin(), io.calls.begin() + 6), expected);
  EXPECT_NE(io.calls[6], io.calls[0]);  // every save its own temporary file
  EXPECT_EQ(ReadBytes(dir / "config.bin"), "newer");
  EXPECT_EQ(FileNames(dir.path()), std::vector<std::string>{"config.bin"});
}

TEST(DurableSaves, WithoutTheSystemsCallsNothingIsWritten) {
  ScratchDir dir;
  WriteBytes(dir / "a.ini", "old");
  RecordingIo io;  // puts the system's calls back when it goes
  InstallDurableIo(nullptr);
  EXPECT_EQ(WriteFileAtomically(dir / "a.ini", "new").Code(), kNoDurableIo);
  EXPECT_FALSE(LockFile(dir / "x.lock", std::chrono::milliseconds(0)));
  EXPECT_EQ(ReadBytes(dir / "a.ini"), "old");
}

// True when another process gets the lock (a forked child shares this
// process's book of held locks, so it asks the system directly).
bool OtherProcessGetsLock(const std::filesystem::path& file) {
  const pid_t child = fork();
  if (child == 0) {
    _exit(platform::SystemDurableIo().tryLock(file).Ok() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(FileLocks, HeldAgainstOtherProcessesNestedWithinOne) {
  ScratchDir dir;
  auto outer = LockDataFolder(dir.path());
  ASSERT_TRUE(outer) << outer.Reason();
  {
    const auto inner = LockDataFolder(dir.path());  // a save inside a locked edit
    EXPECT_TRUE(inner && inner->Held());
  }
  EXPECT_FALSE(OtherProcessGetsLock(DataLockFile(dir.path())));
  outer->Release();
  EXPECT_TRUE(OtherProcessGetsLock(DataLockFile(dir.path())));

  const auto gone = LockFile(dir / "no-such-folder" / "x.lock", std::chrono::milliseconds(0));
  EXPECT_FALSE(gone);
  EXPECT_NE(gone.Reason().find("cannot lock"), std::string::npos) << gone.Reason();
}

TEST(FileLocks, OnlyARegularFileServesAndTheMousesLockIsTheUsersOwn) {
  ScratchDir dir;
  const auto lockFile = DataLockFile(dir.path());
  auto refused = [&](const char* what) {
    const auto start = std::chrono::steady_clock::now();
    const auto lock = LockDataFolder(dir.path());
    EXPECT_FALSE(lock) << what;
    EXPECT_NE(lock.Reason().find("not a regular file"), std::string::npos) << what << ": " << lock.Reason();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << what;
    std::filesystem::remove(lockFile);
  };
  ASSERT_EQ(mkfifo(lockFile.c_str(), 0600), 0);
  refused("a FIFO");  // used to wait in open() for a writer, for good
  std::filesystem::create_directory(lockFile);
  refused("a folder");
  std::filesystem::create_symlink(dir / "target", lockFile);
  refused("a dangling link");
  EXPECT_FALSE(std::filesystem::exists(dir / "target"));

  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved = runtime ? runtime : "";
  unsetenv("XDG_RUNTIME_DIR");
  const std::filesystem::path folder = TalkLockFile("/dev/hidraw3").parent_path();
  if (runtime) setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
  EXPECT_EQ(folder, "/tmp/corvaline-" + std::to_string(getuid()));
  EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
}

TEST(FileLocks, ProgramsEditingOneIniFileAtOnceLoseNoKey) {
  ScratchDir dir;
  const auto file = dir / "str.ini";
  constexpr int kWriters = 4, kKeys = 25;
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t child = fork();
    if (child == 0) {
      bool ok = true;
      for (int k = 0; k < kKeys; ++k)
        ok = IniWriteString(file, "S", "w" + std::to_string(w) + "k" + std::to_string(k), "v") && ok;
      _exit(ok ? 0 : 1);
    }
    children.push_back(child);
  }
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ(IniReadSection(file, "S").size(), std::size_t{kWriters * kKeys});
}

}  // namespace
}  // namespace corvaline

namespace corvaline {
namespace {

TEST(BoundedReads, CapsAndRegularFilesOnly) {
  testing_support::ScratchDir dir;
  testing_support::WriteBytes(dir / "f", std::string(100, 'x'));
  EXPECT_EQ(ReadWholeFile(dir / "f", 100).ValueOr(""), std::string(100, 'x'));
  const auto tooLarge = ReadWholeFile(dir / "f", 99);
  EXPECT_FALSE(tooLarge);
  EXPECT_EQ(tooLarge.Code(), kReadTooLarge);
  EXPECT_EQ(tooLarge.Reason(), "larger than 99 bytes, more than such a file can hold");
  EXPECT_EQ(ReadWholeFile("/dev/zero").Code(), kReadNotAFile);
  std::istringstream endless(std::string(kReadCap + 1, ' '));
  EXPECT_EQ(ReadWholeStream(endless).Code(), kReadTooLarge);
  EXPECT_EQ(ReadErrorText(kReadTooLarge, 1986), "larger than 1986 bytes, more than such a file can hold");
}

}  // namespace
}  // namespace corvaline
