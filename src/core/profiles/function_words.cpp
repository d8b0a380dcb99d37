#include "core/profiles/word_parsing.h"
#include "core/profiles/function_words.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <vector>

#include "core/buttons/button_menu.h"
#include "core/buttons/key_tables.h"
#include "core/i18n/ui_strings.h"

namespace corvaline {
namespace {

using words::Number;
using words::SameText;

using C = FunctionCategory;

// A function's own word and its category.
struct FunctionWord {
  std::string_view word;
  C category;
};
constexpr std::array<FunctionWord, 9> kPlainNames = {{{"left-click", C::LeftClick},
                                                   {"right-click", C::RightClick},
                                                   {"middle-click", C::MidClick},
                                                   {"forward", C::Forward},
                                                   {"backward", C::Backward},
                                                   {"triple-click", C::TripleClick},
                                                   {"rgb-toggle", C::RgbOnOff},
                                                   {"shift", C::Shift},
                                                   {"off", C::KeyOff}}};
constexpr std::array<std::string_view, 4> kDpiWords = {"dpi+", "dpi-", "dpi-loop", "shift-dpi"};
constexpr std::array<std::string_view, 3> kRepeatWords = {"count", "until-key", "while-held"};

bool StartsWithText(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

// The position of a caption in a list of `count` English entries.
template <typename TextAt>
int FindEntry(std::string_view name, int count, TextAt textAt) {
  for (int i = 0; i < count; ++i) {
    if (SameText(textAt(i), name)) return i;
  }
  return -1;
}

std::string ListOf(int count, auto textAt) {
  std::string out;
  for (int i = 0; i < count; ++i) out += (i ? ", " : "") + std::string(textAt(i));
  return out;
}

// Every spelling the program uses for a key, in any of its lists: the key
// names ("Left Windows", "Ctrl"), the combination's modifiers ("Left Win",
// "Left Ctrl") and the fire-key list ("L-CTRL"), plus the fire list's style
// for the Windows keys. Each place prints its own name; set takes them all.
struct Spelling {
  std::string_view name;
  std::uint8_t code;
};
const std::vector<Spelling>& AllSpellings() {
  static const std::vector<Spelling> all = [] {
    std::vector<Spelling> v;
    for (const KeyNameEntry& e : KeyNameTable()) v.push_back({e.name, e.code});
    for (const KeyNameEntry& m : ModifierTable()) {
      for (int bit = 0; bit < 8; ++bit)
        if (m.code == (1u << bit)) v.push_back({m.name, static_cast<std::uint8_t>(0xE0 + bit)});
    }
    for (const KeyNameEntry& f : FireKeyTable()) v.push_back({f.name, f.code});
    v.push_back({"L-WIN", 0xE3});
    v.push_back({"R-WIN", 0xE7});
    return v;
  }();
  return all;
}

// The key-name table's own name of a code; empty when it has none.
std::string_view KeyTableName(std::uint8_t code) {
  for (const KeyNameEntry& e : KeyNameTable())
    if (e.code == code) return e.name;
  return {};
}

std::string_view CanonicalKeyName(std::string_view name) {
  for (const Spelling& sp : AllSpellings()) {
    if (SameText(sp.name, name)) {
      if (std::string_view own = KeyTableName(sp.code); !own.empty()) return own;
    }
  }
  return {};
}

// "KEY[+KEY]" at the end of a combination: the key names, or nullopt.
std::optional<std::vector<std::string>> MatchKeys(std::string_view rest, int maxKeys) {
  if (rest.empty()) return std::vector<std::string>{};
  if (maxKeys == 0) return std::nullopt;
  for (const Spelling& sp : AllSpellings()) {
    if (!StartsWithText(rest, sp.name)) continue;
    const std::string_view own = KeyTableName(sp.code);
    if (own.empty()) continue;
    const std::string_view after = rest.substr(sp.name.size());
    if (!after.empty() && after[0] != '+') continue;
    auto more = MatchKeys(after.empty() ? after : after.substr(1), maxKeys - 1);
    if (!more || (!after.empty() && more->empty())) continue;
    more->insert(more->begin(), std::string(own));
    return more;
  }
  return std::nullopt;
}

// A spelling of the key that no modifier has: its own name where it can.
std::string_view KeySpellingNotAModifier(std::uint8_t code) {
  const auto isModifier = [](std::string_view name) {
    for (const KeyNameEntry& m : ModifierTable())
      if (SameText(m.name, name)) return true;
    return false;
  };
  for (const Spelling& sp : AllSpellings())
    if (sp.code == code && !isModifier(sp.name)) return sp.name;
  return KeyTableName(code);
}

// The fire-key list's position of a key in any spelling; -1 when the list
// does not hold it.
int FirePosition(std::string_view name) {
  for (int i = 0; i < kFireKeyCount; ++i)
    if (SameText(FireKeyNameAt(i), name)) return i;
  for (const Spelling& sp : AllSpellings()) {
    if (!SameText(sp.name, name)) continue;
    for (int i = 0; i < kFireKeyCount; ++i)
      if (FireKeyCodeAt(i) == sp.code) return i;
  }
  return -1;
}

std::optional<ComboKeyResult> ParseCombo(std::string_view text) {
  ComboKeyResult r;
  std::string_view rest = text;
  const auto mods = ModifierTable();
  for (int i = 0; i < static_cast<int>(mods.size()); ++i) {
    if (!StartsWithText(rest, mods[i].name)) continue;
    const std::string_view after = rest.substr(mods[i].name.size());
    if (!after.empty() && after[0] != '+') continue;
    r.modifierName = std::string(mods[i].name);
    r.modifierPosition = i;
    rest = after.empty() ? after : after.substr(1);
    if (!after.empty() && rest.empty()) return std::nullopt;
    break;
  }
  auto keys = MatchKeys(rest, 2);
  if (!keys) return std::nullopt;
  if (!keys->empty()) r.key1Name = (*keys)[0];
  if (keys->size() > 1) r.key2Name = (*keys)[1];
  return r;
}

struct Options {
  std::optional<int> speed, times, repeat;
};

std::string ParseOptions(const std::vector<std::string>& words, std::vector<std::string>& names,
                         Options& o) {
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w != "--speed" && w != "--times" && w != "--repeat") {
      if (w.size() > 2 && w.rfind("--", 0) == 0) return "unknown option '" + w + "'";
      names.push_back(w);
      continue;
    }
    if (i + 1 >= words.size()) return w + " needs a value";
    const std::string& v = words[++i];
    if (w == "--speed") {
      o.speed = Number(v, kMinFireSpeed, kMaxFireSpeed);
      if (!o.speed) return "--speed takes 5 (fastest) to 255, not '" + v + "'";
    } else if (w == "--times") {
      o.times = Number(v, 0, kMaxFireTimes);
      if (!o.times) return "--times takes 0 (while held) to 255, not '" + v + "'";
    } else {
      o.repeat = RepeatModeOf(v);
      if (!o.repeat) return "--repeat takes " + RepeatWordsJoined(", ", " or ") + ", not '" + v + "'";
    }
  }
  return {};
}

std::string Joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : " ") + n;
  return out;
}

