#include "gui/skin/skin_text.h"

#include "gui/skin/skin_state.h"

namespace corvaline {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void DrawSkinText(QPainter& painter, const QString& text, const QRect& rect, const QFont& font,
                  Qt::Alignment align, const QColor& colour) {
  if (text.isEmpty() || rect.isEmpty()) return;
  painter.save();
  painter.setFont(font);
  painter.setPen(colour);
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.drawText(rect, static_cast<int>(align) | Qt::TextSingleLine, text);
  painter.restore();
}

void DrawSkinText(QPainter& painter, const QString& text, const QRect& rect, const QFont& font,
                  Qt::Alignment align) {
  DrawSkinText(painter, text, rect, font, align, TextColour());
}

void DrawSkinText(QImage* canvas, const QString& text, const QRect& rect, const QFont& font,
                  Qt::Alignment align) {
  if (canvas == nullptr || canvas->isNull()) return;
  QPainter painter(canvas);
  DrawSkinText(painter, text, rect, font, align);
}

}  // namespace corvaline
