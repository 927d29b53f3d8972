#pragma once
// The best angular frequencies the sinusoid fit has found so far. It outlives
// every run: the next "Simplex" run starts from it, and the kind-1
// presentation evaluates the fit it holds.

#include <array>

namespace vorenta {

inline constexpr int kFitTableLength = 1000;

// Entry l is omega_l in radians per sample.
extern std::array<double, kFitTableLength> FitTable;

// The start-up fill: every entry becomes RandomRange(0, 1000000) * 1e-8, a
// uniformly drawn multiple of 1e-8 in [0, 0.01), drawn in entry order from
// the process's generator (core/random.h). The caller seeds the generator
// first (from the clock at start-up, with a fixed seed in tests).
void FillFitTable();

}  // namespace vorenta
