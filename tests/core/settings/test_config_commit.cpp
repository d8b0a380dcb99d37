// config.bin and the captions of str.ini change together or not at all, and
// a reader sees through a pair that a killed save left apart.
#include <gtest/gtest.h>

#include <cstring>

#include "core/buttons/button_action.h"
#include "core/profiles/caption_repair.h"
#include "core/profiles/profile.h"
#include "core/settings/atomic_file.h"
#include "core/settings/file_lock.h"
#include "test_support.h"

namespace corvaline {
namespace {

using testing_support::FileNames;
using testing_support::ReadBytes;
using testing_support::RecordingIo;
using testing_support::ScratchDir;
using testing_support::WriteBytes;

const std::filesystem::path kSource = CORVALINE_SOURCE_DIR;

struct Folder {
  ScratchDir dir;
  ConfigFiles files = ConfigFiles::Beside(dir / "config.bin");
  Folder() {
    std::filesystem::copy_file(kSource / "assets" / "config.bin", files.configBin);
    std::filesystem::copy_file(kSource / "assets" / "str.ini", files.strIni);
  }
  Profile Read() const {
    ProfileResult r = ReadConfiguration(files);
    EXPECT_TRUE(r.profile) << r.error;
    return r.profile ? *r.profile : Profile{};
  }
};

TEST(ConfigCommit, AFailedSaveChangesNeitherFileAndLeavesNoTemporary) {
  struct Case {
    const char* what;
    std::string failAt;        // the durable call that fails
    bool strIniFolder = false;  // str.ini cannot be read
    bool longCaption = false;
  };
  for (const Case& c : {Case{"caption too long", "", false, true},
                        Case{"str.ini unreadable", "", true, false},
                        Case{"str.ini not staged", "create str.ini", false, false},
                        Case{"second rename", "replace str.ini", false, false}}) {
    Folder f;
    Profile p = f.Read();
    p.block.buttons[0].category[3] = static_cast<std::uint8_t>(FunctionCategory::KeyOff);
    p.captions[0][3] = c.longCaption ? std::string(kCaptionMax + 1, 'x') : "Key Off";
    if (c.strIniFolder) {
      std::filesystem::remove(f.files.strIni);
      std::filesystem::create_directory(f.files.strIni);
    }
    auto strIniNow = [&] {
      return c.strIniFolder ? std::to_string(std::filesystem::is_directory(f.files.strIni))
                            : ReadBytes(f.files.strIni);
    };
    const std::string config = ReadBytes(f.files.configBin), strIni = strIniNow();
    RecordingIo io;
    io.failAt = c.failAt;
    EXPECT_FALSE(WriteConfiguration(f.files, p, false).Ok()) << c.what;
    EXPECT_TRUE(ReadBytes(f.files.configBin) == config) << c.what;
    EXPECT_TRUE(strIniNow() == strIni) << c.what;
    std::filesystem::remove(f.dir / "corvaline.lock");
    EXPECT_EQ(FileNames(f.dir.path()), (std::vector<std::string>{"config.bin", "str.ini"})) << c.what;
  }
}

TEST(ConfigCommit, CaptionsOfAnotherBlockAreMadeAnewFromTheFunctions) {
  Folder f;
  Profile p = f.Read();
  p.captions[0][0] = "my left";
  p.captions[0][3] = "my forward";
  ASSERT_TRUE(WriteConfiguration(f.files, p, false).Ok());
  EXPECT_EQ(f.Read().captions[0][3], "my forward");
  // A kill after config.bin's rename and before str.ini's.
  SettingsBlock changed = p.block;
  changed.buttons[0].category[3] = static_cast<std::uint8_t>(FunctionCategory::KeyOff);
  std::string bytes(1, '\1');
  bytes.append(reinterpret_cast<const char*>(&changed), sizeof changed);
  ASSERT_TRUE(WriteFileAtomically(f.files.configBin, bytes));
  const Profile read = f.Read();
  EXPECT_EQ(read.captions[0][3], "Key Off");
  EXPECT_EQ(read.captions[0][0], "my left");
  EXPECT_EQ(read.captions[1], p.captions[1]);
}

TEST(ConfigCommit, AnUnreadableStrIniIsKeptAsideAndMadeFromTheSettings) {
  Folder f;
  const Profile p = f.Read();
  EXPECT_EQ(RepairUnreadableStrIni(f.files.strIni, p.block, UiLanguage::EN, f.files.recordIni).Reason(), "");
  std::filesystem::remove(f.files.strIni);
  std::filesystem::create_directory(f.files.strIni);
  const std::string notice =
      RepairUnreadableStrIni(f.files.strIni, p.block, UiLanguage::EN, f.files.recordIni).Reason();
  EXPECT_NE(notice.find("str.ini.damaged-"), std::string::npos) << notice;
  std::vector<std::string> names = FileNames(f.dir.path());
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names[3].rfind("str.ini.damaged-", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_directory(f.dir / names[3]));
  EXPECT_EQ(f.Read().captions, CaptionsFromFunctions(p.block, UiLanguage::EN, {}));
  EXPECT_EQ(f.Read().captions[0][3], "Forward");
}

TEST(ConfigCommit, ALockTakenAfreshDeletesOnlyTheTemporariesOfAKilledSave) {
  ScratchDir dir;
  for (const char* name : {"config.bin.tmp-0123456789abcdef", "str.ini.tmp-0123456789abcdef",
                           "record.ini.tmp-fedcba9876543210", "config.bin.tmp-short",
                           "notes.txt.tmp-0123456789abcdef", "config.bin"})
    WriteBytes(dir / name, "x");
  {
    const auto outer = LockDataFolder(dir.path());
    WriteBytes(dir / "str.ini.tmp-00000000000000aa", "a save at work");
    const auto nested = LockDataFolder(dir.path());
    EXPECT_TRUE(std::filesystem::exists(dir / "str.ini.tmp-00000000000000aa"));
  }
  EXPECT_EQ(FileNames(dir.path()),
            (std::vector<std::string>{"config.bin", "config.bin.tmp-short", "corvaline.lock",
                                      "notes.txt.tmp-0123456789abcdef",
                                      "str.ini.tmp-00000000000000aa"}));
}

}  // namespace
}  // namespace corvaline
