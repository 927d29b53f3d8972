#include "numeric/quasi_newton_bounds.h"

#include <cmath>

#include "numeric/failure.h"

namespace vorenta {
namespace {

const double kRootEpsilon = std::sqrt(MachineEpsilon());
const double kMultiplierThreshold = 10.0 * std::sqrt(MachineEpsilon());

}  // namespace

double BoundView::Lower(int i) const {
  switch (kind) {
    case BoundKind::kPerVariable:
      return bl[i];
    case BoundKind::kCommon:
      return bl[0];
    case BoundKind::kNonNegative:
      return 0.0;
    case BoundKind::kUnbounded:
      break;
  }
  return -kNoBound;
}

double BoundView::Upper(int i) const {
  switch (kind) {
    case BoundKind::kPerVariable:
      return bu[i];
    case BoundKind::kCommon:
      return bu[0];
    case BoundKind::kNonNegative:
    case BoundKind::kUnbounded:
      break;
  }
  return kNoBound;
}

double BoundTolerance(double bound) { return kRootEpsilon * (std::fabs(bound) + 1.0); }

int FreeVariableBlockingStep(int n, const BoundView& bounds, const int* state, const double* x, const double* p,
                             double& maxStep, bool& atUpper) {
  const double eps = MachineEpsilon();
  for (int i = 0; i < n; ++i) {
    if (state[i] <= 0 || std::fabs(p[i]) < eps * eps) continue;
    const bool up = p[i] > 0.0;
    const double bound = up ? bounds.Upper(i) : bounds.Lower(i);
    const double distance = std::fabs(bound - x[i]);
    if (distance <= BoundTolerance(bound)) {
      atUpper = up;
      return i;
    }
    maxStep = std::fmin(maxStep, distance / std::fabs(p[i]));
  }
  return -1;
}

int FreeVariableReachingBound(int n, const BoundView& bounds, const int* state, const double* x,
                              const double* direction, bool& atUpper) {
  for (int i = 0; i < n; ++i) {
    if (state[i] <= 0) continue;
    const double upper = bounds.Upper(i), lower = bounds.Lower(i);
    const bool towardsUpper = direction == nullptr || direction[i] > 0.0;
    const bool towardsLower = direction == nullptr || direction[i] < 0.0;
    if (towardsUpper && upper - x[i] <= BoundTolerance(upper)) {
      atUpper = true;
      return i;
    }
    if (towardsLower && x[i] - lower <= BoundTolerance(lower)) {
      atUpper = false;
      return i;
    }
  }
  return -1;
}

int ClassifyVariables(int n, const BoundView& bounds, double* x, int* state, bool& moved) {
  moved = false;
  int freeCount = 0;
  for (int i = 0; i < n; ++i) {
    const double lower = bounds.Lower(i), upper = bounds.Upper(i);
    double target = x[i];
    if (upper - lower <= BoundTolerance(lower)) {
      state[i] = kFixedEqualBounds;
      target = lower;
    } else if (x[i] > upper) {
      state[i] = kFixedAtUpper;
      target = upper;
    } else if (x[i] < lower) {
      state[i] = kFixedAtLower;
      target = lower;
    } else {
      state[i] = ++freeCount;
    }
    if (target != x[i]) {
      x[i] = target;
      moved = true;
    }
  }
  return freeCount;
}

MultiplierVerdict MarkMultipliers(int n, int* state, const double* g, int freeCount,
                                  double freeGradientNorm) {
  MultiplierVerdict verdict;
  double mostNegative = -kMultiplierThreshold;
  for (int i = 0; i < n; ++i) {
    if (state[i] != kFixedAtUpper && state[i] != kFixedAtLower) continue;
    const double multiplier = state[i] == kFixedAtUpper ? -g[i] : g[i];
    if (multiplier > kMultiplierThreshold) continue;
    state[i] -= kMarkOffset;
    verdict.marked = true;
    if (multiplier < mostNegative) {
      mostNegative = multiplier;
      verdict.release = i;
    }
  }
  if (verdict.release >= 0 && freeCount > 0 && !(-mostNegative > freeGradientNorm / freeCount)) {
    verdict.release = -1;
  }
  return verdict;
}

bool IsMarkedFixed(int state) {
  return state == kFixedAtUpper - kMarkOffset || state == kFixedAtLower - kMarkOffset;
}

double OffBoundProbe(const BoundView& bounds, const int* state, const double* x, int i) {
  const bool atUpper = state[i] == kFixedAtUpper - kMarkOffset;
  const double offset = std::pow(MachineEpsilon(), 0.25) * (std::fabs(x[i]) + 1.0);
  return atUpper ? std::fmax(x[i] - offset, bounds.Lower(i)) : std::fmin(x[i] + offset, bounds.Upper(i));
}

void ClearMarks(int n, int* state) {
  for (int i = 0; i < n; ++i) {
    if (state[i] < kFixedEqualBounds) state[i] += kMarkOffset;
  }
}

bool WorthTerminationCheck(const ConvergenceMeasures& m) {
  const double scale = std::fabs(m.f) + 1.0;
  return m.gradientNorm2 <= 0.01 * scale * scale ||
         m.previousF - m.f <= 0.1 * (std::fabs(m.previousF) + 1.0);
}

bool PassesConvergenceTests(const ConvergenceMeasures& m) {
  const double eps = MachineEpsilon();
  const double scale = std::fabs(m.f) + 1.0;
  if (m.gradientNorm2 < 1e-4 * eps * scale * scale) return true;
  return m.stepTaken && m.stepNorm < (m.xtol + kRootEpsilon) * (1.0 + m.xNorm) &&
         std::fabs(m.previousF - m.f) < (m.xtol * m.xtol + eps) * scale &&
         m.gradientNorm2 < (m.xtol * m.xtol + std::pow(eps, 0.6666)) * scale * scale;
}

}  // namespace vorenta
