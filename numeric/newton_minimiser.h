#pragma once
// Modified Newton minimisation of a smooth f(x) whose gradient and Hessian
// the caller computes: Newton directions from a Gill–Murray modified
// Cholesky factorisation L·D·L^T = H + E of the Hessian of the free
// variables, directions of negative curvature near saddle points, and a
// step-length search using function values and gradients.

namespace vorenta {

// Computes *f = f(x) and g[0..n-1] = grad f(x). mode may be set negative to
// ask the minimiser to stop. iw/liw and w/lw are the caller's scratch passed
// through unchanged (NewtonMinimise passes two ints and no doubles).
using GradientFunction = void (*)(int& mode, int n, const double* x, double* f, double* g, int* iw,
                                  int liw, double* w, int lw);

// Computes the Hessian at x: lower[] its strictly lower triangle packed by
// rows (entry (i, j), j < i, for i = 1 .. n-1 in order: n(n-1)/2 values, at
// least 1 slot) and diagonal[0..n-1]. mode, iw, w as for GradientFunction.
using HessianFunction = void (*)(int& mode, int n, const double* x, double* lower, double* diagonal,
                                 int* iw, int liw, double* w, int lw);

// Failure codes of the minimiser behind NewtonMinimise.
constexpr int kNewtonConverged = 0;
constexpr int kNewtonBadArguments = 1;
constexpr int kNewtonCallLimit = 2;     // 50·n function-and-gradient calls used
constexpr int kNewtonNoLowerPoint = 3;  // search failed and the minimum was not confirmed
constexpr int kNewtonNotFinite = 6;     // f, the gradient or the Hessian was NaN or infinite
// A negative code: the callback set mode negative (the code is that mode).

// Minimises from x with bounds of ±1e20 on every variable (so none is ever
// active), at most 50·n gradient calls, step-length accuracy 0.9,
// xtol 10·sqrt(eps), largest step 1e8. Returns the final f (LargestReal()
// when no finite value was found); x receives the last accepted point. The
// failure code is discarded (NewtonMinimiseFailure() reports the last one).
// Storage is process-wide, reallocated only when n changes. Not re-entrant:
// a callback calling NewtonMinimise throws std::logic_error. Exceptions from
// the callbacks pass through and leave the minimiser usable.
double NewtonMinimise(int n, double* x, GradientFunction gradient, HessianFunction hessian);

// The failure code of the last NewtonMinimise call, for diagnostics.
int NewtonMinimiseFailure();
// The n of the last storage allocation (0 = none) and the allocation count.
int NewtonMinimiseWorkspaceSize();
int NewtonMinimiseAllocationCount();

}  // namespace vorenta
