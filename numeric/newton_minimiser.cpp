#include "numeric/newton_minimiser.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "numeric/failure.h"
#include "numeric/minimiser_reentry_guard.h"
#include "numeric/minimiser_vectors.h"
#include "numeric/newton_line_search.h"
#include "numeric/newton_modified_cholesky.h"
#include "numeric/quasi_newton_bounds.h"
#include "numeric/quasi_newton_factors.h"

namespace vorenta {
namespace {

constexpr double kEps = MachineEpsilon();
const double kRootEps = std::sqrt(kEps);
constexpr int kCallsPerVariable = 50;
constexpr double kEta = 0.9;
constexpr double kLargestStep = 1e8;
constexpr int kSearchCallBudget = 20;

// Leaves the run at the first non-finite value from a callback.
struct NotFiniteValue {};
// Leaves the run when a callback set its mode negative.
struct StopRequested {
  int mode;
};

bool AllFinite(int n, const double* v) {
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(v[i])) return false;
  }
  return true;
}

// The process-wide storage of NewtonMinimise, reallocated only when n
// changes.
struct NewtonStorage {
  int n = 0;
  int allocations = 0;
  int lastFailure = 0;
  bool inUse = false;
  std::vector<double> lowerBounds, upperBounds, hessianLower, hessianDiagonal, gradient, real;
  std::vector<int> states, integer;

  void Prepare(int count) {
    if (count == n) return;
    const auto size = static_cast<size_t>(count);
    lowerBounds.assign(size, -kNoBound);
    upperBounds.assign(size, kNoBound);
    hessianLower.assign(static_cast<size_t>(PackedLength(count)), 0.0);
    hessianDiagonal.assign(size, 0.0);
    gradient.assign(size, 0.0);
    states.assign(size, 0);
    real.assign(static_cast<size_t>(std::max(8, 7 * count + count * (count - 1) / 2)), 0.0);
    integer.assign(2, 0);
    n = count;
    ++allocations;
  }
};

NewtonStorage& Storage() {
  static NewtonStorage storage;
  return storage;
}

class NewtonRun {
 public:
  NewtonRun(int n, double* x, double& f, GradientFunction gradient, HessianFunction hessian,
            NewtonStorage& s)
      : n_(n),
        x_(x),
        f_(f),
        gradientFunction_(gradient),
        hessianFunction_(hessian),
        bounds_{BoundKind::kPerVariable, s.lowerBounds.data(), s.upperBounds.data()},
        state_(s.states.data()),
        g_(s.gradient.data()),
        hLower_(s.hessianLower.data()),
        hDiagonal_(s.hessianDiagonal.data()),
        callerScratch_(s.integer.data()),
        lower_(s.real.data()),
        diagonal_(lower_ + PackedLength(n)),
        p_(diagonal_ + n),
        trial_(p_ + n),
        trialG_(trial_ + n),
        freeG_(trialG_ + n),
        freeP_(freeG_ + n),
        maxcal_(kCallsPerVariable * n),
        xtol_(10.0 * kRootEps) {}

  int Run() {
    try {
      bool moved = false;
      freeCount_ = ClassifyVariables(n_, bounds_, x_, state_, moved);
      f_ = Evaluate(x_, g_);
      haveValue_ = true;
      return Iterate();
    } catch (const NotFiniteValue&) {
      if (!haveValue_) f_ = LargestReal();
      return kNewtonNotFinite;
    } catch (const StopRequested& stop) {
      if (!haveValue_) f_ = LargestReal();
      return stop.mode;
    }
  }

 private:
  double Evaluate(const double* point, double* gradient) {
    int mode = 1;
    double value = 0.0;
    ++calls_;
    gradientFunction_(mode, n_, point, &value, gradient, callerScratch_, 2, nullptr, 0);
    if (mode < 0) throw StopRequested{mode};
    if (!std::isfinite(value) || !AllFinite(n_, gradient)) throw NotFiniteValue{};
    return value;
  }

  void Gather(const double* full, double* packed) const {
    for (int i = 0; i < n_; ++i) {
      if (state_[i] > 0) packed[state_[i] - 1] = full[i];
    }
  }

