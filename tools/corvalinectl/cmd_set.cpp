// set: one setting of a configuration changed with the rules of the
// program's pages, written atomically, optionally sent to the mouse.
#include <charconv>
#include <ostream>

#include "config_io.h"
#include "core/buttons/button_assign.h"
#include "core/device/commands.h"
#include "core/profiles/function_words.h"
#include "core/profiles/profile.h"
#include "core/profiles/setting_words.h"
#include "core/settings/edit_session.h"
#include "core/settings/item_texts.h"
#include "core/settings/value_tables.h"
#include "core/settings/utf8_paths.h"
#include "session.h"

namespace corvaline::cli {
namespace {

constexpr const char* kSetHelpHead =
    "usage: corvalinectl set SETTING ... [--config FILE] [--apply]\n"
    "Changes one setting of the configuration (default: the program's config.bin) with\n"
    "the rules of the program's pages, and saves it; --apply then sends it to the mouse.\n"
    "\n"
    "  set rate 125|250|500|1000\n"
    "  set dpi STAGE [--level N] [--on|--off] [--colour #RRGGBB]\n"
    "      levels 1..8 with any mouse; 9..12 by the mouse's sensor type (or --sensor-type N);\n"
    "      the last stage on stays on\n"
    "  set lighting off|standard|respiration|neon [--parameter TEXT] [--option TEXT]\n"
    "      (or the page's effect names, e.g. Respiration, 呼吸模式)\n"
    "      TEXT as the page shows it: 45%, 6S, 10S; RGB Effect, RGB Flash, RGB Fixed On\n"
    "  set button N [--mode A|B] FUNCTION\n"
    "      left-click, right-click, middle-click, forward, backward, triple-click, dpi+, dpi-,\n"
    "      dpi-loop, shift-dpi, rgb-toggle, windows NAME, media NAME,\n"
    "      fire KEY [--speed N] [--times N], key NAME, combo [MODIFIER+]KEY[+KEY],\n"
    "      macro NAME|N [--repeat ";
// The repeat words come from the rule that reads them.
constexpr const char* kSetHelpTail =
    "], shift, off\n"
    "      or the window's own names in English, CHS or CHT: 'Mid Click', 'Single Key' A,\n"
    "      Multimedia Vol+, 'Key Off', 'DPI Loop', 中键 ...\n"
    "  set pointer [--speed N] [--wheel N|page] [--double-click MS] [--precision on|off]\n"
    "\n"
    "Key names: each spelling the program uses for a key is taken everywhere (Left Windows,\n"
    "Left Win, L-WIN; Ctrl, Left Ctrl, L-CTRL).\n"
    "Exit status: 0 done, 1 a file or mouse failure, 2 a value that does not exist,\n"
    "3 refused by a rule of the program (the program's message and the rule; nothing is\n"
    "written), 4 a macro record.ini does not hold.\n";

std::string SetHelp() { return kSetHelpHead + RepeatWordsJoined("|", "|") + kSetHelpTail; }

// The words of the command with --config, --apply and --sensor-type taken out.
struct SetLine {
  std::vector<std::string> words;
  std::filesystem::path config;
  bool apply = false;
  int sensorType = -1;
};

SetLine SplitLine(const std::vector<std::string>& args) {
  SetLine line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
      return args[++i];
    };
    if (a == "--config")
      line.config = ConfigFileArgument(value());
    else if (a == "--apply")
      line.apply = true;
    else if (a == "--sensor-type") {
      const std::string v = value();
      int n = -1;
      auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
      if (ec != std::errc() || end != v.data() + v.size() || n < 0 || n > 255)
        throw UsageError("--sensor-type takes a number from 0 to 255, not '" + v + "'");
      line.sensorType = n;
    } else
      line.words.push_back(a);
  }
  return line;
}

// Takes "--name VALUE" out of words; nullopt when absent.
std::optional<std::string> TakeValue(std::vector<std::string>& words, const std::string& name) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] != name) continue;
    if (i + 1 >= words.size()) throw UsageError(name + " needs a value");
    std::string v = words[i + 1];
    words.erase(words.begin() + static_cast<long>(i), words.begin() + static_cast<long>(i) + 2);
    return v;
  }
  return std::nullopt;
}

bool TakeFlag(std::vector<std::string>& words, const std::string& name) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == name) {
      words.erase(words.begin() + static_cast<long>(i));
      return true;
    }
  }
  return false;
}

void NoMoreWords(const std::vector<std::string>& words) {
  if (!words.empty()) throw UsageError("unexpected argument '" + words.front() + "'");
}

void Check(const ChangeResult& r) {
  if (r.status == ChangeStatus::BadValue) throw UsageError(r.message);
  if (r.status == ChangeStatus::Refused) throw Refused(r.message);
}

