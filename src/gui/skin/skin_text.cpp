#include "gui/skin/skin_text.h"

#include "gui/skin/skin_state.h"

#include <utility>

namespace corvaline {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

namespace {
SkinTextWatcher& Watcher() {
  static SkinTextWatcher watcher;
  return watcher;
}
}  // namespace

SkinTextWatcher WatchSkinTexts(SkinTextWatcher watcher) {
  std::swap(Watcher(), watcher);
  return watcher;
}

int SkinTextFlags(Qt::Alignment align, TextFlow flow) {
  return static_cast<int>(align) | (flow == TextFlow::Wrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

void DrawSkinText(QPainter& painter, const QString& text, const QRect& rect, const QFont& font,
                  Qt::Alignment align, const QColor& colour, TextFlow flow) {
  if (text.isEmpty() || rect.isEmpty()) return;
  const int flags = SkinTextFlags(align, flow);
  if (Watcher() && !Watcher()({text, rect, font, flags})) return;
  painter.save();
  painter.setFont(font);
  painter.setPen(colour);
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.drawText(rect, flags, text);
  painter.restore();
}

void DrawSkinText(QPainter& painter, const QString& text, const QRect& rect, const QFont& font,
                  Qt::Alignment align, TextFlow flow) {
  DrawSkinText(painter, text, rect, font, align, TextColour(), flow);
}

void DrawSkinText(QImage* canvas, const QString& text, const QRect& rect, const QFont& font,
                  Qt::Alignment align, TextFlow flow) {
  if (canvas == nullptr || canvas->isNull()) return;
  QPainter painter(canvas);
  DrawSkinText(painter, text, rect, font, align, flow);
}

}  // namespace corvaline
