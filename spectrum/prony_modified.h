#pragma once
// "PronyModif": damped complex exponentials from a prediction polynomial of
// even degree 2q whose centre coefficient is fixed at 1, fitted by forward
// prediction plus a fixed backward term. The system builder is shared with
// the moving-window modified Prony estimator.

#include <cstdint>
#include <vector>

#include "spectrum/prony_stages.h"
#include "spectrum/spectrum_run.h"

namespace vorenta {

// The parameter P "PronyModif" uses for a selection of N samples:
// min(P, floor(2N/3), kLargestPronyOrder), negative P gives 0. The model has
// 2*floor(P/2) components.
int PronyModifiedOrder(int requested, std::int64_t selectionLength);

// The normal equations of the polynomial sum_{l=0..2q} c_l z^(2q-l) with
// c_q = 1, for the samples x[0 .. count-1]; requires q >= 1 and
// count >= 3q, which keeps the fixed samples below inside x. The 2q unknowns are c_l(r),
// r = 0 .. 2q-1, with l(r) = r for r < q and r + 1 for r >= q; sums over
// m = 2q .. count-1 (K = count - 2q terms):
//   A[r][c] = sum_m x[m-l(c)] conj(x[m-l(r)]) + K conj(x[q-1+l(c)]) x[q-1+l(r)]
//   y[r]    = -sum_m x[m-q] conj(x[m-l(r)]) - K conj(x[2q-1]) x[q-1+l(r)]
// The first term is the forward prediction sum_l c_l x[m-l] ~ 0; the second
// is one backward equation on the fixed samples x[q-1 .. 3q-1], weighted K
// times. `system` must be 2q x 2q; A is Hermitian.
void BuildModifiedPronySystem(const ExtendedComplex* x, std::int64_t count, int q, ExtendedSystem& system);

// The 2q + 1 polynomial coefficients c_0 .. c_2q (leading first) from the
// system's solution: c_l(r) = solution[r], c_q = 1.
std::vector<ExtendedComplex> ModifiedPronyPolynomial(const std::vector<ExtendedComplex>& solution);

// One "PronyModif" run over the whole selection, like RunProny
// (spectrum/prony.h) with these differences:
//   ResultKind := 3; P := PronyModifiedOrder(request.MainParameter, N);
//   q := floor(P/2); ComponentCount := 2q (the components this run writes;
//   an odd P computes P - 1). q = 0 ends with Computed = false.
//   The polynomial comes from BuildModifiedPronySystem; the 2q components
//   fill entries 0 .. 2q-1.
//   SpectrumDb: |FFT| of the two-sided sequence built from the roots z_k and
//   amplitudes h_k in extended precision: s[n] = sum_k h_k u_k^n for
//   n = 0 .. 4999 with u_k = z_k/|z_k| when |z_k| > 1, else z_k; and
//   s[10000+n] = sum_k h_k v_k^n for n = -5000 .. -1 with v_k = z_k/|z_k|
//   when |z_k| < 1, else z_k. Decaying components run on into positive
//   time, growing ones into negative time, each undamped on its other side;
//   a root with |z|^2 <= 1e-20 (an impulse at n = 0) contributes h_k at n = 0
//   only.
// Report: MainParameterUsed = P. Same failures and message as RunProny.
SpectrumRunReport RunPronyModified(const SpectrumRunRequest& request);

}  // namespace vorenta