  // The Hessian of the free variables, factorised; returns the raised
  // variable of the factorisation (0: not modified).
  int FactoriseFreeHessian() {
    int mode = 1;
    hessianFunction_(mode, n_, x_, hLower_, hDiagonal_, callerScratch_, 2, nullptr, 0);
    if (mode < 0) throw StopRequested{mode};
    if (!AllFinite(PackedLength(n_), hLower_) || !AllFinite(n_, hDiagonal_)) throw NotFiniteValue{};
    for (int i = 0; i < n_; ++i) {
      if (state_[i] <= 0) continue;
      const int fi = state_[i] - 1;
      diagonal_[fi] = hDiagonal_[i];
      for (int j = 0; j < i; ++j) {
        if (state_[j] <= 0) continue;
        const int fj = state_[j] - 1;
        lower_[fi > fj ? PackedIndex(fi, fj) : PackedIndex(fj, fi)] = hLower_[PackedIndex(i, j)];
      }
    }
    return ModifiedCholesky(freeCount_, lower_, diagonal_);
  }

  class Line final : public GradientLineFunction {
   public:
    explicit Line(NewtonRun& run) : run_(run) {}
    void ValueAndSlopeAt(double step, double& value, double& slope) override {
      run_.PointAt(step, run_.trial_);
      value = run_.Evaluate(run_.trial_, run_.trialG_);
      slope = Dot(run_.n_, run_.trialG_, run_.p_);
      lastStep = step;
    }
    double lastStep = -1.0;

   private:
    NewtonRun& run_;
  };

  void PointAt(double step, double* to) const {
    for (int i = 0; i < n_; ++i) {
      const double value = p_[i] == 0.0 ? x_[i] : x_[i] + step * p_[i];
      to[i] = std::fmin(std::fmax(value, bounds_.Lower(i)), bounds_.Upper(i));
    }
  }

  double FreeGradientNorm2() {
    Gather(g_, freeG_);
    return Dot(freeCount_, freeG_, freeG_);
  }

  void FixVariable(int i, bool atUpper) {
    const double bound = atUpper ? bounds_.Upper(i) : bounds_.Lower(i);
    for (int k = 0; k < n_; ++k) trial_[k] = x_[k];
    trial_[i] = bound;
    f_ = Evaluate(trial_, g_);
    x_[i] = bound;
    positiveAtX_ = false;
    const int position = state_[i];
    state_[i] = atUpper ? kFixedAtUpper : kFixedAtLower;
    for (int k = 0; k < n_; ++k) {
      if (state_[k] > position) --state_[k];
    }
    --freeCount_;
  }

  void ReleaseVariable(int i) { state_[i] = ++freeCount_; }

  int Iterate() {
    ConvergenceMeasures m{f_, f_, 0.0, 0.0, 0.0, xtol_, false};
    double fEstimate = 0.0;
    if (std::fabs(f_) <= kRootEps) fEstimate = -1.0;
    if (f_ < -kRootEps) fEstimate = 10.0 * f_;
    for (;;) {
      if (calls_ > maxcal_) return kNewtonCallLimit;
      bool searchFailed = false;
      bool stepped = false;
      // Factorised even at a zero gradient: a saddle point shows itself
      // only through the modification.
      const double gNorm2 = FreeGradientNorm2();
      if (freeCount_ > 0) {
        const int raised = FactoriseFreeHessian();
        positiveAtX_ = raised == 0;
        const double scale = std::fabs(f_) + 1.0;
        double slope = 0.0;
        if (raised > 0 && gNorm2 <= kRootEps * scale * scale) {
          NegativeCurvatureDirection(freeCount_, lower_, raised, freeG_, freeP_);
          slope = -1.0;
        } else {
          SolveFactored(freeCount_, lower_, diagonal_, freeG_, freeP_);
          for (int k = 0; k < freeCount_; ++k) freeP_[k] = -freeP_[k];
          slope = Dot(freeCount_, freeG_, freeP_);
        }
        for (int i = 0; i < n_; ++i) p_[i] = state_[i] > 0 ? freeP_[state_[i] - 1] : 0.0;
        const double pNorm = Norm(n_, p_);
        bool failed = false;
        double maxStep = SafeDivide(kLargestStep, pNorm, failed);
        bool atUpper = false;
        const int onBound = FreeVariableBlockingStep(n_, bounds_, state_, x_, p_, maxStep, atUpper);
        if (onBound >= 0) {
          FixVariable(onBound, atUpper);
          continue;
        }
        const double gap = std::fabs(f_ - fEstimate);
        double firstStep = (-slope >= 2.0 * gap && gap >= kEps) ? 2.0 * gap / -slope : 1.0;
        GradientSearchSettings settings;
        settings.value0 = f_;
        settings.slope0 = slope;
        settings.firstStep = std::fmin(firstStep, maxStep);
        settings.maxStep = maxStep;
        settings.eta = kEta;
        settings.smallestWidth = SafeDivide(kEps * (1.0 + Norm(n_, x_)), pNorm, failed);
        settings.callBudget = std::max(1, std::min(kSearchCallBudget, maxcal_ - calls_ + 1));
        Line line(*this);
        const LineSearchResult r = SearchStepByGradients(line, settings);
        if (!r.found) {
          searchFailed = true;
        } else {
          m.previousF = f_;
          if (line.lastStep != r.step) {
            PointAt(r.step, trial_);
            Evaluate(trial_, trialG_);
          }
          PointAt(r.step, x_);
          f_ = r.value;
          for (int i = 0; i < n_; ++i) g_[i] = trialG_[i];
          m.stepNorm = r.step * pNorm;
          m.stepTaken = stepped = true;
          // Over a negligible step the curvature seen before still holds.
          positiveAtX_ = positiveAtX_ && m.stepNorm < (xtol_ + kRootEps) * (1.0 + Norm(n_, x_));
          bool reachedUpper = false;
          const int reached = FreeVariableReachingBound(n_, bounds_, state_, x_, p_, reachedUpper);
          if (reached >= 0) FixVariable(reached, reachedUpper);
        }
      }
      m.f = f_;
      m.gradientNorm2 = FreeGradientNorm2();
      m.xNorm = Norm(n_, x_);
      if (stepped && freeCount_ > 0 && !WorthTerminationCheck(m)) continue;

      const MultiplierVerdict v =
          MarkMultipliers(n_, state_, g_, freeCount_, std::sqrt(m.gradientNorm2));
      if (v.release >= 0) {
        ClearMarks(n_, state_);
        ReleaseVariable(v.release);
        continue;
      }
      const bool converged = PassesConvergenceTests(m);
      if (v.marked && (converged || searchFailed || freeCount_ == 0) && ProbeMarkedVariables())
        continue;
      ClearMarks(n_, state_);
      // A zero gradient also marks a saddle point: it is accepted only once
      // the Hessian there has been seen positive definite, or when a search
      // from it (along negative curvature) found nothing lower.
      if (converged && (positiveAtX_ || searchFailed || freeCount_ == 0)) return kNewtonConverged;
      if (!converged && searchFailed) return kNewtonNoLowerPoint;
    }
  }

