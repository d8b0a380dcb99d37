#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "core/settings/ini_file.h"
#include "core/settings/item_texts.h"

namespace corvaline {
namespace {

namespace fs = std::filesystem;

class ItemTextsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("corvaline-items-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
    ini_ = dir_ / "str.ini";
  }
  void TearDown() override { fs::remove_all(dir_); }

  // The file's key names in write order. New files are UTF-16LE: dropping the
  // zero bytes leaves the ASCII key names readable.
  std::string AsciiContent() const {
    std::ifstream in(ini_, std::ios::binary);
    std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string out;
    for (char c : raw) {
      if (c != '\0') out += c;
    }
    return out;
  }

  fs::path dir_;
  fs::path ini_;
};

TEST(CaptionKeys, ModeAAndModeBKeys) {
  EXPECT_EQ(CaptionKey(KeyGroup::ModeA, 0), "Item1");
  EXPECT_EQ(CaptionKey(KeyGroup::ModeA, 11), "Item12");
  const char* modeB[] = {"Item13", "Item23", "Item33", "Item43", "Item53", "Item63",
                         "Item73", "Item83", "Item93", "Item103", "Item113", "Item123"};
  for (int s = 0; s < kButtonSlots; ++s) EXPECT_EQ(CaptionKey(KeyGroup::ModeB, s), modeB[s]);
}

TEST(DefaultCaptionsTest, SameForBothGroupsWithFixedEnglishWords) {
  const ButtonCaptions en = DefaultCaptions(UiLanguage::EN);
  EXPECT_EQ(en[0], en[1]);
  EXPECT_EQ(en[0][0], "Left Click");
  EXPECT_EQ(en[0][5], "DPI Loop");
  EXPECT_EQ(en[0][7], "Shift DPI");
  EXPECT_EQ(en[0][8], "Combo Key-left Win+D");
  EXPECT_EQ(en[0][9], "RGB On/Off");
  EXPECT_EQ(en[0][10], "Key Off");
  EXPECT_EQ(en[0][11], "Key Off");

  const ButtonCaptions chs = DefaultCaptions(UiLanguage::CHS);
  EXPECT_EQ(chs[1][5], "DPI Loop");
  EXPECT_EQ(chs[1][8], "组合键-left Win+D");
  EXPECT_EQ(DefaultCaptions(UiLanguage::CHT)[0][6], "三連發");
}

TEST_F(ItemTextsTest, MissingFileGivesEnglishAndEmptyTexts) {
  EXPECT_EQ(ReadLanguage(ini_), UiLanguage::EN);
  ItemTexts t;
  t.captions[0][3] = "stale";
  t.red = "9";
  LoadItemTexts(ini_, UiLanguage::EN, t);
  EXPECT_TRUE(t.captions[0][3].empty());
  EXPECT_TRUE(t.red.empty());
  EXPECT_TRUE(t.skinPath.empty());
  EXPECT_FALSE(fs::exists(ini_));
}

TEST_F(ItemTextsTest, LanguageCodeIsCaseSensitive) {
  ASSERT_TRUE(IniWriteString(ini_, "Skins", "Lan", "chs"));
  EXPECT_EQ(ReadLanguageCode(ini_), "chs");
  EXPECT_EQ(ReadLanguage(ini_), UiLanguage::EN);
  ASSERT_TRUE(IniWriteString(ini_, "Skins", "Lan", "CHT"));
  EXPECT_EQ(ReadLanguage(ini_), UiLanguage::CHT);
}

TEST_F(ItemTextsTest, FirstRunResetWritesAllKeysOfTheLanguageOnly) {
  ASSERT_TRUE(IniWriteString(ini_, "Setting-EN", "Item1", "mine"));
  ItemTexts t;
  EXPECT_FALSE(ResetItemTextsOnFirstRun(ini_, UiLanguage::CHS, 1, t));
  EXPECT_TRUE(t.captions[0][0].empty());

  ASSERT_TRUE(ResetItemTextsOnFirstRun(ini_, UiLanguage::CHS, 0, t));
  for (KeyGroup g : {KeyGroup::ModeA, KeyGroup::ModeB}) {
    for (int s = 0; s < kButtonSlots; ++s) {
      EXPECT_EQ(IniReadString(ini_, "Setting-CHS", CaptionKey(g, s)),
                DefaultCaptions(UiLanguage::CHS)[static_cast<int>(g)][s])
          << CaptionKey(g, s);
    }
  }
  EXPECT_EQ(IniReadString(ini_, "Setting-CHS", "Item123"), "按键关闭");
  EXPECT_EQ(IniReadString(ini_, "Setting-EN", "Item1"), "mine");
}

TEST_F(ItemTextsTest, SaveWritesKeysInOrder) {
  ItemTexts t;
  ResetItemTexts(t, UiLanguage::EN);
  ASSERT_TRUE(SaveItemTexts(ini_, UiLanguage::EN, t));
  const std::string text = AsciiContent();
  std::size_t at = 0;
  for (KeyGroup g : {KeyGroup::ModeA, KeyGroup::ModeB}) {
    for (int s = 0; s < kButtonSlots; ++s) {
      const std::size_t next = text.find(CaptionKey(g, s) + "=", at);
      ASSERT_NE(next, std::string::npos) << CaptionKey(g, s);
      at = next;
    }
  }
}

TEST_F(ItemTextsTest, ReloadUndoesUnsavedDefaultsAndCutsLongCaptions) {
  const std::string longCaption(1500, 'x');
  ASSERT_TRUE(IniWriteString(ini_, "Setting-EN", "Item113", longCaption));
  ASSERT_TRUE(IniWriteString(ini_, "Setting-EN", "Item4", "Macro Key-Combo"));
  ASSERT_TRUE(IniWriteString(ini_, "Setting-CHS", "Item4", "other language"));
  ASSERT_TRUE(IniWriteString(ini_, "Skins", "RColor", "200"));
  ASSERT_TRUE(IniWriteString(ini_, "Skins", "Path", "Dark"));

  ItemTexts t;
  LoadItemTexts(ini_, UiLanguage::EN, t);
  EXPECT_EQ(t.captions[1][10], std::string(1023, 'x'));
  EXPECT_EQ(t.captions[0][3], "Macro Key-Combo");
  EXPECT_EQ(t.red, "200");
  EXPECT_EQ(t.skinPath, "Dark");

  ResetItemTexts(t, UiLanguage::EN);  // Default command, then Cancel
  EXPECT_EQ(t.captions[0][3], "Forward");
  EXPECT_EQ(t.skinPath, "Dark");
  LoadItemTexts(ini_, UiLanguage::EN, t);
  EXPECT_EQ(t.captions[0][3], "Macro Key-Combo");
}

TEST_F(ItemTextsTest, SkinChoiceStoredAsPlainDecimals) {
  ASSERT_TRUE(SaveSkinChoice(ini_, 0, 7, 255, "Blue Steel"));
  ItemTexts t;
  LoadItemTexts(ini_, UiLanguage::CHT, t);
  EXPECT_EQ(t.red, "0");
  EXPECT_EQ(t.green, "7");
  EXPECT_EQ(t.blue, "255");
  EXPECT_EQ(t.skinPath, "Blue Steel");
}

}  // namespace
}  // namespace corvaline
