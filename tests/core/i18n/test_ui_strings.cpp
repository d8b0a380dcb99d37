#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/i18n/accessible_texts.h"
#include "core/i18n/fonts.h"
#include "core/i18n/ui_language.h"
#include "core/i18n/ui_strings.h"

namespace corvaline {
namespace {

constexpr UiLanguage kAll[] = {UiLanguage::EN, UiLanguage::CHS, UiLanguage::CHT};

template <typename Id>
void ExpectTableFilled(const char* table) {
  for (UiLanguage lang : kAll) {
    for (int i = 0; i < static_cast<int>(Id::Count); ++i) {
      EXPECT_FALSE(UiText(static_cast<Id>(i), lang).empty())
          << table << " text " << i << " language " << static_cast<int>(lang);
    }
    EXPECT_TRUE(UiText(Id::Count, lang).empty()) << table;
  }
}

TEST(UiStrings, EveryTableHasEveryTextInEveryLanguage) {
  ExpectTableFilled<MainText>("main");
  ExpectTableFilled<DialogText>("dialog");
  ExpectTableFilled<DelayTimeText>("delay");
  ExpectTableFilled<SingleKeyText>("single");
  ExpectTableFilled<SkinsText>("skins");
  ExpectTableFilled<FireKeyText>("fire");
  ExpectTableFilled<MediaText>("media");
  ExpectTableFilled<WindowsText>("windows");
  ExpectTableFilled<MacroDialogText>("macro");
  ExpectTableFilled<ShellText>("shell");
  ExpectTableFilled<AccessibleText>("accessible");
}

// A value is put in whole, even one that looks like a placeholder.
TEST(UiStrings, NamesCarryTheirValuesAsGiven) {
  EXPECT_EQ(FilledText(AccessibleText::DpiLevel, "4", "1000", UiLanguage::EN), "level 4, 1000 DPI");
  EXPECT_EQ(FilledText(AccessibleText::NameValue, "Mode", "%2 %1", UiLanguage::EN), "Mode, %2 %1");
  EXPECT_EQ(FilledText(AccessibleText::NameValue, "模式", "呼吸", UiLanguage::CHS), "模式，呼吸");
  EXPECT_EQ(NumberedText(AccessibleText::StageSwitch, 2, UiLanguage::CHT), "DPI檔位2");
}

// A Chinese column shifted by a row, or an English text left in it, shows up
// here: only these few texts are the same in English and Simplified Chinese.
TEST(UiStrings, OnlyUntranslatedMainTextsMatchEnglish) {
  const std::set<MainText> same{MainText::FnShift, MainText::FnWindows, MainText::WebAddress};
  for (int i = 0; i < kMainTextCount; ++i) {
    const auto id = static_cast<MainText>(i);
    const bool equal = UiText(id, UiLanguage::EN) == UiText(id, UiLanguage::CHS);
    EXPECT_EQ(equal, same.count(id) == 1) << "main text " << i;
  }
  EXPECT_EQ(UiText(MainText::WebAddress, UiLanguage::CHT),
            UiText(MainText::WebAddress, UiLanguage::EN));
}

TEST(UiStrings, TextsKeptExactlyAsTheProgramShowsThem) {
  EXPECT_EQ(UiText(MainText::MsgNotRecording, UiLanguage::EN),
            "It doesn\xE2\x80\x99t start recording, unnecessary to press Stop key!");
  EXPECT_EQ(UiText(MainText::LedOptionNonDisplay, UiLanguage::EN), "Non-Disolay");
  EXPECT_EQ(UiText(MainText::NoteMouseFound, UiLanguage::EN),
            "The system detect the gaming mouse.");
  EXPECT_EQ(UiText(MainText::NoteDpiStage1, UiLanguage::EN), "Switch DPI into the first stage ");
  EXPECT_EQ(UiText(MainText::NoteDpiStage4, UiLanguage::EN), "Switch DPI into the fourth stage ");
  for (MainText id : {MainText::NoteDpiStage1, MainText::NoteDpiStage2, MainText::NoteDpiStage3,
                      MainText::NoteDpiStage4}) {
    EXPECT_EQ(UiText(id, UiLanguage::EN).back(), ' ');
    EXPECT_NE(UiText(id, UiLanguage::CHS).back(), ' ');
  }
  EXPECT_EQ(UiText(MainText::RecordingTitle, UiLanguage::CHS), "按Ctrl+Break可以停止录制");
  EXPECT_EQ(UiText(MainText::MacroConfirm, UiLanguage::CHS), "确认");
  EXPECT_EQ(UiText(MainText::FnComboKey, UiLanguage::CHT), "複合鍵");
  EXPECT_EQ(UiText(MainText::LedSpeedLabel, UiLanguage::CHS), "速度:请调整灯光显示速度");
  EXPECT_EQ(UiText(FireKeyText::TimesHelp, UiLanguage::EN),
            "Times (value range 0-255,0 indicates fire key to end when the key released)");
  EXPECT_EQ(UiText(DelayTimeText::RangeNote, UiLanguage::CHS), "(数值范围 20-10000)");
}

TEST(UiStrings, CategoryAndListNamesFollowCodeOrder) {
  EXPECT_EQ(CategoryName(0, UiLanguage::EN), "Left Click");
  EXPECT_EQ(CategoryName(7, UiLanguage::EN), "RGB On/Off");
  EXPECT_EQ(CategoryName(12, UiLanguage::CHS), "组合键");
  EXPECT_EQ(CategoryName(14, UiLanguage::EN), "Shift");
  EXPECT_EQ(CategoryName(15, UiLanguage::CHT), "按鍵關閉");
  EXPECT_TRUE(CategoryName(16, UiLanguage::EN).empty());
  EXPECT_TRUE(CategoryName(-1, UiLanguage::EN).empty());

  EXPECT_EQ(MediaEntryText(0, UiLanguage::EN), UiText(MediaText::Display, UiLanguage::EN));
  EXPECT_EQ(MediaEntryText(4, UiLanguage::EN), "Mute");
  EXPECT_EQ(MediaEntryText(6, UiLanguage::CHT), "音量-");
  EXPECT_TRUE(MediaEntryText(7, UiLanguage::EN).empty());
  EXPECT_EQ(WindowsEntryText(0, UiLanguage::CHS), UiText(WindowsText::Display, UiLanguage::CHS));
  EXPECT_EQ(WindowsEntryText(10, UiLanguage::EN), "Browser-My Favorites");
  EXPECT_TRUE(WindowsEntryText(11, UiLanguage::EN).empty());
}

TEST(UiLanguageChoice, OnlyExactCodesSelectChinese) {
  EXPECT_EQ(LanguageFromCode("CHS"), UiLanguage::CHS);
  EXPECT_EQ(LanguageFromCode("CHT"), UiLanguage::CHT);
  for (const char* code : {"chs", "Cht", "", "EN", "CHS ", " CHT", "CHSX", "CH"}) {
    EXPECT_EQ(LanguageFromCode(code), UiLanguage::EN) << '"' << code << '"';
  }
  EXPECT_EQ(ItemSectionName(UiLanguage::CHS), "Setting-CHS");
  EXPECT_EQ(ItemSectionName(UiLanguage::CHT), "Setting-CHT");
  EXPECT_EQ(ItemSectionName(UiLanguage::EN), "Setting-EN");

  const UiLanguage before = CurrentLanguage();
  SetCurrentLanguage(UiLanguage::CHT);
  EXPECT_EQ(UiText(MainText::TrayExit), "退出");
  EXPECT_EQ(UiText(DialogText::Ok), "確定");
  SetCurrentLanguage(before);
}

TEST(UiLanguageChoice, SkinFilesLookForTheLanguagesOwnPictureFirst) {
  using Names = std::vector<std::string>;
  EXPECT_EQ(SkinFileCandidates("/fire-key.png", UiLanguage::CHS), (Names{"/fire-key.CHS.png", "/fire-key.png"}));
  EXPECT_EQ(SkinFileCandidates("/a.b/c.png", UiLanguage::CHT), (Names{"/a.b/c.CHT.png", "/a.b/c.png"}));
  EXPECT_EQ(SkinFileCandidates("/fire-key.png", UiLanguage::EN), Names{"/fire-key.png"});
  // No extension: nothing to put the language before.
  EXPECT_EQ(SkinFileCandidates("/a.b/skin", UiLanguage::CHS), Names{"/a.b/skin"});
}

TEST(Fonts, FacesAndSizesPerLanguage) {
  const OsVersion win8{6, 2}, win7{6, 1};
  FontSpec f = UiFontFor(FontRole::Normal, UiLanguage::CHS, win8);
  EXPECT_EQ(f.family, "黑体");
  EXPECT_EQ(f.height, 13);
  EXPECT_EQ(UiFontFor(FontRole::Normal, UiLanguage::CHS, win7).family, "宋体");
  EXPECT_EQ(UiFontFor(FontRole::Dialog, UiLanguage::CHS).family, "宋体");
  EXPECT_EQ(UiFontFor(FontRole::Dialog, UiLanguage::CHS, win8).family, "黑体");
  EXPECT_EQ(UiFontFor(FontRole::Dialog, UiLanguage::CHT, win7).family, "黑体");

  f = UiFontFor(FontRole::Bold, UiLanguage::CHS, win7);
  EXPECT_EQ(f.family, "宋体");
  EXPECT_EQ(f.height, 18);
  EXPECT_EQ(f.weight, 700);

  f = UiFontFor(FontRole::Bold, UiLanguage::EN);
  EXPECT_EQ(f.family, "Tahoma");
  EXPECT_EQ(f.height, 18);
  EXPECT_EQ(f.weight, 700);
  f = UiFontFor(FontRole::Dialog, UiLanguage::EN, win8);
  EXPECT_EQ(f.family, "Arial");
  EXPECT_EQ(f.height, 14);
  EXPECT_EQ(f.weight, 400);
}

}  // namespace
}  // namespace corvaline