int StageNumber(const std::string& text, int last, const char* what) {
  int n = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size() || n < 1 || n > last)
    throw UsageError(std::string(what) + " is a number from 1 to " + std::to_string(last) +
                     ", not '" + text + "'");
  return n;
}

constexpr int kLevelsOfEverySensor = 8;

// The sensor type the DPI levels follow: the option, else the mouse's own.
int SensorType(const Invocation& inv, const SetLine& line) {
  if (line.sensorType >= 0) return line.sensorType;
  if (inv.global.sensorType >= 0 && !inv.global.simulate) return inv.global.sensorType;
  auto session = OpenSession(inv.global, inv.err);
  try {
    ConnectMouse(*session);
  } catch (const Failure& f) {
    throw Failure(std::string(f.what()) +
                  "; DPI levels above 8 depend on the sensor type: give --sensor-type N");
  }
  if (!ReadSensorInfo(session->link))
    throw Failure("the mouse did not tell its sensor type; give --sensor-type N");
  return session->link.records.sensorInfo.sensorType;
}

std::string SetDpi(const Invocation& inv, const SetLine& line, std::vector<std::string> w,
                   Profile& p) {
  if (w.empty()) throw UsageError("set dpi needs a stage 1..4");
  DpiStageChange change;
  change.stage = StageNumber(w[0], kDpiStages, "the DPI stage") - 1;
  w.erase(w.begin());
  const auto level = TakeValue(w, "--level");
  auto colour = TakeValue(w, "--colour");
  if (!colour) colour = TakeValue(w, "--color");
  const bool on = TakeFlag(w, "--on"), off = TakeFlag(w, "--off");
  NoMoreWords(w);
  if (on && off) throw UsageError("--on and --off together");
  if (on || off) change.on = on;
  if (colour) {
    change.colour = ParseColour(*colour);
    if (!change.colour) throw UsageError("a colour is #RRGGBB, not '" + *colour + "'");
  }
  int sensor = 0;
  if (level) {
    change.level = StageNumber(*level, kMaxDpiLevels, "the DPI level");
    // Every sensor type has levels 1..8; only those above need to know it.
    const bool typeGiven =
        line.sensorType >= 0 || (inv.global.sensorType >= 0 && !inv.global.simulate);
    if (*change.level > kLevelsOfEverySensor || typeGiven) {
      sensor = SensorType(inv, line);
      change.level =
          StageNumber(*level, ClickableDpiLevels(sensor),
                      ("with sensor type " + std::to_string(sensor) + " the DPI level").c_str());
    }
  }
  Check(ChangeDpiStage(p.block, change, sensor));
  const int i = change.stage;
  return "DPI stage " + std::to_string(i + 1) + ": " + (p.block.dpiStageEnabled[i] ? "on" : "off") +
         ", level " + std::to_string(p.block.dpiStageIndex[i] + 1) + ", colour " +
         ColourText(p.block.dpiStageColour[i]);
}

std::string SetButton(std::vector<std::string> w, Profile& p) {
  if (w.empty()) throw UsageError("set button needs a button 1..10 and a function");
  const int slot = StageNumber(w[0], kVisibleButtons, "the button") - 1;
  w.erase(w.begin());
  const auto mode = TakeValue(w, "--mode");
  if (mode && *mode != "A" && *mode != "B")
    throw UsageError("--mode takes A or B, not '" + *mode + "'");
  std::vector<std::string> macroNames;
  for (const ProfileMacro& m : p.macros) macroNames.push_back(m.name);
  const FunctionParse parsed = ParseFunctionWords(w, macroNames);
  if (!parsed.choice && parsed.missing) throw Missing(parsed.error);
  if (!parsed.choice) throw UsageError(parsed.error);
  // The window offers only the macros record.ini holds; a number names one
  // of them, never an empty place.
  if (parsed.choice->category == FunctionCategory::MacroKey &&
      parsed.choice->macro.macroIndex >= static_cast<int>(macroNames.size()))
    throw Missing("there is no macro " + std::to_string(parsed.choice->macro.macroIndex + 1) +
                  " in record.ini, which holds " + std::to_string(macroNames.size()) +
                  " macros (the Advanced page records them)");
  // The menus edit the group the Basic page shows; --mode shows the other.
  const std::uint8_t shown = p.block.currentMode;
  const KeyGroup group =
      mode ? (*mode == "B" ? KeyGroup::ModeB : KeyGroup::ModeA) : EditedGroup(p.block);
  p.block.currentMode = static_cast<std::uint8_t>(group);
  const AssignOutcome out =
      AssignFunction({p.block, p.captions, p.captionLanguage}, slot, *parsed.choice);
  p.block.currentMode = shown;
  if (!out.assigned) {
    if (out.refusal.Ok()) throw Refused("the function could not be assigned");
    // The program's own words, then the rule behind them.
    const bool left = out.refusal.Reason() == LeftKeyWarning(p.captionLanguage).Reason();
    throw Refused(out.refusal.Reason() + "\ncorvalinectl: " +
                  (left ? "each key group keeps at least one Left Click"
                        : "one button at most is Shift, the same button in both key groups"));
  }
  return std::string("Mode ") + (group == KeyGroup::ModeB ? "B" : "A") + " button " +
         std::to_string(slot + 1) + ": " + FunctionWordsOf(p.block, group, slot, macroNames);
}

