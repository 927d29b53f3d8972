#include "numeric/quasi_newton_line_search.h"

#include <cmath>

namespace vorenta {
namespace {

constexpr double kSufficientDecrease = 1e-4;
constexpr double kInterpolatedGrowth = 10.0;
constexpr double kBlindGrowth = 4.0;
constexpr double kGoldenSection = 0.3819660112501051;

struct Point {
  double step;
  double value;
};

class StepSearch {
 public:
  StepSearch(LineFunction& phi, const LineSearchSettings& settings)
      : phi_(phi),
        s_(settings),
        best_{0.0, settings.value0},
        lower_{0.0, settings.value0},
        upper_(settings.maxStep + Tolerance(settings.maxStep)) {}

  LineSearchResult Run() {
    if (!(s_.slope0 < 0.0)) return {false, 0.0, s_.value0, 0};
    double step = std::fmin(s_.firstStep, s_.maxStep);
    if (!(step > 0.0)) step = std::fmin(Tolerance(0.0), s_.maxStep);
    for (;;) {
      Record({step, Evaluate(step)});
      const double tol = Tolerance(best_.step);
      const double width = upper_ - lower_.step;
      if (std::fabs(0.5 * (lower_.step + upper_) - best_.step) <= 2.0 * tol - 0.5 * width) break;
      if (upper_ < s_.minStep) return Failed();
      const bool decreased = best_.value < s_.value0;
      const bool steep =
          lower_.value - best_.value > s_.eta * std::fabs(s_.slope0) * (best_.step - lower_.step);
      if (decreased && !steep) break;
      if (calls_ >= s_.callBudget) break;
      if (!NextTrial(tol, step)) break;
    }
    return Accept();
  }

 private:
  double Tolerance(double step) const {
    return s_.relativeTolerance * std::fabs(step) + s_.absoluteTolerance;
  }

  double Evaluate(double step) {
    ++calls_;
    ++trials_;
    return phi_.ValueAt(step);
  }

  void Remember(Point p) {
    older_ = latest_;
    latest_ = p;
    ++others_;
  }

  void Record(Point trial) {
    if (trial.value < best_.value) {
      if (trial.step > best_.step) {
        lower_ = best_;
      } else {
        upper_ = best_.step;
        upperOpen_ = false;
      }
      Remember(best_);
      best_ = trial;
    } else {
      if (trial.step > best_.step) {
        upper_ = trial.step;
        upperOpen_ = false;
      } else {
        lower_ = trial;
      }
      Remember(trial);
    }
  }

  // The vertex of the interpolating parabola, or false when it has none.
  bool ParabolaVertex(double& vertex) const {
    if (trials_ == 1) {
      // Through phi(0), phi'(0) and the first trial.
      const Point& trial = best_.step != 0.0 ? best_ : latest_;
      const double curvature = trial.value - s_.value0 - s_.slope0 * trial.step;
      if (!(curvature > 0.0)) return false;
      vertex = -s_.slope0 * trial.step * trial.step / (2.0 * curvature);
      return std::isfinite(vertex);
    }
    const double b = best_.step, fb = best_.value;
    // Coinciding abscissae give no parabola (and must not divide by zero).
    if (others_ < 2 || latest_.step == b || older_.step == b || latest_.step == older_.step) {
      return false;
    }
    const double r = (b - latest_.step) * (fb - older_.value);
    const double q = (b - older_.step) * (fb - latest_.value);
    const double denominator = 2.0 * (q - r);
    const double slopeLatest = (latest_.value - fb) / (latest_.step - b);
    const double slopeOlder = (older_.value - fb) / (older_.step - b);
    const double curvature = (slopeLatest - slopeOlder) / (latest_.step - older_.step);
    if (!(curvature > 0.0) || denominator == 0.0) return false;
    vertex = b - ((b - older_.step) * q - (b - latest_.step) * r) / denominator;
    return std::isfinite(vertex);
  }

  bool NextTrial(double tol, double& step) {
    const double b = best_.step;
    double u = 0.0;
    const bool interpolated = ParabolaVertex(u);
    if (upperOpen_ && (!interpolated || u > b)) {
      const double reach = b - lower_.step;
      const double limit =
          b + (interpolated ? kInterpolatedGrowth : kBlindGrowth) * (reach > tol ? reach : tol);
      u = interpolated ? std::fmin(u, limit) : limit;
    } else if (!interpolated || !(u > lower_.step && u < upper_)) {
      const double end = upper_ - b > b - lower_.step ? upper_ : lower_.step;
      u = b + kGoldenSection * (end - b);
    }
    // Keep clear of the interval ends and of the best step.
    const double low = lower_.step + tol, high = upper_ - tol;
    if (low <= high) {
      u = std::fmin(std::fmax(u, low), high);
    } else {
      u = 0.5 * (lower_.step + upper_);
    }
    if (std::fabs(u - b) < tol) {
      u = upper_ - b > b - lower_.step ? b + tol : b - tol;
    }
    u = std::fmin(u, s_.maxStep);
    if (!(u > 0.0) || u == b) return false;
    step = u;
    return true;
  }

  bool Sufficient(const Point& p) const {
    return s_.value0 - p.value > kSufficientDecrease * p.step * std::fabs(s_.slope0);
  }

  LineSearchResult Accept() {
    if (best_.step > 0.0 && Sufficient(best_)) return {true, best_.step, best_.value, calls_};
    if (!(best_.step > 0.0)) return Failed();
    for (double factor = 0.5; best_.step * factor > s_.absoluteTolerance && calls_ < s_.callBudget;
         factor *= factor) {
      const Point cut{best_.step * factor, Evaluate(best_.step * factor)};
      if (Sufficient(cut)) return {true, cut.step, cut.value, calls_};
    }
    return Failed();
  }

  LineSearchResult Failed() const { return {false, 0.0, s_.value0, calls_}; }

  LineFunction& phi_;
  const LineSearchSettings& s_;
  Point best_;
  Point lower_;
  double upper_;
  bool upperOpen_ = true;
  Point latest_{0.0, 0.0};
  Point older_{0.0, 0.0};
  int others_ = 0;
  int trials_ = 0;
  int calls_ = 0;
};

}  // namespace

LineSearchResult SearchStepByValues(LineFunction& phi, const LineSearchSettings& settings) {
  return StepSearch(phi, settings).Run();
}

}  // namespace vorenta
