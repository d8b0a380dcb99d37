#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

#include "core/settings/config_file.h"
#include "core/settings/data_paths.h"
#include "test_support.h"

namespace corvaline {
namespace {

using testing_support::FileNames;
using testing_support::RecordingIo;
using testing_support::ReadBytes;
using testing_support::ScratchDir;
using testing_support::WriteBytes;

std::string PatternFile(std::size_t size, unsigned char first = 0) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
  if (size) bytes[0] = static_cast<char>(first);
  return bytes;
}

TEST(ConfigFile, LoadSaveCycleKeepsEveryByteAndWritesTheFirstRunByte) {
  ScratchDir dir;
  const auto file = dir / "config.bin";
  const std::string original = PatternFile(kConfigFileSize, 0);
  WriteBytes(file, original);
  SettingsStore store;
  ASSERT_TRUE(LoadSettings(store, file));
  EXPECT_EQ(store.firstRunFlag, 0);
  EXPECT_EQ(store.settings.reserved0[0], static_cast<std::uint8_t>(original[1921]));
  ASSERT_TRUE(SaveSettings(store, file));
  const std::string saved = ReadBytes(file);
  ASSERT_EQ(saved.size(), kConfigFileSize);
  EXPECT_EQ(saved[0], 1);
  EXPECT_EQ(saved.substr(1), original.substr(1));  // reserved bytes included
  EXPECT_EQ(store.firstRunFlag, 0);                // memory keeps the loaded flag
  EXPECT_EQ(FileNames(dir.path()), std::vector<std::string>{"config.bin"});
}

TEST(ConfigFile, FilesOfAnotherSizeAreIgnoredSilently) {
  ScratchDir dir;
  for (std::size_t size : {kConfigFileSize - 1, kConfigFileSize + 1, std::size_t{0}}) {
    WriteBytes(dir / "config.bin", PatternFile(size, 1));
    SettingsStore store;
    store.settings.reportRateCode = 4;
    const LoadedSettings loaded = LoadSettings(store, dir / "config.bin");
    EXPECT_FALSE(loaded);
    EXPECT_EQ(loaded.notice, "") << size;
    EXPECT_EQ(store.settings.reportRateCode, 4) << size;
    EXPECT_EQ(store.firstRunFlag, 0) << size;
  }
}

TEST(ConfigFile, AMissingFileIsReportedAndNeverCreated) {
  ScratchDir dir;
  SettingsStore store;
  const LoadedSettings loaded = LoadSettings(store, dir / "config.bin");
  EXPECT_FALSE(loaded);
  EXPECT_EQ(loaded.notice, "Config file is not exist.");
  const Outcome saved = SaveSettings(store, dir / "config.bin");
  EXPECT_EQ(saved.Reason(), "Config file is not exist.");
  EXPECT_EQ(saved.Caption(), "CORVALINEX01");
  EXPECT_FALSE(std::filesystem::exists(dir / "config.bin"));
}

TEST(ConfigFile, AFailedSaveLeavesTheOldFileIntactAndSaysWhy) {
  ScratchDir dir;
  const auto file = dir / "config.bin";
  const std::string original = PatternFile(kConfigFileSize, 0);
  WriteBytes(file, original);
  RecordingIo io;
  io.failAt = "flush";  // the disk refuses the data
  SettingsStore store;
  store.settings.reportRateCode = 8;
  const Outcome saved = SaveSettings(store, file);
  EXPECT_EQ(ReadBytes(file), original);
  EXPECT_EQ(FileNames(dir.path()), std::vector<std::string>{"config.bin"});
  EXPECT_EQ(saved.Caption(), "NULL ==fp ");
  EXPECT_EQ(saved.Reason().rfind("Error Code is: ", 0), 0u);
  EXPECT_EQ(saved.Reason().substr(saved.Reason().size() - 2), " \n");
}

TEST(DataPaths, WindowsNameIsReplacedEverywhereInTheModulePath) {
  const std::filesystem::path exe = "/opt/CORVALINEX01.exe/bin/CORVALINEX01.exe";
  const DataPaths p = ResolveDataPaths(exe, "/unused");
  EXPECT_EQ(p.configBin, "/opt/config.bin/bin/config.bin");
  EXPECT_EQ(p.strIni, "/opt/str.ini/bin/str.ini");
  EXPECT_EQ(p.recordIni, "/opt/record.ini/bin/record.ini");
  EXPECT_FALSE(p.perUserFolder);
}

TEST(DataPaths, OtherExecutablesUseAPortableFolderOrThePerUserOne) {
  ScratchDir dir;
  const auto exe = dir / "corvaline";
  WriteBytes(exe, "#!");
  const DataPaths user = ResolveDataPaths(exe, dir / "user");
  EXPECT_TRUE(user.perUserFolder);
  EXPECT_EQ(user.configBin, dir / "user" / "config.bin");
  EXPECT_NE(user.configBin, exe);

  WriteBytes(dir / "config.bin", PatternFile(kConfigFileSize));
  const DataPaths portable = ResolveDataPaths(exe, dir / "user");
  EXPECT_FALSE(portable.perUserFolder);
  EXPECT_EQ(portable.configBin, dir / "config.bin");
  EXPECT_EQ(portable.skinsFolder, dir / "Skins");
}

TEST(DataPaths, FirstStartFillsTheUserFolderWithoutOverwriting) {
  ScratchDir dir;
  const auto defaults = dir / "share";
  std::filesystem::create_directories(defaults / "Skins" / "Carbon");
  WriteBytes(defaults / "config.bin", "delivered");
  WriteBytes(defaults / "str.ini", "[Skins]");
  WriteBytes(defaults / "Skins" / "Carbon" / "main.png", "png");
  const auto user = dir / "user";
  std::filesystem::create_directories(user);
  WriteBytes(user / "config.bin", "mine");
  EXPECT_EQ(FillDataFolder(user, defaults).Reason(), "");
  EXPECT_EQ(ReadBytes(user / "config.bin"), "mine");
  EXPECT_EQ(ReadBytes(user / "str.ini"), "[Skins]");
  EXPECT_EQ(ReadBytes(user / "Skins" / "Carbon" / "main.png"), "png");
  EXPECT_EQ(InstalledDefaultsFolder("/usr/bin/corvaline"), "/usr/share/corvaline");
}

TEST(DataPaths, ASkinCopiedHalfwayIsFilledFromTheInstalledOne) {
  ScratchDir dir;
  const auto from = dir / "share" / "Skins" / "Carbon";
  std::filesystem::create_directories(from / "parts");
  for (const char* name : {"main.png", "BasicSet2.png", "parts/knob.png", "mine.png"})
    WriteBytes(from / name, std::string("installed ") + name);
  // An earlier start on a full disk: one file whole, one cut short, the
  // rest missing; one file the user changed.
  const auto to = dir / "user" / "Skins" / "Carbon";
  std::filesystem::create_directories(to);
  WriteBytes(to / "main.png", "installed main.png");
  WriteBytes(to / "BasicSet2.png", "install");
  WriteBytes(to / "mine.png", "my own");
  EXPECT_EQ(FillDataFolder(dir / "user", dir / "share").Reason(), "");
  EXPECT_EQ(ReadBytes(to / "BasicSet2.png"), "installed BasicSet2.png");
  EXPECT_EQ(ReadBytes(to / "parts" / "knob.png"), "installed parts/knob.png");
  EXPECT_EQ(ReadBytes(to / "mine.png"), "my own");

  // A skin that cannot be copied is said, and never left half under its name.
  std::filesystem::remove_all(dir / "user" / "Skins");
  WriteBytes(dir / "user" / "Skins", "not a folder");
  EXPECT_NE(FillDataFolder(dir / "user", dir / "share").Reason().find("cannot copy"), std::string::npos);
  std::filesystem::remove(dir / "user" / "Skins");
  EXPECT_EQ(FillDataFolder(dir / "user", dir / "share").Reason(), "");
  EXPECT_EQ(testing_support::FileNames(dir / "user" / "Skins"), std::vector<std::string>{"Carbon"});
}

}  // namespace
}  // namespace corvaline

