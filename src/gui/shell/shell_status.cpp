// The status line of the bottom bar: the core composes it, the shell keeps
// its facts up to date and draws it over the page's own background.
#include <QPainter>
#include <QTimer>

#include "core/device/protocol.h"
#include "core/settings/value_tables.h"
#include "gui/shell/main_window.h"
#include "gui/shell/shell.h"
#include "gui/skin/hover_draw.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

void Shell::NameProfileIfHeld(const QString& name, const SettingsBlock& block) {
  onMouse_.NameIfHeld(block, name.toStdString());
  UpdateStatus();
}

StatusFacts Shell::Status() const {
  StatusFacts facts;
  facts.connected = device_->Ready();
  facts.dpiStage = dpiStage_;
  const SettingsBlock& sent = Settings().savedSettings;
  if (dpiStage_ >= 1 && dpiStage_ <= kDpiStageCount)
    facts.stageDpi = std::string(DpiLabel(device_->SensorType(), sent.dpiStageIndex[dpiStage_ - 1]));
  facts.profile = onMouse_.Name();
  facts.applyNote = applyNote_;
  return facts;
}

QString Shell::StatusText() const { return Utf8(StatusLineText(Status(), language_)); }

void Shell::ShowApplyNote(const std::string& note) {
  applyNote_ = note;
  if (!applyNoteTimer_) {
    applyNoteTimer_ = new QTimer(this);
    applyNoteTimer_->setSingleShot(true);
    connect(applyNoteTimer_, &QTimer::timeout, this, [this] {
      applyNote_.clear();
      UpdateStatus();
    });
  }
  applyNoteTimer_->start(kApplyNoteMs);
  UpdateStatus();
  emit applyNoteShown(Utf8(note));
}

void Shell::ApplyRefused() { ShowApplyNote(NotSentNoteText(NotSentReason::NoMouse, language_)); }

// Drawn over what the page's background has there, cut at its rectangle's
// width so it never runs into the link's globe.
void Shell::UpdateStatus() {
  QImage* canvas = window_->Canvas();
  if (!canvas || noSkin_) return;
  const QRect rect = ToQRect(regions::kStatusLine);
  const std::string_view under = currentPage_ == Page::Basic      ? kBasicPagePng
                                 : currentPage_ == Page::Advanced ? kAdvancedPagePng
                                                                  : kMainPng;
  RestoreUnder(canvas, rect, {under});
  {
    QPainter painter(canvas);
    painter.setFont(fonts_.normal);
    shownStatus_ = painter.fontMetrics().elidedText(StatusText(), Qt::ElideRight, rect.width());
    DrawSkinText(painter, shownStatus_, rect, fonts_.normal, kLabelAlign);
  }
  window_->update(rect);
}

}  // namespace corvaline::gui
