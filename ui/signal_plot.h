#pragma once
// Rendering of the "Signal" tab's plots from plain data: one channel plot
// (grid, the samples as one polyline coloured by the selection, value labels,
// selection markers) and the sample-number strip under the plots. Nothing
// here knows a widget, so the pictures are testable in a QImage.

#include <QColor>
#include <QPainter>
#include <cstdint>
#include <span>

#include "core/chart_axes.h"
#include "core/scale.h"

namespace vorenta {

inline const QColor kPlotBackground(230, 230, 230);
inline const QColor kPlotGrid(200, 200, 200);
inline const QColor kPlotAxisText(100, 100, 100);
inline const QColor kPlotOutsideSelection(150, 150, 150);
inline const QColor kPlotSelection(0, 0, 0);
inline const QColor kPlotMarker(100, 100, 100);
inline const QColor kRubberBand(127, 127, 127);

// What one channel plot shows.
struct SignalPlotData {
  std::span<const double> samples;  // the channel; positions past it read 0
  std::int64_t signalLength = 0;    // positions 0 .. signalLength - 1 are drawn
  std::int32_t selectionStart = 0;
  std::int32_t selectionEnd = -1;
  TickSteps steps;                  // of the horizontal axis
};

// Paints a channel plot over the whole `scale` (width x height pixels,
// already sized): background, grid (vertical lines at the non-negative
// multiples of the grid step, width 1, then of the label step, width 2;
// horizontal lines every 20 rows), the samples (sample i at (i, value)) grey
// before the selection, black inside it and grey after it, the value labels
// of the top and bottom rows, and the two selection markers.
//
// The polyline is drawn as its per-column envelope: consecutive samples that
// fall on the same pixel column become one vertical stroke from their lowest
// to their highest row plus the joins to the neighbouring columns, which
// covers exactly the pixels of drawing every sample, at a cost of a few
// points per column. The walk reaches one sample past each edge so that the
// segments leaving the view are drawn too.
void PaintSignalPlot(QPainter& painter, const Scale& scale, const SignalPlotData& data);

// Draws samples first .. last (inclusive) of `samples` as a polyline joined
// to the painter's current point `pen`, in the painter's pen; updates `pen`
// to the last point. The envelope rule above. Out-of-range reads give 0.
void DrawSampleRun(QPainter& painter, const Scale& scale, std::span<const double> samples,
                   std::int64_t first, std::int64_t last, PixelPoint& pen);

// Paints the sample strip (width x height) under the plots, with the
// horizontal mapping of `axis`: background, then at every non-negative
// multiple of the label step inside the axis range a tick through the strip
// and the sample number, centred on it, kept inside the strip, 4 pixels from
// the top.
void PaintSampleStrip(QPainter& painter, const Scale& axis, int width, int height, TickSteps steps);

// Paints the rubber band of a zoom drag, the rectangle with corners `from`
// and `to` or the line between them, in not-xor mode with a transparent
// brush, so that painting it twice restores the picture.
void PaintRubberBand(QPainter& painter, QPoint from, QPoint to, bool rectangle);

}  // namespace vorenta
