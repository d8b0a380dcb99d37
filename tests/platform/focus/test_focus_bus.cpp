// The program's focus service on a private session bus: the KWin script
// loaded, run (where Plasma 5 or 6 has it) and unloaded through a stand-in
// KWin, also when the program ends on SIGTERM, the script itself run
// (under node, with Plasma 6 and Plasma 5 workspaces) calling the service,
// the GNOME Shell extension's call made by gdbus with the extension's own
// names, its metadata checked, and reports refused while the desktop's
// compositor is not on the bus.
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <regex>
#include <sstream>
#include <thread>

#include "core/profiles/json_reader.h"
#include "desktop_session.h"
#include "eventually.h"
#include "platform/focus_bus.h"

namespace corvaline {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::Child;
using testing_support::Eventually;
const fs::path kFocusFiles = fs::path(CORVALINE_SOURCE_DIR) / "packaging" / "focus";

std::string ReadText(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A session bus of the test's own.
struct PrivateBus {
  pid_t pid = -1;
  bool Start() {
    FILE* p = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
    if (!p) return false;
    char address[512] = {}, pidText[32] = {};
    const bool ok =
        std::fgets(address, sizeof address, p) && std::fgets(pidText, sizeof pidText, p);
    pclose(p);
    if (!ok) return false;
    address[std::strcspn(address, "\n")] = '\0';
    pid = std::atoi(pidText);
    setenv("DBUS_SESSION_BUS_ADDRESS", address, 1);
    return pid > 0;
  }
  ~PrivateBus() {
    if (pid > 0) kill(pid, SIGTERM);
  }
};

// Owns a compositor's bus name on a thread of its own (the service's calls
// into it block the test's thread); as org.kde.KWin it answers /Scripting,
// with the script's object where that Plasma version puts it. Every call to
// KWin's interfaces is noted, those to objects it does not have too.
class FakeCompositor {
 public:
  explicit FakeCompositor(std::string name, std::string scriptObject = "/Scripting/Script7")
      : name_(std::move(name)), scriptObject_(std::move(scriptObject)) {
    thread_ = std::thread([this] { Run(); });
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [this] { return started_; });
  }
  ~FakeCompositor() {
    g_main_loop_quit(loop_);
    thread_.join();
  }
  std::vector<std::string> Calls() {
    std::lock_guard lock(mutex_);
    return calls_;
  }
  bool Owned() {
    std::lock_guard lock(mutex_);
    return owned_;
  }
  // A call from the compositor's own connection, as its scripts make them.
  void Send(const std::string& dest, const std::string& path, const std::string& method,
            const std::string& arg) {
    const auto dot = method.rfind('.');
    g_dbus_connection_call(bus_, dest.c_str(), path.c_str(), method.substr(0, dot).c_str(),
                           method.substr(dot + 1).c_str(), g_variant_new("(s)", arg.c_str()),
                           nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
  }

 private:
  void Run() {
    GMainContext* context = g_main_context_new();
    g_main_context_push_thread_default(context);
    loop_ = g_main_loop_new(context, FALSE);
    GDBusConnection* bus = bus_ = g_dbus_connection_new_for_address_sync(
        std::getenv("DBUS_SESSION_BUS_ADDRESS"),
        GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                             G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(
        "<node><interface name='org.kde.kwin.Scripting'>"
        "<method name='loadScript'><arg type='s' direction='in'/><arg type='s' direction='in'/>"
        "<arg type='i' direction='out'/></method>"
        "<method name='unloadScript'><arg type='s' direction='in'/><arg type='b' "
        "direction='out'/></method>"
        "</interface><interface name='org.kde.kwin.Script'><method name='run'/></interface></node>",
        nullptr);
    static const GDBusInterfaceVTable vtable = {&FakeCompositor::OnCall, nullptr, nullptr, {}};
    g_dbus_connection_register_object(bus, "/Scripting", node->interfaces[0], &vtable, this,
                                      nullptr, nullptr);
    g_dbus_connection_register_object(bus, scriptObject_.c_str(), node->interfaces[1], &vtable,
                                      this, nullptr, nullptr);
    g_dbus_connection_add_filter(bus, &FakeCompositor::Note, this, nullptr);
    const guint owner =
        g_bus_own_name_on_connection(bus, name_.c_str(), G_BUS_NAME_OWNER_FLAGS_NONE,
                                     &FakeCompositor::OnOwned, nullptr, this, nullptr);
    {
      std::lock_guard lock(mutex_);
      started_ = true;
    }
    ready_.notify_all();
    g_main_loop_run(loop_);
    g_bus_unown_name(owner);
    g_dbus_connection_flush_sync(bus, nullptr, nullptr);
    g_dbus_node_info_unref(node);
    g_object_unref(bus);
    g_main_loop_unref(loop_);
    g_main_context_pop_thread_default(context);
    g_main_context_unref(context);
  }
  static void OnOwned(GDBusConnection*, const gchar*, gpointer self) {
    auto* f = static_cast<FakeCompositor*>(self);
    std::lock_guard lock(f->mutex_);
    f->owned_ = true;
  }
  static GDBusMessage* Note(GDBusConnection*, GDBusMessage* message, gboolean incoming,
                            gpointer self) {
    const char* interface = g_dbus_message_get_interface(message);
    if (!incoming || g_dbus_message_get_message_type(message) != G_DBUS_MESSAGE_TYPE_METHOD_CALL ||
        !g_str_has_prefix(interface ? interface : "", "org.kde.kwin."))
      return message;
    const char* method = g_dbus_message_get_member(message);
    std::string line = std::string(method) + " " + g_dbus_message_get_path(message);
    if (GVariant* args = g_dbus_message_get_body(message); args && g_strcmp0(method, "run") != 0) {
      gchar* text = g_variant_print(args, FALSE);
      line += std::string(" ") + text;
      g_free(text);
    }
    auto* f = static_cast<FakeCompositor*>(self);
    std::lock_guard lock(f->mutex_);
    f->calls_.push_back(line);
    return message;
  }
  static void OnCall(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                     const gchar* method, GVariant*, GDBusMethodInvocation* call, gpointer) {
    GVariant* reply = nullptr;
    if (g_strcmp0(method, "loadScript") == 0) reply = g_variant_new("(i)", 7);
    if (g_strcmp0(method, "unloadScript") == 0) reply = g_variant_new("(b)", TRUE);
    g_dbus_method_invocation_return_value(call, reply);
  }

  std::string name_, scriptObject_;
  GDBusConnection* bus_ = nullptr;
  std::thread thread_;
  GMainLoop* loop_ = nullptr;
  std::mutex mutex_;
  std::condition_variable ready_;
  bool started_ = false, owned_ = false;
  std::vector<std::string> calls_;
};

class FocusBusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* p : {"dbus-daemon", "gdbus", "node"})
      if (!testing_support::ProgramInstalled(p)) GTEST_SKIP() << p << " is not installed";
    ASSERT_TRUE(bus.Start());
  }
  // Runs the program while the service answers; passes when it ended.
  ::testing::AssertionResult RunPumping(platform::FocusWatcher& w,
                                        const std::vector<std::string>& argv) {
    Child c(argv);
    auto ended = Eventually(
        argv[0] + " to end while the service answers", 20s,
        [&] {
          w.Dispatch();
          return !c.Running();
        },
        [&] { return argv[0] + " " + c.State(); });
    w.Dispatch();
    return ended;
  }
  std::vector<std::string> GdbusCall(const std::string& dest, const std::string& path,
                                     const std::string& method, const std::string& app) {
    return {"gdbus",         "call", "--session", "--dest", dest,
            "--object-path", path,   "--method",  method,   app};
  }
  // Pumps the service until `count` reports came or 5 s passed.
  bool PumpUntil(platform::FocusWatcher& w, std::size_t count) {
    for (int i = 0; i < 500 && reports.size() < count; ++i) {
      w.Dispatch();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return reports.size() >= count;
  }
  PrivateBus bus;
  std::vector<std::string> reports;
  platform::FocusWatcher::Report report = [this](const std::vector<std::string>& n) {
    reports.push_back(n.at(0));
  };
};

// The service asks the bus itself whether the compositor runs (a call, not a
// signal it must have seen), so the name being owned is all there is to wait for.
// With a watcher, it is also given time to hear of the new owner.
::testing::AssertionResult WaitOwned(FakeCompositor& f, platform::FocusWatcher* w = nullptr) {
  auto owned = Eventually("the stand-in compositor to own its name", 10s, [&] { return f.Owned(); });
  for (int i = 0; owned && w && i < 20; ++i) {
    w->Dispatch();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return owned;
}

TEST_F(FocusBusTest, TheKWinScriptIsLoadedRunReportsAndIsUnloaded) {
  FakeCompositor kwin("org.kde.KWin");
  ASSERT_TRUE(WaitOwned(kwin));
  const std::string script = (kFocusFiles / "kwin" / "corvaline-focus.js").string();
  std::string problem;
  auto w = platform::CreateBusFocusWatcher(platform::BusDesktop::Kde, script, report, &problem);
  ASSERT_TRUE(w) << problem;
  const auto calls = kwin.Calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[1], "loadScript /Scripting ('" + script + "', 'corvaline-focus')");
  EXPECT_EQ(calls[2], "run /Scripting/Script7");

  // The script as KWin runs it: the window active at load, then a change.
  const std::string harness = R"(
    const fs = require('fs'), vm = require('vm'), cp = require('child_process');
    const handlers = [];
    const signal = { connect: (f) => handlers.push(f) };
    const ws = process.argv[2] === '6'
        ? { windowActivated: signal, activeWindow: { resourceClass: 'foot' } }
        : { clientActivated: signal, activeClient: { resourceClass: 'konsole' } };
    const callDBus = (dest, path, iface, method, ...args) => fs.appendFileSync(process.argv[3],
        [dest, path, iface + '.' + method, ...args].join('\t') + '\n');
    vm.runInNewContext(fs.readFileSync(process.argv[1], 'utf8'), { workspace: ws, callDBus, String });
    handlers.forEach((f) => f({ resourceClass: process.argv[2] === '6' ? 'steam_app_570' : 'dota2' }));
    handlers.forEach((f) => f(null));
  )";
  // KWin makes the script's calls from its own connection.
  const std::string made = (std::filesystem::temp_directory_path() /
                            ("corvaline-kwin-calls-" + std::to_string(getpid()) + ".txt"))
                               .string();
  std::filesystem::remove(made);
  ASSERT_EQ(testing_support::RunToEnd({"node", "-e", harness, script, "6", made}), 0);
  ASSERT_EQ(testing_support::RunToEnd({"node", "-e", harness, script, "5", made}), 0);
  std::ifstream madeCalls(made);
  std::size_t sent = 0;
  for (std::string line; std::getline(madeCalls, line); ++sent) {
    std::vector<std::string> f;
    std::stringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
    ASSERT_EQ(f.size(), 4u) << line;
    kwin.Send(f[0], f[1], f[2], f[3]);
    ASSERT_TRUE(PumpUntil(*w, sent + 1)) << "waited for the report of " << line;
  }
  std::filesystem::remove(made);
  EXPECT_EQ(reports, (std::vector<std::string>{"foot", "steam_app_570", "konsole", "dota2"}));
  // Any other program of the user is refused.
  ASSERT_TRUE(RunPumping(*w, GdbusCall(platform::kFocusBusName, platform::kFocusBusPath,
                                       std::string(platform::kFocusBusInterface) + ".FocusChanged",
                                       "evil")));
  EXPECT_EQ(reports.size(), 4u);
  w.reset();
  EXPECT_EQ(kwin.Calls().back(), "unloadScript /Scripting ('corvaline-focus',)");
}

