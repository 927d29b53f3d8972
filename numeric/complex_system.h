#pragma once
// Dense complex linear system in extended precision, for the least-squares
// normal equations of the Prony-type estimators.

#include <complex>

namespace vorenta {

// Solves A * x = b by Gaussian elimination with partial pivoting, all in long
// double.
//
//   n  >= 1 (n <= 0 does nothing).
//   a  n row pointers, each to n values (row i, column j); overwritten by the
//      elimination (rows may be exchanged, by content: the pointers stay).
//   b  n values, overwritten.
//   x  out, n values.
//
// For each pivot column the row with the largest modulus moves into the pivot
// position. A pivot whose modulus is below 1e-100 is replaced by the real
// 1e-100, so a singular system still yields (very large) numbers instead of a
// division by zero; no failure code. NaN or infinity in A or b propagates into
// x (the floating-point flags tell the caller).
void SolveComplexSystem(int n, std::complex<long double>* const* a, std::complex<long double>* b,
                        std::complex<long double>* x);

}  // namespace vorenta
