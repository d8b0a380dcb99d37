// The commands that talk to the mouse: list, info, apply.
#include <algorithm>
#include <filesystem>
#include <ostream>

#include "config_io.h"
#include "core/device/apply.h"
#include "core/device/commands.h"
#include "core/device/protocol.h"
#include "core/macros/record_store.h"
#include "core/profiles/caption_repair.h"
#include "core/settings/config_file.h"
#include "core/settings/edit_session.h"
#include "core/settings/item_texts.h"
#include "core/settings/value_tables.h"
#include "core/profiles/json_writer.h"
#include "core/settings/utf8_paths.h"
#include "platform/platform_kind.h"
#include "session.h"

namespace corvaline::cli {
namespace {

std::string Hex4(unsigned v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%04X", v);
  return buf;
}

// Which mouse a collection belongs to, in words: a virtual mouse by its
// socket, a real one by its USB device (the hidraw nodes of one mouse are
// interfaces of one USB device); the node itself when sysfs does not say.
std::string MouseOf(const std::string& path) {
  const std::string base = path.substr(0, path.rfind('#'));
  if (base.rfind("sim:", 0) == 0) return "virtual, " + base.substr(4);
  std::error_code ec;
  const std::filesystem::path hid = std::filesystem::canonical(
      std::filesystem::path("/sys/class/hidraw") / std::filesystem::path(base).filename() /
          "device",
      ec);
  if (ec || hid.parent_path().parent_path().empty()) return base;
  return "USB " + hid.parent_path().parent_path().filename().string();
}

// One line per mouse, its collections indented below it.
void PrintCollections(std::ostream& out, const std::vector<HidCollectionInfo>& list) {
  std::vector<std::string> mice;
  for (const HidCollectionInfo& c : list) {
    if (std::find(mice.begin(), mice.end(), MouseOf(c.path)) == mice.end())
      mice.push_back(MouseOf(c.path));
  }
  for (const std::string& mouse : mice) {
    out << "CORVALINE mouse (" << mouse << ")\n";
    for (const HidCollectionInfo& c : list) {
      if (MouseOf(c.path) != mouse) continue;
      out << "  " << c.path << "  usage page " << Hex4(c.usagePage) << " usage " << Hex4(c.usage)
          << "  input " << c.inputReportLength << " output " << c.outputReportLength
          << " feature " << c.featureReportLength << '\n';
      if (!c.problem.empty()) out << "    cannot be used: " << c.problem << '\n';
    }
  }
}

void JsonCollections(std::ostream& out, const std::vector<HidCollectionInfo>& list) {
  JsonWriter j(out);
  j.BeginArray();
  for (const HidCollectionInfo& c : list) {
    j.BeginObject()
        .Field("mouse", MouseOf(c.path))
        .Field("path", c.path)
        .Field("vendorId", Hex4(c.vendorId))
        .Field("productId", Hex4(c.productId))
        .Field("usagePage", Hex4(c.usagePage))
        .Field("usage", Hex4(c.usage))
        .Field("inputReportLength", static_cast<int>(c.inputReportLength))
        .Field("outputReportLength", static_cast<int>(c.outputReportLength))
        .Field("featureReportLength", static_cast<int>(c.featureReportLength));
    j.Key("problem");
    if (c.problem.empty()) j.Null(); else j.Value(c.problem);
    j.EndObject();
  }
  j.EndArray();
}

}  // namespace

int RunList(Invocation& inv) {
  if (WantsHelp(inv.args)) {
    inv.out << "usage: corvalinectl list [--json]\n"
               "Lists every CORVALINE mouse (real and virtual), one line each, with its HID\n"
               "collections below it: usage page, usage, report lengths, and why a node cannot\n"
               "be opened. --json gives one object per collection, \"mouse\" naming its mouse.\n"
               "Exit status 1 when no mouse is present.\n";
    return kExitOk;
  }
  const ParsedArgs args = ParseArgs(inv.args, {"--json"}, 0);
  auto session = OpenSession(inv.global, inv.err);
  const auto list = MouseCollections(*session->backend);
  if (args.Has("--json")) JsonCollections(inv.out, list);
  else PrintCollections(inv.out, list);
  if (list.empty()) {
    inv.err << "corvalinectl: no CORVALINE mouse found (04d9:a09f)\n" << NoMouseHelp(platform::ThisPlatform());
    return kExitFailure;
  }
  return kExitOk;
}

int RunInfo(Invocation& inv) {
  if (WantsHelp(inv.args)) {
    inv.out << "usage: corvalinectl info [--json]\n"
               "Opens the mouse, runs the handshake and reads the sensor information: the\n"
               "sensor type selects the DPI table the mouse uses.\n";
    return kExitOk;
  }
  const ParsedArgs args = ParseArgs(inv.args, {"--json"}, 0);
  auto session = OpenSession(inv.global, inv.err);
  ConnectMouse(*session);
  DeviceLink& link = session->link;
  if (!ReadSensorInfo(link)) throw Failure("the mouse did not answer the sensor-information request");
  const SensorInfo& info = link.records.sensorInfo;
  const int type = info.sensorType;
  std::vector<std::string_view> labels;
  for (int i = 0; i < DpiTableLevels(type); ++i) labels.push_back(DpiLabel(type, i));
  if (args.Has("--json")) {
    JsonWriter j(inv.out);
    j.BeginObject().Field("device", link.devicePath).Field("handshake", "accepted")
        .Field("scrambling", link.scramblingOn).Field("sensorType", type)
        .Field("rate", static_cast<int>(info.rate)).Field("option1", static_cast<int>(info.option1))
        .Field("option2", static_cast<int>(info.option2));
    j.Key("dpiTable").BeginArray();
    for (auto l : labels) j.Value(l);
    j.EndArray().EndObject();
    return kExitOk;
  }
  inv.out << "device: " << link.devicePath << "\nhandshake: accepted ("
          << (link.scramblingOn ? "scrambled" : "plain") << ")\nsensor type: " << type << '\n';
  inv.out << "DPI table:";
  if (labels.empty()) inv.out << " none (unknown sensor type)";
  for (auto l : labels) inv.out << ' ' << l;
  inv.out << '\n';
  return kExitOk;
}

int RunApply(Invocation& inv) {
  if (WantsHelp(inv.args)) {
    inv.out << "usage: corvalinectl apply [CONFIG.bin] [--no-save]\n"
               "Reads the sensor information and writes it back with bit 6 of Option2 set,\n"
               "then sends the whole configuration of CONFIG.bin (default: the program's own)\n"
               "to the mouse and, like OK/Apply in the program, saves it and the button\n"
               "captions of the str.ini beside it. --no-save leaves the files alone.\n"
               "Exit status 1 when the mouse is missing, refuses the handshake or did not take\n"
               "every transfer, or when saving failed.\n";
    return kExitOk;
  }
  const ParsedArgs args = ParseArgs(inv.args, {"--no-save"}, 1);
  return ApplyToMouse(inv, ConfigArgument(inv, args), !args.Has("--no-save"));
}

int ApplyToMouse(Invocation& inv, const std::filesystem::path& configBin, bool save) {
  FileLock lock;
  if (save) lock = LockDataOrFail(configBin);
  SettingsStore store = LoadConfigOrFail(configBin);
  const std::filesystem::path strIni = configBin.parent_path() / "str.ini";
  const UiLanguage lang = inv.global.lang ? *inv.global.lang : ReadLanguage(strIni);
  ItemTexts texts;
  LoadItemTexts(strIni, lang, texts);
  MendOutdatedCaptions(texts, store.settings, lang, ListMacroNames(configBin.parent_path() / "record.ini"));

  auto session = OpenSession(inv.global, inv.err);
  ConnectMouse(*session);
  DeviceLink& link = session->link;
  link.failedTransfers = 0;
  RefreshSensorInfo(link);

  ApplySavers savers;
  if (save) {
    savers = FileSavers(store, configBin, strIni, lang, texts);
    savers.dataFolder.clear();  // this command holds the folder's lock already
  }
  EditSession edits(store);
  ApplyReport report = edits.Apply([&](const SettingsBlock& block) { return ApplySettings(link, block, savers); });
  report.failedTransfers = link.failedTransfers;  // the sensor information's exchange counts too
  for (const std::string& text : ApplyProblemTexts(report, UiLanguage::EN, configBin, strIni))
    inv.err << "corvalinectl: " << text << '\n';
  if (!report.AllDone()) return kExitFailure;
  inv.out << "applied " << Utf8FromPath(configBin) << (save ? "" : " (not saved)") << '\n';
  return kExitOk;
}

}  // namespace corvaline::cli
