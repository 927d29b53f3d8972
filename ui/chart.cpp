#include "ui/chart.h"

#include <QWidget>

namespace vorenta {

Chart::Chart(QWidget* surface) : surface_(surface) { FitToSurface(); }

void Chart::FitToSurface() {
  if (surface_ == nullptr) return;
  SetWidth(surface_->width());
  SetHeight(surface_->height());
}

void ChartPen::LineTo(double x, double y, const QColor& colour, int width) {
  const QPen previous = painter_.pen();
  QPen pen = previous;
  pen.setColor(colour);
  pen.setWidth(width);
  painter_.setPen(pen);
  LineTo(x, y);
  painter_.setPen(previous);
}

void ChartPen::LineToPixel(PixelPoint target) {
  painter_.drawLine(position_.column, position_.row, target.column, target.row);
  position_ = target;
}

}  // namespace vorenta
