// corvaline-sim: plugs a virtual CORVALINE mouse into this session. Programs
// that list HID devices find it beside the real ones until the process is
// stopped (Ctrl+C or SIGTERM), which unplugs it again. A second call with
// "press" pushes one of the running mouse's own buttons.
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/settings_block.h"
#include "platform/virtual/sim_wire.h"
#include "sim/sim_server.h"
#include "sim/virtual_mouse.h"

namespace {

using namespace corvaline;
namespace wire = corvaline::simwire;

constexpr const char* kUsage =
    "Usage:\n"
    "  corvaline-sim [--sensor-type N] [--misbehave MODE] [--vanish-after COUNT]\n"
    "                [--socket PATH]\n"
    "      Plug a virtual mouse in until stopped with Ctrl+C or SIGTERM.\n"
    "      N: 0..3 selects the sensor's DPI table; above 3 is an unknown sensor.\n"
    "      MODE: none, no-answer, plain-echo, wrong-key, oversize, bad-index.\n"
    "      COUNT: the mouse drops off after this many transfers and stays away.\n"
    "      PATH: serve on this socket instead; clients list only the runtime folder.\n"
    "  corvaline-sim press rate|dpi|mode|macro VALUE [--socket PATH]\n"
    "      Press a button of the running virtual mouse:\n"
    "      rate 1000|500|250|125 (or the code 1|2|4|8), dpi 1..4,\n"
    "      mode 1|2 (or A|B), macro 1..12.\n"
    "  corvaline-sim --help | -h\n"
    "      Print this usage.\n"
    "The socket lives in $XDG_RUNTIME_DIR/corvaline-sim/ (/tmp/corvaline-sim-<uid>/\n"
    "without a runtime folder).\n";

sim::SimServer* g_server = nullptr;

extern "C" void OnStopSignal(int) {
  if (g_server) g_server->RequestStop();
}

std::optional<long> ParseNumber(std::string_view text, long low, long high) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<sim::Misbehaviour> ParseMisbehaviour(std::string_view text) {
  if (text == "none") return sim::Misbehaviour::None;
  if (text == "no-answer") return sim::Misbehaviour::NoAnswer;
  if (text == "plain-echo") return sim::Misbehaviour::PlainEcho;
  if (text == "wrong-key") return sim::Misbehaviour::WrongKey;
  if (text == "oversize") return sim::Misbehaviour::OversizeLength;
  if (text == "bad-index") return sim::Misbehaviour::BadIndex;
  return std::nullopt;
}

// What "press WHAT VALUE" sends, or what was wrong with it: a mistyped value
// is answered with the values it takes, not with the whole usage.
struct PressEntry {
  std::uint8_t code = 0;
  std::uint8_t value = 0;
  std::string error;
};

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

PressEntry Refuse(std::string_view what, std::string_view takes, std::string_view value) {
  return {0, 0, "press " + std::string(what) + " takes " + std::string(takes) + ", not " + Quoted(value)};
}

PressEntry ParsePress(std::string_view what, std::string_view value) {
  if (what == "rate") {
    for (auto [hz, code] : {std::pair{"1000", 1}, {"500", 2}, {"250", 4}, {"125", 8}, {"1", 1},
                            {"2", 2}, {"4", 4}, {"8", 8}}) {
      if (value == hz) return {std::uint8_t(kEventReportRate), std::uint8_t(code), {}};
    }
    return Refuse(what, "1000, 500, 250 or 125 (or the code 1, 2, 4 or 8)", value);
  }
  if (what == "mode") {
    if (value == "A" || value == "a" || value == "1") return {std::uint8_t(kEventKeyGroup), 1, {}};
    if (value == "B" || value == "b" || value == "2") return {std::uint8_t(kEventKeyGroup), 2, {}};
    return Refuse(what, "1 or 2 (or A or B)", value);
  }
  if (what == "dpi") {
    if (auto n = ParseNumber(value, 1, kDpiStages)) return {std::uint8_t(kEventDpiStage), std::uint8_t(*n), {}};
    return Refuse(what, "a stage 1.." + std::to_string(kDpiStages), value);
  }
  if (what == "macro") {
    if (auto n = ParseNumber(value, 1, kMacroCount)) return {std::uint8_t(kEventMacroKey), std::uint8_t(*n), {}};
    return Refuse(what, "a macro 1.." + std::to_string(kMacroCount), value);
  }
  return {0, 0, "press takes rate, dpi, mode or macro, not " + Quoted(what)};
}

// The socket of the running instance: the one named, or the only one there.
std::optional<std::string> FindRunningSocket(const std::string& named) {
  if (!named.empty()) return named;
  const std::string dir = wire::RuntimeDir();
  std::vector<std::string> found;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (dirent* e = ::readdir(d))
      if (wire::IsSocketName(e->d_name)) found.push_back(dir + "/" + e->d_name);
    ::closedir(d);
  }
  if (found.size() == 1) return found.front();
  std::fprintf(stderr, found.empty() ? "corvaline-sim: no virtual mouse is running (looked in %s)\n"
                                     : "corvaline-sim: several virtual mice run in %s; name one with --socket\n",
               dir.c_str());
  return std::nullopt;
}

