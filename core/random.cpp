#include "core/random.h"

#include <chrono>
#include <cmath>

namespace vorenta {
namespace {

std::uint32_t state = 0;

constexpr std::uint32_t kMultiplier = 134775813u;
constexpr double kTwoToMinus32 = 1.0 / 4294967296.0;

std::uint32_t Advance() {
  state = state * kMultiplier + 1u;  // unsigned arithmetic wraps mod 2^32
  return state;
}

}  // namespace

void SetRandomSeed(std::uint32_t seed) { state = seed; }

std::uint32_t RandomSeed() { return state; }

void SeedRandomFromClock() {
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  const auto bits = static_cast<std::uint64_t>(ticks);
  state = static_cast<std::uint32_t>(bits ^ (bits >> 32));
}

double RandomUniform() { return Advance() * kTwoToMinus32; }

std::int32_t RandomBelow(std::int32_t range) {
  const std::uint64_t x = Advance();
  if (range <= 0) return 0;
  return static_cast<std::int32_t>((x * static_cast<std::uint64_t>(range)) >> 32);
}

std::int32_t RandomRange(std::int32_t from, std::int32_t to) {
  if (from > to) return to + RandomBelow(from - to);
  return from + RandomBelow(to - from);
}

double RandomGaussian(double mean, double standardDeviation) {
  double u = 0, s = 0;
  do {
    u = 2 * RandomUniform() - 1;
    const double v = 2 * RandomUniform() - 1;
    s = u * u + v * v;
  } while (s >= 1 || s == 0);
  return mean + standardDeviation * u * std::sqrt(-2 * std::log(s) / s);
}

}  // namespace vorenta