namespace corvaline {
namespace {

// Each field is found at its block offset + 1 in the file.
TEST(ConfigFile, EveryFieldLoadsFromItsFileOffset) {
  testing_support::ScratchDir dir;
  std::string bytes(kConfigFileSize, '\0');
  const std::vector<std::pair<std::size_t, std::uint8_t SettingsBlock::*>> fields = {
      {1926, &SettingsBlock::reportRateCode},       {1948, &SettingsBlock::ledEffect},
      {1949, &SettingsBlock::ledStandardBrightness}, {1950, &SettingsBlock::ledRespirationSpeed},
      {1951, &SettingsBlock::ledNeonPeriod},        {1952, &SettingsBlock::ledStandardOption},
      {1953, &SettingsBlock::ledRespirationOption}, {1954, &SettingsBlock::ledNeonOption},
      {1956, &SettingsBlock::pointerPrecision},     {1957, &SettingsBlock::wheelPageScroll},
      {1958, &SettingsBlock::pointerSpeedLevel},    {1959, &SettingsBlock::wheelScrollLines},
      {1960, &SettingsBlock::doubleClickLevel},     {1961, &SettingsBlock::currentMode}};
  for (std::size_t i = 0; i < fields.size(); ++i) bytes[fields[i].first] = static_cast<char>(0x40 + i);
  bytes[1 + 5] = 6;                // Mode A category of slot 5
  bytes[193 + 12 * 14 + 2] = 11;   // Mode B macroIndex of slot 2
  bytes[385 + 128 * 11] = 0x7E;    // macro block 12, loop count high byte
  bytes[1928 + 3] = 9;             // dpiStageIndex of stage 4
  bytes[1932 + 2] = 1;             // dpiStageEnabled of stage 3
  bytes[1936 + 3 * 3 + 2] = 0xAB;  // blue of stage 4
  bytes[1962 + 7] = 4;             // Mode A dpiSwitchSelector of slot 7
  bytes[1974 + 11] = 2;            // Mode B dpiSwitchSelector of slot 11
  testing_support::WriteBytes(dir / "config.bin", bytes);
  SettingsStore store;
  ASSERT_TRUE(LoadSettings(store, dir / "config.bin"));
  const SettingsBlock& s = store.settings;
  for (std::size_t i = 0; i < fields.size(); ++i) EXPECT_EQ(s.*(fields[i].second), 0x40 + i) << i;
  EXPECT_EQ(s.table(KeyGroup::ModeA).category[5], 6);
  EXPECT_EQ(s.table(KeyGroup::ModeB).macroIndex[2], 11);
  EXPECT_EQ(s.macroArea[11][0], 0x7E);
  EXPECT_EQ(s.dpiStageIndex[3], 9);
  EXPECT_EQ(s.dpiStageEnabled[2], 1);
  EXPECT_EQ(s.dpiStageColour[3][2], 0xAB);
  EXPECT_EQ(s.dpiSwitchSelector[0][7], 4);
  EXPECT_EQ(s.dpiSwitchSelector[1][11], 2);
}

}  // namespace
}  // namespace corvaline

