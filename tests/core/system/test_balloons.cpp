// Balloon text, title and time-out for every event code and value.
#include <gtest/gtest.h>

#include "core/settings/value_tables.h"
#include "core/system/balloons.h"

namespace corvaline {
namespace {

struct Expected {
  int code, value;
  const char* text;  // nullptr: no balloon
  const char* title;
  int timeoutMs;
};

std::string StageDpi(int stage) { return "D" + std::to_string(stage + 1); }

void CheckAll(UiLanguage lang, std::initializer_list<Expected> table) {
  const BalloonTexts texts = BalloonTextsFor(lang);
  for (const Expected& e : table) {
    auto b = BalloonFor(e.code, e.value, texts, StageDpi);
    const std::string what = std::to_string(e.code) + "/" + std::to_string(e.value);
    if (!e.text) {
      EXPECT_FALSE(b.has_value()) << what;
      continue;
    }
    ASSERT_TRUE(b.has_value()) << what;
    EXPECT_EQ(b->text, e.text) << what;
    EXPECT_EQ(b->title, e.title) << what;
    EXPECT_EQ(b->timeoutMs, e.timeoutMs) << what;
  }
}

TEST(Balloons, EnglishTableForEveryCodeAndValue) {
  CheckAll(UiLanguage::EN,
           {
               {5, 1, "Switch report rate into 1000HZ", "Info", 5000},
               {5, 2, "Switch report rate into 500HZ", "Info", 5000},
               {5, 4, "Switch report rate into 250HZ", "Info", 5000},
               {5, 8, "Switch report rate into 125HZ", "Info", 5000},
               {5, 0, nullptr, "", 0},
               {5, 3, nullptr, "", 0},
               {5, 16, nullptr, "", 0},
               {7, 1, "Switch DPI into the first stage D1", "Info", 5000},
               {7, 2, "Switch DPI into the second stage D2", "Info", 5000},
               {7, 3, "Switch DPI into the third stage D3", "Info", 5000},
               {7, 4, "Switch DPI into the fourth stage D4", "Info", 5000},
               {7, 0, nullptr, "", 0},
               {7, 5, nullptr, "", 0},
               {8, 1, "Switch to key matrix 1", "Info", 5000},
               {8, 2, "Switch to key matrix 2", "Info", 5000},
               {8, 3, nullptr, "", 0},
               {8, 4, nullptr, "", 0},
               {9, 1, "Switch to macro key1", "Info", 5000},
               {9, 12, "Switch to macro key12", "Info", 5000},
               {9, 255, "Switch to macro key255", "Info", 5000},
               {9, 0, nullptr, "", 0},
               {14, 0, "The system detect the gaming mouse.", "Info", 100},
               {15, 0, "The system did not detect the gaming mouse!", "Warning", 100},
               {6, 1, nullptr, "", 0},
               {0, 0, nullptr, "", 0},
               {16, 0, nullptr, "", 0},
           });
}

TEST(Balloons, TraditionalChineseTableKeepsTitlesInEnglish) {
  CheckAll(UiLanguage::CHT,
           {
               {5, 1, "報告率切換到1000HZ", "Info", 5000},
               {5, 8, "報告率切換到125HZ", "Info", 5000},
               {7, 1, "DPI切換到第一段D1", "Info", 5000},
               {7, 4, "DPI切換到第四段D4", "Info", 5000},
               {8, 1, "切換到按鍵群組1", "Info", 5000},
               {8, 2, "切換到按鍵群組2", "Info", 5000},
               {9, 12, "切換到巨集12", "Info", 5000},
               {14, 0, "系統檢測到遊戲滑鼠。", "Info", 100},
               {15, 0, "系統沒有檢測到遊戲滑鼠！", "Warning", 100},
               {8, 3, nullptr, "", 0},
           });
}

TEST(Balloons, DpiTextComesFromTheSensorTypeTable) {
  const BalloonTexts texts = BalloonTextsFor(UiLanguage::EN);
  // A sensor type without a table leaves the text ending in its blank.
  auto none = BalloonFor(7, 2, texts, [](int) { return std::string(DpiLabel(9, 3)); });
  ASSERT_TRUE(none);
  EXPECT_EQ(none->text, "Switch DPI into the second stage ");
  const std::string label(DpiLabel(0, 3));
  ASSERT_FALSE(label.empty());
  auto known = BalloonFor(7, 2, texts, [](int) { return std::string(DpiLabel(0, 3)); });
  ASSERT_TRUE(known);
  EXPECT_EQ(known->text, "Switch DPI into the second stage " + label);
}

}  // namespace
}  // namespace corvaline
