#pragma once
// Refuses a second entry into a minimiser whose storage is process-wide,
// and frees it again however the call ends (exceptions included).

#include <stdexcept>

namespace vorenta {

class MinimiserReentryGuard {
 public:
  // Throws std::logic_error(refusal) when `busy` is already set.
  MinimiserReentryGuard(bool& busy, const char* refusal) : busy_(busy) {
    if (busy_) throw std::logic_error(refusal);
    busy_ = true;
  }
  ~MinimiserReentryGuard() { busy_ = false; }
  MinimiserReentryGuard(const MinimiserReentryGuard&) = delete;
  MinimiserReentryGuard& operator=(const MinimiserReentryGuard&) = delete;

 private:
  bool& busy_;
};

}  // namespace vorenta
