// The SettingsBlock: every choice the user makes for the mouse and the pointer
// fields the program manages, in the exact byte layout of config.bin (offset + 1).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace corvaline {

inline constexpr int kButtonSlots = 12;   // slots 10 and 11 are stored but never shown or sent
inline constexpr int kVisibleButtons = 10;
// A slot of the button table the pages show and assign.
inline constexpr bool IsVisibleButton(int slot) { return slot >= 0 && slot < kVisibleButtons; }
inline constexpr int kDpiStages = 4;
inline constexpr int kMacroBlocks = 12;
inline constexpr int kMacroBlockSize = 128;

enum class KeyGroup : std::uint8_t { ModeA = 0, ModeB = 1 };

// One key group's assignments, stored column by column: each column holds one
// byte per button slot.
struct ButtonTable {
  std::uint8_t category[kButtonSlots];        // function category 0..15
  std::uint8_t mediaIndex[kButtonSlots];      // entry 0..6 of the multimedia list
  std::uint8_t mediaUsage[kButtonSlots];      // consumer usage of that entry
  std::uint8_t windowsIndex[kButtonSlots];    // entry 0..10 of the Windows-key list
  std::uint8_t windowsUsageLow[kButtonSlots]; // low byte of its consumer usage
  std::uint8_t windowsUsageHigh[kButtonSlots];// high byte of it (1 or 2)
  std::uint8_t fireKeyIndex[kButtonSlots];    // entry 0..60 of the fire-key list
  std::uint8_t fireKeyUsage[kButtonSlots];    // keyboard usage of the fire key
  std::uint8_t fireSpeed[kButtonSlots];       // 5..255, smaller is faster
  std::uint8_t fireTimes[kButtonSlots];       // 0 = repeat while held
  std::uint8_t singleKeyUsage[kButtonSlots];  // keyboard usage of the single key
  std::uint8_t comboModifiers[kButtonSlots];  // HID modifier bits
  std::uint8_t comboKey1[kButtonSlots];       // keyboard usage, 0 = none
  std::uint8_t comboKey2[kButtonSlots];       // keyboard usage, 0 = none
  std::uint8_t macroIndex[kButtonSlots];      // 0-based macro block
  std::uint8_t macroRepeatMode[kButtonSlots]; // repeat mode of the macro dialog minus 1
};
static_assert(sizeof(ButtonTable) == 192);
static_assert(offsetof(ButtonTable, mediaIndex) == 12);
static_assert(offsetof(ButtonTable, windowsIndex) == 36);
static_assert(offsetof(ButtonTable, fireKeyIndex) == 72);
static_assert(offsetof(ButtonTable, singleKeyUsage) == 120);
static_assert(offsetof(ButtonTable, comboModifiers) == 132);
static_assert(offsetof(ButtonTable, macroIndex) == 168);
static_assert(offsetof(ButtonTable, macroRepeatMode) == 180);

struct SettingsBlock {
  ButtonTable buttons[2];                                  // Mode A, Mode B
  std::uint8_t macroArea[kMacroBlocks][kMacroBlockSize];   // device form of the macros
  std::uint8_t reserved0[5];                               // kept as loaded
  std::uint8_t reportRateCode;                             // 1/2/4/8 = 1000/500/250/125 Hz
  std::uint8_t reserved1;                                  // kept as loaded
  std::uint8_t dpiStageIndex[kDpiStages];                  // index into the sensor's DPI table
  std::uint8_t dpiStageEnabled[kDpiStages];                // 1 = stage in use
  std::uint8_t dpiStageColour[kDpiStages][3];              // red, green, blue
  std::uint8_t ledEffect;                                  // 0 Off, 1 Standard, 2 Respiration, 3 Neon
  std::uint8_t ledStandardBrightness;                      // 0..9
  std::uint8_t ledRespirationSpeed;                        // 0..4
  std::uint8_t ledNeonPeriod;                              // 0..29
  std::uint8_t ledStandardOption;                          // always 1 once chosen
  std::uint8_t ledRespirationOption;                       // 1 or 2
  std::uint8_t ledNeonOption;                              // 2 or 3
  std::uint8_t reserved2;                                  // kept as loaded
  std::uint8_t pointerPrecision;                           // 1 = enhanced precision on
  std::uint8_t wheelPageScroll;                            // 1 = one screen per notch
  std::uint8_t pointerSpeedLevel;                          // pointer speed slider level
  std::uint8_t wheelScrollLines;                           // lines per notch
  std::uint8_t doubleClickLevel;                           // double-click slider level
  std::uint8_t currentMode;                                // 0 Mode A, 1 Mode B; never sent
  std::uint8_t dpiSwitchSelector[2][kButtonSlots];         // 1 DPI+, 2 DPI-, 3 Loop, 4 Shift DPI

  ButtonTable& table(KeyGroup g) { return buttons[static_cast<int>(g)]; }
  const ButtonTable& table(KeyGroup g) const { return buttons[static_cast<int>(g)]; }
};

static_assert(sizeof(SettingsBlock) == 1985);
static_assert(offsetof(SettingsBlock, buttons) == 0);
static_assert(offsetof(SettingsBlock, macroArea) == 384);
static_assert(offsetof(SettingsBlock, reserved0) == 1920);
static_assert(offsetof(SettingsBlock, reportRateCode) == 1925);
static_assert(offsetof(SettingsBlock, reserved1) == 1926);
static_assert(offsetof(SettingsBlock, dpiStageIndex) == 1927);
static_assert(offsetof(SettingsBlock, dpiStageEnabled) == 1931);
static_assert(offsetof(SettingsBlock, dpiStageColour) == 1935);
static_assert(offsetof(SettingsBlock, ledEffect) == 1947);
static_assert(offsetof(SettingsBlock, ledStandardBrightness) == 1948);
static_assert(offsetof(SettingsBlock, ledRespirationSpeed) == 1949);
static_assert(offsetof(SettingsBlock, ledNeonPeriod) == 1950);
static_assert(offsetof(SettingsBlock, ledStandardOption) == 1951);
static_assert(offsetof(SettingsBlock, ledRespirationOption) == 1952);
static_assert(offsetof(SettingsBlock, ledNeonOption) == 1953);
static_assert(offsetof(SettingsBlock, reserved2) == 1954);
static_assert(offsetof(SettingsBlock, pointerPrecision) == 1955);
static_assert(offsetof(SettingsBlock, wheelPageScroll) == 1956);
static_assert(offsetof(SettingsBlock, pointerSpeedLevel) == 1957);
static_assert(offsetof(SettingsBlock, wheelScrollLines) == 1958);
static_assert(offsetof(SettingsBlock, doubleClickLevel) == 1959);
static_assert(offsetof(SettingsBlock, currentMode) == 1960);
static_assert(offsetof(SettingsBlock, dpiSwitchSelector) == 1961);

// The working block, the snapshot Cancel returns to, and the first-run byte
// that precedes the block in config.bin. One instance lives for the whole run
// (see Settings()); tests make their own.
struct SettingsStore {
  SettingsBlock settings{};
  SettingsBlock savedSettings{};
  std::uint8_t firstRunFlag = 0;
  // The working block came from a file or a profile. A block that never did
  // is all zeros (every DPI stage off, no Left Click): it is never sent.
  bool loaded = false;
};

// The process-wide store.
SettingsStore& Settings();

// Taken after loading and after every OK/Apply.
void TakeSnapshot(SettingsStore& store);
// Cancel: the working block returns to the last snapshot.
void RestoreSnapshot(SettingsStore& store);

}  // namespace corvaline
