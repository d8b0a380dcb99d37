#include "gui/app/app_icon.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPixmap>

#include "core/settings/data_paths.h"

namespace corvaline::gui {

namespace {

QIcon DrawnIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(20, 20, 20));
  p.setPen(QPen(QColor(0, 255, 0), 2));
  p.drawRoundedRect(QRectF(7, 2, 18, 28), 9, 9);
  p.drawLine(QPointF(16, 3), QPointF(16, 12));
  return QIcon(pixmap);
}

}  // namespace

QIcon AppIcon() {
  const QString candidates[] = {
      QString::fromStdString((DataFiles().programFolder / "corvaline.png").string()),
      QCoreApplication::applicationDirPath() + "/../share/corvaline/corvaline.png",
      QCoreApplication::applicationDirPath() + "/../share/icons/hicolor/64x64/apps/corvaline.png",
  };
  for (const QString& path : candidates) {
    if (QFile::exists(path)) {
      QIcon icon(path);
      if (!icon.isNull()) return icon;
    }
  }
  return DrawnIcon();
}

}  // namespace corvaline::gui
