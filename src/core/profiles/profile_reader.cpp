// Reading a JSON profile: every member checked before anything is kept, the
// button functions assigned through the same rules as the menus.
#include <cstring>
#include <set>

#include "core/buttons/button_assign.h"
#include "core/i18n/ui_strings.h"
#include "core/macros/macro_encoder.h"
#include "core/macros/record_store.h"
#include "core/profiles/function_words.h"
#include "core/profiles/json_reader.h"
#include "core/profiles/profile_internal.h"
#include "core/profiles/setting_words.h"
#include "core/settings/config_file.h"
#include "core/settings/text_codec.h"
#include "core/settings/value_tables.h"

namespace corvaline {
namespace {

struct Fault {
  std::string text;
};

[[noreturn]] void Fail(const std::string& field, const std::string& what) {
  throw Fault{field + ": " + what};
}

const JsonValue& Member(const JsonValue& object, const std::string& path, std::string_view key) {
  const JsonValue* v = object.Find(key);
  if (!v) Fail(path.empty() ? std::string(key) : path + "." + std::string(key), "missing");
  return *v;
}

const JsonValue& ObjectAt(const JsonValue& v, const std::string& path) {
  if (!v.IsObject()) Fail(path, "must be an object");
  return v;
}

const JsonValue& ArrayAt(const JsonValue& v, const std::string& path, std::size_t lo,
                         std::size_t hi) {
  if (!v.IsArray()) Fail(path, "must be an array");
  if (v.items.size() < lo || v.items.size() > hi)
    Fail(path, lo == hi
                   ? "must hold " + std::to_string(lo) + " entries"
                   : "must hold " + std::to_string(lo) + " to " + std::to_string(hi) + " entries");
  return v;
}

int IntAt(const JsonValue& v, const std::string& path, int lo, int hi) {
  const auto n = v.IntegerIn(lo, hi);
  if (!n)
    Fail(path, "must be a whole number from " + std::to_string(lo) + " to " + std::to_string(hi));
  return static_cast<int>(*n);
}

const std::string& TextAt(const JsonValue& v, const std::string& path) {
  if (!v.IsString()) Fail(path, "must be a text in quotes");
  return v.text;
}

// A caption longer than any reader takes back would make str.ini unreadable.
const std::string& CaptionAt(const JsonValue& v, const std::string& path) {
  const std::string& text = TextAt(v, path);
  if (Utf8PrefixUtf16Units(text, kCaptionMax).size() != text.size())
    Fail(path, "longer than " + std::to_string(kCaptionMax) + " characters");
  return text;
}

// A flag: true/false, or the stored byte of a damaged file.
std::uint8_t FlagAt(const JsonValue& v, const std::string& path) {
  if (v.kind == JsonValue::Kind::Bool) return v.flag ? 1 : 0;
  if (v.kind == JsonValue::Kind::Number) return static_cast<std::uint8_t>(IntAt(v, path, 0, 255));
  Fail(path, "must be true or false");
}

// A list position named by its text (texts(i) for i < count), or the number.
template <typename TextOf>
std::uint8_t PositionAt(const JsonValue& v, const std::string& path, int count, TextOf texts) {
  if (v.kind == JsonValue::Kind::Number) return static_cast<std::uint8_t>(IntAt(v, path, 0, 255));
  const std::string& t = TextAt(v, path);
  std::string known;
  for (int i = 0; i < count; ++i) {
    if (texts(i) == t) return static_cast<std::uint8_t>(i);
    known += (i ? ", " : "") + std::string(texts(i));
  }
  Fail(path, "'" + t + "' is not one of " + known);
}

bool ValidItem(std::string_view item) {
  auto ends = [&](std::string_view tail) {
    return item.size() > tail.size() && item.substr(item.size() - tail.size()) == tail;
  };
  if (ends(kPressMarker) || ends(kReleaseMarker)) return true;
  if (!ends(kDelaySuffix)) return false;
  const std::string_view digits = item.substr(0, item.size() - kDelaySuffix.size());
  return !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
}

std::vector<ProfileMacro> ReadMacros(const JsonValue& root) {
  const JsonValue& list = ArrayAt(Member(root, "", "macros"), "macros", 0, kMaxMacros);
  std::vector<ProfileMacro> macros;
  std::set<std::string> seen;
  for (std::size_t k = 0; k < list.items.size(); ++k) {
    const std::string path = "macros[" + std::to_string(k) + "]";
    const JsonValue& m = ObjectAt(list.items[k], path);
    ProfileMacro macro;
    macro.name = TextAt(Member(m, path, "name"), path + ".name");
    if (macro.name.empty()) Fail(path + ".name", "a macro needs a name");
    if (Utf8Length(macro.name) > kMacroNameMax) Fail(path + ".name", "longer than 31 characters");
    if (macro.name.find_first_of("[]\r\n") != std::string::npos || macro.name.front() == ' ' ||
        macro.name.back() == ' ')
      Fail(path + ".name",
           "a macro name cannot hold brackets or line breaks or start or end with a space");
    if (!seen.insert(macro.name).second)
      Fail(path + ".name", "'" + macro.name + "' is there twice");
    macro.loopCount = IntAt(Member(m, path, "loopCount"), path + ".loopCount", 0, 65535);
    const JsonValue& events =
        ArrayAt(Member(m, path, "events"), path + ".events", 0, kMaxStoredItems);
    for (std::size_t i = 0; i < events.items.size(); ++i) {
      const std::string ipath = path + ".events[" + std::to_string(i) + "]";
      const std::string& item = TextAt(events.items[i], ipath);
      if (!ValidItem(item)) Fail(ipath, "'" + item + "' is none of 'KEY   Dn', 'KEY   Up', 'N ms'");
      macro.items.push_back(item);
    }
    macros.push_back(std::move(macro));
  }
  return macros;
}

void ReadPreserved(const JsonValue& root, std::string& bytes) {
  const JsonValue* preserved = root.Find("preserved");
  if (!preserved) return;
  ObjectAt(*preserved, "preserved");
  for (const auto& [key, value] : preserved->members) {
    const std::string path = "preserved." + key;
    int offset = -1;
    if (!key.empty() && key.size() < 5 && key.find_first_not_of("0123456789") == std::string::npos)
      offset = std::stoi(key);
    if (offset < 0 || offset >= static_cast<int>(kConfigFileSize))
      Fail(path, "not an offset of config.bin (0..1985)");
    bytes[offset] = static_cast<char>(IntAt(value, path, 0, 255));
  }
}

void ReadGroup(const JsonValue& groups, int g, Profile& p, UiLanguage language,
               const std::vector<std::string>& macroNames, bool keepCaptions) {
  const std::string path = std::string("keyGroups.") + (g ? "B" : "A");
  const JsonValue& group = ObjectAt(Member(groups, "keyGroups", g ? "B" : "A"), path);
  const JsonValue& buttons =
      ArrayAt(Member(group, path, "buttons"), path + ".buttons", kVisibleButtons, kVisibleButtons);
  ButtonTable& table = p.block.buttons[g];
  p.block.currentMode = static_cast<std::uint8_t>(g);
  const ButtonEditTarget target{p.block, p.captions, language};
  std::set<int> seen;
  for (std::size_t i = 0; i < buttons.items.size(); ++i) {
    const std::string bpath = path + ".buttons[" + std::to_string(i) + "]";
    const JsonValue& b = ObjectAt(buttons.items[i], bpath);
    const int slot = IntAt(Member(b, bpath, "button"), bpath + ".button", 1, kVisibleButtons) - 1;
    if (!seen.insert(slot).second)
      Fail(bpath + ".button", "button " + std::to_string(slot + 1) + " is there twice");
    const std::string fpath = bpath + ".function";
    const FunctionParse parsed =
        ParseFunctionText(TextAt(Member(b, bpath, "function"), fpath), macroNames, EmptyKey::Kept);
    if (!parsed.choice) Fail(fpath, parsed.error);
    // Start from a plain slot so that only the new function's rules apply.
    table.category[slot] = static_cast<std::uint8_t>(FunctionCategory::KeyOff);
    if (parsed.choice->category == FunctionCategory::Shift) {
      table.category[slot] = static_cast<std::uint8_t>(FunctionCategory::Shift);
      p.captions[g][slot] =
          std::string(CategoryName(static_cast<int>(FunctionCategory::Shift), language));
    } else if (!AssignFunction(target, slot, *parsed.choice).assigned) {
      Fail(fpath, "cannot be assigned");
    }
    if (const JsonValue* caption = b.Find("caption"); caption && keepCaptions)
      p.captions[g][slot] = CaptionAt(*caption, bpath + ".caption");
  }
  const ButtonCaptions defaults = DefaultCaptions(language);
  const JsonValue* hidden = group.Find("hiddenCaptions");
  if (hidden) ArrayAt(*hidden, path + ".hiddenCaptions", 2, 2);
  for (int slot = kVisibleButtons; slot < kButtonSlots; ++slot) {
    p.captions[g][slot] = defaults[g][slot];
    if (hidden && keepCaptions)
      p.captions[g][slot] =
          CaptionAt(hidden->items[slot - kVisibleButtons],
                 path + ".hiddenCaptions[" + std::to_string(slot - kVisibleButtons) + "]");
  }
}

// The rules the menus keep: a left button in each group, one Shift button
// that both groups agree on. A config.bin written elsewhere may break them;
// such a table is kept as it is and the rules it breaks are named.
std::string BrokenButtonRules(const SettingsBlock& s) {
  constexpr auto kShift = static_cast<std::uint8_t>(FunctionCategory::Shift);
  std::string rules;
  const auto add = [&rules](const std::string& rule) {
    if (!rules.empty()) rules += "; ";
    rules += rule;
  };
  for (int g = 0; g < 2; ++g) {
    bool left = false;
    for (int slot = 0; slot < kVisibleButtons; ++slot)
      left = left || s.buttons[g].category[slot] == 0;
    if (!left)
      add(std::string("keyGroups.") + (g ? "B" : "A") +
          " has no Left Click, and each key group keeps at least one Left Click");
  }
  int shifts = 0;
  for (int slot = 0; slot < kVisibleButtons; ++slot) {
    const bool a = s.buttons[0].category[slot] == kShift, b = s.buttons[1].category[slot] == kShift;
    shifts += a || b;
    if (a != b)
      add("button " + std::to_string(slot + 1) + " is Shift in key group " + (a ? "A" : "B") +
          " only, and Shift is the same button in both key groups");
  }
  if (shifts > 1) add("more than one button is Shift, and only one button can be Shift");
  return rules;
}

void ReadRateAndDpi(const JsonValue& root, SettingsBlock& s) {
  if (const JsonValue* code = root.Find("reportRateCode")) {
    s.reportRateCode = static_cast<std::uint8_t>(IntAt(*code, "reportRateCode", 0, 255));
  } else {
    const JsonValue& rate = Member(root, "", "reportRate");
    const int hz = IntAt(rate, "reportRate", 0, 1000);
    if (!SetReportRateText(s, std::to_string(hz)).Ok())
      Fail("reportRate", "must be 125, 250, 500 or 1000");
  }
  const JsonValue& stages =
      ArrayAt(Member(root, "", "dpiStages"), "dpiStages", kDpiStages, kDpiStages);
  for (int i = 0; i < kDpiStages; ++i) {
    const std::string path = "dpiStages[" + std::to_string(i) + "]";
    const JsonValue& st = ObjectAt(stages.items[i], path);
    if (IntAt(Member(st, path, "stage"), path + ".stage", 1, kDpiStages) != i + 1)
      Fail(path + ".stage", "the stages must be listed 1, 2, 3, 4");
    s.dpiStageEnabled[i] = FlagAt(Member(st, path, "on"), path + ".on");
    s.dpiStageIndex[i] =
        static_cast<std::uint8_t>(IntAt(Member(st, path, "level"), path + ".level", 1, 256) - 1);
    const auto colour = ParseColour(TextAt(Member(st, path, "colour"), path + ".colour"));
    if (!colour) Fail(path + ".colour", "must be #RRGGBB");
    for (int c = 0; c < 3; ++c) s.dpiStageColour[i][c] = (*colour)[c];
  }
}

void ReadLighting(const JsonValue& root, SettingsBlock& s) {
  const JsonValue& l = ObjectAt(Member(root, "", "lighting"), "lighting");
  const auto at = [&](std::string_view key) -> const JsonValue& {
    return Member(l, "lighting", key);
  };
  const auto path = [](std::string_view key) { return "lighting." + std::string(key); };
  const auto option = [](int i) { return LedOptionName(i, UiLanguage::EN); };
  s.ledEffect = PositionAt(at("effect"), path("effect"), 4, [](int i) { return LedEffectWord(i); });
  s.ledStandardBrightness = PositionAt(at("standardBrightness"), path("standardBrightness"),
                                       kBrightnessLevels, BrightnessText);
  s.ledRespirationSpeed =
      PositionAt(at("respirationSpeed"), path("respirationSpeed"), kRespirationSpeeds, SpeedText);
  s.ledNeonPeriod = PositionAt(at("neonPeriod"), path("neonPeriod"), kNeonPeriods, PeriodText);
  s.ledStandardOption =
      PositionAt(at("standardOption"), path("standardOption"), kLedOptionNames, option);
  s.ledRespirationOption =
      PositionAt(at("respirationOption"), path("respirationOption"), kLedOptionNames, option);
  s.ledNeonOption = PositionAt(at("neonOption"), path("neonOption"), kLedOptionNames, option);
}

void ReadPointer(const JsonValue& root, SettingsBlock& s) {
  const JsonValue& p = ObjectAt(Member(root, "", "pointer"), "pointer");
  const auto level = [&](std::string_view key) {
    return static_cast<std::uint8_t>(
        IntAt(Member(p, "pointer", key), "pointer." + std::string(key), 0, 255));
  };
  s.pointerSpeedLevel = level("speedLevel");
  s.wheelScrollLines = level("wheelScrollLines");
  if (const JsonValue* ms = p.Find("doubleClickMs")) {
    const int at =
        DoubleClickLevelOfMs(std::to_string(IntAt(*ms, "pointer.doubleClickMs", 200, 900)));
    if (!at) Fail("pointer.doubleClickMs", "must be one of 900, 830, ... 270, 200 (steps of 70)");
    s.doubleClickLevel = static_cast<std::uint8_t>(at);
  } else {
    s.doubleClickLevel = level("doubleClickLevel");
  }
  s.wheelPageScroll = FlagAt(Member(p, "pointer", "wheelPageScroll"), "pointer.wheelPageScroll");
  s.pointerPrecision = FlagAt(Member(p, "pointer", "precision"), "pointer.precision");
}

Profile Read(const JsonValue& root, UiLanguage language, std::uint8_t fill,
             std::vector<std::string>& warnings) {
  ObjectAt(root, "the profile");
  const JsonValue* format = root.Find("format");
  if (!format || !format->IsString() || format->text != kProfileFormat)
    Fail("format", "this is not a CORVALINE profile (\"format\": \"corvaline-profile\" missing)");
  const JsonValue& version = Member(root, "", "version");
  if (version.IntegerIn(kProfileVersion, kProfileVersion) == std::nullopt)
    Fail("version", "this program reads version 1 profiles only");
  Profile p;
  const std::string& code = TextAt(Member(root, "", "captionLanguage"), "captionLanguage");
  if (code != "EN" && code != "CHS" && code != "CHT")
    Fail("captionLanguage", "must be EN, CHS or CHT");
  const bool keepCaptions = LanguageFromCode(code) == language;
  p.captionLanguage = language;
  p.macros = ReadMacros(root);
  std::vector<std::string> macroNames;
  for (const ProfileMacro& m : p.macros) macroNames.push_back(m.name);

  std::string bytes(kConfigFileSize, static_cast<char>(fill));
  ReadPreserved(root, bytes);
  p.firstRunFlag = static_cast<std::uint8_t>(bytes[0]);
  std::memcpy(&p.block, bytes.data() + 1, sizeof p.block);

  const JsonValue& groups = ObjectAt(Member(root, "", "keyGroups"), "keyGroups");
  for (int g = 0; g < 2; ++g) ReadGroup(groups, g, p, language, macroNames, keepCaptions);
  if (std::string broken = BrokenButtonRules(p.block); !broken.empty())
    warnings.push_back("the button tables are outside the editing rules (" + broken +
                       "); imported unchanged");
  const JsonValue& edited = Member(root, "", "editedKeyGroup");
  if (edited.IsString() && (edited.text == "A" || edited.text == "B"))
    p.block.currentMode = edited.text == "B" ? 1 : 0;
  else if (edited.kind == JsonValue::Kind::Number)
    p.block.currentMode = static_cast<std::uint8_t>(IntAt(edited, "editedKeyGroup", 0, 255));
  else
    Fail("editedKeyGroup", "must be \"A\" or \"B\"");
  ReadRateAndDpi(root, p.block);
  ReadLighting(root, p.block);
  ReadPointer(root, p.block);
  for (std::size_t k = 0; k < p.macros.size(); ++k) {
    SetMacroLoopCount(p.block, static_cast<int>(k), p.macros[k].loopCount);
    EncodeMacroBlock(p.macros[k].items, p.block.macroArea[k]);
  }
  return p;
}

}  // namespace

namespace profile_internal {

ProfileResult ReadProfileOnto(std::string_view text, UiLanguage language, std::uint8_t fill) {
  const JsonParseResult parsed = ParseJson(text);
  if (!parsed.value) return {std::nullopt, "not JSON: " + parsed.error};
  try {
    ProfileResult r;
    r.profile = Read(*parsed.value, language, fill, r.warnings);
    return r;
  } catch (const Fault& f) {
    return {std::nullopt, f.text};
  }
}

}  // namespace profile_internal

ProfileResult ProfileFromJson(std::string_view text, UiLanguage language) {
  return profile_internal::ReadProfileOnto(text, language, 0);
}

}  // namespace corvaline
