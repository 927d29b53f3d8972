#pragma once
// The process's pseudo-random generator: one 32-bit linear congruential
// generator
//   x := x * 134775813 + 1   (mod 2^32)
// shared by the whole process (the generator dialog's noise, the random
// restarts of the fits, the start values of FitTable). It is not
// thread-safe; the program has one thread. Every draw advances x once,
// except RandomGaussian, which draws pairs until it accepts one.
//
// At start-up the main window seeds it from the clock (SeedRandomFromClock);
// tests seed it with SetRandomSeed to get a reproducible sequence.

#include <cstdint>

namespace vorenta {

// Sets the state x. The next draw uses x * 134775813 + 1.
void SetRandomSeed(std::uint32_t seed);

// The current state x (the value the last draw produced, or the seed).
std::uint32_t RandomSeed();

// Sets the state from the system clock (its count of nanoseconds, folded
// to 32 bits), so that two processes started at different moments draw
// different sequences.
void SeedRandomFromClock();

// Advances x and returns x / 2^32: uniform in [0, 1), a multiple of 2^-32.
double RandomUniform();

// Advances x and returns floor(x * range / 2^32): uniform over 0 .. range - 1
// for range > 0. A range of 0 or less returns 0 (x still advances).
std::int32_t RandomBelow(std::int32_t range);

// A uniform integer in the half-open range [from, to): from +
// RandomBelow(to - from) when from <= to, and to + RandomBelow(from - to)
// when from > to (so [to, from)); equal ends return them. Example:
// RandomRange(0, 1000000) is one of 0 .. 999999. The difference of the ends
// must fit in an int32.
std::int32_t RandomRange(std::int32_t from, std::int32_t to);

// A normal deviate of mean `mean` and standard deviation `standardDeviation`
// by the polar method: draw u := 2*RandomUniform() - 1, then v :=
// 2*RandomUniform() - 1, until 0 < s = u^2 + v^2 < 1; return
// mean + standardDeviation * u * sqrt(-2 ln s / s). (s = 0 would need two
// consecutive states of 2^31, which this recurrence never produces; the loop
// refuses it all the same, so the formula cannot divide by zero.) A standard
// deviation of 0 returns `mean` exactly; the generator advances all the same.
double RandomGaussian(double mean, double standardDeviation);

}  // namespace vorenta