std::string Change(const Invocation& inv, const SetLine& line, Profile& p) {
  std::vector<std::string> w = line.words;
  if (w.empty()) throw UsageError("set needs a setting: rate, dpi, lighting, button or pointer");
  const std::string what = w[0];
  w.erase(w.begin());
  if (what == "rate") {
    if (w.size() != 1) throw UsageError("set rate takes one of 125, 250, 500, 1000");
    Check(SetReportRateText(p.block, w[0]));
    return "report rate " + w[0] + " Hz";
  }
  if (what == "dpi") return SetDpi(inv, line, w, p);
  if (what == "lighting") {
    if (w.empty()) throw UsageError("set lighting needs off, standard, respiration or neon");
    const std::string effect = w[0];
    w.erase(w.begin());
    const auto parameter = TakeValue(w, "--parameter");
    const auto option = TakeValue(w, "--option");
    NoMoreWords(w);
    Check(ChangeLighting(p.block, effect, parameter, option));
    return "lighting " + std::string(LedEffectWord(p.block.ledEffect));
  }
  if (what == "button") return SetButton(w, p);
  if (what == "pointer") {
    PointerChange c;
    c.speed = TakeValue(w, "--speed");
    c.wheel = TakeValue(w, "--wheel");
    c.doubleClickMs = TakeValue(w, "--double-click");
    c.precision = TakeValue(w, "--precision");
    NoMoreWords(w);
    Check(ChangePointer(p.block, c));
    const SettingsBlock& b = p.block;
    return "pointer: speed " + std::to_string(b.pointerSpeedLevel) + ", wheel " +
           (b.wheelPageScroll ? std::string("page") : std::to_string(b.wheelScrollLines)) +
           ", double-click " +
           (b.doubleClickLevel >= 1 && b.doubleClickLevel <= kDoubleClickLevels
                ? std::to_string(DoubleClickMsOfLevel(b.doubleClickLevel)) + " ms"
                : "level " + std::to_string(b.doubleClickLevel)) +
           ", precision " + (b.pointerPrecision ? "on" : "off");
  }
  throw UsageError("unknown setting '" + what + "' (rate, dpi, lighting, button, pointer)");
}

}  // namespace

Profile ReadConfigurationOrFail(const std::filesystem::path& configBin) {
  ProfileResult r = ReadConfiguration(ConfigFiles::Beside(configBin));
  if (!r.profile) throw Failure(r.error);
  return std::move(*r.profile);
}

std::filesystem::path ConfigOption(const Invocation& inv, const std::filesystem::path& given) {
  return given.empty() ? ProgramDataFolder(inv.global).configBin : given;
}

int RunSet(Invocation& inv) {
  if (inv.args.empty() || inv.args[0] == "--help" || inv.args[0] == "-h") {
    inv.out << SetHelp();
    return inv.args.empty() ? kExitUsage : kExitOk;
  }
  const SetLine line = SplitLine(inv.args);
  const std::filesystem::path configBin = ConfigOption(inv, line.config);
  const FileLock lock = LockDataOrFail(configBin);
  RepairCaptionsFile(configBin, inv.err);
  Profile p = ReadConfigurationOrFail(configBin);
  // Like every save of the program this stores the first-run byte 1. Until
  // then the program would reset the captions on its next start and lose the
  // one set here, so that reset happens first.
  if (p.firstRunFlag == 0) {
    p.captions = DefaultCaptions(p.captionLanguage);
    p.firstRunFlag = 1;
  }
  const std::string done = Change(inv, line, p);
  if (const Outcome written = WriteConfiguration(ConfigFiles::Beside(configBin), p, false); !written.Ok())
    throw Failure(written.Reason());
  inv.out << done << " (saved in " << Utf8FromPath(configBin)
          << (line.apply ? ")" : "; the mouse changes with --apply or 'corvalinectl apply')")
          << '\n';
  return line.apply ? ApplyToMouse(inv, configBin, true) : kExitOk;
}

}  // namespace corvaline::cli
