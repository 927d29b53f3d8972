#pragma once
// Simple bounds, variable states and the tests the Newton-type minimisers
// share: which variables are fixed on a bound, the Lagrange-multiplier test
// that releases them, and the convergence tests.

#include "numeric/quasi_newton.h"

namespace vorenta {

// Variable states (a state k > 0 is a free variable, the k-th of the free
// set). A marked state is a fixed one with kMarkOffset subtracted while the
// multiplier test looks at it.
constexpr int kFixedAtUpper = -1;
constexpr int kFixedAtLower = -2;
constexpr int kFixedEqualBounds = -3;
constexpr int kMarkOffset = 3;

// Stands for a missing bound.
constexpr double kNoBound = 1e20;

// The bounds of every variable as a BoundKind describes them.
struct BoundView {
  BoundKind kind;
  const double* bl;
  const double* bu;
  double Lower(int i) const;
  double Upper(int i) const;
};

// sqrt(eps)·(|b| + 1): the distance within which x_i counts as on bound b.
double BoundTolerance(double bound);

// Along the direction p (variables in `state` > 0 are free): the first free
// variable with |p_i| >= eps^2 that is within tolerance of the bound p_i
// moves it towards, with atUpper telling which bound; -1 when there is none.
// Every free variable passed over before it (all of them, on -1) lowers
// maxStep (on entry the largest step allowed) to the step that keeps it
// inside its bounds: |bound - x_i| / |p_i|.
int FreeVariableBlockingStep(int n, const BoundView& bounds, const int* state, const double* x, const double* p,
                             double& maxStep, bool& atUpper);

// The first free variable within tolerance of a bound it moves towards
// along `direction` (of either bound when direction is null), with atUpper
// telling which (the upper one first); -1 when there is none.
int FreeVariableReachingBound(int n, const BoundView& bounds, const int* state, const double* x,
                              const double* direction, bool& atUpper);

// Sets the state of every variable: -3 with x_i := bl_i when the bounds
// coincide within tolerance, -1 / -2 with x_i moved onto a bound it
// violates, otherwise free, numbered 1, 2, ... in index order. Returns the
// number of free variables; `moved` tells whether some x_i changed.
int ClassifyVariables(int n, const BoundView& bounds, double* x, int* state, bool& moved);

// Lagrange-multiplier estimates of the variables fixed at a bound (-g_i at
// an upper, +g_i at a lower bound; equal-bound variables are never
// released). Every estimate at most 10·sqrt(eps) is marked. `release` is the
// variable with the most negative estimate below -10·sqrt(eps) when its
// magnitude exceeds freeGradientNorm / freeCount (any, when nothing is
// free), else -1; `marked` tells whether any variable is marked.
struct MultiplierVerdict {
  int release = -1;
  bool marked = false;
};
MultiplierVerdict MarkMultipliers(int n, int* state, const double* g, int freeCount,
                                  double freeGradientNorm);

// Whether a state is a marked fixed one (at its upper or lower bound).
bool IsMarkedFixed(int state);

// The probe of a marked fixed variable i: x_i moved eps^(1/4)·(|x_i| + 1)
// off the bound it is fixed at, towards (and not past) its other bound.
double OffBoundProbe(const BoundView& bounds, const int* state, const double* x, int i);

// Restores marked states.
void ClearMarks(int n, int* state);

// The quantities of the convergence tests after an iteration.
struct ConvergenceMeasures {
  double f;              // current value
  double previousF;      // value before the last step
  double gradientNorm2;  // squared norm of the free gradient
  double stepNorm;       // length of the last step
  double xNorm;          // norm of the current point
  double xtol;
  bool stepTaken;  // at least one step has been made
};

// Whether the termination tests are worth running: the free gradient is
// small (||g||^2 <= 0.01·(|f| + 1)^2) or the last decrease was small
// (previousF - f <= 0.1·(|previousF| + 1)).
bool WorthTerminationCheck(const ConvergenceMeasures& m);

// Converged: ||g||^2 < 1e-4·eps·(|f| + 1)^2, or after a step all of
// stepNorm < (xtol + sqrt(eps))·(1 + ||x||), |previousF - f| <
// (xtol^2 + eps)·(|f| + 1) and ||g||^2 < (xtol^2 + eps^0.6666)·(|f| + 1)^2.
bool PassesConvergenceTests(const ConvergenceMeasures& m);

}  // namespace vorenta
