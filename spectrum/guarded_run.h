#pragma once
// The guarded computation of a spectrum run: floating-point faults, exhausted
// memory and a step's own failure all end the run with the method's message.

#include <new>
#include <string>
#include <utility>

#include "core/error.h"
#include "numeric/fp_guard.h"

namespace vorenta {

// Calls step() (which returns true on success). Throws VorentaError(message)
// when it returns false, when it raised an invalid operation, a division by
// zero or an overflow (the flags are cleared first, as the platform masks
// the traps), or when it ran out of memory. A VorentaError thrown by the step
// itself passes through unchanged.
template <typename Step>
void RunGuarded(const std::string& message, Step&& step) {
  bool succeeded = false;
  FloatingPointGuard guard;
  try {
    succeeded = std::forward<Step>(step)();
  } catch (const std::bad_alloc&) {
    succeeded = false;
  }
  if (!succeeded || guard.Faulted()) throw VorentaError(message);
}

}  // namespace vorenta
