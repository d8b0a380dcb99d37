// What the bottom bar says: its parts, their order and the shortening.
#include <gtest/gtest.h>

#include "core/system/status_line.h"

namespace corvaline {
namespace {

TEST(StatusLine, PartsOrderAndShortening) {
  StatusFacts f;
  f.dpiStage = 2;
  f.stageDpi = "1600";
  f.profile = "Office";
  // Without a mouse its stage and profile are nobody's.
  EXPECT_EQ(StatusLineText(f, UiLanguage::EN), "No mouse");
  f.connected = true;
  EXPECT_EQ(StatusLineText(f, UiLanguage::EN), "Connected · DPI 2: 1600 · \"Office\"");
  EXPECT_EQ(StatusLineText(f, UiLanguage::CHT), "已連接 · DPI 2: 1600 · 「Office」");
  // A long name is cut by characters, never inside one.
  f.profile = "配置文件配置文件配置文件配置文件配置";
  EXPECT_EQ(StatusLineText(f, UiLanguage::CHS), "已连接 · DPI 2: 1600 · “配置文件配置文件配置文件配置文件…”");
  // Before the mouse reported a stage, and with no named profile.
  f.dpiStage = 0;
  f.profile.clear();
  EXPECT_EQ(StatusLineText(f, UiLanguage::EN), "Connected");
  // The result of OK/Apply stands alone while it is shown.
  f.applyNote = "Applied";
  EXPECT_EQ(StatusLineText(f, UiLanguage::EN), "Applied");
}

TEST(StatusLine, ApplyNoteSaysWhatWentOutAndWhy) {
  ApplyReport r;
  EXPECT_EQ(ApplyNoteText(r, UiLanguage::EN), "Applied");
  r.captionsSaved = Outcome::Failed("disk full");
  EXPECT_EQ(ApplyNoteText(r, UiLanguage::EN), "Sent, but not saved");
  r.failedTransfers = 3;
  EXPECT_EQ(ApplyNoteText(r, UiLanguage::EN), "Not all sent to the mouse");
  r.sent = Outcome::Failed("another program is talking to the mouse");
  EXPECT_EQ(ApplyNoteText(r, UiLanguage::CHS), "未发送：another program is talking to the mouse");
  EXPECT_EQ(NotSentNoteText(NotSentReason::NoMouse, UiLanguage::EN), "Not sent: no mouse");
  EXPECT_EQ(NotSentNoteText(NotSentReason::NothingLoaded, UiLanguage::CHT), "未傳送：未載入設定");
}

}  // namespace
}  // namespace corvaline
