// The program's Apply and two corvalinectl set loops write one data folder at
// once while a reader watches every file: no read sees a file that is not
// whole, no write fails, and each writer's last value is on disk.
// CORVALINE_STRESS_SECONDS sets the length (default 3; the long run is 30).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "cli.h"
#include "core/device/apply.h"
#include "core/profiles/setting_words.h"
#include "core/settings/config_file.h"
#include "core/settings/file_lock.h"
#include "core/settings/item_texts.h"
#include "device_test_support.h"
#include "test_support.h"

namespace corvaline {
namespace {

using Clock = std::chrono::steady_clock;
using testing_support::ReadBytes;

struct Tally {
  int writes = 0, failures = 0, last = -1;
};

// A child process running one(i) until the deadline; its tally in `report`.
template <class One>
pid_t StartWriter(const std::filesystem::path& report, Clock::time_point deadline, One one) {
  const pid_t child = fork();
  if (child != 0) return child;
  Tally t;
  for (int i = 0; Clock::now() < deadline; ++i) {
    if (one(i)) {
      ++t.writes;
      t.last = i;
    } else {
      ++t.failures;
    }
  }
  std::ofstream(report) << t.writes << ' ' << t.failures << ' ' << t.last;
  _exit(0);
}

Tally ReadTally(const std::filesystem::path& report) {
  Tally t;
  std::ifstream(report) >> t.writes >> t.failures >> t.last;
  return t;
}

bool RunCli(std::vector<std::string> words) {
  words.insert(words.begin(), "corvalinectl");
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  std::ostringstream out, err;
  return cli::Main(static_cast<int>(argv.size()), argv.data(), out, err) == 0;
}

const char* const kRates[] = {"125", "250", "500", "1000"};
std::string Colour(int i) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", i & 0xFF, (i >> 8) & 0xFF, 0x55);
  return text;
}

// The program's Apply with the outside changes reloaded first, as the window
// does when it has no edits of its own: captions "apply i", stage 2's colour.
struct ApplyWriter {
  ApplyWriter(std::filesystem::path c, std::filesystem::path s, UiLanguage l)
      : config(std::move(c)), str(std::move(s)), lang(l) {
    sim.Connect();
  }
  std::filesystem::path config, str;
  UiLanguage lang;
  testing::SimLink sim;
  bool operator()(int i) {
    const auto lock = LockDataFolder(config.parent_path());
    SettingsStore store;
    if (!LoadSettings(store, config)) return false;
    store.settings.dpiStageColour[1][0] = static_cast<std::uint8_t>(i);
    store.settings.dpiStageColour[1][1] = static_cast<std::uint8_t>(i >> 8);
    ItemTexts texts;
    for (auto& row : texts.captions) row.fill("apply " + std::to_string(i));
    const ApplyReport report =
        ApplySettings(sim.link, store.settings, FileSavers(store, config, str, lang, texts));
    return report.AllDone();
  }
  // A person presses Apply a few times a second at most; the mouse's pauses
  // alone take a quarter of a second.
  bool Paced(int i) {
    const bool ok = (*this)(i);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return ok;
  }
};

// One look at the files: true when both are whole. str.ini is read once and
// parsed from a copy, as the captions are read key by key.
bool Whole(const std::filesystem::path& config, const std::filesystem::path& str, UiLanguage lang) {
  if (ReadBytes(config).size() != kConfigFileSize) return false;
  const std::filesystem::path copy = str.parent_path().parent_path() /
                                     (str.parent_path().filename().string() + "-seen.ini");
  testing_support::WriteBytes(copy, ReadBytes(str));
  ItemTexts texts;
  LoadItemTexts(copy, lang, texts);
  const std::string first = texts.captions[0][0];
  for (const auto& row : texts.captions)
    for (const std::string& c : row)
      if (c != first) return false;
  return first.rfind("apply ", 0) == 0;
}

TEST(Stress, ApplyAndTwoSetLoopsNeverTearAFileNorLoseAWrite) {
  const char* env = std::getenv("CORVALINE_STRESS_SECONDS");
  const double seconds = env ? std::atof(env) : 3.0;
  testing_support::ScratchDir dir;
  const auto config = dir / "config.bin", str = dir / "str.ini";
  testing_support::WriteBytes(config, ReadBytes(CORVALINE_SOURCE_DIR "/assets/config.bin"));
  testing_support::WriteBytes(str, ReadBytes(CORVALINE_SOURCE_DIR "/assets/str.ini"));
  const UiLanguage lang = ReadLanguage(str);
  ASSERT_TRUE(ApplyWriter(config, str, lang)(0));
  ASSERT_TRUE(Whole(config, str, lang));

  const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                           std::chrono::duration<double>(seconds));
  const pid_t writers[] = {
      StartWriter(dir / "apply", deadline,
                  [&, w = std::shared_ptr<ApplyWriter>()](int i) mutable {
                    if (!w) w = std::make_shared<ApplyWriter>(config, str, lang);
                    return w->Paced(i);
                  }),
      StartWriter(dir / "rate", deadline,
                  [&](int i) { return RunCli({"set", "rate", kRates[i % 4], "--config", config}); }),
      StartWriter(dir / "dpi", deadline, [&](int i) {
        return RunCli({"set", "dpi", "1", "--colour", Colour(i), "--config", config});
      })};
  int reads = 0, torn = 0;
  while (Clock::now() < deadline) {
    ++reads;
    torn += !Whole(config, str, lang);
  }
  for (pid_t w : writers) waitpid(w, nullptr, 0);

  const Tally apply = ReadTally(dir / "apply"), rate = ReadTally(dir / "rate"),
              dpi = ReadTally(dir / "dpi");
  std::printf("stress %.0f s: %d reads (%d not whole), writes: apply %d, set rate %d, set dpi %d;"
              " failed writes %d\n",
              seconds, reads, torn, apply.writes, rate.writes, dpi.writes,
              apply.failures + rate.failures + dpi.failures);
  EXPECT_EQ(torn, 0);
  EXPECT_EQ(apply.failures + rate.failures + dpi.failures, 0);
  ASSERT_GT(apply.writes * rate.writes * dpi.writes, 0);

  SettingsStore end;
  ASSERT_TRUE(LoadSettings(end, config));
  SettingsBlock expected{};
  ASSERT_TRUE(SetReportRateText(expected, kRates[rate.last % 4]).Ok());
  EXPECT_EQ(end.settings.reportRateCode, expected.reportRateCode);
  EXPECT_EQ(Colour(dpi.last), Colour(end.settings.dpiStageColour[0][0] |
                                     end.settings.dpiStageColour[0][1] << 8));
  EXPECT_EQ(end.settings.dpiStageColour[1][0], static_cast<std::uint8_t>(apply.last));
  std::filesystem::remove(dir.path().parent_path() / (dir.path().filename().string() + "-seen.ini"));
  ItemTexts texts;
  LoadItemTexts(str, lang, texts);
  EXPECT_EQ(texts.captions[1][9], "apply " + std::to_string(apply.last));
}

}  // namespace
}  // namespace corvaline
