// Saving config.bin, str.ini and record.ini survives a kill at any moment,
// a full disk and a read-only folder: each file is always one whole version,
// the old one when the save could not be done, and the user is told.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <thread>

#include "core/macros/macro_editor.h"
#include "core/macros/macro_messages.h"
#include "core/macros/record_store.h"
#include "core/settings/config_file.h"
#include "core/settings/item_texts.h"
#include "test_support.h"

namespace corvaline {
namespace {

using testing_support::ReadBytes;
using testing_support::ScratchDir;
using testing_support::WriteBytes;

constexpr int kMacroItems = 40;

// Version v of everything the program saves; v = 0 is the delivered state.
struct Files {
  std::filesystem::path config, str, record;
  explicit Files(const std::filesystem::path& dir)
      : config(dir / "config.bin"), str(dir / "str.ini"), record(dir / "record.ini") {}

  void Deliver() const {
    WriteBytes(config, ReadBytes(CORVALINE_SOURCE_DIR "/assets/config.bin"));
    WriteBytes(str, ReadBytes(CORVALINE_SOURCE_DIR "/assets/str.ini"));
    ASSERT_TRUE(WriteMacroSection(record, "Kept", {"A   Dn", "A   Up"}));
    Save(0);
  }
  bool Save(unsigned v) const {
    SettingsStore store;
    std::memset(&store.settings, static_cast<int>(v & 0xFF), sizeof store.settings);
    bool ok = SaveSettings(store, config).Ok();
    ItemTexts texts;
    for (auto& row : texts.captions) row.fill("caption " + std::to_string(v));
    ok = SaveItemTexts(str, UiLanguage::EN, texts) && ok;
    std::vector<std::string> items(kMacroItems, std::to_string(v) + " ms");
    return WriteMacroSection(record, "Changing", items) && ok;
  }
};

// Each file is one complete version; returns the version of the captions.
void ExpectWhole(const Files& f, const char* when) {
  const std::string config = ReadBytes(f.config);
  ASSERT_EQ(config.size(), kConfigFileSize) << when;
  EXPECT_EQ(config.find_first_not_of(config[1], 1), std::string::npos) << when;

  ItemTexts texts;
  LoadItemTexts(f.str, UiLanguage::EN, texts);
  const std::string first = texts.captions[0][0];
  EXPECT_EQ(first.rfind("caption ", 0), 0u) << when;
  for (const auto& row : texts.captions)
    for (const std::string& c : row) EXPECT_EQ(c, first) << when;
  EXPECT_EQ(ReadLanguageCode(f.str), ReadLanguageCode(CORVALINE_SOURCE_DIR "/assets/str.ini"))
      << when;

  EXPECT_EQ(ListMacroNames(f.record), (std::vector<std::string>{"Kept", "Changing"})) << when;
  EXPECT_EQ(ReadMacroItems(f.record, "Kept").size(), 2u) << when;
  const std::vector<std::string> items = ReadMacroItems(f.record, "Changing");
  ASSERT_EQ(items.size(), static_cast<std::size_t>(kMacroItems)) << when;
  for (const std::string& item : items) EXPECT_EQ(item, items[0]) << when;
}

TEST(Saves, EveryFileIsOneWholeVersionWhateverMomentTheProgramIsKilled) {
  ScratchDir dir;
  const Files files(dir.path());
  files.Deliver();
  std::mt19937 random(12345);
  int killedWhileSaving = 0;
  for (int round = 0; round < 300; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (unsigned v = 1000u * static_cast<unsigned>(round) + 1;; ++v) files.Save(v);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    killedWhileSaving += WIFSIGNALED(status);
    ExpectWhole(files, ("after kill " + std::to_string(round)).c_str());
    if (HasFailure()) return;
  }
  EXPECT_EQ(killedWhileSaving, 300);
}

// A folder of its own file system, mounted for the test (root only).
class OwnFileSystem {
 public:
  OwnFileSystem(const std::filesystem::path& dir, const char* options) : dir_(dir) {
    mounted_ = ::mount("tmpfs", dir.c_str(), "tmpfs", 0, options) == 0;
    if (!mounted_) error_ = std::strerror(errno);
  }
  ~OwnFileSystem() {
    if (mounted_) ::umount2(dir_.c_str(), MNT_DETACH);
  }
  bool Mounted() const { return mounted_; }
  const std::string& Error() const { return error_; }
  bool MakeReadOnly() {
    return ::mount("tmpfs", dir_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  std::filesystem::path dir_;
  bool mounted_ = false;
  std::string error_;
};

struct Snapshot {
  std::string config, str, record;
  explicit Snapshot(const Files& f)
      : config(ReadBytes(f.config)), str(ReadBytes(f.str)), record(ReadBytes(f.record)) {}
  bool operator==(const Snapshot&) const = default;
};

// Every save refused: config.bin's reason, the macro editor's reason, and
// the old files as they were.
void ExpectSavesRefused(const Files& files, int error) {
  const Snapshot before(files);
  EXPECT_FALSE(files.Save(7));
  const Outcome config = SaveSettings(SettingsStore{}, files.config);
  EXPECT_EQ(config.Reason(), "Error Code is: " + std::to_string(error) + " \n");
  EXPECT_EQ(config.Caption(), kSaveErrorCaption);
  SettingsBlock block{};
  MacroEditor editor(block, files.record);
  editor.EnterPage();
  editor.SelectMacro(0);
  EXPECT_EQ(editor.SaveMacro().Reason(), MacroMessageText(MacroMessage::RecordNotSaved, CurrentLanguage()));
  EXPECT_TRUE(Snapshot(files) == before);
}

TEST(Saves, AFullDiskKeepsTheOldFiles) {
  if (geteuid() != 0) GTEST_SKIP() << "a small tmpfs needs root to be mounted";
  ScratchDir dir;
  OwnFileSystem fs(dir.path(), "size=64k");
  if (!fs.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here: " << fs.Error();
  const Files files(dir.path());
  files.Deliver();
  {
    // Fill the rest of the disk.
    std::FILE* filler = std::fopen((dir / "filler").c_str(), "wb");
    ASSERT_NE(filler, nullptr);
    const std::string block(4096, 'x');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
           std::fflush(filler) == 0) {
    }
    std::fclose(filler);
  }
  ExpectSavesRefused(files, ENOSPC);
  EXPECT_EQ(testing_support::FileNames(dir.path()),
            (std::vector<std::string>{"config.bin", "corvaline.lock", "filler", "record.ini", "str.ini"}));
}

TEST(Saves, AReadOnlyFolderKeepsTheOldFiles) {
  ScratchDir dir;
  const Files files(dir.path());
  if (geteuid() == 0) {
    // Root writes into any folder whatever its mode: only a read-only file
    // system refuses it.
    OwnFileSystem fs(dir.path(), "size=1m");
    if (!fs.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here: " << fs.Error();
    files.Deliver();
    ASSERT_TRUE(fs.MakeReadOnly()) << std::strerror(errno);
    ExpectSavesRefused(files, EROFS);
    return;
  }
  files.Deliver();
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read |
                                               std::filesystem::perms::owner_exec);
  ExpectSavesRefused(files, EACCES);
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace corvaline
