#pragma once
// L·D·L^T factors of a symmetric positive definite matrix of order n: L unit
// lower triangular with its strictly lower part packed by rows (entry (i, j),
// j < i, at PackedIndex(i, j); max(1, n(n-1)/2) slots) and D held as the n
// diagonal values. Shared by the Newton-type minimisers. No allocation.

namespace vorenta {

constexpr int PackedIndex(int i, int j) { return i * (i - 1) / 2 + j; }
constexpr int PackedLength(int n) { return n * (n - 1) / 2 > 1 ? n * (n - 1) / 2 : 1; }

// L = I, D = 1.
void ResetFactors(int n, double* lower, double* diagonal);

// Solves L·D·L^T·x = b (x may be b). D must be nonzero.
void SolveFactored(int n, const double* lower, const double* diagonal, const double* b, double* x);

// L·D·L^T += sigma·z·z^T on the trailing block of rows and columns
// first .. n-1 (z is read at first .. n-1 and destroyed). An update
// (sigma > 0) is done by the forward recurrence, a downdate (sigma < 0) by
// the backward recurrence of Gill, Golub, Murray and Saunders, which keeps
// the new D positive whenever the result is positive definite. t: scratch
// of n. Returns false, with the factors partly modified, when the result is
// not positive definite or a value overflows.
bool ModifyFactors(int n, double* lower, double* diagonal, int first, double sigma, double* z,
                   double* t);

// Removes row and column k: the factors of order n become those of order
// n-1 of the matrix without variable k (a rank-one update of the trailing
// block). z, t: scratch of n each. Returns false on overflow.
bool DeleteFactorVariable(int n, int k, double* lower, double* diagonal, double* z, double* t);

// Appends a variable as number n (0-based) to factors of order n: zero row
// of L, D = 1. The factors become of order n+1.
void AppendFactorVariable(int n, double* lower, double* diagonal);

// When max(D)/min(D) exceeds limit (>= 1), raises every D_i to the power
// log(limit)/log(max/min), which brings the ratio down to limit. Returns
// whether D changed.
bool LimitConditioning(int n, double* diagonal, double limit);

}  // namespace vorenta
