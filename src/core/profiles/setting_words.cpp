#include "core/profiles/word_parsing.h"
#include "core/profiles/setting_words.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "core/i18n/ui_language.h"
#include "core/settings/edit_session.h"
#include "core/settings/value_tables.h"

namespace corvaline {
namespace {

using words::Number;
using words::SameText;

constexpr std::array<std::string_view, 4> kEffectWords = {"off", "standard", "respiration", "neon"};
constexpr int kPointerLevels = 11;
constexpr int kMaxWheelLines = 11;

ChangeResult Bad(std::string m) { return {ChangeStatus::BadValue, std::move(m)}; }
ChangeResult Refused(std::string m) { return {ChangeStatus::Refused, std::move(m)}; }

std::string Joined(const std::vector<std::string_view>& entries) {
  std::string out;
  for (std::string_view e : entries) out += (out.empty() ? "" : ", ") + std::string(e);
  return out;
}

// The position of text in the option list of the effect, in any language.
int OptionPosition(std::uint8_t effect, std::string_view text) {
  for (UiLanguage lang : {UiLanguage::EN, UiLanguage::CHS, UiLanguage::CHT}) {
    const auto entries = OptionListEntries(effect, lang);
    for (std::size_t i = 0; i < entries.size(); ++i)
      if (SameText(entries[i], text)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

ChangeResult SetReportRateText(SettingsBlock& block, std::string_view hz) {
  for (int stop = 0; stop < 4; ++stop) {
    const std::uint8_t code = ReportRateCodeAt(stop);
    if (std::to_string(ReportRateHz(code)) == hz) {
      block.reportRateCode = code;
      return {};
    }
  }
  return Bad("the report rate is 125, 250, 500 or 1000 (Hz), not '" + std::string(hz) + "'");
}

std::optional<std::array<std::uint8_t, 3>> ParseColour(std::string_view text) {
  if (!text.empty() && text[0] == '#') text.remove_prefix(1);
  if (text.size() != 6) return std::nullopt;
  std::array<std::uint8_t, 3> rgb{};
  for (int i = 0; i < 3; ++i) {
    unsigned v = 0;
    auto [end, ec] = std::from_chars(text.data() + 2 * i, text.data() + 2 * i + 2, v, 16);
    if (ec != std::errc() || end != text.data() + 2 * i + 2) return std::nullopt;
    rgb[i] = static_cast<std::uint8_t>(v);
  }
  return rgb;
}

std::string ColourText(const std::uint8_t (&rgb)[3]) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", rgb[0], rgb[1], rgb[2]);
  return buf;
}

ChangeResult ChangeDpiStage(SettingsBlock& block, const DpiStageChange& change, int sensorType) {
  if (change.stage < 0 || change.stage >= kDpiStages) return Bad("the DPI stages are 1 to 4");
  const int levels = ClickableDpiLevels(sensorType);
  if (change.level && (*change.level < 1 || *change.level > levels))
    return Bad("sensor type " + std::to_string(sensorType) + " has DPI levels 1 to " +
               std::to_string(levels) + ", not " + std::to_string(*change.level));
  SettingsBlock next = block;
  const std::string name = "DPI stage " + std::to_string(change.stage + 1);
  if (change.on && !SetDpiStageEnabled(next, change.stage, *change.on))
    return Refused(name + " is the last stage that is on: it stays on.");
  if (change.level) SetDpiLevel(next, change.stage, *change.level);
  if (change.colour && !SetStageColour(next, change.stage, (*change.colour)[0], (*change.colour)[1],
                                       (*change.colour)[2]))
    return Refused(name + " is off: its colour can be chosen only while it is on.");
  block = next;
  return {};
}

std::string_view LedEffectWord(int effect) {
  return effect >= 0 && effect < 4 ? kEffectWords[effect] : std::string_view{};
}

int LedEffectFromWord(std::string_view word) {
  for (int i = 0; i < 4; ++i) {
    if (SameText(kEffectWords[i], word)) return i;
    // The page's own names too, in any of its languages.
    for (UiLanguage lang : {UiLanguage::EN, UiLanguage::CHS, UiLanguage::CHT})
      if (SameText(LedEffectName(i, lang), word)) return i;
  }
  return -1;
}

ChangeResult ChangeLighting(SettingsBlock& block, std::string_view effect,
                            const std::optional<std::string>& parameter,
                            const std::optional<std::string>& option) {
  const int e = LedEffectFromWord(effect);
  if (e < 0)
    return Bad("the lighting is off, standard, respiration or neon, not '" + std::string(effect) +
               "'");
  SettingsBlock next = block;
  if (e == 0) {
    if (parameter || option) return Bad("lighting off takes no --parameter or --option");
    next.ledEffect = 0;
    block = next;
    return {};
  }
  ChooseLedEffect(next, e - 1, UiLanguage::EN);
  if (parameter) {
    const auto entries = ParameterListEntries(next.ledEffect);
    int at = -1;
    for (std::size_t i = 0; i < entries.size(); ++i)
      if (SameText(entries[i], *parameter)) at = static_cast<int>(i);
    if (at < 0)
      return Bad(std::string(kEffectWords[e]) + " takes the parameter " + Joined(entries) +
                 ", not '" + *parameter + "'");
    ChooseLedParameter(next, at);
  }
  if (option) {
    const int at = e == 1 ? (OptionPosition(2, *option) == 0 ? 0 : -1)
                          : OptionPosition(next.ledEffect, *option);
    if (at < 0) {
      const auto entries = e == 1 ? OptionListEntries(2, UiLanguage::EN)
                                  : OptionListEntries(next.ledEffect, UiLanguage::EN);
      return Bad(std::string(kEffectWords[e]) + " takes the option " +
                 (e == 1 ? std::string(entries[0]) : Joined(entries)) + ", not '" + *option + "'");
    }
    ChooseLedOption(next, at, UiLanguage::EN);
  }
  block = next;
  return {};
}

int DoubleClickMsOfLevel(int level) { return 900 - 70 * (level - 1); }

int DoubleClickLevelOfMs(std::string_view text) {
  const auto ms = Number(text, 200, 900);
  return ms && (900 - *ms) % 70 == 0 ? (900 - *ms) / 70 + 1 : 0;
}

ChangeResult ChangePointer(SettingsBlock& block, const PointerChange& c) {
  SettingsBlock next = block;
  if (c.speed) {
    const auto v = Number(*c.speed, 1, kPointerLevels);
    if (!v) return Bad("the pointer speed is a level from 1 to 11, not '" + *c.speed + "'");
    next.pointerSpeedLevel = static_cast<std::uint8_t>(*v);
  }
  if (c.wheel) {
    if (*c.wheel == "page") {
      next.wheelPageScroll = 1;
    } else {
      const auto v = Number(*c.wheel, 0, kMaxWheelLines);
      if (!v)
        return Bad("the wheel scrolls 0 to 11 lines or a page ('page'), not '" + *c.wheel + "'");
      next.wheelPageScroll = 0;
      next.wheelScrollLines = static_cast<std::uint8_t>(*v);
    }
  }
  if (c.doubleClickMs) {
    const int level = DoubleClickLevelOfMs(*c.doubleClickMs);
    if (!level)
      return Bad(
          "the double-click time is one of 900, 830, 760, 690, 620, 550, 480, 410, 340, "
          "270, 200 (ms), not '" +
          *c.doubleClickMs + "'");
    next.doubleClickLevel = static_cast<std::uint8_t>(level);
  }
  if (c.precision) {
    if (*c.precision != "on" && *c.precision != "off")
      return Bad("--precision takes on or off, not '" + *c.precision + "'");
    next.pointerPrecision = *c.precision == "on" ? 1 : 0;
  }
  block = next;
  return {};
}

}  // namespace corvaline
