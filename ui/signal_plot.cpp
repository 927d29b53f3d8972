#include "ui/signal_plot.h"

#include <algorithm>
#include <cmath>

namespace vorenta {

namespace {

double SampleAt(std::span<const double> samples, std::int64_t i) {
  return (i >= 0 && i < static_cast<std::int64_t>(samples.size())) ? samples[static_cast<std::size_t>(i)] : 0.0;
}

// The first index k > i whose column differs from `column`; columns are
// non-decreasing in the index, so a guess from the inverse mapping is only
// corrected by a step or two.
std::int64_t EndOfColumn(const Scale& scale, std::int64_t i, std::int64_t last, int column) {
  if (scale.XScale() <= 0.0) return last + 1;
  double guess = std::ceil(scale.XAt(column + 1.0));
  std::int64_t k = std::clamp<std::int64_t>(static_cast<std::int64_t>(std::clamp(guess, -1e18, 1e18)), i + 1, last + 1);
  while (k > i + 1 && scale.Column(static_cast<double>(k - 1)) != column) --k;
  while (k <= last && scale.Column(static_cast<double>(k)) == column) ++k;
  return k;
}

void DrawGrid(QPainter& painter, const Scale& scale, TickSteps steps) {
  QPen pen(kPlotGrid);
  const auto vertical_lines = [&](double step, int width) {
    if (!(step > 0)) return;
    pen.setWidth(width);
    painter.setPen(pen);
    const double first = std::max(0.0, std::ceil(scale.XMin() / step));
    for (double k = first; k * step < scale.XMax(); k += 1) {
      const int column = scale.Column(k * step);
      painter.drawLine(column, 0, column, scale.Height() - 1);
    }
  };
  vertical_lines(steps.grid, 1);
  vertical_lines(steps.label, 2);
  pen.setWidth(1);
  painter.setPen(pen);
  for (int row = 0; row < scale.Height(); row += 20) painter.drawLine(0, row, scale.Width() - 1, row);
}

void DrawMarker(QPainter& painter, const Scale& scale, std::int32_t position) {
  if (position < 0) return;
  const PixelPoint bottom = scale.MoveTarget(position, scale.YMin());
  const PixelPoint top = scale.LineTarget(position, scale.YMax());
  painter.drawLine(bottom.column, bottom.row, top.column, top.row);
}

}  // namespace

void DrawSampleRun(QPainter& painter, const Scale& scale, std::span<const double> samples,
                   std::int64_t first, std::int64_t last, PixelPoint& pen) {
  std::int64_t i = first;
  while (i <= last) {
    const int column = scale.Column(static_cast<double>(i));
    const std::int64_t end = EndOfColumn(scale, i, last, column);
    const double firstValue = SampleAt(samples, i);
    const double lastValue = SampleAt(samples, end - 1);
    double low = firstValue;
    double high = firstValue;
    if (i >= 0 && end <= static_cast<std::int64_t>(samples.size())) {
      // Plain compare-and-select loops, which the compiler turns into vector
      // min/max over the long stretches of a whole-signal view.
      const double* values = samples.data();
      for (std::int64_t k = i + 1; k < end; ++k) {
        const double v = values[k];
        low = v < low ? v : low;
        high = v > high ? v : high;
      }
    } else {
      for (std::int64_t k = i + 1; k < end; ++k) {
        low = std::min(low, SampleAt(samples, k));
        high = std::max(high, SampleAt(samples, k));
      }
    }
    const PixelPoint start = scale.LineTarget(static_cast<double>(i), firstValue);
    painter.drawLine(pen.column, pen.row, start.column, start.row);
    pen = start;
    if (end - i > 1) {
      const int top = scale.LineTarget(0, high).row;
      const int bottom = scale.LineTarget(0, low).row;
      painter.drawLine(start.column, top, start.column, bottom);
      pen = scale.LineTarget(static_cast<double>(end - 1), lastValue);
    }
    i = end;
  }
}

void PaintSignalPlot(QPainter& painter, const Scale& scale, const SignalPlotData& data) {
  painter.fillRect(0, 0, scale.Width(), scale.Height(), kPlotBackground);
  DrawGrid(painter, scale, data.steps);

  const double left = scale.XAt(0);
  const double right = scale.XAt(scale.Width());
  const std::int64_t leftmost = static_cast<std::int64_t>(std::clamp(left, -1e18, 1e18));
  const std::int64_t first = std::max<std::int64_t>(leftmost, 0);
  const std::int64_t last =
      std::min<std::int64_t>(data.signalLength - 1, static_cast<std::int64_t>(std::clamp(right, -1e18, 1e18)) + 1);
  PixelPoint pen = scale.MoveTarget(left, SampleAt(data.samples, leftmost));
  const auto run = [&](std::int64_t from, std::int64_t to, const QColor& colour) {
    painter.setPen(QPen(colour, 1));
    DrawSampleRun(painter, scale, data.samples, std::max(from, first), std::min(to, last), pen);
  };
  run(first, data.selectionStart, kPlotOutsideSelection);
  run(data.selectionStart, data.selectionEnd, kPlotSelection);
  run(data.selectionEnd, last, kPlotOutsideSelection);

  painter.setPen(kPlotAxisText);
  const int textHeight = painter.fontMetrics().height();
  painter.drawText(QRect(0, 0, scale.Width(), textHeight), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromStdString(FormatAxisValue(scale.YAt(0))));
  painter.drawText(QRect(0, scale.Height() - 15, scale.Width(), textHeight), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromStdString(FormatAxisValue(scale.YAt(scale.Height() - 1))));

  painter.setPen(QPen(kPlotMarker, 1));
  DrawMarker(painter, scale, data.selectionStart);
  DrawMarker(painter, scale, data.selectionEnd);
}

void PaintSampleStrip(QPainter& painter, const Scale& axis, int width, int height, TickSteps steps) {
  painter.fillRect(0, 0, width, height, kPlotBackground);
  if (!(steps.label > 0)) return;
  const QPen tickPen(kPlotGrid, 2);
  const QFontMetrics metrics = painter.fontMetrics();
  const double first = std::max(0.0, std::ceil(axis.XMin() / steps.label));
  for (double k = first; k * steps.label <= axis.XMax(); k += 1) {
    const double x = k * steps.label;
    const int column = axis.LineTarget(x, 0).column;
    painter.setPen(tickPen);
    painter.drawLine(column, 0, column, height - 1);
    const QString text = QString::fromStdString(FormatAxisSample(x));
    const int textWidth = metrics.horizontalAdvance(text);
    int textLeft = column - textWidth / 2;
    if (textLeft + textWidth > width) textLeft = width - textWidth;
    if (textLeft < 0) textLeft = 0;
    painter.setPen(kPlotAxisText);
    painter.drawText(QRect(textLeft, 4, textWidth, metrics.height()), Qt::AlignLeft | Qt::AlignTop, text);
  }
}

void PaintRubberBand(QPainter& painter, QPoint from, QPoint to, bool rectangle) {
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  painter.setPen(QPen(kRubberBand, 1));
  painter.setBrush(Qt::NoBrush);
  if (rectangle) {
    painter.drawRect(QRect(from, to).normalized());
  } else {
    painter.drawLine(from, to);
  }
  painter.restore();
}

}  // namespace vorenta
