#include "numeric/newton_line_search.h"

#include <cmath>

namespace vorenta {
namespace {

constexpr double kSufficientDecrease = 1e-4;
constexpr double kGrowth = 4.0;
constexpr double kSafeguard = 0.1;

struct Trial {
  double step, value, slope;
};

// Minimiser of the cubic through (a, phi, phi') and (b, phi, phi'), or the
// midpoint when it has none; kept kSafeguard of the width inside.
double CubicStep(const Trial& a, const Trial& b) {
  const double width = b.step - a.step;
  double u = 0.5 * (a.step + b.step);
  const double d1 = a.slope + b.slope - 3.0 * (a.value - b.value) / (a.step - b.step);
  const double radicand = d1 * d1 - a.slope * b.slope;
  if (radicand >= 0.0) {
    const double d2 = std::copysign(std::sqrt(radicand), width);
    const double denominator = b.slope - a.slope + 2.0 * d2;
    if (denominator != 0.0) {
      const double candidate = b.step - width * (b.slope + d2 - d1) / denominator;
      if (std::isfinite(candidate)) u = candidate;
    }
  }
  const double low = std::fmin(a.step, b.step) + kSafeguard * std::fabs(width);
  const double high = std::fmax(a.step, b.step) - kSafeguard * std::fabs(width);
  return std::fmin(std::fmax(u, low), high);
}

class GradientSearch {
 public:
  GradientSearch(GradientLineFunction& phi, const GradientSearchSettings& s) : phi_(phi), s_(s) {}

  LineSearchResult Run() {
    if (!(s_.slope0 < 0.0)) return {false, 0.0, s_.value0, 0};
    Trial previous{0.0, s_.value0, s_.slope0};
    double step = std::fmin(s_.firstStep, s_.maxStep);
    if (!(step > 0.0)) return Failed();
    for (bool first = true;; first = false) {
      if (calls_ >= s_.callBudget) return Best();
      const Trial t = Evaluate(step);
      if (!Sufficient(t) || (!first && t.value >= previous.value)) return Zoom(previous, t);
      if (Flat(t)) return Accepted(t);
      if (t.slope >= 0.0) return Zoom(t, previous);
      if (step >= s_.maxStep) return Accepted(t);
      previous = t;
      step = std::fmin(kGrowth * step, s_.maxStep);
    }
  }

 private:
  Trial Evaluate(double step) {
    ++calls_;
    Trial t{step, 0.0, 0.0};
    phi_.ValueAndSlopeAt(step, t.value, t.slope);
    if (Sufficient(t) && t.step > 0.0 && (!haveBest_ || t.value < best_.value)) {
      best_ = t;
      haveBest_ = true;
    }
    return t;
  }

  bool Sufficient(const Trial& t) const {
    return t.value <= s_.value0 + kSufficientDecrease * t.step * s_.slope0;
  }
  bool Flat(const Trial& t) const { return std::fabs(t.slope) <= -s_.eta * s_.slope0; }

  // lo has sufficient decrease and the lowest value; the minimum lies
  // between lo and hi.
  LineSearchResult Zoom(Trial lo, Trial hi) {
    for (;;) {
      if (calls_ >= s_.callBudget || std::fabs(hi.step - lo.step) <= s_.smallestWidth)
        return Best();
      const Trial t = Evaluate(CubicStep(lo, hi));
      if (!Sufficient(t) || t.value >= lo.value) {
        hi = t;
        continue;
      }
      if (Flat(t)) return Accepted(t);
      if (t.slope * (hi.step - lo.step) >= 0.0) hi = lo;
      lo = t;
    }
  }

  LineSearchResult Accepted(const Trial& t) const { return {true, t.step, t.value, calls_}; }
  LineSearchResult Best() const { return haveBest_ ? Accepted(best_) : Failed(); }
  LineSearchResult Failed() const { return {false, 0.0, s_.value0, calls_}; }

  GradientLineFunction& phi_;
  const GradientSearchSettings& s_;
  Trial best_{0.0, 0.0, 0.0};
  bool haveBest_ = false;
  int calls_ = 0;
};

}  // namespace

LineSearchResult SearchStepByGradients(GradientLineFunction& phi, const GradientSearchSettings& s) {
  return GradientSearch(phi, s).Run();
}

}  // namespace vorenta
