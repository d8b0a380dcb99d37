// WaitFor as a GoogleTest assertion:
//   ASSERT_TRUE(Eventually("the report of xlogo", 8s, [&] { ... }, [&] { return ...; }));
// fails with what was awaited and what was seen.
#pragma once

#include <gtest/gtest.h>

#include "wait.h"

namespace corvaline::testing_support {

inline ::testing::AssertionResult Eventually(std::string_view what,
                                             std::chrono::milliseconds timeout,
                                             const std::function<bool()>& done,
                                             const std::function<std::string()>& seen = {}) {
  const std::string failed = WaitFor(what, timeout, done, seen);
  if (failed.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << failed;
}

}  // namespace corvaline::testing_support
