#include "core/settings/block_merge.h"

#include <cstddef>
#include <cstring>

namespace corvaline {
namespace {

struct Field {
  std::string name;
  std::vector<std::size_t> bytes;  // block offsets
  int group = -1, slot = -1;       // a button's field
};

void Span(Field& f, std::size_t offset, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) f.bytes.push_back(offset + i);
}

// Every byte of the block in exactly one field.
std::vector<Field> Fields() {
  std::vector<Field> fields;
  std::vector<bool> covered(sizeof(SettingsBlock), false);
  auto add = [&](Field f) {
    for (std::size_t b : f.bytes) covered[b] = true;
    fields.push_back(std::move(f));
  };
  for (int g = 0; g < 2; ++g) {
    for (int slot = 0; slot < kButtonSlots; ++slot) {
      Field f{"button " + std::to_string(slot + 1) + " of Mode " + (g ? "B" : "A"), {}, g, slot};
      const std::size_t table = offsetof(SettingsBlock, buttons) + sizeof(ButtonTable) * static_cast<std::size_t>(g);
      for (std::size_t column = 0; column < sizeof(ButtonTable) / kButtonSlots; ++column)
        f.bytes.push_back(table + column * kButtonSlots + static_cast<std::size_t>(slot));
      f.bytes.push_back(offsetof(SettingsBlock, dpiSwitchSelector) + static_cast<std::size_t>(g * kButtonSlots + slot));
      add(std::move(f));
    }
  }
  for (int m = 0; m < kMacroBlocks; ++m) {
    Field f{"macro " + std::to_string(m + 1), {}};
    Span(f, offsetof(SettingsBlock, macroArea) + static_cast<std::size_t>(m * kMacroBlockSize), kMacroBlockSize);
    add(std::move(f));
  }
  for (int s = 0; s < kDpiStages; ++s) {
    Field f{"DPI stage " + std::to_string(s + 1), {}};
    Span(f, offsetof(SettingsBlock, dpiStageIndex) + static_cast<std::size_t>(s), 1);
    Span(f, offsetof(SettingsBlock, dpiStageEnabled) + static_cast<std::size_t>(s), 1);
    Span(f, offsetof(SettingsBlock, dpiStageColour) + static_cast<std::size_t>(3 * s), 3);
    add(std::move(f));
  }
  Field lighting{"lighting", {}};
  Span(lighting, offsetof(SettingsBlock, ledEffect), 7);
  add(std::move(lighting));
  const std::pair<const char*, std::size_t> singles[] = {
      {"report rate", offsetof(SettingsBlock, reportRateCode)},
      {"pointer precision", offsetof(SettingsBlock, pointerPrecision)},
      {"wheel page scroll", offsetof(SettingsBlock, wheelPageScroll)},
      {"pointer speed", offsetof(SettingsBlock, pointerSpeedLevel)},
      {"wheel scroll lines", offsetof(SettingsBlock, wheelScrollLines)},
      {"double-click time", offsetof(SettingsBlock, doubleClickLevel)},
      {"key group shown", offsetof(SettingsBlock, currentMode)}};
  for (const auto& [name, offset] : singles) {
    Field f{name, {}};
    Span(f, offset, 1);
    add(std::move(f));
  }
  for (std::size_t b = 0; b < covered.size(); ++b) {
    if (covered[b]) continue;
    Field f{"reserved byte " + std::to_string(b), {}};
    Span(f, b, 1);
    add(std::move(f));
  }
  return fields;
}

bool Same(const unsigned char* a, const unsigned char* b, const Field& f) {
  for (std::size_t i : f.bytes)
    if (a[i] != b[i]) return false;
  return true;
}

}  // namespace

BlockMerge MergeBlocks(const SettingsBlock& base, const SettingsBlock& mine,
                       const SettingsBlock& theirs) {
  static const std::vector<Field> fields = Fields();
  BlockMerge out;
  out.merged = mine;
  const auto* b = reinterpret_cast<const unsigned char*>(&base);
  const auto* m = reinterpret_cast<const unsigned char*>(&mine);
  const auto* t = reinterpret_cast<const unsigned char*>(&theirs);
  auto* merged = reinterpret_cast<unsigned char*>(&out.merged);
  for (const Field& f : fields) {
    if (Same(t, b, f) || Same(t, m, f)) continue;  // nothing of theirs to take
    if (!Same(m, b, f)) {
      out.conflicts.push_back(f.name);
      continue;
    }
    for (std::size_t i : f.bytes) merged[i] = t[i];
    if (f.group >= 0) out.theirButtons.emplace_back(f.group, f.slot);
  }
  return out;
}

}  // namespace corvaline
