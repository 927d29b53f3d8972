#include <algorithm>
#include <cmath>

#include "numeric/failure.h"
#include "numeric/minimiser_vectors.h"
#include "numeric/quasi_newton.h"
#include "numeric/quasi_newton_bounds.h"
#include "numeric/quasi_newton_factors.h"
#include "numeric/quasi_newton_line_search.h"

namespace vorenta {
namespace {

constexpr double kEps = MachineEpsilon();
const double kRootEps = std::sqrt(kEps);
const double kEpsTwoThirds = std::pow(kEps, 0.6666);
constexpr double kLargeVariable = 99999000.0;
constexpr int kCallsPerVariable = 400;
constexpr int kSearchCallBudget = 20;
constexpr int kLocalProbes = 12;
constexpr double kProbeGrowth = 5.0;

// Leaves the run at the first non-finite objective value.
struct NotFiniteValue {};

double Divide(double a, double b) {
  bool failed = false;
  return SafeDivide(a, b, failed);
}

class QuasiNewtonRun {
 public:
  QuasiNewtonRun(int n, const BoundView& bounds, double* x, double& f, ObjectiveFunction objective,
                 int* state, double* w)
      : n_(n),
        bounds_(bounds),
        x_(x),
        f_(f),
        objective_(objective),
        state_(state),
        delta_(w),
        g_(w + n),
        diagonal_(w + 2 * n),
        p_(w + 3 * n),
        freeP_(w + 4 * n),
        freeG_(w + 5 * n),
        trial_(w + 6 * n),
        anchor_(w + 7 * n),
        previousG_(w + 8 * n),
        scratchT_(w + 9 * n),
        scratchZ_(w + 10 * n),
        lower_(w + 11 * n) {
    maxcal_ = kCallsPerVariable * n;
    eta_ = n == 1 ? 0.0 : 0.5;
    xtol_ = 100.0 * kRootEps;
    stepMax_ = std::fmax(Norm(n, x), 10.0);
  }

  int Run() {
    try {
      if (!EstimateStart()) return kQuasiNewtonBadArguments;
      const int code = Iterate();
      return Classify(code);
    } catch (const NotFiniteValue&) {
      if (!haveValue_) f_ = LargestReal();
      return kQuasiNewtonNotFinite;
    }
  }

 private:
  // ---- evaluation -------------------------------------------------------
  double Evaluate(const double* point) {
    double value = 0.0;
    ++calls_;
    objective_(n_, point, &value);
    if (!std::isfinite(value)) throw NotFiniteValue{};
    return value;
  }

  void CopyX(double* to) const {
    for (int i = 0; i < n_; ++i) to[i] = x_[i];
  }

  // Point base + step·direction, kept inside the bounds against rounding.
  void PointAlong(const double* base, const double* direction, double step, double* to) const {
    for (int i = 0; i < n_; ++i) {
      const double value = direction[i] == 0.0 ? base[i] : base[i] + step * direction[i];
      to[i] = std::fmin(std::fmax(value, bounds_.Lower(i)), bounds_.Upper(i));
    }
  }

  class Line final : public LineFunction {
   public:
    Line(QuasiNewtonRun& run, const double* base, const double* direction)
        : run_(run), base_(base), direction_(direction) {}
    double ValueAt(double step) override {
      run_.PointAlong(base_, direction_, step, run_.trial_);
      return run_.Evaluate(run_.trial_);
    }

   private:
    QuasiNewtonRun& run_;
    const double* base_;
    const double* direction_;
  };

  // ---- gradient ---------------------------------------------------------
  double ForwardDifference(int i) {
    const double saved = trial_[i];
    trial_[i] = x_[i] + delta_[i];
    const double value = Evaluate(trial_);
    trial_[i] = saved;
    return (value - f_) / delta_[i];
  }

  double CentralDifference(int i, double step) {
    const double saved = trial_[i];
    trial_[i] = x_[i] + step;
    const double plus = Evaluate(trial_);
    trial_[i] = x_[i] - step;
    const double minus = Evaluate(trial_);
    trial_[i] = saved;
    return (plus - minus) / (2.0 * step);
  }

