#include "platform/linux/hid_descriptor.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

namespace corvaline::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A gaming mouse's single interface: mouse, keyboard, consumer keys and a
// vendor collection, each with its own report IDs.
const Bytes kComboDescriptor = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,  // Generic Desktop / Mouse, Application
    0x85, 0x01,                          //   Report ID 1
    0x09, 0x01, 0xA1, 0x00,              //   Pointer, Physical
    0x05, 0x09, 0x19, 0x01, 0x29, 0x05,  //     Buttons 1..5
    0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x05, 0x81, 0x02,  // 5 x 1 bit
    0x75, 0x03, 0x95, 0x01, 0x81, 0x01,                          // 3 bits padding
    0xA4,                                                        // Push
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31,                          // X, Y
    0x16, 0x01, 0x80, 0x26, 0xFF, 0x7F, 0x75, 0x10, 0x95, 0x02, 0x81, 0x06,  // 2 x 16
    0xB4,                                                        // Pop: size 3, count 1
    0x09, 0x38, 0x75, 0x08, 0x95, 0x01, 0x81, 0x06,              // wheel, 8 bits
    0xC0, 0xC0,
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,  // Generic Desktop / Keyboard
    0x85, 0x02,
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02,  // modifiers
    0x75, 0x08, 0x95, 0x01, 0x81, 0x01,                                      // reserved
    0x19, 0x00, 0x29, 0x65, 0x95, 0x06, 0x81, 0x00,                          // 6 keys
    0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x75, 0x01, 0x95, 0x05, 0x91, 0x02,  // LEDs
    0x75, 0x03, 0x95, 0x01, 0x91, 0x01,
    0xC0,
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,  // Consumer / Consumer Control
    0x85, 0x03, 0x19, 0x00, 0x2A, 0x3C, 0x02, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00,
    0xC0,
    0xFE, 0x02, 0x10, 0xAA, 0xBB,        // a long item, to be stepped over
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,  // Vendor 0xFF00 / 1
    0x85, 0x04, 0x75, 0x08, 0x95, 0x07, 0x09, 0x02, 0xB1, 0x02,  // 7-byte feature
    0x85, 0x05, 0x95, 0x20, 0x09, 0x03, 0xB1, 0x02,              // 32-byte feature
    0xC0,
};

// A boot-protocol mouse: one collection, reports without IDs.
const Bytes kBootMouse = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00,
    0x05, 0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01,
    0x95, 0x03, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x01,
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38, 0x15, 0x81, 0x25, 0x7F,
    0x75, 0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0,
};

// Vendor interface: an event collection with a four-byte usage (page in the
// high half) and a command collection with feature and output reports.
const Bytes kVendorDescriptor = {
    0x0B, 0x01, 0xFF, 0x01, 0xFF, 0xA1, 0x01,  // usage FF01:FF01, Application
    0x85, 0x06, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x07, 0x09, 0x01, 0x81, 0x02,
    0xC0,
    0x06, 0x00, 0xFF, 0x0A, 0x00, 0xFF, 0xA1, 0x01,  // usage page FF00, usage FF00
    0x85, 0x07, 0x95, 0x08, 0x09, 0x02, 0xB1, 0x02,
    0x85, 0x08, 0x95, 0x20, 0x09, 0x03, 0x91, 0x02,
    0xC0,
};

TEST(HidDescriptor, CombinedInterfaceListsEachCollectionWithItsLongestReports) {
  const auto layout = ParseHidReportDescriptor(kComboDescriptor);
  ASSERT_EQ(layout.error, "");
  EXPECT_TRUE(layout.numberedReports);
  ASSERT_EQ(layout.collections.size(), 4u);

  const auto& mouse = layout.collections[0];
  EXPECT_EQ(mouse.usagePage, 0x01);
  EXPECT_EQ(mouse.usage, 0x02);
  // 5 buttons + 3 padding + 2 x 16 bits + wheel (8 bits after Pop) = 6 bytes, plus ID.
  EXPECT_EQ(mouse.inputReportLength, 7);
  EXPECT_EQ(mouse.outputReportLength, 0);
  EXPECT_EQ(mouse.featureReportLength, 0);
  EXPECT_EQ(mouse.inputReportIds, std::vector<std::uint8_t>{1});

  const auto& keyboard = layout.collections[1];
  EXPECT_EQ(keyboard.usage, 0x06);
  EXPECT_EQ(keyboard.inputReportLength, 9);
  EXPECT_EQ(keyboard.outputReportLength, 2);

  const auto& consumer = layout.collections[2];
  EXPECT_EQ(consumer.usagePage, 0x0C);
  EXPECT_EQ(consumer.usage, 0x01);
  EXPECT_EQ(consumer.inputReportLength, 3);

  const auto& vendor = layout.collections[3];
  EXPECT_EQ(vendor.usagePage, 0xFF00);
  EXPECT_EQ(vendor.usage, 0x01);
  EXPECT_EQ(vendor.featureReportLength, 33);  // the 32-byte report wins
  EXPECT_EQ(vendor.inputReportLength, 0);
  EXPECT_TRUE(vendor.inputReportIds.empty());
}

