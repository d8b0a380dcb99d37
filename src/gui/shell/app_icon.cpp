#include "gui/shell/app_icon.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPixmap>


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
  const QString share = QCoreApplication::applicationDirPath() + "/../share";
  QIcon icon;
  // The build tree keeps the drawn sizes beside the data files; an installed
  // program finds them in the icon theme folders.
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString built = share + QString("/corvaline/icons/corvaline-%1.png").arg(size);
    const QString installed = share + QString("/icons/hicolor/%1x%1/apps/corvaline.png").arg(size);
    if (QFile::exists(built))
      icon.addFile(built, QSize(size, size));
    else if (QFile::exists(installed))
      icon.addFile(installed, QSize(size, size));
  }
  if (!icon.isNull()) return icon;
  const QIcon themed = QIcon::fromTheme(QStringLiteral("corvaline"));
  return themed.isNull() ? DrawnIcon() : themed;
}

}  // namespace corvaline::gui
