#pragma once
// Singular value decomposition of a complex m x n matrix, m >= n, by the
// Businger-Golub method: Householder reduction to a real bidiagonal form, then
// the Golub-Reinsch implicit-shift QR iteration.

#include <complex>

namespace vorenta {

// Computes A = U * diag(sigma) * V^H.
//
//   a       m row pointers, each to n complex values (row i, column j);
//           destroyed by the reduction.
//   m, n    1 <= n <= m.
//   nu, nv  numbers of left / right singular vectors wanted, 0 .. n.
//   sigma   out, n values, sigma[0] >= sigma[1] >= ... >= sigma[n-1] >= 0.
//   u       out, m row pointers with room for nu columns (unused when nu = 0):
//           column j is the left singular vector u_j.
//   v       out, n row pointers with room for nv columns (unused when nv = 0):
//           column j is the right singular vector v_j (V itself, not V^H),
//           so that A * v_j = sigma_j * u_j.
//   failure the failure-code convention of numeric/failure.h:
//           0  success;
//           1  invalid dimensions (n < 1, m < n, nu or nv outside 0 .. n);
//              nothing is touched;
//           2  A holds NaN or infinity, or the computation overflowed (entries
//              near the square root of the largest double); on NaN/infinity
//              input nothing is touched, after an overflow the outputs are
//              meaningless;
//           3  the QR iteration did not converge within 75 sweeps per singular
//              value (never seen with finite input); the outputs hold the
//              partly converged decomposition.
//
// A Householder column or row whose sum of squared magnitudes is at most
// 2.4e-32 is skipped (its bidiagonal element is 0), and the QR iteration treats
// a bidiagonal element as zero once it is at most 1.2e-7 * max_k(b_k + c_k).
// Singular values and vectors are therefore accurate to about 1e-7 relative
// to the largest singular value, not to double precision. Singular vectors
// are unique only up to a unit complex factor per pair (u_j, v_j), and for
// equal singular values up to the basis of their subspace.
//
// A zero matrix yields all singular values 0 and U, V equal to identity
// columns. Cost O(m*n^2 + n^3); allocates O(n^2) doubles of scratch per call.
void ComplexSvd(std::complex<double>* const* a, int m, int n, int nu, int nv, double* sigma,
                std::complex<double>* const* u, std::complex<double>* const* v, int& failure);

}  // namespace vorenta
