#pragma once
// Linear mapping between a rectangle of data values and a rectangle of pixels,
// shared by every plot and by the time-frequency image renderer.

namespace vorenta {

// A pixel position; columns grow to the right, rows downwards.
struct PixelPoint {
  int column = 0;
  int row = 0;
};

// Maps data (x, y) to pixel (column, row) so that x min is column 0, x max is
// column width - 1, y max is row 0 and y min is row height - 1.
//
// Invariant after every operation:
//   x scale  = (width - 1) / (x max - x min)   when x max > x min, else 0
//   y scale  = (height - 1) / (y max - y min)  when y max > y min, else 0
//   y offset = height + y min * y scale - 1    (the unrounded row of y = 0)
// Initial state: y range 0..1, x range 0..1, size 1 x 1, x offset 0.
// No operation allocates; degenerate ranges give a scale of 0, never a fault.
class Scale {
 public:
  Scale();

  // Ignored when w <= 0; otherwise width := w, x scale recomputed, x offset 0.
  void SetWidth(int w);
  // Ignored when h <= 0; otherwise height := h, y scale and y offset recomputed.
  void SetHeight(int h);
  // x min := min(a, b), x max := max(a, b); x scale recomputed; x offset 0.
  void SetXRange(double a, double b);
  // y min := min(a, b), y max := max(a, b); y scale and y offset recomputed.
  void SetYRange(double a, double b);
  // Both ranges in one step, as the two setters above.
  void SetRanges(double x1, double y1, double x2, double y2);

  // trunc((x - x min) * x scale + x offset), saturated to the int range
  // (NaN gives 0) so that far-off points stay representable.
  int Column(double x) const;
  // trunc(y offset - y * y scale + 0.5), saturated like Column.
  int Row(double y) const;
  // (p - x offset) / x scale + x min; x min when the x scale is 0 (a
  // collapsed range has no inverse, every column stands for x min).
  double XAt(double p) const;
  // (y offset - r) / y scale; y min when the y scale is 0.
  double YAt(double r) const;
  // trunc(XAt(p)), saturated to the int range.
  int SampleAt(int p) const;

  // The pen target of a move-to: column limited to at most 10*width and,
  // below -10*width, set to -10*width - 1; row limited to
  // -10*height - 1 .. 10*height + 1.
  PixelPoint MoveTarget(double x, double y) const;
  // The end point of a line-to: both coordinates limited to the band
  // -10*size - 1 .. 10*size + 1 of their axis.
  PixelPoint LineTarget(double x, double y) const;

  double XMin() const { return x_min_; }
  double XMax() const { return x_max_; }
  double YMin() const { return y_min_; }
  double YMax() const { return y_max_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  double XScale() const { return x_scale_; }
  double YScale() const { return y_scale_; }
  double XOffset() const { return x_offset_; }
  double YOffset() const { return y_offset_; }

 private:
  void UpdateX();
  void UpdateY();

  double y_max_ = 1;
  double y_min_ = 0;
  double x_min_ = 0;
  double x_max_ = 1;
  int width_ = 1;
  int height_ = 1;
  double x_offset_ = 0;
  double x_scale_ = 0;
  double y_offset_ = 0;
  double y_scale_ = 0;
};

// trunc(v) toward zero, saturated to the int range; NaN gives 0.
int TruncToInt(double v);

}  // namespace vorenta
