#include "core/scale.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vorenta {

int TruncToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

Scale::Scale() {
  UpdateX();
  UpdateY();
}

void Scale::UpdateX() {
  x_scale_ = x_max_ > x_min_ ? (width_ - 1) / (x_max_ - x_min_) : 0.0;
  if (!std::isfinite(x_scale_)) x_scale_ = 0.0;
  x_offset_ = 0.0;
}

void Scale::UpdateY() {
  y_scale_ = y_max_ > y_min_ ? (height_ - 1) / (y_max_ - y_min_) : 0.0;
  if (!std::isfinite(y_scale_)) y_scale_ = 0.0;
  y_offset_ = height_ + y_min_ * y_scale_ - 1;
}

void Scale::SetWidth(int w) {
  if (w <= 0) return;
  width_ = w;
  UpdateX();
}

void Scale::SetHeight(int h) {
  if (h <= 0) return;
  height_ = h;
  UpdateY();
}

void Scale::SetXRange(double a, double b) {
  x_min_ = std::min(a, b);
  x_max_ = std::max(a, b);
  UpdateX();
}

void Scale::SetYRange(double a, double b) {
  y_min_ = std::min(a, b);
  y_max_ = std::max(a, b);
  UpdateY();
}

void Scale::SetRanges(double x1, double y1, double x2, double y2) {
  SetXRange(x1, x2);
  SetYRange(y1, y2);
}

int Scale::Column(double x) const { return TruncToInt((x - x_min_) * x_scale_ + x_offset_); }

int Scale::Row(double y) const { return TruncToInt(y_offset_ - y * y_scale_ + 0.5); }

double Scale::XAt(double p) const {
  if (x_scale_ == 0.0) return x_min_;
  return (p - x_offset_) / x_scale_ + x_min_;
}

double Scale::YAt(double r) const {
  if (y_scale_ == 0.0) return y_min_;
  return (y_offset_ - r) / y_scale_;
}

int Scale::SampleAt(int p) const { return TruncToInt(XAt(p)); }

namespace {

// Limits v to -10*size - 1 .. 10*size + 1, computed in 64 bits so that
// 10*size cannot overflow.
int LimitToBand(int v, int size) {
  const long long limit = 10LL * size + 1;
  return static_cast<int>(std::clamp<long long>(v, -limit, limit));
}

}  // namespace

PixelPoint Scale::MoveTarget(double x, double y) const {
  PixelPoint point{Column(x), Row(y)};
  const long long far = 10LL * width_;
  if (point.column > far) {
    point.column = static_cast<int>(far);
  } else if (point.column < -far) {
    point.column = static_cast<int>(-far - 1);
  }
  point.row = LimitToBand(point.row, height_);
  return point;
}

PixelPoint Scale::LineTarget(double x, double y) const {
  return PixelPoint{LimitToBand(Column(x), width_), LimitToBand(Row(y), height_)};
}

}  // namespace vorenta