TEST_F(FocusBusTest, Plasma5sScriptObjectIsRunAtTheFirstCall) {
  FakeCompositor kwin("org.kde.KWin", "/7");
  ASSERT_TRUE(WaitOwned(kwin));
  std::string problem;
  auto w = platform::CreateBusFocusWatcher(platform::BusDesktop::Kde, "corvaline-focus.js", report,
                                           &problem);
  ASSERT_TRUE(w) << problem;
  w.reset();
  const auto calls = kwin.Calls();
  ASSERT_EQ(calls.size(), 4u) << testing::PrintToString(calls);
  EXPECT_EQ(calls[2], "run /7");
}

// A logout's SIGTERM ends the program's event loop, so the script goes too.
TEST_F(FocusBusTest, SigtermUnloadsTheKWinScript) {
  if (std::string(CORVALINE_PROGRAM).empty()) GTEST_SKIP() << "the program is not built";
  FakeCompositor kwin("org.kde.KWin");
  ASSERT_TRUE(WaitOwned(kwin));
  // A home and lock of its own: a program running elsewhere must not make
  // this one a second start.
  const fs::path home = fs::path(testing::TempDir()) / ("sigterm-" + std::to_string(getpid()));
  fs::create_directories(home / "run");
  fs::permissions(home / "run", fs::perms::owner_all);
  Child program({"env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "HOME=" + home.string(),
                 "XDG_CONFIG_HOME=" + (home / "config").string(),
                 "XDG_RUNTIME_DIR=" + (home / "run").string(), "XDG_CURRENT_DESKTOP=KDE",
                 "QT_QPA_PLATFORM=offscreen", CORVALINE_PROGRAM});
  auto ran = [&kwin] {
    const auto c = kwin.Calls();
    return std::find(c.begin(), c.end(), "run /Scripting/Script7") != c.end();
  };
  auto seen = [&] {
    return std::string("program ") + (program.Running() ? "running" : "ended") + "; KWin saw " +
           testing::PrintToString(kwin.Calls());
  };
  // An ended program ends the wait at once; the message then says so.
  ASSERT_TRUE(Eventually("the program's run of the script", 30s,
                         [&] { return ran() || !program.Running(); }, seen));
  ASSERT_TRUE(ran()) << seen();
  ASSERT_EQ(kill(program.Pid(), SIGTERM), 0);
  ASSERT_TRUE(Eventually("the program to end after SIGTERM", 10s, [&] { return !program.Running(); }, seen));
  EXPECT_EQ(kwin.Calls().back(), "unloadScript /Scripting ('corvaline-focus',)")
      << "KWin saw " << testing::PrintToString(kwin.Calls());
  fs::remove_all(home);
}

