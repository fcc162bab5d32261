#include "qt/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace korvane {

QIcon ProgramIcon() {
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(46, 110, 90));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(2, 2, 60, 60, 12, 12);
  p.setPen(QPen(QColor(240, 250, 250), 3));
  p.drawLine(32, 16, 32, 30);
  p.drawLine(16, 30, 48, 30);
  p.drawLine(16, 30, 16, 42);
  p.drawLine(48, 30, 48, 42);
  p.setBrush(QColor(240, 250, 250));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(32, 14), 6, 6);
  p.drawEllipse(QPointF(16, 46), 6, 6);
  p.drawEllipse(QPointF(48, 46), 6, 6);
  return QIcon(pixmap);
}

}  // namespace korvane