  // Gradient of the free variables; forward differences switch to central
  // ones for good once their error estimate exceeds a tenth of the gradient.
  void ComputeFreeGradient() {
    CopyX(trial_);
    if (!central_) {
      double largestError = kEps, largestG = 0.0;
      for (int i = 0; i < n_; ++i) {
        if (state_[i] <= 0) continue;
        g_[i] = ForwardDifference(i);
        largestError =
            std::fmax(largestError, (6.0 * std::fabs(f_) + 3.0) * kEps / delta_[i] + kEps);
        largestG = std::fmax(largestG, std::fabs(g_[i]));
      }
      if (freeCount_ == 0 || largestError <= 0.1 * largestG) return;
      central_ = true;
    }
    for (int i = 0; i < n_; ++i) {
      if (state_[i] > 0) g_[i] = CentralDifference(i, delta_[i]);
    }
  }

  void ComputeFixedGradient() {
    CopyX(trial_);
    for (int i = 0; i < n_; ++i) {
      if (state_[i] == kFixedAtUpper || state_[i] == kFixedAtLower) g_[i] = ForwardDifference(i);
    }
  }

  double SmallestInterval() const {
    double smallest = 1e6;
    for (int i = 0; i < n_; ++i) smallest = std::fmin(smallest, delta_[i]);
    return smallest;
  }

  // Free components of a full vector, in the order of the free set.
  void Gather(const double* full, double* packed) const {
    for (int i = 0; i < n_; ++i) {
      if (state_[i] > 0) packed[state_[i] - 1] = full[i];
    }
  }

  double FreeGradientNorm2() {
    Gather(g_, freeG_);
    return Dot(freeCount_, freeG_, freeG_);
  }

  // ---- start ------------------------------------------------------------
  // f, the intervals, the gradient and the diagonal curvature at x0.
  bool EstimateStart() {
    f_ = Evaluate(x_);
    haveValue_ = true;
    const double noise = 1.0 + 4.0 * std::fabs(f_);
    const double h = 30.0 * std::sqrt(kEps * noise);
    double* curvature = scratchT_;
    double* error = scratchZ_;
    CopyX(trial_);
    double largestError = kEps, weightedError = 0.0, largestG = 0.0, weightedG = 0.0;
    for (int i = 0; i < n_; ++i) {
      trial_[i] = x_[i] + h;
      const double plus = Evaluate(trial_);
      trial_[i] = x_[i] - h;
      const double minus = Evaluate(trial_);
      trial_[i] = x_[i];
      curvature[i] = std::fmax(std::fabs(plus + minus - 2.0 * f_) / (h * h), 0.01);
      g_[i] = (plus - minus) / (2.0 * h);
      delta_[i] = std::sqrt(6.0 * kEps * noise / curvature[i]);
      error[i] = ((2.0 * std::fabs(f_) + 1.0) * 3.0 / delta_[i] + 1.0) * kEps;
      largestError = std::fmax(largestError, error[i]);
      weightedError += std::fabs(g_[i]) * error[i] / curvature[i];
      largestG = std::fmax(largestG, std::fabs(g_[i]));
      weightedG += g_[i] * g_[i] / curvature[i];
    }
    weightedError = std::fmax(weightedError, kEps);
    const double ratio1 = largestError > 2.0 * largestG ? 1.0 : largestError / (2.0 * largestG);
    const double ratio2 = weightedError > weightedG ? 1.0 : weightedError / weightedG;
    if (ratio1 > 0.1 || ratio2 > 0.1) {
      for (int i = 0; i < n_; ++i) {
        if (error[i] > 0.1 * std::fabs(g_[i]))
          g_[i] = CentralDifference(i, std::pow(delta_[i], 2.0 / 3.0));
      }
    }
    for (int i = 0; i < n_; ++i) {
      if (x_[i] + delta_[i] == x_[i]) return false;
    }

    bool moved = false;
    freeCount_ = ClassifyVariables(n_, bounds_, x_, state_, moved);
    ResetFactors(freeCount_, lower_, diagonal_);
    Gather(curvature, diagonal_);
    conditioningLimit_ =
        0.01 / (std::sqrt(static_cast<double>(freeCount_ > 0 ? freeCount_ : n_)) * kEps);
    if (moved) {
      f_ = Evaluate(x_);
      ComputeFreeGradient();
    }
    fEstimate_ = 0.0;
    if (std::fabs(f_) <= kRootEps) fEstimate_ = -1.0;
    if (f_ < -kRootEps) fEstimate_ = 10.0 * f_;

    if (freeCount_ == 0) return true;
    double largest = diagonal_[0], smallest = diagonal_[0];
    for (int k = 1; k < freeCount_; ++k) {
      largest = std::fmax(largest, diagonal_[k]);
      smallest = std::fmin(smallest, diagonal_[k]);
    }
    return !(smallest < kEps || (smallest <= 1.0 && largest / smallest > conditioningLimit_));
  }