TEST(HidDescriptor, UnnumberedReportsStillCountTheIdByte) {
  const auto layout = ParseHidReportDescriptor(kBootMouse);
  ASSERT_EQ(layout.error, "");
  EXPECT_FALSE(layout.numberedReports);
  ASSERT_EQ(layout.collections.size(), 1u);
  EXPECT_EQ(layout.collections[0].inputReportLength, 5);  // 4 data bytes + the 0 ID
  EXPECT_EQ(layout.collections[0].inputReportIds, std::vector<std::uint8_t>{0});
}

TEST(HidDescriptor, VendorCollectionsTakeTheirPagesFromTheRightPlace) {
  const auto layout = ParseHidReportDescriptor(kVendorDescriptor);
  ASSERT_EQ(layout.error, "");
  ASSERT_EQ(layout.collections.size(), 2u);
  const auto& events = layout.collections[0];
  EXPECT_EQ(events.usagePage, 0xFF01);
  EXPECT_EQ(events.usage, 0xFF01);
  EXPECT_EQ(events.inputReportLength, 8);
  EXPECT_EQ(events.inputReportIds, std::vector<std::uint8_t>{6});
  const auto& commands = layout.collections[1];
  EXPECT_EQ(commands.usagePage, 0xFF00);
  EXPECT_EQ(commands.usage, 0xFF00);
  EXPECT_EQ(commands.featureReportLength, 9);
  EXPECT_EQ(commands.outputReportLength, 33);
  EXPECT_EQ(commands.inputReportLength, 0);
}

TEST(HidDescriptor, MalformedDescriptorsAreRejectedWithoutCollections) {
  const Bytes popWithoutPush = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xB4, 0xC0};
  const Bytes unclosed = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02};
  const Bytes strayEnd = {0xC0, 0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xC0};
  const Bytes reportIdZero = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x00, 0xC0};
  const Bytes truncatedLong = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xFE, 0x10, 0x01, 0x00};
  const Bytes empty = {};
  // Report Size and Count at their 32-bit maximum: the sum must not wrap.
  const Bytes hugeReport = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF,
                            0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02, 0xC0};
  for (const Bytes* bad : {&popWithoutPush, &unclosed, &strayEnd, &reportIdZero, &truncatedLong,
                           &empty, &hugeReport}) {
    const auto layout = ParseHidReportDescriptor(*bad);
    EXPECT_NE(layout.error, "") << "descriptor #" << (bad - &popWithoutPush);
    EXPECT_TRUE(layout.collections.empty());
  }
  // Cutting a good descriptor short fails cleanly, except where what is left
  // is complete: after the first End Collection and the two items after it.
  const std::set<std::size_t> completeCuts = {23, 26, 29};
  for (std::size_t cut = 1; cut < kVendorDescriptor.size(); ++cut) {
    const auto layout = ParseHidReportDescriptor(std::span(kVendorDescriptor.data(), cut));
    EXPECT_EQ(layout.error.empty(), completeCuts.count(cut) == 1) << "cut at " << cut;
  }
}

TEST(HidDescriptor, RandomBytesNeverReadOutOfBounds) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 3000; ++round) {
    // Exactly sized heap buffers, so the sanitizer sees any read past the end.
    Bytes bytes(random() % 96);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    const auto layout = ParseHidReportDescriptor(bytes);
    if (!layout.error.empty()) {
      EXPECT_TRUE(layout.collections.empty());
    }
  }
}

}  // namespace
}  // namespace corvaline::platform
