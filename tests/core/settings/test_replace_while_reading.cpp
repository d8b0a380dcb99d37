// Saves replace a file that another reader has open at that moment: on
// Windows a rename over an open file is refused unless the reader shares it
// for deletion, and a copy-in-place save would let the reader see half a file.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/settings/atomic_file.h"
#include "test_support.h"

namespace corvaline {
namespace {

TEST(ReplaceWhileReading, AHundredSavesOverAnExistingFileAndEveryReadSeesAWholeOne) {
  testing_support::ScratchDir dir;
  const auto file = dir / "config.bin";
  const std::string a(1986, 'a'), b(1000, 'b');
  ASSERT_TRUE(WriteFileAtomically(file, a));
  std::atomic<bool> done{false};
  int reads = 0, unreadable = 0, torn = 0;
  std::thread reader([&] {
    while (!done) {
      const auto text = ReadWholeFile(file);
      ++reads;
      if (!text)
        ++unreadable;
      else if (*text != a && *text != b)
        ++torn;
    }
  });
  int failed = 0;
  for (int i = 0; i < 100; ++i) {
    if (!WriteFileAtomically(file, i % 2 ? a : b)) ++failed;
  }
  done = true;
  reader.join();
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(unreadable, 0) << "of " << reads << " reads";
  EXPECT_EQ(torn, 0) << "of " << reads << " reads";
  EXPECT_EQ(ReadWholeFile(file).ValueOr(""), a);
}

}  // namespace
}  // namespace corvaline
