#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstring>

#include "core/settings/config_file.h"
#include "process_runner.h"

namespace corvaline {
namespace {

using testing_support::ToolSandbox;

const std::pair<const char*, std::uint8_t (ButtonTable::*)[kButtonSlots]> kColumns[] = {
    {"category", &ButtonTable::category},         {"mediaIndex", &ButtonTable::mediaIndex},
    {"mediaUsage", &ButtonTable::mediaUsage},     {"windowsIndex", &ButtonTable::windowsIndex},
    {"windowsUsageLow", &ButtonTable::windowsUsageLow},
    {"windowsUsageHigh", &ButtonTable::windowsUsageHigh},
    {"fireKeyIndex", &ButtonTable::fireKeyIndex}, {"fireKeyUsage", &ButtonTable::fireKeyUsage},
    {"fireSpeed", &ButtonTable::fireSpeed},       {"fireTimes", &ButtonTable::fireTimes},
    {"singleKeyUsage", &ButtonTable::singleKeyUsage},
    {"comboModifiers", &ButtonTable::comboModifiers}, {"comboKey1", &ButtonTable::comboKey1},
    {"comboKey2", &ButtonTable::comboKey2},       {"macroIndex", &ButtonTable::macroIndex},
    {"macroRepeatMode", &ButtonTable::macroRepeatMode}};

// Every category in some slot of either group, parameters in every column.
SettingsBlock VariedBlock() {
  SettingsBlock s{};
  for (int g = 0; g < 2; ++g) {
    for (int slot = 0; slot < kButtonSlots; ++slot) {
      ButtonTable& t = s.buttons[g];
      t.category[slot] = static_cast<std::uint8_t>((slot * 3 + g * 5) % 16);
      for (const auto& [name, column] : kColumns) {
        if (std::strcmp(name, "category") != 0)
          (t.*column)[slot] = static_cast<std::uint8_t>(slot * 7 + g * 11 + std::strlen(name));
      }
      s.dpiSwitchSelector[g][slot] = static_cast<std::uint8_t>(1 + (slot + g) % 4);
    }
  }
  s.buttons[0].comboModifiers[4] = 0x11;  // Left Ctrl + Right Ctrl
  s.buttons[0].comboKey1[4] = 0x1D;       // Z
  s.buttons[0].comboKey2[4] = 0;          // none
  return s;
}

TEST(CorvalinectlShowJson, ButtonFunctionsOfBothGroupsRoundTrip) {
  ToolSandbox box;
  const SettingsBlock block = VariedBlock();
  std::string bytes(kConfigFileSize, '\0');
  std::memcpy(bytes.data() + 1, &block, sizeof block);
  testing_support::WriteFileBytes(box / "config.bin", bytes);

  const auto r = box.Run({"--lang", "EN", "show", "--json", (box / "config.bin").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << r.out;

  SettingsBlock rebuilt{};
  const QJsonArray groups = doc.object()["keyGroups"].toArray();
  ASSERT_EQ(groups.size(), 2);
  for (int g = 0; g < 2; ++g) {
    const QJsonArray buttons = groups[g].toObject()["buttons"].toArray();
    ASSERT_EQ(buttons.size(), kButtonSlots);
    for (int slot = 0; slot < kButtonSlots; ++slot) {
      const QJsonObject b = buttons[slot].toObject();
      EXPECT_EQ(b["slot"].toInt(), slot);
      EXPECT_FALSE(b["function"].toString().isEmpty());
      for (const auto& [name, column] : kColumns)
        (rebuilt.buttons[g].*column)[slot] = static_cast<std::uint8_t>(b[name].toInt());
      rebuilt.dpiSwitchSelector[g][slot] = static_cast<std::uint8_t>(b["dpiSwitchSelector"].toInt());
    }
    EXPECT_EQ(groups[g].toObject()["keyMatrix"].toArray().size(), 16);
  }
  EXPECT_EQ(std::memcmp(rebuilt.buttons, block.buttons, sizeof block.buttons), 0);
  EXPECT_EQ(std::memcmp(rebuilt.dpiSwitchSelector, block.dpiSwitchSelector,
                        sizeof block.dpiSwitchSelector), 0);
  EXPECT_EQ(groups[0].toObject()["buttons"].toArray()[4].toObject()["function"].toString().toStdString(),
            "Combo Key: Left Ctrl+Right Ctrl+Z");
}

}  // namespace
}  // namespace corvaline
