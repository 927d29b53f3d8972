#pragma once
// All roots of a polynomial with complex coefficients, in extended precision:
// a Schur-Cohn disc test, a damped Newton descent on |P|^2 and composite
// deflation, one root at a time.

namespace vorenta {

// Finds the m-1 roots of P(z) = sum_{k=0}^{m-1} (re[k] + i*im[k]) * z^(m-1-k)
// (leading coefficient first).
//
//   re, im          m coefficients; overwritten with the scaled, deflated
//                   remainder (pass scratch copies); untouched on failure 1.
//   m               number of coefficients, degree + 1, 2 .. 1000.
//   rootRe, rootIm  out, m-1 values each, filled from the back: exact zero
//                   roots first, then each root found (roughly smallest
//                   modulus first) goes to the highest slot not yet filled.
//   tol             relative accuracy requested; values below 2^-52 are raised
//                   to 2^-52 (pass 0 for full accuracy).
//   failure         convention of numeric/failure.h:
//                   0  all roots found;
//                   1  invalid input: m < 2, m > 1000, a zero leading
//                      coefficient, or a coefficient that is NaN or infinite;
//                      nothing is touched;
//                   2  the iteration failed for some root: the descent failed
//                      from every starting point (vanishing derivative, no
//                      decreasing step, or 5000 evaluations each), or the
//                      coefficients left the long double range while being
//                      scaled. Roots found before stay in their slots, the
//                      other slots are left as they were.
//
// Method: the coefficients are first balanced by a power of two (geometric
// mean of the sizes of those >= 1e-5, or of all non-zero ones when none is).
// Before each root a Schur-Cohn test checks for a root in the closed unit
// disc; while there is none, P(z) becomes P(2z). A damped Newton descent on
// |P|^2 from 0.001 + 0.1i (then from four points further out, should the
// derivative vanish there) accepts z once |P(z)| is within tol * (1+tol)^(5m)
// of Horner's running rounding-error bound; the root is divided out by
// composite forward/backward deflation, and its conjugate is tried at once on
// the deflated polynomial.
//
// Accuracy: each root is accepted at a backward error of about tol, so
// well-separated roots come out within a few tol * degree relative to their
// size; ill-conditioned ones, and those found after them through the
// deflated polynomial, less precisely. Keeps no state between calls;
// allocates O(m) scratch per call; an evaluation of P costs O(m), a disc
// test O(m^2).
void PolynomialRoots(long double* re, long double* im, int m, long double* rootRe, long double* rootIm, long double tol,
                     int& failure);

}  // namespace vorenta