// Each function's own word and the category whose name the button menus show
// for it.
constexpr std::array<FunctionWord, 15> kMenuWords = {{{"left-click", C::LeftClick},
                                                  {"right-click", C::RightClick},
                                                  {"middle-click", C::MidClick},
                                                  {"forward", C::Forward},
                                                  {"backward", C::Backward},
                                                  {"triple-click", C::TripleClick},
                                                  {"rgb-toggle", C::RgbOnOff},
                                                  {"windows", C::Windows},
                                                  {"media", C::Multimedia},
                                                  {"fire", C::FireKey},
                                                  {"key", C::SingleKey},
                                                  {"combo", C::ComboKey},
                                                  {"macro", C::MacroKey},
                                                  {"shift", C::Shift},
                                                  {"off", C::KeyOff}}};
constexpr std::array<UiLanguage, 3> kLanguages = {UiLanguage::EN, UiLanguage::CHS, UiLanguage::CHT};

// The menus' name of a word in lang (the DPI sub-menu says the same in every
// language); the word itself when the menus have none.
std::string MenuName(std::string_view word, UiLanguage lang) {
  for (const FunctionWord& m : kMenuWords)
    if (m.word == word) return std::string(CategoryName(static_cast<int>(m.category), lang));
  const std::vector<std::string> dpi = DpiMenuEntries();
  for (std::size_t i = 0; i < kDpiWords.size(); ++i)
    if (kDpiWords[i] == word) return dpi[i];
  return std::string(word);
}

// The leading words that spell a menu's name ("Mid Click", "单键", "DPI +")
// become the function's own word; the longest such run wins, so "Shift DPI"
// is never read as "Shift".
std::vector<std::string> OwnWords(std::vector<std::string> words) {
  std::vector<std::string_view> own;
  for (const FunctionWord& m : kMenuWords) own.push_back(m.word);
  own.insert(own.end(), kDpiWords.begin(), kDpiWords.end());
  for (std::size_t n = words.size(); n >= 1; --n) {
    const std::string joined = Joined({words.begin(), words.begin() + static_cast<long>(n)});
    for (std::string_view w : own) {
      for (UiLanguage lang : kLanguages) {
        if (!SameText(MenuName(w, lang), joined)) continue;
        words.erase(words.begin(), words.begin() + static_cast<long>(n));
        words.insert(words.begin(), std::string(w));
        return words;
      }
    }
  }
  return words;
}

