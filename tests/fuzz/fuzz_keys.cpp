// Key names: every keycode the system may report, and any text a hand-edited
// record.ini may hold, through the scan-code table, the name lookups and the
// macro item texts. A keycode's name is either empty or found again by
// KeyNameToCode when the key-name table lists it; lookups of unknown names and
// positions give 0 or an empty name, never a read outside a table.
//
// Input: four bytes of keycode and two of list position, then a text.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

#include "core/buttons/key_tables.h"
#include "core/buttons/scan_codes.h"
#include "core/macros/macro_items.h"
#include "fuzz_support.h"

using namespace corvaline;

namespace {

bool Listed(std::string_view name) {
  const auto table = KeyNameTable();
  return std::any_of(table.begin(), table.end(),
                     [&](const KeyNameEntry& e) { return e.name == name; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const unsigned keycode = in.ConsumeIntegral<unsigned>();
  const int position = in.ConsumeIntegral<std::int16_t>();
  const std::string text = in.ConsumeRemainingBytesAsString();

  const std::string_view name = KeyNameFromXkbKeycode(keycode);
  if (!name.empty()) {
    const std::uint8_t code = KeyNameToCode(name);
    FUZZ_CHECK((code != 0) == Listed(name));
    // A recorded key goes through record.ini as an item text and back.
    const std::string press = PressItem(name), release = ReleaseItem(name);
    FUZZ_CHECK(ClassifyMacroItem(press) == MacroItemKind::Press);
    FUZZ_CHECK(ClassifyMacroItem(release) == MacroItemKind::Release);
    FUZZ_CHECK(MacroItemKeyName(press) == name && MacroItemKeyName(release) == name);
  }

  const std::uint8_t code = KeyNameToCode(text);
  FUZZ_CHECK((code != 0) == Listed(text));
  (void)ModifierNameToBits(text);
  (void)ClassifyMacroItem(text);
  (void)LooksLikeDelayItem(text);
  const std::string keyName = MacroItemKeyName(text);
  FUZZ_CHECK(keyName.size() <= text.size());
  (void)KeyNameToCode(keyName);
  (void)ParseLeadingInt(text);
  (void)Utf16Length(text);

  const std::string_view fire = FireKeyNameAt(position);
  FUZZ_CHECK(fire.empty() == (position < 0 || position >= kFireKeyCount));
  if (fire.empty()) FUZZ_CHECK(FireKeyCodeAt(position) == 0);
  (void)MediaUsageAt(position);
  (void)WindowsUsageLowAt(position);
  (void)WindowsUsageHighAt(position);
  return 0;
}
