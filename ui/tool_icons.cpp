#include "ui/tool_icons.h"

#include <QPainter>
#include <algorithm>
#include <QPixmap>

namespace vorenta {

namespace {

void Arrow(QPainter& painter, QPoint from, QPoint to) {
  painter.drawLine(from, to);
  const QPoint direction = (to - from) / std::max(1, static_cast<int>((to - from).manhattanLength()) / 4);
  const QPoint side(-direction.y(), direction.x());
  painter.drawLine(to, to - direction + side);
  painter.drawLine(to, to - direction - side);
}

}  // namespace

QIcon SignalToolIcon(int tool) {
  if (tool < 1 || tool > 5) return {};
  QPixmap pixmap(31, 31);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(40, 40, 40), 2));
  switch (tool) {
    case 1:
      painter.drawRect(6, 8, 19, 15);
      painter.drawLine(18, 16, 27, 26);
      break;
    case 2:
      Arrow(painter, QPoint(15, 15), QPoint(3, 15));
      Arrow(painter, QPoint(15, 15), QPoint(27, 15));
      break;
    case 3:
      Arrow(painter, QPoint(15, 15), QPoint(15, 3));
      Arrow(painter, QPoint(15, 15), QPoint(15, 27));
      break;
    case 4:
      painter.drawRect(4, 4, 23, 23);
      painter.drawPolyline(QPolygon({QPoint(6, 16), QPoint(11, 9), QPoint(16, 20), QPoint(21, 11), QPoint(25, 16)}));
      break;
    default:
      Arrow(painter, QPoint(15, 15), QPoint(3, 15));
      Arrow(painter, QPoint(15, 15), QPoint(27, 15));
      Arrow(painter, QPoint(15, 15), QPoint(15, 3));
      Arrow(painter, QPoint(15, 15), QPoint(15, 27));
      break;
  }
  return QIcon(pixmap);
}

}  // namespace vorenta
