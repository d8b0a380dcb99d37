#include <gtest/gtest.h>

#include "platform/durable_io.h"

int main(int argc, char** argv) {
  corvaline::platform::InstallSystemDurableIo();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
