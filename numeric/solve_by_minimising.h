#pragma once
// Linear least squares by minimisation: the solver of the phase measurement.

namespace vorenta {

// Minimises F(s) = sum_k (sum_l a[k·columns + l]·s_l - r_k)^2 over the
// `columns` unknowns s from the start s = (1, ..., 1) with NewtonMinimise,
// using the exact gradient 2·A^T(A·s - r) and Hessian 2·A^T·A. a is
// rows × columns, row-major; r has `rows` entries; s receives `columns`
// values. For a square system of full rank s is its solution; for a
// full-rank overdetermined one the normal-equations solution. For a
// rank-deficient A, s is one of the minimisers (the one reached from s = 1).
// The problem is handed to the callbacks through process-wide state: not
// re-entrant. rows < 1 or columns < 1: s is left unchanged.
void SolveByMinimising(int rows, int columns, const double* a, const double* r, double* s);

}  // namespace vorenta
