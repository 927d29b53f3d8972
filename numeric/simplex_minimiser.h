#pragma once
// Nelder–Mead simplex minimisation of f(x), x in R^n, from function values
// only. The edge lengths of the initial simplex come from a parabolic search
// along each coordinate; the search stops when the standard deviation of the
// n+1 vertex values falls below tol.

#include "numeric/objective_function.h"

namespace vorenta {

// Failure codes of SimplexMinimise.
constexpr int kSimplexConverged = 0;
constexpr int kSimplexBadArguments = 1;  // n < 1, tol < MachineEpsilon, vertexCount != n+1,
                                         // maxcal < 1, or failure on entry not 0 or 1
constexpr int kSimplexCallLimit = 2;     // maxcal objective calls made
constexpr int kSimplexNotFinite = 3;     // the objective returned NaN or an infinity

// Minimises objective starting from x.
//
// Caller-owned storage (nothing is allocated inside, so a repeated caller
// keeps its arrays between calls): trial, secondTrial, centroid and steps
// hold n doubles each, vertexValues n+1, and simplex (n+1)·n doubles with
// vertex k (k = 0 .. n) at simplex[k·n .. k·n+n-1]. Their contents on entry
// do not matter.
//
// Fixed constants: reflection 1, contraction 0.5, expansion 2; coordinate
// search with unit step 1 over -5 .. 5 relative to the start, step magnitudes
// clamped into [0.1, 5]; after 5 repetitions of the same highest vertex one
// iteration replaces vertex 1 (vertex 2 when vertex 1 is the highest).
// Every objective call counts towards maxcal; the callers pass tol = 1e-12
// and maxcal = 200·n.
//
// failure on entry must be 0 or 1; on return:
//   kSimplexConverged   x = best vertex, fmin = its value;
//   kSimplexBadArguments nothing evaluated, x unchanged, fmin = 0;
//   kSimplexCallLimit   during the coordinate searches: x unchanged, fmin = 0;
//                       later: x = best vertex so far, fmin = its value;
//   kSimplexNotFinite   the search stops at the first non-finite value:
//                       before the simplex is complete x is unchanged and
//                       fmin = LargestReal() (never mistaken for a good fit);
//                       later x = best vertex so far, fmin = its value.
// Not re-entrant only through the objective's own process-wide state; the
// kernel itself keeps no state between calls.
void SimplexMinimise(int n, double* x, double& fmin, double tol, int vertexCount, double* trial,
                     double* secondTrial, double* centroid, double* steps, double* vertexValues,
                     double* simplex, ObjectiveFunction objective, int maxcal, int& failure);

}  // namespace vorenta