  // ---- bounds -----------------------------------------------------------
  // Fixes free variable i at a bound and removes it from the factors; f is
  // evaluated again when the move is not negligible.
  bool FixVariable(int i, bool atUpper, bool evaluateAlways) {
    const double bound = atUpper ? bounds_.Upper(i) : bounds_.Lower(i);
    const bool evaluate =
        evaluateAlways || std::fabs(bound - x_[i]) >= 10.0 * kEps * (std::fabs(bound) + 1.0);
    if (evaluate) {
      CopyX(trial_);
      trial_[i] = bound;
      f_ = Evaluate(trial_);
    }
    x_[i] = bound;
    const int position = state_[i] - 1;
    state_[i] = atUpper ? kFixedAtUpper : kFixedAtLower;
    for (int j = 0; j < n_; ++j) {
      if (state_[j] > position + 1) --state_[j];
    }
    const bool ok =
        DeleteFactorVariable(freeCount_, position, lower_, diagonal_, scratchZ_, scratchT_);
    --freeCount_;
    return ok;
  }

  void ReleaseVariable(int i) {
    AppendFactorVariable(freeCount_, lower_, diagonal_);
    state_[i] = ++freeCount_;
    LimitConditioning(freeCount_, diagonal_, conditioningLimit_);
  }

  // A free variable moving towards a bound it is within tolerance of:
  // fixed at once. Returns -1 or the variable; sets the largest step.
  int LargestStep(double pNorm, double& maxStep, bool& atUpper) const {
    maxStep = Divide(stepMax_, pNorm);
    return FreeVariableBlockingStep(n_, bounds_, state_, x_, p_, maxStep, atUpper);
  }

  // After a step: the first free variable within tolerance of the bound it
  // moved towards (towards either bound when direction is null).
  int VariableReachingBound(const double* direction, bool& atUpper) const {
    return FreeVariableReachingBound(n_, bounds_, state_, x_, direction, atUpper);
  }

  // ---- search -----------------------------------------------------------
  LineSearchSettings SearchSettings(double slope, double pNorm, double gNorm, double firstStep,
                                    double maxStep, bool useLowerLimit) const {
    LineSearchSettings s;
    const double xNorm = Norm(n_, x_);
    const double scale = std::fabs(f_) + 1.0;
    s.value0 = f_;
    s.slope0 = slope;
    s.firstStep = firstStep;
    s.maxStep = maxStep;
    s.eta = eta_;
    s.relativeTolerance = std::fmax(
        kEps, Divide(10.0 * kEps, std::sqrt(10.0 * kEps) - eta_ * Divide(slope, pNorm * gNorm)));
    s.absoluteTolerance = std::fmax(
        Divide(kEps * (xNorm + 1.0), pNorm),
        Divide(
            s.relativeTolerance * xNorm +
                Divide(10.0 * kEps * scale, std::sqrt(10.0 * kEps * scale) - Divide(slope, pNorm)),
            pNorm));
    s.minStep = useLowerLimit ? Divide(std::pow(SmallestInterval(), 0.6666), pNorm) : 0.0;
    s.callBudget = std::max(1, std::min(kSearchCallBudget, maxcal_ - calls_ + 1));
    return s;
  }

  // BFGS update of the factors with s = step·p and y = g - previous g,
  // as an update by y/sqrt(y's) and a downdate by g_old/sqrt(-g_old'p).
  bool UpdateFactors(double step) {
    double* s = scratchT_;
    double* y = scratchZ_;
    Gather(p_, s);
    Gather(previousG_, y);
    const double oldSlope = Dot(freeCount_, y, s);
    Gather(g_, freeG_);
    for (int k = 0; k < freeCount_; ++k) {
      y[k] = freeG_[k] - y[k];
      s[k] *= step;
    }
    const double ys = Dot(freeCount_, y, s);
    if (!(ys > 0.0) || !(oldSlope < 0.0)) return true;
    const double updateScale = 1.0 / std::sqrt(ys);
    for (int k = 0; k < freeCount_; ++k) freeP_[k] = y[k] * updateScale;
    if (!ModifyFactors(freeCount_, lower_, diagonal_, 0, 1.0, freeP_, scratchT_)) return false;
    Gather(previousG_, freeP_);
    const double downdateScale = 1.0 / std::sqrt(-oldSlope);
    for (int k = 0; k < freeCount_; ++k) freeP_[k] *= downdateScale;
    if (!ModifyFactors(freeCount_, lower_, diagonal_, 0, -1.0, freeP_, scratchT_)) return false;
    LimitConditioning(freeCount_, diagonal_, conditioningLimit_);
    return true;
  }

