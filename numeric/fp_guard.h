#pragma once
// Detection of floating-point faults. The program treats invalid operation,
// division by zero and overflow as errors, but the platform masks those
// exceptions, so a guarded step clears the flags first and tests them after.

#include <cfenv>

namespace vorenta {

constexpr int kFloatingPointFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

class FloatingPointGuard {
 public:
  FloatingPointGuard() { std::feclearexcept(kFloatingPointFaults); }
  // True when an invalid operation, a division by zero or an overflow
  // happened since construction (or since the last Reset).
  bool Faulted() const { return std::fetestexcept(kFloatingPointFaults) != 0; }
  void Reset() { std::feclearexcept(kFloatingPointFaults); }
};

}  // namespace vorenta
