// A mouse that is there but cannot be used (no permission on its node):
// corvalinectl says why once, as the failure's one line.
#include <gtest/gtest.h>

#include <sstream>

#include "core/device/protocol.h"
#include "fake_hid.h"
#include "session.h"

namespace corvaline {
namespace {

TEST(ConnectMouse, AnUnusableMouseIsToldOnceInOneLine) {
  auto backend = std::make_unique<testing::ScriptedBackend>();
  HidCollectionInfo node;
  node.path = "/dev/hidraw7";
  node.vendorId = kMouseVendorId;
  node.productId = kMouseProductId;
  node.problem = "/dev/hidraw7: permission denied; add the udev rule\n";
  backend->collections = {node};
  std::ostringstream err;
  cli::DeviceSession session;
  session.err = &err;
  session.backend = std::move(backend);
  session.link.backend = session.backend.get();
  try {
    cli::ConnectMouse(session);
    FAIL() << "connected to a mouse that cannot be used";
  } catch (const cli::Failure& failure) {
    EXPECT_STREQ(failure.what(), "the mouse cannot be used: /dev/hidraw7: permission denied; add the udev rule");
  }
  EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace corvaline
