#pragma once
// The objective of the function-value minimisers (simplex and bounded
// quasi-Newton).

namespace vorenta {

// Computes *f = f(x) for the n values x[0..n-1]. There is no user context:
// an objective reaches its data through process-wide state, which is why no
// minimiser is re-entrant. An exception thrown here passes through the
// minimiser unchanged to its caller.
using ObjectiveFunction = void (*)(int n, const double* x, double* f);

}  // namespace vorenta
