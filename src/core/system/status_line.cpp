#include "core/system/status_line.h"

#include <array>

#include "core/i18n/text_row.h"

namespace corvaline {
namespace {

using i18n_detail::TextRow;

enum class StatusWord { Connected, NoMouse, Applied, NotSent, NotAllSent, NotSaved, NoMouseReason, NothingLoaded, Count };

constexpr std::array<TextRow<StatusWord>, static_cast<std::size_t>(StatusWord::Count)> kWords = {{
    {StatusWord::Connected, "Connected", "已连接", "已連接"},
    {StatusWord::NoMouse, "No mouse", "未连接鼠标", "未連接滑鼠"},
    {StatusWord::Applied, "Applied", "已应用", "已應用"},
    {StatusWord::NotSent, "Not sent: ", "未发送：", "未傳送："},
    {StatusWord::NotAllSent, "Not all sent to the mouse", "部分设置未发送到鼠标", "部分設定未傳送到滑鼠"},
    {StatusWord::NotSaved, "Sent, but not saved", "已发送，但未保存", "已傳送，但未儲存"},
    {StatusWord::NoMouseReason, "no mouse", "没有鼠标", "沒有滑鼠"},
    {StatusWord::NothingLoaded, "no settings loaded", "未加载设置", "未載入設定"},
}};
static_assert(i18n_detail::RowsInOrder(kWords));

std::string Word(StatusWord w, UiLanguage lang) { return std::string(i18n_detail::Lookup(kWords, w, lang)); }

// At most `limit` characters of UTF-8 text; a cut one ends in "…".
std::string Shortened(const std::string& text, std::size_t limit) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (++chars > limit) return text.substr(0, i) + "…";
  }
  return text;
}

std::string Quoted(const std::string& name, UiLanguage lang) {
  switch (lang) {
    case UiLanguage::CHT: return "「" + name + "」";
    case UiLanguage::CHS: return "“" + name + "”";
    case UiLanguage::EN: break;
  }
  return "\"" + name + "\"";
}

}  // namespace

std::string StatusLineText(const StatusFacts& facts, UiLanguage lang) {
  if (!facts.applyNote.empty()) return facts.applyNote;
  if (!facts.connected) return Word(StatusWord::NoMouse, lang);
  std::string line = Word(StatusWord::Connected, lang);
  if (facts.dpiStage >= 1 && facts.dpiStage <= 4) {
    line += " · DPI " + std::to_string(facts.dpiStage);
    if (!facts.stageDpi.empty()) line += ": " + facts.stageDpi;
  }
  if (!facts.profile.empty()) line += " · " + Quoted(Shortened(facts.profile, kStatusProfileChars), lang);
  return line;
}

std::string ApplyNoteText(const ApplyReport& report, UiLanguage lang) {
  if (!report.sent) return Word(StatusWord::NotSent, lang) + report.sent.Reason();
  if (report.failedTransfers > 0) return Word(StatusWord::NotAllSent, lang);
  if (!report.settingsSaved.Ok() || !report.captionsSaved.Ok()) return Word(StatusWord::NotSaved, lang);
  return Word(StatusWord::Applied, lang);
}

std::string NotSentNoteText(NotSentReason reason, UiLanguage lang) {
  return Word(StatusWord::NotSent, lang) +
         Word(reason == NotSentReason::NoMouse ? StatusWord::NoMouseReason : StatusWord::NothingLoaded, lang);
}

}  // namespace corvaline