// The position of a name in a list the program shows in three languages.
template <typename TextAt>
int FindInAnyLanguage(std::string_view name, int count, TextAt textAt) {
  for (UiLanguage lang : kLanguages) {
    const int at = FindEntry(name, count, [&](int i) { return textAt(i, lang); });
    if (at >= 0) return at;
  }
  return -1;
}

// The function and its name argument, once the options are taken out.
FunctionParse ParseNamed(std::string_view fn, const std::string& name, const Options& o,
                         const std::vector<std::string>& macroNames) {
  FunctionChoice c;
  auto fail = [](std::string e) { return FunctionParse{std::nullopt, std::move(e)}; };
  if (fn == "windows") {
    const int at = FindInAnyLanguage(name, kWindowsKeyCount, WindowsEntryText);
    if (at < 0)
      return fail(
          "unknown Windows function '" + name + "' (one of: " +
          ListOf(kWindowsKeyCount, [](int i) { return WindowsEntryText(i, UiLanguage::EN); }) +
          ")");
    c.category = C::Windows;
    c.windows.position = at;
  } else if (fn == "media") {
    const int at = FindInAnyLanguage(name, kMediaKeyCount, MediaEntryText);
    if (at < 0)
      return fail("unknown media function '" + name + "' (one of: " +
                  ListOf(kMediaKeyCount, [](int i) { return MediaEntryText(i, UiLanguage::EN); }) +
                  ")");
    c.category = C::Multimedia;
    c.media.position = at;
  } else if (fn == "fire") {
    const int at = FirePosition(name);
    if (at < 0)
      return fail("unknown fire key '" + name + "' (one of: " +
                  ListOf(kFireKeyCount, [](int i) { return FireKeyNameAt(i); }) + ")");
    c.category = C::FireKey;
    c.fire.position = at;
    c.fire.keyName = std::string(FireKeyNameAt(at));
    if (o.speed) c.fire.speed = static_cast<std::uint8_t>(*o.speed);
    if (o.times) c.fire.times = static_cast<std::uint8_t>(*o.times);
  } else if (fn == "key") {
    // An empty name is what the program stores for a key it has no code for.
    const std::string_view canonical = CanonicalKeyName(name);
    if (!name.empty() && canonical.empty())
      return fail(
          "unknown key name '" + name +
          "' (key names as the program shows them, e.g. A, F5, Page Up, Num 1, Left Windows)");
    c.category = C::SingleKey;
    c.single.keyName = std::string(canonical);
  } else if (fn == "combo") {
    auto combo = ParseCombo(name);
    if (!combo)
      return fail("cannot read the combination '" + name +
                  "': give [MODIFIER+]KEY[+KEY], e.g. 'Left Ctrl+Z'");
    c.category = C::ComboKey;
    c.combo = *combo;
  } else {  // macro
    int index = -1;
    for (int i = 0; i < static_cast<int>(macroNames.size()) && index < 0; ++i)
      if (macroNames[i] == name) index = i;
    for (int i = 0; i < static_cast<int>(macroNames.size()) && index < 0; ++i)
      if (SameText(macroNames[i], name)) index = i;
    if (index < 0) {
      if (auto n = Number(name, 1, kMacroBlocks)) index = *n - 1;
    }
    if (index < 0) {
      std::string known;
      for (const std::string& m : macroNames) {
        if (!known.empty()) known += ", ";
        known += ShellQuote(m);
      }
      FunctionParse r = fail("no macro '" + name + "' in record.ini; " +
                             (known.empty() ? std::string("it holds no macros")
                                            : "its macros are " + known) +
                             " (or give a number 1..12)");
      r.missing = true;
      return r;
    }
    c.category = C::MacroKey;
    c.macro.macroIndex = index;
    c.macro.macroName = index < static_cast<int>(macroNames.size()) ? macroNames[index] : "";
    c.macro.repeatMode = o.repeat.value_or(1);
  }
  return {c, {}};
}

}  // namespace