namespace corvaline {
namespace {

TEST(ConfigFile, ADamagedFileGivesWayToTheFactorySettingsAndIsKept) {
  testing_support::ScratchDir dir;
  const auto file = dir / "config.bin", factory = dir / "factory.bin";
  const std::string delivered = PatternFile(kConfigFileSize, 0);
  testing_support::WriteBytes(factory, delivered);
  for (std::size_t size : {std::size_t{0}, kConfigFileSize - 1, std::size_t{5000}}) {
    SCOPED_TRACE(size);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      if (entry.path() != factory) std::filesystem::remove(entry.path());
    const std::string damaged = PatternFile(size, 7);
    testing_support::WriteBytes(file, damaged);
    SettingsStore store;
    const LoadedSettings loaded = LoadSettings(store, file, factory);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(std::memcmp(&store.settings, delivered.data() + 1, sizeof store.settings), 0);
    EXPECT_NE(loaded.notice.find(size == 5000 ? "larger than 1986" : std::to_string(size) + " bytes"),
              std::string::npos)
        << loaded.notice;
    const auto names = testing_support::FileNames(dir.path());
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[1].substr(0, 19), "config.bin.damaged-");
    EXPECT_EQ(names[1].size(), 19u + 15u);
    EXPECT_EQ(testing_support::ReadBytes(dir / names[1]), damaged);
  }
  // A missing file is said as always, is still not created, and the block
  // starts from the factory settings too; without them nothing counts as loaded.
  std::filesystem::remove(file);
  SettingsStore store;
  const LoadedSettings loaded = LoadSettings(store, file, factory);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded.notice, "Config file is not exist.");
  EXPECT_TRUE(store.loaded);
  EXPECT_EQ(std::memcmp(&store.settings, delivered.data() + 1, sizeof store.settings), 0);
  EXPECT_FALSE(std::filesystem::exists(file));
  SettingsStore none;
  const LoadedSettings notLoaded = LoadSettings(none, file, dir / "no-factory.bin");
  EXPECT_FALSE(notLoaded);
  EXPECT_EQ(notLoaded.notice, "Config file is not exist.");
  EXPECT_FALSE(none.loaded);
}

TEST(ConfigFile, ADamagedFileIsKeptOnceAndNeverThroughAPlantedName) {
  testing_support::ScratchDir dir;
  const auto file = dir / "config.bin";
  testing_support::WriteBytes(file, PatternFile(100, 3));
  // Links at the names this second and the next few would give.
  for (int ahead = 0; ahead < 3; ++ahead) {
    const std::time_t then = std::time(nullptr) + ahead;
    char stamp[32] = {};
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&then));
    std::error_code ec;
    std::filesystem::create_symlink(dir / "target", dir / ("config.bin.damaged-" + std::string(stamp)), ec);
    if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
  }
  auto keptCopies = [&] {
    std::vector<std::string> copies;
    for (const std::string& name : testing_support::FileNames(dir.path()))
      if (name.rfind("config.bin.damaged-", 0) == 0 && !std::filesystem::is_symlink(dir / name))
        copies.push_back(name);
    return copies;
  };
  for (int start = 0; start < 2; ++start) {  // a second start adds no second copy
    SettingsStore store;
    const LoadedSettings loaded = LoadSettings(store, file, dir / "no-factory.bin");
    const auto copies = keptCopies();
    ASSERT_EQ(copies.size(), 1u) << start;
    EXPECT_NE(loaded.notice.find("kept as " + copies[0]), std::string::npos) << loaded.notice;
    EXPECT_EQ(testing_support::ReadBytes(dir / copies[0]), PatternFile(100, 3));
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "target"));
}

}  // namespace
}  // namespace corvaline