  // ---- iteration --------------------------------------------------------
  int Iterate() {
    ConvergenceMeasures m{f_, f_, 0.0, 0.0, 0.0, xtol_, false};
    for (;;) {
      if (calls_ > maxcal_) return kQuasiNewtonCallLimit;
      bool searchGaveUp = false;
      bool stepped = false;
      double gNorm2 = FreeGradientNorm2();
      if (freeCount_ > 0 && gNorm2 > 0.0) {
        SolveFactored(freeCount_, lower_, diagonal_, freeG_, freeP_);
        for (int i = 0; i < n_; ++i) p_[i] = state_[i] > 0 ? -freeP_[state_[i] - 1] : 0.0;
        const double slope = Dot(n_, g_, p_);
        const double pNorm = Norm(n_, p_);
        double maxStep = 0.0;
        bool atUpper = false;
        const int onBound = LargestStep(pNorm, maxStep, atUpper);
        if (onBound >= 0) {
          if (!FixVariable(onBound, atUpper, true)) return kQuasiNewtonUpdateFailed;
          continue;
        }
        const double gap = std::fabs(f_ - fEstimate_);
        double firstStep = (-slope >= 2.0 * gap && gap >= kEps) ? 2.0 * gap / -slope : 1.0;
        firstStep = std::fmin(firstStep, maxStep);
        Line line(*this, x_, p_);
        const LineSearchResult r = SearchStepByValues(
            line, SearchSettings(slope, pNorm, std::sqrt(gNorm2), firstStep, maxStep, !central_));
        if (!r.found) {
          if (!central_) {
            central_ = true;
            ComputeFreeGradient();
            continue;
          }
          const double scale = std::fabs(f_) + 1.0;
          if (conditioningLimit_ >= 100.0 && gNorm2 >= kEpsTwoThirds * scale * scale) {
            conditioningLimit_ = std::sqrt(conditioningLimit_);
            for (int k = 0; k < freeCount_; ++k) diagonal_[k] = std::sqrt(diagonal_[k]);
            continue;
          }
          if (conditioningLimit_ > 1.0) {
            conditioningLimit_ = 1.0;
            ResetFactors(freeCount_, lower_, diagonal_);
            continue;
          }
          searchGaveUp = true;
        } else {
          m.previousF = f_;
          PointAlong(x_, p_, r.step, x_);
          f_ = r.value;
          m.stepNorm = r.step * pNorm;
          m.stepTaken = stepped = true;
          bool up = false;
          const int reached = VariableReachingBound(p_, up);
          if (reached >= 0 && !FixVariable(reached, up, false)) return kQuasiNewtonUpdateFailed;
          for (int i = 0; i < n_; ++i) previousG_[i] = g_[i];
          if (central_ && r.step > Divide(std::pow(SmallestInterval(), 0.6666), pNorm))
            central_ = false;
          ComputeFreeGradient();
          gNorm2 = FreeGradientNorm2();
          if (std::sqrt(gNorm2) >= 10.0 * xtol_ && !UpdateFactors(r.step)) {
            return kQuasiNewtonUpdateFailed;
          }
        }
      }
      m.f = f_;
      m.gradientNorm2 = FreeGradientNorm2();
      m.xNorm = Norm(n_, x_);
      if (stepped && freeCount_ > 0 && !WorthTerminationCheck(m)) continue;

      bool converged = false;
      if (TerminationChecks(m, searchGaveUp, converged) == Verdict::kContinue) continue;
      if (!converged) return kQuasiNewtonNoLowerPoint;
      const double anchorF = f_;
      if (!LocalSearch()) return kQuasiNewtonConverged;
      // A lower point: fix what reached a bound, then resume unless it
      // already meets both closeness tests (then it is the result).
      bool up = false;
      const int reached = VariableReachingBound(nullptr, up);
      if (reached >= 0 && !FixVariable(reached, up, false)) return kQuasiNewtonUpdateFailed;
      ComputeFreeGradient();
      const double scale = std::fabs(f_) + 1.0;
      if (std::fabs(anchorF - f_) < (xtol_ + kEps) * scale &&
          FreeGradientNorm2() < (xtol_ + kEpsTwoThirds) * scale * scale) {
        return kQuasiNewtonConverged;
      }
      m.previousF = anchorF;
    }
  }