TEST_F(FocusBusTest, OnlyGnomeShellsOwnCallCounts) {
  for (const char* dir : {"corvaline-focus@corvaline.github.io", "legacy-43-44"}) {
    const JsonParseResult meta =
        ParseJson(ReadText(kFocusFiles / "gnome-shell" / dir / "metadata.json"));
    ASSERT_TRUE(meta.value) << dir << ": " << meta.error;
    ASSERT_TRUE(meta.value->Find("uuid") && meta.value->Find("name") &&
                meta.value->Find("description"));
    EXPECT_EQ(meta.value->Find("uuid")->text, platform::kGnomeExtensionUuid);
    const JsonValue* versions = meta.value->Find("shell-version");
    ASSERT_TRUE(versions && versions->IsArray() && !versions->items.empty()) << dir;
    for (const JsonValue& v : versions->items) EXPECT_TRUE(v.IsString() && std::stoi(v.text) >= 43);
  }
  // The names the extension calls, taken from its source.
  const std::string js = ReadText(kFocusFiles / "gnome-shell" /
                                  "corvaline-focus@corvaline.github.io" / "extension.js");
  auto constant = [&js](const char* name) {
    std::smatch m;
    const std::string text = js;
    return std::regex_search(text, m, std::regex(std::string("const ") + name + " = '([^']+)'"))
               ? m[1].str()
               : "";
  };
  ASSERT_NE(js.find("'FocusChanged'"), std::string::npos);
  const auto call = GdbusCall(constant("BUS_NAME"), constant("OBJECT_PATH"),
                              constant("INTERFACE") + ".FocusChanged", "org.gnome.Nautilus");

  std::string problem;
  auto w = platform::CreateBusFocusWatcher(platform::BusDesktop::Gnome, {}, report, &problem);
  ASSERT_TRUE(w) << problem;
  ASSERT_TRUE(RunPumping(*w, call));
  EXPECT_TRUE(reports.empty());  // no GNOME Shell on the bus: not taken
  {
    FakeCompositor shell("org.gnome.Shell");
    ASSERT_TRUE(WaitOwned(shell, w.get()));
    ASSERT_TRUE(RunPumping(*w, call));
    EXPECT_TRUE(reports.empty());  // from gdbus, not from GNOME Shell: not taken
    shell.Send(constant("BUS_NAME"), constant("OBJECT_PATH"), constant("INTERFACE") + ".FocusChanged",
               "org.gnome.Nautilus");
    ASSERT_TRUE(PumpUntil(*w, 1)) << "waited for the report of GNOME Shell's call";
    EXPECT_EQ(reports, (std::vector<std::string>{"org.gnome.Nautilus"}));
  }
}

}  // namespace
}  // namespace corvaline
