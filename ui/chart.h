#pragma once
// A Scale bound to the paint surface it maps onto, and the pen that draws in
// data coordinates through such a mapping.

#include <QColor>
#include <QPainter>

#include "core/scale.h"

class QWidget;

namespace vorenta {

// The mapping of one plot. Keeps no data; callers refresh the pixel size
// (FitToSurface) before drawing because surfaces follow the window size.
class Chart : public Scale {
 public:
  // Initial ranges of Scale, sized to `surface` (not owned, may be null for
  // a chart that only maps).
  explicit Chart(QWidget* surface);

  // Width and height := the surface's current size (non-positive sizes are
  // ignored, as by the setters).
  void FitToSurface();
  QWidget* Surface() const { return surface_; }

 private:
  QWidget* surface_;
};

// Draws polylines in data coordinates: every point goes through the
// mapping of `scale` and is limited to ten surface sizes (Scale::MoveTarget,
// Scale::LineTarget), so far-off points are drawn toward, never lost.
class ChartPen {
 public:
  ChartPen(QPainter& painter, const Scale& scale) : painter_(painter), scale_(scale) {}

  void MoveTo(double x, double y) { position_ = scale_.MoveTarget(x, y); }
  // A line from the pen position with the painter's current pen.
  void LineTo(double x, double y) { LineToPixel(scale_.LineTarget(x, y)); }
  // As LineTo, with `colour` and `width` for this one segment only.
  void LineTo(double x, double y, const QColor& colour, int width);
  // A line to a pixel already mapped.
  void LineToPixel(PixelPoint target);
  PixelPoint Position() const { return position_; }

 private:
  QPainter& painter_;
  const Scale& scale_;
  PixelPoint position_;
};

}  // namespace vorenta