  enum class Verdict { kContinue, kStop };

  // The multiplier test and the convergence tests. kContinue: a variable
  // was released or the point is not yet converged; kStop with `converged`
  // telling whether the point was accepted.
  Verdict TerminationChecks(const ConvergenceMeasures& m, bool searchGaveUp, bool& converged) {
    bool anyFixed = false;
    for (int i = 0; i < n_; ++i)
      anyFixed |= state_[i] == kFixedAtUpper || state_[i] == kFixedAtLower;
    MultiplierVerdict v;
    if (anyFixed) {
      ComputeFixedGradient();
      v = MarkMultipliers(n_, state_, g_, freeCount_, std::sqrt(m.gradientNorm2));
      if (v.release >= 0) {
        ClearMarks(n_, state_);
        ReleaseVariable(v.release);
        return Verdict::kContinue;
      }
    }
    converged = PassesConvergenceTests(m);
    if (v.marked && (converged || searchGaveUp || freeCount_ == 0)) {
      if (ProbeMarkedVariables()) return Verdict::kContinue;
    }
    ClearMarks(n_, state_);
    if (!converged && !searchGaveUp) return Verdict::kContinue;
    return Verdict::kStop;
  }

  // Moves each doubtful fixed variable off its bound in turn; the first
  // that lowers f is released there.
  bool ProbeMarkedVariables() {
    for (int i = 0; i < n_; ++i) {
      if (!IsMarkedFixed(state_[i])) continue;
      CopyX(trial_);
      trial_[i] = OffBoundProbe(bounds_, state_, x_, i);
      const double value = Evaluate(trial_);
      if (value < f_) {
        ClearMarks(n_, state_);
        x_[i] = trial_[i];
        f_ = value;
        ReleaseVariable(i);
        ComputeFreeGradient();
        return true;
      }
    }
    return false;
  }

  // Around a converged point: probes along +-1 per free variable (towards
  // its farther bound) with a step growing fivefold while f hardly changes,
  // then up to three step-length searches, first along the probe direction
  // (slope from the probe; its opposite when f rose), then along the
  // displacement from the converged point. Returns whether a lower point
  // was found (x and f then hold it); otherwise x and f are unchanged.
  bool LocalSearch() {
    if (freeCount_ == 0) return false;
    double* direction = p_;
    double room = LargestReal();
    for (int i = 0; i < n_; ++i) {
      direction[i] = 0.0;
      if (state_[i] <= 0) continue;
      const double up = bounds_.Upper(i) - x_[i], down = x_[i] - bounds_.Lower(i);
      direction[i] = up >= down ? 1.0 : -1.0;
      room = std::fmin(room, std::fmax(up, down));
    }
    CopyX(anchor_);
    const double anchorF = f_;
    const double scale = std::fabs(f_) + 1.0;
    double step =
        (xtol_ + kRootEps) * (1.0 + Norm(n_, x_)) / std::sqrt(static_cast<double>(freeCount_));
    step = std::fmin(step, room);
    double probeF = anchorF;
    for (int probe = 0; probe < kLocalProbes; ++probe) {
      PointAlong(anchor_, direction, step, trial_);
      probeF = Evaluate(trial_);
      if (std::fabs(probeF - anchorF) >= (xtol_ + kEps) * scale || kProbeGrowth * step > room)
        break;
      step *= kProbeGrowth;
    }
    double slope = (probeF - anchorF) / step;
    if (slope == 0.0) return false;
    if (slope > 0.0) {
      for (int i = 0; i < n_; ++i) direction[i] = -direction[i];
      slope = -slope;
    }
    double* current = scratchZ_;
    for (int i = 0; i < n_; ++i) current[i] = anchor_[i];
    double currentF = anchorF;
    double firstStep = step;
    for (int search = 0; search < 3; ++search) {
      if (search > 0) {
        // Along the displacement achieved so far, secant slope per unit.
        for (int i = 0; i < n_; ++i) direction[i] = current[i] - anchor_[i];
        slope = currentF - anchorF;
        firstStep = 1.0;
      }
      const double dNorm = Norm(n_, direction);
      if (!(dNorm > 0.0) || !(slope < 0.0)) break;
      double maxStep = Divide(stepMax_, dNorm);
      for (int i = 0; i < n_; ++i) {
        if (direction[i] > 0.0)
          maxStep = std::fmin(maxStep, (bounds_.Upper(i) - current[i]) / direction[i]);
        if (direction[i] < 0.0)
          maxStep = std::fmin(maxStep, (bounds_.Lower(i) - current[i]) / direction[i]);
      }
      if (!(maxStep > 0.0)) break;
      for (int i = 0; i < n_; ++i) x_[i] = current[i];
      f_ = currentF;
      Line line(*this, current, direction);
      const LineSearchResult r =
          SearchStepByValues(line, SearchSettings(slope, dNorm, std::fabs(slope) / dNorm,
                                                  std::fmin(firstStep, maxStep), maxStep, false));
      if (!r.found) break;
      PointAlong(current, direction, r.step, current);
      currentF = r.value;
    }
    if (currentF < anchorF) {
      for (int i = 0; i < n_; ++i) x_[i] = current[i];
      f_ = currentF;
      return true;
    }
    for (int i = 0; i < n_; ++i) x_[i] = anchor_[i];
    f_ = anchorF;
    return false;
  }

