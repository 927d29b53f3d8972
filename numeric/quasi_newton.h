#pragma once
// Bounded quasi-Newton minimisation of a smooth f(x) subject to
// bl_i <= x_i <= bu_i from function values only: finite-difference gradients
// (forward, switched to central when unreliable), LDL^T factors of the
// Hessian approximation of the free variables with BFGS updates, variables
// fixed on bounds and released by their Lagrange-multiplier estimates, and a
// safeguarded step-length search along each projected quasi-Newton direction.

#include "numeric/objective_function.h"

namespace vorenta {

// How QuasiNewtonDriver reads bl and bu.
enum class BoundKind : int {
  kPerVariable = 0,  // bl[i] <= x_i <= bu[i]
  kUnbounded = 1,    // no bounds; bl and bu are not read (may be null)
  kCommon = 2,       // bl[0] <= x_i <= bu[0] for every i
  kNonNegative = 3,  // x_i >= 0; bl and bu are not read (may be null)
};

// Failure codes of QuasiNewtonDriver.
constexpr int kQuasiNewtonConverged = 0;
constexpr int kQuasiNewtonBadArguments = 1;  // n < 1, kind outside 0..3, workspace too short,
                                             // bl_i > bu_i, an interval too small to change x_i,
                                             // or an unusable starting curvature spread
constexpr int kQuasiNewtonCallLimit = 2;     // 400·n objective calls used
constexpr int kQuasiNewtonNoLowerPoint = 3;  // minimum conditions not all met, no lower point found
constexpr int kQuasiNewtonUpdateFailed = 4;  // BFGS update or factor modification failed
// 5 .. 8: finished, with decreasing confidence (gradient norm within
// 1, 10, 100, 1000 times the expected noise level) that x is a minimum.
constexpr int kQuasiNewtonProbableMinimum = 5;
constexpr int kQuasiNewtonDoubtfulMinimum = 8;
constexpr int kQuasiNewtonLargeVariable = 9;  // some |x_i| >= 99999000 at the end
constexpr int kQuasiNewtonNotFinite = 10;     // the objective returned NaN or an infinity

// Minimum lengths of the workspaces of QuasiNewtonDriver.
int QuasiNewtonRealWorkspaceLength(int n);     // 12n + max(1, n(n-1)/2)
int QuasiNewtonIntegerWorkspaceLength(int n);  // n + 2

// Minimises objective from x within the bounds.
//
// x: in, the start (a variable outside its bounds is moved onto the bound it
// violates before the first step); out, the last accepted point. f: its value.
// iw (liw ints) and w (lw doubles): caller-owned workspace, contents on
// entry irrelevant; nothing is allocated inside.
// failure on entry: 1 or 0 (any other value counts as 0); on return one of
// the codes above. After argument validation x and f always hold the last
// accepted point; for kQuasiNewtonNotFinite that is the point before the
// non-finite value, and f = LargestReal() when already f(x0) was not finite.
// Constants: maxcal 400·n, step-length accuracy 0.5 (0 for n = 1),
// xtol 100·sqrt(eps), largest step max(||x0||, 10).
// The objective is only ever given copies, so x and f always hold an
// evaluated pair. It must not call QuasiNewtonDriver or BoundedQuasiNewton
// with the same workspace; an exception it throws passes through, leaving
// x at the last accepted point. No floating-point fault flag is raised by
// the driver itself.
void QuasiNewtonDriver(int n, BoundKind kind, const double* bl, const double* bu, double* x,
                       double& f, ObjectiveFunction objective, int* iw, int liw, double* w, int lw,
                       int& failure);

// One-call form: per-variable bounds bl, bu (n each), a process-wide
// workspace kept between calls and reallocated only when n changes, failure
// code preset to 1 and then discarded. Returns the final f (LargestReal()
// when no finite value was found); x receives the final point.
// Not re-entrant: the objective must not call BoundedQuasiNewton (doing so
// throws std::logic_error). Exceptions from the objective pass through and
// leave the wrapper usable for the next call.
double BoundedQuasiNewton(int n, double* x, const double* bl, const double* bu,
                          ObjectiveFunction objective);

// The n of the last workspace allocation of BoundedQuasiNewton (0 = none)
// and the number of allocations made so far in this process.
int BoundedQuasiNewtonWorkspaceSize();
int BoundedQuasiNewtonAllocationCount();

}  // namespace vorenta
