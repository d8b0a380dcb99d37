// While another program talks to the mouse, this one waits a bounded time and
// then gives up its exchange without sending a byte.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "core/device/apply.h"
#include "core/device/talk_lock.h"
#include "device_test_support.h"
#include "platform/durable_io.h"
#include "test_support.h"

namespace corvaline {
namespace {

// Another process holding the mouse's lock until Release().
class OtherTalker {
 public:
  explicit OtherTalker(const std::filesystem::path& lockFile) {
    int ready[2], release[2];
    EXPECT_EQ(pipe(ready), 0);
    EXPECT_EQ(pipe(release), 0);
    child_ = fork();
    if (child_ == 0) {
      close(release[1]);  // so closing the parent's end ends the read
      const bool held = platform::SystemDurableIo().tryLock(lockFile).Ok();
      char c = held ? 'y' : 'n';
      (void)!write(ready[1], &c, 1);
      (void)!read(release[0], &c, 1);
      _exit(0);
    }
    close(ready[1]);
    close(release[0]);
    release_ = release[1];
    char c = 0;
    EXPECT_EQ(read(ready[0], &c, 1), 1);
    EXPECT_EQ(c, 'y');
    close(ready[0]);
  }
  ~OtherTalker() { Release(); }
  void Release() {
    if (child_ <= 0) return;
    close(release_);
    waitpid(child_, nullptr, 0);
    child_ = 0;
  }

 private:
  pid_t child_ = 0;
  int release_ = -1;
};

TEST(TalkLock, WhileAnotherProgramTalksNothingIsSentAndTheUserIsTold) {
  testing_support::ScratchDir runtime;
  setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  testing::SimLink s;
  s.link.talkLockShared = true;
  s.link.talkLockWait = std::chrono::milliseconds(50);
  ASSERT_TRUE(s.Connect());
  const std::filesystem::path lockFile = TalkLockFile(s.link.devicePath);
  EXPECT_EQ(lockFile.parent_path(), runtime.path());

  OtherTalker other(lockFile);
  int saved = 0;
  const ApplyReport report = ApplySettings(s.link, SettingsBlock{}, ApplySavers{[&] { ++saved; return Outcome(); }, {}, {}});
  EXPECT_EQ(report.failedTransfers, 1u);
  EXPECT_NE(report.sent.Reason().find("another program is talking to it"), std::string::npos);
  EXPECT_EQ(saved, 1);  // the settings are kept all the same
  const LinkOutcome refused = Handshake(s.link);
  EXPECT_FALSE(refused);
  EXPECT_TRUE(s.trace.empty());
  ASSERT_EQ(refused.problems.size(), 1u);
  EXPECT_NE(refused.problems[0].find("another program is talking to it"), std::string::npos);

  other.Release();
  EXPECT_TRUE(Handshake(s.link));
  EXPECT_EQ(ApplySettings(s.link, SettingsBlock{}, {}).failedTransfers, 0u);
}

}  // namespace
}  // namespace corvaline
