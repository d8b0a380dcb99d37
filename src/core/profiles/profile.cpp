#include "core/profiles/profile.h"

#include <cstring>
#include <sstream>

#include "core/macros/macro_encoder.h"
#include "core/macros/record_store.h"
#include "core/profiles/caption_repair.h"
#include "core/profiles/function_words.h"
#include "core/profiles/json_writer.h"
#include "core/profiles/profile_internal.h"
#include "core/profiles/setting_words.h"
#include "core/settings/atomic_file.h"
#include "core/settings/config_commit.h"
#include "core/settings/config_file.h"
#include "core/settings/ini_file.h"
#include "core/settings/utf8_paths.h"
#include "core/settings/value_tables.h"

namespace corvaline {
namespace {

constexpr const char* kGroupKeys[2] = {"A", "B"};

// A list text, or the stored number when the position has none.
void TextOrNumber(JsonWriter& j, std::string_view key, std::string_view text, int value) {
  if (text.empty())
    j.Field(key, value);
  else
    j.Field(key, text);
}

void WriteButtons(JsonWriter& j, const Profile& p, const std::vector<std::string>& macroNames) {
  j.Key("keyGroups").BeginObject();
  for (int g = 0; g < 2; ++g) {
    j.Key(kGroupKeys[g]).BeginObject().Key("buttons").BeginArray();
    for (int slot = 0; slot < kVisibleButtons; ++slot) {
      j.BeginInlineObject()
          .Field("button", slot + 1)
          .Field("function", FunctionWordsOf(p.block, static_cast<KeyGroup>(g), slot, macroNames))
          .Field("caption", p.captions[g][slot])
          .EndObject();
    }
    j.EndArray().Key("hiddenCaptions").BeginArray();
    for (int slot = kVisibleButtons; slot < kButtonSlots; ++slot) j.Value(p.captions[g][slot]);
    j.EndArray().EndObject();
  }
  j.EndObject();
}

void WriteSettings(JsonWriter& j, const SettingsBlock& s) {
  const int mode = s.currentMode;
  if (mode == 0 || mode == 1)
    j.Field("editedKeyGroup", kGroupKeys[mode]);
  else
    j.Field("editedKeyGroup", mode);
  const int hz = ReportRateHz(s.reportRateCode);
  if (hz)
    j.Field("reportRate", hz);
  else
    j.Field("reportRateCode", int(s.reportRateCode));
  j.Key("dpiStages").BeginArray();
  for (int i = 0; i < kDpiStages; ++i) {
    j.BeginInlineObject().Field("stage", i + 1);
    if (s.dpiStageEnabled[i] <= 1)
      j.Field("on", s.dpiStageEnabled[i] == 1);
    else
      j.Field("on", int(s.dpiStageEnabled[i]));
    j.Field("level", s.dpiStageIndex[i] + 1)
        .Field("colour", ColourText(s.dpiStageColour[i]))
        .EndObject();
  }
  j.EndArray();
  j.Key("lighting").BeginObject();
  TextOrNumber(j, "effect", LedEffectWord(s.ledEffect), s.ledEffect);
  TextOrNumber(j, "standardBrightness", BrightnessText(s.ledStandardBrightness),
               s.ledStandardBrightness);
  TextOrNumber(j, "respirationSpeed", SpeedText(s.ledRespirationSpeed), s.ledRespirationSpeed);
  TextOrNumber(j, "neonPeriod", PeriodText(s.ledNeonPeriod), s.ledNeonPeriod);
  const UiLanguage en = UiLanguage::EN;
  TextOrNumber(j, "standardOption", LedOptionName(s.ledStandardOption, en), s.ledStandardOption);
  TextOrNumber(j, "respirationOption", LedOptionName(s.ledRespirationOption, en),
               s.ledRespirationOption);
  TextOrNumber(j, "neonOption", LedOptionName(s.ledNeonOption, en), s.ledNeonOption);
  j.EndObject();
  j.Key("pointer")
      .BeginObject()
      .Field("speedLevel", int(s.pointerSpeedLevel))
      .Field("wheelScrollLines", int(s.wheelScrollLines));
  // In ms as `set pointer --double-click` takes it; a level off the slider
  // (a damaged file) as its stored number.
  if (s.doubleClickLevel >= 1 && s.doubleClickLevel <= kDoubleClickLevels)
    j.Field("doubleClickMs", DoubleClickMsOfLevel(s.doubleClickLevel));
  else
    j.Field("doubleClickLevel", int(s.doubleClickLevel));
  for (auto [key, value] : {std::pair{"wheelPageScroll", s.wheelPageScroll},
                            std::pair{"precision", s.pointerPrecision}}) {
    if (value <= 1)
      j.Field(key, value == 1);
    else
      j.Field(key, int(value));
  }
  j.EndObject();
}

void WriteMacros(JsonWriter& j, const Profile& p) {
  j.Key("macros").BeginArray();
  for (const ProfileMacro& m : p.macros) {
    j.BeginObject()
        .Field("name", m.name)
        .Field("loopCount", m.loopCount)
        .Key("events")
        .BeginArray();
    for (const std::string& item : m.items) j.Value(item);
    j.EndArray().EndObject();
  }
  j.EndArray();
}

std::string Json(const Profile& p, const std::vector<std::pair<int, int>>& preserved) {
  std::ostringstream text;
  {
    JsonWriter j(text);
    std::vector<std::string> macroNames;
    for (const ProfileMacro& m : p.macros) macroNames.push_back(m.name);
    j.BeginObject().Field("format", kProfileFormat).Field("version", kProfileVersion);
    j.Field("captionLanguage", LanguageCode(p.captionLanguage));
    WriteButtons(j, p, macroNames);
    WriteSettings(j, p.block);
    WriteMacros(j, p);
    j.Key("preserved").BeginObject();
    for (auto [offset, value] : preserved) j.Field(std::to_string(offset), value);
    j.EndObject().EndObject();
  }
  return text.str();
}

std::string ConfigBytes(const Profile& p) {
  std::string bytes(kConfigFileSize, '\0');
  bytes[0] = static_cast<char>(p.firstRunFlag);
  std::memcpy(bytes.data() + 1, &p.block, sizeof p.block);
  return bytes;
}

// Rewrites record.ini's sections in the profile's order, unless it already
// holds exactly those macros (so an unchanged file is not touched at all).
Outcome WriteMacros(const std::filesystem::path& recordIni, const std::vector<ProfileMacro>& macros) {
  std::error_code ec;
  const bool exists = std::filesystem::exists(recordIni, ec);
  const std::vector<std::string> names =
      exists ? IniSectionNames(recordIni) : std::vector<std::string>{};
  bool same = names.size() == macros.size();
  for (std::size_t k = 0; same && k < macros.size(); ++k)
    same = names[k] == macros[k].name && ReadMacroItems(recordIni, names[k]) == macros[k].items &&
           ReadMacroItemCount(recordIni, names[k]) == static_cast<int>(macros[k].items.size());
  if (same) return {};
  for (const std::string& name : names) {
    if (Outcome deleted = DeleteMacroSection(recordIni, name); !deleted) return deleted;
  }
  for (const ProfileMacro& m : macros) {
    if (Outcome written = WriteMacroSection(recordIni, m.name, m.items); !written) return written;
  }
  return {};
}

}  // namespace

ConfigFiles ConfigFiles::Beside(const std::filesystem::path& configBin) {
  const std::filesystem::path folder = configBin.parent_path();
  return {configBin, folder / "str.ini", folder / "record.ini"};
}

std::string_view LanguageCode(UiLanguage lang) {
  switch (lang) {
    case UiLanguage::CHS:
      return "CHS";
    case UiLanguage::CHT:
      return "CHT";
    default:
      return "EN";
  }
}

ProfileResult ReadConfiguration(const ConfigFiles& files) {
  const auto bytes = ReadWholeFile(files.configBin, kConfigFileSize);
  if (!bytes && bytes.Code() == kReadTooLarge)
    return {std::nullopt, Utf8FromPath(files.configBin) + " is larger than 1986 bytes: not a config.bin"};
  std::error_code ec;
  if (!bytes && !std::filesystem::exists(std::filesystem::symlink_status(files.configBin, ec)))
    return {std::nullopt, Utf8FromPath(files.configBin) + ": " + std::string(kConfigMissingText)};
  if (!bytes)
    return {std::nullopt, "cannot read " + Utf8FromPath(files.configBin) + ": " + bytes.Reason()};
  if (bytes->size() != kConfigFileSize)
    return {std::nullopt, Utf8FromPath(files.configBin) + " is " + std::to_string(bytes->size()) +
                              " bytes, not 1986: not a config.bin"};
  SettingsStore store;
  store.firstRunFlag = static_cast<std::uint8_t>((*bytes)[0]);
  std::memcpy(&store.settings, bytes->data() + 1, sizeof store.settings);
  const UiLanguage lang = ReadLanguage(files.strIni);
  ItemTexts texts;
  LoadItemTexts(files.strIni, lang, texts);
  MendOutdatedCaptions(texts, store.settings, lang, ListMacroNames(files.recordIni));
  return {ProfileOf(store, texts.captions, lang, files.recordIni), {}};
}

Profile ProfileOf(const SettingsStore& store, const ButtonCaptions& captions, UiLanguage lang,
                  const std::filesystem::path& recordIni) {
  Profile p;
  p.firstRunFlag = store.firstRunFlag;
  p.block = store.settings;
  p.captions = captions;
  p.captionLanguage = lang;
  const std::vector<std::string> names = ListMacroNames(recordIni);
  for (std::size_t k = 0; k < names.size(); ++k) {
    p.macros.push_back({names[k], MacroLoopCount(p.block, static_cast<int>(k)),
                        ReadMacroItems(recordIni, names[k])});
  }
  return p;
}

Outcome WriteConfiguration(const ConfigFiles& files, const Profile& p, bool withMacros) {
  std::error_code ec;
  if (!std::filesystem::exists(files.configBin, ec))
    return Outcome::Failed(Utf8FromPath(files.configBin) + ": " + std::string(kConfigMissingText));
  // Refused before any file changes.
  if (Outcome fits = CheckCaptionLengths(p.captions); !fits) return fits;
  if (withMacros) {
    if (Outcome written = WriteMacros(files.recordIni, p.macros); !written) return written;
  }
  bool anyCaption = false;
  for (const auto& group : p.captions)
    for (const std::string& c : group) anyCaption = anyCaption || !c.empty();
  const bool withCaptions = anyCaption || std::filesystem::exists(files.strIni, ec);
  const CaptionsToSave captions{files.strIni, p.captionLanguage, p.captions};
  return CommitConfigAndCaptions(files.configBin, p.firstRunFlag, p.block,
                                 withCaptions ? &captions : nullptr);
}

std::string ProfileToJson(const Profile& p) {
  // Which bytes the named members decide: read the profile without the
  // preserved bytes once onto zeros and once onto 0xFF; where the two agree
  // the members wrote the byte.
  const std::string named = Json(p, {});
  const auto zeros = profile_internal::ReadProfileOnto(named, p.captionLanguage, 0x00);
  const auto ones = profile_internal::ReadProfileOnto(named, p.captionLanguage, 0xFF);
  const std::string bytes = ConfigBytes(p);
  const std::string onZeros = zeros.profile ? ConfigBytes(*zeros.profile) : std::string();
  const std::string onOnes = ones.profile ? ConfigBytes(*ones.profile) : std::string();
  std::vector<std::pair<int, int>> preserved;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const bool decided = !onZeros.empty() && !onOnes.empty() && onZeros[i] == onOnes[i];
    if (!decided && bytes[i] != 0)
      preserved.emplace_back(static_cast<int>(i), static_cast<unsigned char>(bytes[i]));
  }
  return Json(p, preserved);
}

bool ProfileRoundTripsExactly(const Profile& p) {
  const ProfileResult back = ProfileFromJson(ProfileToJson(p), p.captionLanguage);
  return back.profile && ConfigBytes(*back.profile) == ConfigBytes(p) &&
         back.profile->captions == p.captions;
}

}  // namespace corvaline