  bool ProbeMarkedVariables() {
    for (int i = 0; i < n_; ++i) {
      if (!IsMarkedFixed(state_[i])) continue;
      for (int k = 0; k < n_; ++k) trial_[k] = x_[k];
      trial_[i] = OffBoundProbe(bounds_, state_, x_, i);
      const double value = Evaluate(trial_, trialG_);
      if (value < f_) {
        ClearMarks(n_, state_);
        for (int k = 0; k < n_; ++k) {
          x_[k] = trial_[k];
          g_[k] = trialG_[k];
        }
        f_ = value;
        positiveAtX_ = false;
        ReleaseVariable(i);
        return true;
      }
    }
    return false;
  }

  const int n_;
  double* const x_;
  double& f_;
  const GradientFunction gradientFunction_;
  const HessianFunction hessianFunction_;
  const BoundView bounds_;
  int* const state_;
  double* const g_;
  double* const hLower_;
  double* const hDiagonal_;
  int* const callerScratch_;
  double* const lower_;
  double* const diagonal_;
  double* const p_;
  double* const trial_;
  double* const trialG_;
  double* const freeG_;
  double* const freeP_;
  const int maxcal_;
  const double xtol_;
  int calls_ = 0;
  int freeCount_ = 0;
  bool haveValue_ = false;
  bool positiveAtX_ = false;  // the free Hessian at x was factorised unmodified
};

}  // namespace

double NewtonMinimise(int n, double* x, GradientFunction gradient, HessianFunction hessian) {
  NewtonStorage& storage = Storage();
  const MinimiserReentryGuard busy(storage.inUse,
                                   "NewtonMinimise entered again from its callbacks");
  double f = LargestReal();
  if (n < 1) {
    storage.lastFailure = ReportFailure(0, kNewtonBadArguments, "");
    return f;
  }
  storage.Prepare(n);
  const int code = NewtonRun(n, x, f, gradient, hessian, storage).Run();
  storage.lastFailure = code == kNewtonConverged ? 0 : ReportFailure(0, code, "");
  return f;
}

int NewtonMinimiseFailure() { return Storage().lastFailure; }
int NewtonMinimiseWorkspaceSize() { return Storage().n; }
int NewtonMinimiseAllocationCount() { return Storage().allocations; }

}  // namespace vorenta
