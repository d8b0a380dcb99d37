#include "core/system/balloons.h"

#include "core/i18n/ui_strings.h"

namespace corvaline {

BalloonTexts BalloonTextsFor(UiLanguage lang) {
  auto text = [lang](MainText id) { return std::string(UiText(id, lang)); };
  BalloonTexts t;
  t.reportRate = {text(MainText::NoteRate1000), text(MainText::NoteRate500),
                  text(MainText::NoteRate250), text(MainText::NoteRate125)};
  t.dpiStage = {text(MainText::NoteDpiStage1), text(MainText::NoteDpiStage2),
                text(MainText::NoteDpiStage3), text(MainText::NoteDpiStage4)};
  t.keyGroup = {text(MainText::NoteKeyMatrix1), text(MainText::NoteKeyMatrix2)};
  t.macroKey = text(MainText::NoteMacroKey);
  t.mouseDetected = text(MainText::NoteMouseFound);
  t.mouseMissing = text(MainText::NoteMouseMissing);
  return t;
}

namespace {

constexpr int kEventBalloonMs = 5000;
// The arrival and absence balloons are meant to be brief.
constexpr int kLinkBalloonMs = 100;

Balloon Info(std::string text, int timeoutMs = kEventBalloonMs) {
  return {std::move(text), "Info", timeoutMs};
}

std::optional<Balloon> ReportRateBalloon(int value, const BalloonTexts& t) {
  // The mouse reports its report-rate code: 1, 2, 4, 8 = 1000, 500, 250, 125 Hz.
  switch (value) {
    case 1: return Info(t.reportRate[0]);
    case 2: return Info(t.reportRate[1]);
    case 4: return Info(t.reportRate[2]);
    case 8: return Info(t.reportRate[3]);
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<Balloon> BalloonFor(int code, int value, const BalloonTexts& texts,
                                  const StageDpiText& stageDpi) {
  switch (code) {
    case kEventReportRate:
      return ReportRateBalloon(value, texts);
    case kEventDpiStage:
      if (value < 1 || value > 4) return std::nullopt;
      return Info(texts.dpiStage[value - 1] + (stageDpi ? stageDpi(value - 1) : std::string()));
    case kEventKeyGroup:
      if (value < 1 || value > 2) return std::nullopt;
      return Info(texts.keyGroup[value - 1]);
    case kEventMacroKey:
      if (value == 0) return std::nullopt;
      return Info(texts.macroKey + std::to_string(value));
    case kNotifyMouseReady:
      return Info(texts.mouseDetected, kLinkBalloonMs);
    case kNotifyMouseNotUsable:
      return Balloon{texts.mouseMissing, "Warning", kLinkBalloonMs};
    default:
      return std::nullopt;
  }
}

}  // namespace corvaline
