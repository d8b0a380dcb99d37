#include <gtest/gtest.h>

#include "core/settings/utf8_paths.h"
#include "platform/autostart.h"

namespace corvaline::platform {
namespace {

// The entry starts the program it names, a folder with Chinese letters and
// spaces included, until it is removed; removing it twice is no error.
TEST(Autostart, EntryStartsTheNamedProgramUntilRemoved) {
  const std::filesystem::path before = AutostartProgram();  // the user's own, put back below
  const std::filesystem::path program =
      std::filesystem::temp_directory_path() / PathFromUtf8("鼠标 Ünï") / "corvaline";
  ASSERT_TRUE(EnableAutostart(program).Ok());
  EXPECT_EQ(AutostartProgram(), program);
  ASSERT_TRUE(DisableAutostart().Ok());
  EXPECT_TRUE(AutostartProgram().empty());
  EXPECT_TRUE(DisableAutostart().Ok());
  if (!before.empty()) {
    EXPECT_TRUE(EnableAutostart(before).Ok());
  }
}

}  // namespace
}  // namespace corvaline::platform
