#include <gtest/gtest.h>

#include <cstring>

#include "core/buttons/key_tables.h"
#include "core/macros/macro_encoder.h"
#include "core/profiles/function_words.h"
#include "core/profiles/json_reader.h"
#include "core/profiles/profile.h"

namespace corvaline {
namespace {

TEST(JsonReader, ReadsTheWholeGrammarAndSaysWhereItStops) {
  const auto ok =
      ParseJson(R"( {"a": [1, -2.5e1, true, null], "s": "\u00e9\ud83d\ude00\n\"", "o": {}} )");
  ASSERT_TRUE(ok.value) << ok.error;
  EXPECT_EQ(ok.value->Find("a")->items[1].number, -25);
  EXPECT_FALSE(ok.value->Find("a")->items[1].integral);
  EXPECT_EQ(ok.value->Find("s")->text, "\xC3\xA9\xF0\x9F\x98\x80\n\"");
  for (const char* bad : {"", "{", "{\"a\" 1}", "[1,]", "[01]", "\"\\ud800\"", "\"a\nb\"", "{} x",
                          "[1e999]", "tru"}) {
    const auto r = ParseJson(bad);
    EXPECT_FALSE(r.value) << bad;
    EXPECT_NE(r.error.find("line 1, column"), std::string::npos) << bad << ": " << r.error;
  }
  EXPECT_NE(ParseJson("{\n\n  x").error.find("line 3, column 3"), std::string::npos);
  EXPECT_FALSE(ParseJson(std::string(100000, '[')).value);  // refused, not a stack overflow
  EXPECT_FALSE(ParseJson("\"\xFF\"").value);                // not UTF-8
  // A second member of one name is refused where it stands, not silently lost.
  EXPECT_NE(ParseJson("{\"a\": {\"b\": 1,\n  \"b\": 2}}").error.find("line 2, column 3"),
            std::string::npos);
  EXPECT_TRUE(ParseJson("\xEF\xBB\xBF{\"a\": 1}").value);  // a byte-order mark
}

TEST(FunctionWords, QuotedWordsSplitBackAsAShellDoes) {
  for (std::string_view w : {"plain", "Page Up", "'", "\\", "Left Ctrl+'", "a\"b", "", "$HOME"}) {
    const auto split = SplitShellWords("key " + ShellQuote(w));
    ASSERT_TRUE(split) << w;
    ASSERT_EQ(split->size(), 2u) << w;
    EXPECT_EQ((*split)[1], w);
  }
  EXPECT_FALSE(SplitShellWords("combo 'Left Ctrl"));
}

// Every fire key, every key name as single key and combination, and every
// list entry: the words of a slot read back to the same bytes.
TEST(FunctionWords, EveryEntryOfEveryListReadsBackToItsBytes) {
  std::vector<std::string> words = {"left-click",
                                    "right-click",
                                    "middle-click",
                                    "forward",
                                    "backward",
                                    "triple-click",
                                    "dpi+",
                                    "dpi-",
                                    "dpi-loop",
                                    "shift-dpi",
                                    "rgb-toggle",
                                    "off",
                                    "macro 3 --repeat while-held",
                                    "combo ''",
                                    "combo R-CTRL+Z",
                                    "key ''"};
  for (int i = 0; i < kFireKeyCount; ++i)
    words.push_back("fire " + ShellQuote(FireKeyNameAt(i)) + " --speed 7 --times 0");
  for (const KeyNameEntry& k : KeyNameTable()) {
    words.push_back("key " + ShellQuote(k.name));
    words.push_back("combo " + ShellQuote("Right Shift+" + std::string(k.name) + "+Z"));
  }
  for (const char* w : {"windows Mail", "windows Browser-Back", "media Next", "media Mute"})
    words.push_back(w);
  const std::vector<std::string> macros = {"one", "two", "three"};
  for (const std::string& w : words) {
    SettingsBlock block{};
    ButtonCaptions captions;
    const FunctionParse p = ParseFunctionText(w, macros, EmptyKey::Kept);
    ASSERT_TRUE(p.choice) << w << ": " << p.error;
    ASSERT_TRUE(AssignFunction({block, captions, UiLanguage::EN}, 4, *p.choice).assigned) << w;
    SettingsBlock again{};
    const FunctionParse back = ParseFunctionText(FunctionWordsOf(block, KeyGroup::ModeA, 4, macros),
                                                 macros, EmptyKey::Kept);
    ASSERT_TRUE(back.choice) << w << " -> " << FunctionWordsOf(block, KeyGroup::ModeA, 4, macros);
    static_cast<void>(AssignFunction({again, captions, UiLanguage::EN}, 4, *back.choice));
    EXPECT_EQ(std::memcmp(&again, &block, sizeof block), 0) << w;
  }
}

TEST(Profile, ReadsBackExactlyAndKeepsWhatNoMemberSays) {
  Profile p;
  p.firstRunFlag = 1;
  std::memset(&p.block, 0, sizeof p.block);
  for (int g = 0; g < 2; ++g) {
    for (int s = 0; s < kButtonSlots; ++s) {
      p.block.buttons[g].category[s] = static_cast<std::uint8_t>(s < 10 ? (s * 5 + g) % 14 : 15);
      p.block.buttons[g].fireSpeed[s] = static_cast<std::uint8_t>(5 + s);  // stale where unused
      p.block.buttons[g].windowsIndex[s] = static_cast<std::uint8_t>(s % 11);
      p.block.buttons[g].windowsUsageLow[s] = WindowsUsageLowAt(s % 11);
      p.block.buttons[g].windowsUsageHigh[s] = WindowsUsageHighAt(s % 11);
      p.block.buttons[g].fireKeyUsage[s] = FireKeyCodeAt(0);
      p.block.buttons[g].fireTimes[s] = 3;
      p.block.dpiSwitchSelector[g][s] = static_cast<std::uint8_t>(1 + s % 4);
      p.captions[g][s] = "caption " + std::to_string(g) + "/" + std::to_string(s) + " \"quoted\"";
    }
  }
  p.block.buttons[0].category[0] = p.block.buttons[1].category[0] = 0;  // left buttons
  p.block.reserved0[2] = 0x5A;
  p.block.reportRateCode = 2;
  p.block.dpiStageEnabled[0] = 1;
  p.block.ledEffect = 3;
  p.block.ledNeonPeriod = 29;
  p.block.ledNeonOption = 3;
  p.block.doubleClickLevel = 9;
  p.macros = {{"first", 4, {"A   Dn", "1500 ms", "A   Up"}}, {"second", 0, {}}};
  SetMacroLoopCount(p.block, 0, 4);
  EncodeMacroBlock(p.macros[0].items, p.block.macroArea[0]);
  p.block.macroArea[5][0] = 0x77;  // a block beyond the macros keeps its bytes

  EXPECT_TRUE(ProfileRoundTripsExactly(p));
  const ProfileResult back = ProfileFromJson(ProfileToJson(p), UiLanguage::EN);
  ASSERT_TRUE(back.profile) << back.error;
  EXPECT_EQ(std::memcmp(&back.profile->block, &p.block, sizeof p.block), 0);
  EXPECT_EQ(back.profile->firstRunFlag, 1);
  EXPECT_EQ(back.profile->captions, p.captions);
  // In another language the captions are made anew, as the menus would.
  const ProfileResult chs = ProfileFromJson(ProfileToJson(p), UiLanguage::CHS);
  ASSERT_TRUE(chs.profile);
  EXPECT_EQ(chs.profile->captions[0][0], "左键");
}

}  // namespace
}  // namespace corvaline