FunctionParse ParseFunctionWords(const std::vector<std::string>& given,
                                 const std::vector<std::string>& macroNames, EmptyKey empty) {
  if (given.empty()) return {std::nullopt, "no function given"};
  const std::vector<std::string> words = OwnWords(given);
  const std::string fn = words[0];
  std::vector<std::string> names;
  Options o;
  if (std::string e = ParseOptions(words, names, o); !e.empty()) return {std::nullopt, e};
  const bool isFire = fn == "fire", isMacro = fn == "macro";
  if ((o.speed || o.times) && !isFire) return {std::nullopt, "--speed and --times belong to fire"};
  if (o.repeat && !isMacro) return {std::nullopt, "--repeat belongs to macro"};
  for (const FunctionWord& p : kPlainNames) {
    if (fn != p.word) continue;
    if (!names.empty()) return {std::nullopt, fn + " takes no name, not '" + Joined(names) + "'"};
    FunctionChoice c;
    c.category = p.category;
    return {c, {}};
  }
  for (std::size_t i = 0; i < kDpiWords.size(); ++i) {
    if (fn != kDpiWords[i]) continue;
    if (!names.empty()) return {std::nullopt, fn + " takes no name, not '" + Joined(names) + "'"};
    FunctionChoice c;
    c.category = C::DpiSwitch;
    c.dpiPosition = static_cast<int>(i);
    return {c, {}};
  }
  const bool emptyAllowed = fn == "key" || fn == "combo";
  if (fn == "windows" || fn == "media" || isFire || isMacro || emptyAllowed) {
    if (names.empty() && !emptyAllowed) return {std::nullopt, fn + " needs a name"};
    if (emptyAllowed && empty == EmptyKey::Refused && Joined(names).empty())
      return {std::nullopt, fn == "key" ? "key needs a key name, e.g. A, F5, Page Up, Left Windows"
                                        : "combo needs keys, e.g. 'Left Ctrl+Z'"};
    return ParseNamed(fn, Joined(names), o, macroNames);
  }
  return {std::nullopt,
          "unknown function '" + fn +
              "' (left-click, right-click, middle-click, forward, backward, triple-click, dpi+, "
              "dpi-, dpi-loop, shift-dpi, rgb-toggle, windows, media, fire, key, combo, macro, "
              "shift, off)"};
}

std::optional<int> RepeatModeOf(std::string_view word) {
  const auto at = std::find(kRepeatWords.begin(), kRepeatWords.end(), word);
  if (at == kRepeatWords.end()) return std::nullopt;
  return static_cast<int>(at - kRepeatWords.begin()) + 1;
}

std::string_view RepeatWordOf(int mode) {
  const bool known = mode >= 1 && mode <= static_cast<int>(kRepeatWords.size());
  return kRepeatWords[known ? mode - 1 : 0];
}

std::string RepeatWordsJoined(std::string_view separator, std::string_view lastSeparator) {
  std::string out;
  for (std::size_t i = 0; i < kRepeatWords.size(); ++i) {
    if (i > 0) out += i + 1 == kRepeatWords.size() ? lastSeparator : separator;
    out += kRepeatWords[i];
  }
  return out;
}