int Press(std::uint8_t code, std::uint8_t value, const std::string& socket) {
  auto path = FindRunningSocket(socket);
  if (!path) return 1;
  int fd = wire::Connect(*path);
  if (fd < 0) {
    std::fprintf(stderr, "corvaline-sim: cannot reach %s\n", path->c_str());
    return 1;
  }
  wire::Message m;
  m.type = wire::MsgType::Press;
  m.collection = wire::kEventsCollection;
  m.arg = code;
  m.payload = {value};
  wire::Message reply;
  const bool ok = wire::SendMessage(fd, m) && wire::ReceiveMessage(fd, reply) == wire::RecvResult::Ok &&
                  reply.status == wire::Status::Ok;
  ::close(fd);
  if (!ok) std::fprintf(stderr, "corvaline-sim: the virtual mouse did not take the button press\n");
  return ok ? 0 : 1;
}

struct ServeOptions {
  std::optional<long> sensorType;
  sim::Misbehaviour misbehaviour = sim::Misbehaviour::None;
  std::optional<long> vanishAfter;
  std::string socket;
};

int Serve(ServeOptions options) {
  auto mouse = std::make_shared<sim::VirtualMouse>();
  if (options.sensorType) mouse->SetSensorType(static_cast<std::uint8_t>(*options.sensorType));
  mouse->SetMisbehaviour(options.misbehaviour);
  if (options.vanishAfter) mouse->VanishAfterTransfers(static_cast<int>(*options.vanishAfter));
  std::string socket = options.socket;
  if (socket.empty()) {
    sim::RemoveStaleSockets(wire::RuntimeDir());
    socket = sim::DefaultSocketPath();
  }
  sim::SimServer server(mouse);
  std::string error;
  if (!server.Start(socket, &error)) {
    std::fprintf(stderr, "corvaline-sim: %s\n", error.c_str());
    return 1;
  }
  g_server = &server;
  struct sigaction sa{};
  sa.sa_handler = OnStopSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  std::printf("corvaline-sim: virtual mouse plugged in at %s (Ctrl+C unplugs it)\n", socket.c_str());
  std::fflush(stdout);
  server.Run();
  g_server = nullptr;
  std::printf("corvaline-sim: virtual mouse unplugged\n");
  return 0;
}

// Prints a usage mistake and the way to the full usage; exit status 2.
int UsageError(const std::string& message) {
  std::fprintf(stderr, "corvaline-sim: %s\n(corvaline-sim --help shows the usage)\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  ServeOptions options;
  std::vector<std::string_view> words;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const auto a = args[i];
    const bool takesValue = a == "--sensor-type" || a == "--misbehave" || a == "--vanish-after" || a == "--socket";
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (takesValue && i + 1 == args.size()) {
      return UsageError(std::string(a) + " needs a value");
    } else if (a == "--sensor-type") {
      const auto value = args[++i];
      options.sensorType = ParseNumber(value, 0, 255);
      if (!options.sensorType) return UsageError("--sensor-type takes a number 0..255, not " + Quoted(value));
    } else if (a == "--misbehave") {
      const auto value = args[++i];
      auto m = ParseMisbehaviour(value);
      if (!m) {
        return UsageError("--misbehave takes none, no-answer, plain-echo, wrong-key, oversize or bad-index, not " +
                          Quoted(value));
      }
      options.misbehaviour = *m;
    } else if (a == "--vanish-after") {
      const auto value = args[++i];
      options.vanishAfter = ParseNumber(value, 0, 999999);
      if (!options.vanishAfter) return UsageError("--vanish-after takes a count 0..999999, not " + Quoted(value));
    } else if (a == "--socket") {
      options.socket = std::string(args[++i]);
    } else if (!a.empty() && a[0] == '-') {
      return UsageError("unknown option " + Quoted(a));
    } else {
      words.push_back(a);
    }
  }
  if (words.empty()) return Serve(options);
  if (words[0] != "press") return UsageError("unknown command " + Quoted(words[0]) + "; the command is press");
  if (words.size() != 3) return UsageError("press takes two words: rate|dpi|mode|macro VALUE");
  const PressEntry press = ParsePress(words[1], words[2]);
  if (!press.error.empty()) return UsageError(press.error);
  return Press(press.code, press.value, options.socket);
}
