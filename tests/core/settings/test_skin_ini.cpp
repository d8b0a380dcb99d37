// skin.ini: the colours a skin declares, and a skin without them.
#include <gtest/gtest.h>

#include "core/settings/skin_ini.h"
#include "test_support.h"

namespace corvaline {
namespace {

TEST(SkinIniTest, ColourValuesParseOnlyWhenWhole) {
  EXPECT_EQ(ParseRgb("36,48,66"), (Rgb{36, 48, 66}));
  EXPECT_EQ(ParseRgb(" 0 , 255,\t7 "), (Rgb{0, 255, 7}));
  for (const char* bad : {"", "1,2", "1,2,3,4", "256,0,0", "-1,0,0", "+1,0,0", "1,,3", "a,b,c",
                          "1,2,3x", "0001,2,3", "1 2 3"}) {
    EXPECT_EQ(ParseRgb(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(FormatRgb({255, 0, 16}), "255,0,16");
}

TEST(SkinIniTest, FileGivesEachKeyItsColourAndKeepsTheRestUnset) {
  testing_support::ScratchDir dir;
  EXPECT_EQ(ReadSkinColours(dir.path()), SkinColours{});  // no skin.ini: the program's own colours

  // UTF-8 with a mark and a non-ASCII comment, key names in any case, one
  // value damaged and one key twice (the first counts).
  testing_support::WriteBytes(dir / "skin.ini",
                              "\xEF\xBB\xBF; Frost \xE2\x80\x94 \xE5\x86\xB0\r\n[skin]\r\n"
                              "textcolor=36,48,66\r\nListBackColor=250,252,255\r\n"
                              "ListBackColor=1,1,1\r\nEditTextColor=white\r\n");
  const SkinColours read = ReadSkinColours(dir.path());
  EXPECT_EQ(read.text, (Rgb{36, 48, 66}));
  EXPECT_EQ(read.listBack, (Rgb{250, 252, 255}));
  EXPECT_EQ(read.editText, std::nullopt);
  EXPECT_EQ(read.dropDownBack, std::nullopt);

  // What a skin generator writes reads back the same.
  SkinColours all;
  all.text = Rgb{1, 2, 3};
  all.listText = Rgb{4, 5, 6};
  all.listBack = Rgb{7, 8, 9};
  all.editText = Rgb{10, 11, 12};
  all.editBack = Rgb{13, 14, 15};
  all.dropDownText = Rgb{16, 17, 18};
  all.dropDownBack = Rgb{19, 20, 21};
  all.focus = Rgb{22, 23, 24};
  all.focusContrast = Rgb{25, 26, 27};
  EXPECT_EQ(SkinColoursFrom(SkinIniEntries(all)), all);
}

}  // namespace
}  // namespace corvaline