  // ---- end --------------------------------------------------------------
  int Classify(int code) {
    if (code == kQuasiNewtonNoLowerPoint) {
      const double scale = std::fabs(f_) + 1.0;
      const double expected = scale * scale * std::pow(kEps, 0.66666);
      const double g2 = FreeGradientNorm2();
      if (g2 <= expected) {
        code = kQuasiNewtonProbableMinimum;
      } else if (g2 <= 10.0 * expected) {
        code = kQuasiNewtonProbableMinimum + 1;
      } else if (g2 <= 100.0 * expected) {
        code = kQuasiNewtonProbableMinimum + 2;
      } else if (g2 <= 1000.0 * expected) {
        code = kQuasiNewtonDoubtfulMinimum;
      }
    }
    for (int i = 0; i < n_; ++i) {
      if (std::fabs(x_[i]) >= kLargeVariable) return kQuasiNewtonLargeVariable;
    }
    return code;
  }

  const int n_;
  const BoundView bounds_;
  double* const x_;
  double& f_;
  const ObjectiveFunction objective_;
  int* const state_;
  double* const delta_;
  double* const g_;
  double* const diagonal_;
  double* const p_;
  double* const freeP_;
  double* const freeG_;
  double* const trial_;
  double* const anchor_;
  double* const previousG_;
  double* const scratchT_;
  double* const scratchZ_;
  double* const lower_;
  int calls_ = 0;
  int maxcal_ = 0;
  int freeCount_ = 0;
  bool central_ = false;
  bool haveValue_ = false;
  double eta_ = 0.5;
  double xtol_ = 0.0;
  double stepMax_ = 10.0;
  double fEstimate_ = 0.0;
  double conditioningLimit_ = 1.0;
};

}  // namespace

int QuasiNewtonRealWorkspaceLength(int n) { return 12 * n + PackedLength(n); }
int QuasiNewtonIntegerWorkspaceLength(int n) { return n + 2; }

void QuasiNewtonDriver(int n, BoundKind kind, const double* bl, const double* bu, double* x,
                       double& f, ObjectiveFunction objective, int* iw, int liw, double* w, int lw,
                       int& failure) {
  const int codeOnEntry = failure == 1 ? 1 : 0;
  const int kindValue = static_cast<int>(kind);
  const BoundView bounds{kind, bl, bu};
  bool valid = n >= 1 && kindValue >= 0 && kindValue <= 3 &&
               lw >= QuasiNewtonRealWorkspaceLength(n) &&
               liw >= QuasiNewtonIntegerWorkspaceLength(n);
  for (int i = 0; valid && i < n; ++i) valid = bounds.Lower(i) <= bounds.Upper(i);
  if (!valid) {
    failure = ReportFailure(codeOnEntry, kQuasiNewtonBadArguments, "");
    return;
  }
  const int code = QuasiNewtonRun(n, bounds, x, f, objective, iw, w).Run();
  failure = code == kQuasiNewtonConverged ? 0 : ReportFailure(codeOnEntry, code, "");
}

}  // namespace vorenta