std::optional<std::vector<std::string>> SplitShellWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\n') {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '\\' && i + 1 < text.size()) {
      word += text[++i];
    } else if (c == '\'') {
      const std::size_t end = text.find('\'', i + 1);
      if (end == std::string_view::npos) return std::nullopt;
      word += text.substr(i + 1, end - i - 1);
      i = end;
    } else if (c == '"') {
      std::size_t j = i + 1;
      for (; j < text.size() && text[j] != '"'; ++j) {
        if (text[j] == '\\' && j + 1 < text.size() &&
            (text[j + 1] == '"' || text[j + 1] == '\\' || text[j + 1] == '$' || text[j + 1] == '`'))
          ++j;
        word += text[j];
      }
      if (j >= text.size()) return std::nullopt;
      i = j;
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

std::string ShellQuote(std::string_view word) {
  const bool bare = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) ||
           std::string_view("_+.,:/=@%^-").find(c) != std::string_view::npos;
  });
  if (bare) return std::string(word);
  std::string out = "'";
  for (char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

FunctionParse ParseFunctionText(std::string_view text, const std::vector<std::string>& macroNames,
                                EmptyKey empty) {
  auto words = SplitShellWords(text);
  if (!words) return {std::nullopt, "unterminated quote in '" + std::string(text) + "'"};
  return ParseFunctionWords(*words, macroNames, empty);
}

std::string FunctionWordsOf(const SettingsBlock& block, KeyGroup group, int slot,
                            const std::vector<std::string>& macroNames) {
  const ButtonTable& t = block.table(group);
  const auto q = [](std::string_view w) { return ShellQuote(w); };
  const int category = t.category[slot];
  for (const FunctionWord& p : kPlainNames) {
    if (category == static_cast<int>(p.category)) return std::string(p.word);
  }
  switch (static_cast<C>(category)) {
    case C::DpiSwitch: {
      const int sel = block.dpiSwitchSelector[static_cast<int>(group)][slot];
      return std::string(kDpiWords[(sel >= 1 && sel <= 4) ? sel - 1 : 2]);
    }
    case C::Windows:
      return "windows " +
             q(WindowsEntryText(t.windowsIndex[slot] < kWindowsKeyCount ? t.windowsIndex[slot] : 0,
                                UiLanguage::EN));
    case C::Multimedia:
      return "media " +
             q(MediaEntryText(t.mediaIndex[slot] < kMediaKeyCount ? t.mediaIndex[slot] : 0,
                              UiLanguage::EN));
    case C::FireKey:
      return "fire " +
             q(FireKeyNameAt(t.fireKeyIndex[slot] < kFireKeyCount ? t.fireKeyIndex[slot] : 0)) +
             " --speed " + std::to_string(std::max<int>(t.fireSpeed[slot], kMinFireSpeed)) +
             " --times " + std::to_string(t.fireTimes[slot]);
    case C::SingleKey: {
      std::string_view name;
      for (const KeyNameEntry& e : KeyNameTable())
        if (e.code == t.singleKeyUsage[slot] && name.empty()) name = e.name;
      return "key " + ShellQuote(name);
    }
    case C::ComboKey: {
      std::string parts;
      auto add = [&parts](std::string_view n) {
        if (n.empty()) return;
        if (!parts.empty()) parts += '+';
        parts += n;
      };
      for (const KeyNameEntry& m : ModifierTable())
        if (m.code == t.comboModifiers[slot]) add(m.name);
      for (std::uint8_t code : {t.comboKey1[slot], t.comboKey2[slot]}) {
        if (code == 0) continue;
        // "Right Ctrl" first with no modifier would read back as the
        // modifier; the fire list's "R-CTRL" reads back as the key.
        add(parts.empty() ? KeySpellingNotAModifier(code) : KeyTableName(code));
      }
      return "combo " + ShellQuote(parts);
    }
    case C::MacroKey: {
      const int index = t.macroIndex[slot];
      const std::string name = index < static_cast<int>(macroNames.size())
                                   ? macroNames[index]
                                   : std::to_string(index + 1);
      return "macro " + q(name) + " --repeat " + std::string(RepeatWordOf(t.macroRepeatMode[slot] + 1));
    }
    default:
      return "off";
  }
}

AssignOutcome AssignFunction(const ButtonEditTarget& target, int slot,
                             const FunctionChoice& choice) {
  if (slot < 0 || slot >= kVisibleButtons) return {};
  const ButtonTable& t = target.block.table(EditedGroup(target.block));
  // The menu of a group's last left button does not open at all.
  if (choice.category != C::LeftClick && IsLastLeftClick(t, slot))
    return {false, LeftKeyWarning(target.language)};
  switch (choice.category) {
    case C::Shift: {
      if (t.category[slot] == static_cast<std::uint8_t>(C::Shift)) return {true, {}};
      AssignOutcome out = AssignShift(target, slot);
      if (!out.assigned && out.refusal.Ok()) {
        const int a = ShiftSlot(target.block.table(KeyGroup::ModeA));
        const int at = a >= 0 ? a : ShiftSlot(target.block.table(KeyGroup::ModeB));
        out.refusal = Outcome::Failed(
            "Only one button can be Shift, and button " + std::to_string(at + 1) + " already is.",
            kWarningCaption);
      }
      return out;
    }
    case C::DpiSwitch:
      return {AssignDpiFunction(target, slot, choice.dpiPosition), {}};
    case C::Windows: {
      WindowsKeyResult r = choice.windows;
      r.caption = std::string(WindowsEntryText(r.position, target.language));
      return {AssignWindowsKey(target, slot, r), {}};
    }
    case C::Multimedia: {
      MediaKeyResult r = choice.media;
      r.caption = std::string(MediaEntryText(r.position, target.language));
      return {AssignMultimedia(target, slot, r), {}};
    }
    case C::FireKey:
      return {AssignFireKey(target, slot, choice.fire), {}};
    case C::SingleKey:
      return {AssignSingleKey(target, slot, choice.single), {}};
    case C::ComboKey:
      return {AssignComboKey(target, slot, choice.combo), {}};
    case C::MacroKey:
      return {AssignMacroKey(target, slot, choice.macro), {}};
    default:
      return {AssignPlainFunction(target, slot, choice.category), {}};
  }
}

}  // namespace corvaline
