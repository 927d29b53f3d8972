#pragma once
// Gaussian elimination in double precision for the small systems of the
// autoregressive covariance estimator and of the sinusoid fit.

#include <complex>

namespace vorenta {

// Solves R * x = rhs for a complex n x n system, partial pivoting, no scaling.
//
//   n    >= 1 (n <= 0 does nothing).
//   r    n row pointers, each to n values; overwritten (rows exchanged by
//        content).
//   rhs  n values, overwritten.
//   x    out, n values.
//
// Pivoting sweep: for each pivot column q, every row j > q whose entry in
// column q is larger in modulus than the current pivot is exchanged with row
// q, so the column's largest modulus ends up in the pivot position. A pivot
// whose modulus is below 1e-15 is replaced by the real 1e-15 (also on the
// diagonal during back substitution): a singular system yields large numbers
// instead of stopping. No failure code.
void ComplexGaussSolve(int n, std::complex<double>* const* r, std::complex<double>* rhs, std::complex<double>* x);

// Solves G * s = b for a real n x n system WITHOUT row exchanges.
//
//   n  >= 1 (n <= 0 does nothing).
//   g  n row pointers, each to n values; overwritten.
//   b  n values, overwritten.
//   s  out, n values.
//
// A pivot whose magnitude is below 1e-15 is replaced by +1e-15 before use (in
// elimination and back substitution). Meant for systems whose leading
// principal minors do not vanish, such as the symmetric quasi-definite Gram
// systems of the sinusoid fit; a singular system yields large numbers. No
// failure code.
void RealGaussSolve(int n, double* const* g, double* b, double* s);

}  // namespace vorenta
