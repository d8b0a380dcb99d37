#include <gtest/gtest.h>

#include "core/settings/ini_file.h"
#include "test_support.h"

namespace corvaline {
namespace {

using testing_support::FileNames;
using testing_support::ReadBytes;
using testing_support::RecordingIo;
using testing_support::ScratchDir;
using testing_support::WriteBytes;

TEST(IniFile, LookupIgnoresLetterCaseAndMissingKeysReadEmpty) {
  ScratchDir dir;
  const auto file = dir / "str.ini";
  WriteBytes(file, "[Skins]\r\nPath = Carbon \r\nLan=CHS\r\n[Other]\r\nx=1\r\n");
  EXPECT_EQ(IniReadString(file, "skins", "PATH"), "Carbon");
  EXPECT_EQ(IniReadString(file, "SKINS", "lan"), "CHS");
  EXPECT_EQ(IniReadString(file, "Skins", "RColor"), "");
  EXPECT_EQ(IniReadString(file, "Nowhere", "x", "fallback"), "fallback");
  EXPECT_EQ(IniReadString(dir / "absent.ini", "Skins", "Path"), "");
}

TEST(IniFile, WritingReplacesInPlaceOrAppendsToTheSection) {
  ScratchDir dir;
  const auto file = dir / "a.ini";
  WriteBytes(file, "[A]\nk1=1\nk2=2\n\n[B]\nz=9\n");
  ASSERT_TRUE(IniWriteString(file, "a", "K1", "one"));
  ASSERT_TRUE(IniWriteString(file, "A", "k3", "3"));
  ASSERT_TRUE(IniWriteString(file, "C", "c", "new"));
  EXPECT_EQ(ReadBytes(file), "[A]\nK1=one\nk2=2\nk3=3\n\n[B]\nz=9\n[C]\nc=new\n");
}

TEST(IniFile, DeletingASectionMakesItsRewriteComeLast) {
  ScratchDir dir;
  const auto file = dir / "record.ini";
  ASSERT_TRUE(IniWriteString(file, "first", "ItemCount", "0"));
  ASSERT_TRUE(IniWriteString(file, "second", "ItemCount", "0"));
  ASSERT_TRUE(IniWriteString(file, "third", "ItemCount", "0"));
  ASSERT_TRUE(IniWriteString(file, "FIRST", std::nullopt, std::nullopt));
  ASSERT_TRUE(IniWriteString(file, "first", "ItemCount", "2"));
  EXPECT_EQ(IniSectionNames(file), (std::vector<std::string>{"second", "third", "first"}));
  // Deleting a key leaves the rest of the section alone.
  ASSERT_TRUE(IniWriteString(file, "first", "Item0", "A   Dn"));
  ASSERT_TRUE(IniWriteString(file, "first", "ItemCount", std::nullopt));
  EXPECT_EQ(IniReadString(file, "first", "ItemCount"), "");
  EXPECT_EQ(IniReadString(file, "first", "Item0"), "A   Dn");
}

TEST(IniFile, LongValuesAreCutTo1023Characters) {
  ScratchDir dir;
  const auto file = dir / "str.ini";
  const std::string longAscii(1500, 'x');
  std::string longChinese;
  for (int i = 0; i < 1100; ++i) longChinese += "左";
  ASSERT_TRUE(IniWriteString(file, "Setting-EN", "Item1", longAscii));
  ASSERT_TRUE(IniWriteString(file, "Setting-CHS", "Item1", longChinese));
  EXPECT_EQ(IniReadString(file, "Setting-EN", "Item1"), std::string(1023, 'x'));
  const std::string cut = IniReadString(file, "Setting-CHS", "Item1");
  EXPECT_EQ(cut.size(), 1023u * 3);  // whole characters, never half of one
}

TEST(IniFile, NewFilesAreUtf16WithBomAndRoundTripChinese) {
  ScratchDir dir;
  const auto file = dir / "str.ini";
  ASSERT_TRUE(IniWriteString(file, "Setting-CHT", "Item1", "左鍵"));
  const std::string bytes = ReadBytes(file);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE[\0", 4));
  EXPECT_EQ(IniReadString(file, "setting-cht", "item1"), "左鍵");
}

TEST(IniFile, EightBitAndUtf8FilesKeepTheirEncoding) {
  ScratchDir dir;
  const auto utf8 = dir / "u.ini";
  WriteBytes(utf8, "[Skins]\r\nPath=Nébula\r\n");
  EXPECT_EQ(IniReadString(utf8, "Skins", "Path"), "Nébula");
  ASSERT_TRUE(IniWriteString(utf8, "Skins", "RColor", "255"));
  EXPECT_EQ(ReadBytes(utf8), "[Skins]\r\nPath=Nébula\r\nRColor=255\r\n");

  const auto latin1 = dir / "l.ini";
  WriteBytes(latin1, "[Skins]\r\nPath=N\xE9" "bula\r\n");  // Windows "ANSI" é
  EXPECT_EQ(IniReadString(latin1, "Skins", "Path"), "Nébula");
  ASSERT_TRUE(IniWriteString(latin1, "Skins", "Lan", "EN"));
  EXPECT_EQ(ReadBytes(latin1), "[Skins]\r\nPath=N\xE9" "bula\r\nLan=EN\r\n");
}

TEST(IniFile, ValuesCannotInjectLinesAndCommentsSurvive) {
  ScratchDir dir;
  const auto file = dir / "a.ini";
  WriteBytes(file, "; made by hand\n[A]\nk=1\n");
  ASSERT_TRUE(IniWriteString(file, "A", "k", "x\n[B]\ny=2"));
  EXPECT_EQ(IniSectionNames(file), std::vector<std::string>{"A"});
  EXPECT_EQ(ReadBytes(file).substr(0, 15), "; made by hand\n");
}

TEST(IniFile, AFailedWriteLeavesTheFileAsItWas) {
  ScratchDir dir;
  const auto file = dir / "a.ini";
  WriteBytes(file, "[A]\nk=1\n");
  RecordingIo io;
  io.failAt = "replace";
  EXPECT_FALSE(IniWriteString(file, "A", "k", "2"));
  EXPECT_EQ(ReadBytes(file), "[A]\nk=1\n");
  EXPECT_EQ(FileNames(dir.path()), (std::vector<std::string>{"a.ini", "corvaline.lock"}));
}

}  // namespace
}  // namespace corvaline

namespace corvaline {
namespace {

TEST(IniFile, ChineseIntoAnEightBitFileSwitchesItToUtf16InsteadOfLosingIt) {
  testing_support::ScratchDir dir;
  const auto file = dir / "str.ini";
  testing_support::WriteBytes(file, "[Skins]\r\nPath=caf\xE9\r\n");
  ASSERT_TRUE(IniWriteString(file, "Setting-CHS", "Item1", "左键"));
  EXPECT_EQ(IniReadString(file, "Setting-CHS", "Item1"), "左键");
  EXPECT_EQ(IniReadString(file, "Skins", "Path"), "café");
  EXPECT_EQ(testing_support::ReadBytes(file).substr(0, 2), "\xFF\xFE");
}

// An 8-bit file is recognised by its content alone; a write that would make
// it look like another encoding must not change what it reads back as.
TEST(IniFile, AnEightBitFileThatWouldReadBackAsOtherTextBecomesUtf16) {
  ScratchDir dir;
  const auto marked = dir / "marked.ini";
  // A UTF-8 mark before 8-bit text: the text begins with the bytes FF FE.
  WriteBytes(marked, "\xEF\xBB\xBF\xFF\xFE\n[A]\nk=1\n");
  ASSERT_TRUE(IniWriteString(marked, "B", "k", "2"));
  EXPECT_EQ(IniSectionNames(marked), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(IniReadString(marked, "B", "k"), "2");

  const auto latin = dir / "latin.ini";
  WriteBytes(latin, "[A]\nk=\xE9\n");  // 8-bit only because of the value replaced
  ASSERT_TRUE(IniWriteString(latin, "A", "k", "\xC3\x83\xC2\xA9"));  // "Ã©", bytes C3 A9
  EXPECT_EQ(IniReadString(latin, "A", "k"), "\xC3\x83\xC2\xA9");
}

TEST(IniFile, ASectionReadsWholeWithTheFirstValueOfEachKey) {
  ScratchDir dir;
  const auto file = dir / "record.ini";
  WriteBytes(file, "[M]\nItemCount=2\n;note\nitem0 = A   Dn \nITEM0=dup\n[N]\nx=1\n");
  using Entries = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(IniReadSection(file, "m"), (Entries{{"ItemCount", "2"}, {"item0", "A   Dn"}}));
  EXPECT_TRUE(IniReadSection(file, "absent").empty());
}

TEST(IniFile, TheReadLimitCountsUtf16Units) {
  testing_support::ScratchDir dir;
  const auto file = dir / "str.ini";
  std::string value = "\xF0\x9F\x96\xB1";  // one character beyond U+FFFF: two units
  value += std::string(1022, 'x');
  ASSERT_TRUE(IniWriteString(file, "S", "k", value));
  const std::string read = IniReadString(file, "S", "k");
  EXPECT_EQ(read, value.substr(0, 4 + 1021));  // 2 + 1021 = 1023 units, never half a pair
}

TEST(IniFile, AWholeSectionIsReplacedInOneWriteAndMovesToTheEnd) {
  testing_support::ScratchDir dir;
  const auto file = dir / "record.ini";
  testing_support::WriteBytes(file, "[a]\r\nItemCount=1\r\nItem0=A   Dn\r\n[b]\r\nItemCount=0\r\n");
  ASSERT_TRUE(IniWriteSection(file, "A", {{"ItemCount", "2"}, {"Item0", "B   Dn"}, {"Item1", "B   Up"}}));
  EXPECT_EQ(IniSectionNames(file), (std::vector<std::string>{"b", "A"}));
  EXPECT_EQ(IniReadString(file, "a", "Item1"), "B   Up");
  ASSERT_TRUE(IniWriteSection(file, "empty", {}));
  EXPECT_EQ(IniSectionNames(file).back(), "empty");
}

}  // namespace
}  // namespace corvaline
