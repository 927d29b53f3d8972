#include "spectrum/method_parameters.h"

#include <algorithm>

#include "spectrum/result_model.h"

namespace vorenta {

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

// Limits an order to 0 .. min(methodLimit, capacity of the component table).
int LimitOrder(int requested, std::int64_t methodLimit) {
  const std::int64_t limit = std::clamp<std::int64_t>(methodLimit, 0, kLargestComponentCount);
  return static_cast<int>(std::clamp<std::int64_t>(requested, 0, limit));
}

}  // namespace

std::optional<int> FindMethodListItem(std::string_view name) {
  for (std::size_t i = 0; i < kMethodListItems.size(); ++i) {
    if (EqualIgnoringCase(kMethodListItems[i], name)) return static_cast<int>(i);
  }
  return std::nullopt;
}

MethodFieldLayout MethodListLayout(int itemIndex) {
  constexpr std::string_view kExponents = "Number of exponents:";
  constexpr std::string_view kDimension = "Dimension of the eigenvectors:";
  switch (itemIndex) {
    case method_item::kPeriodogram:
      return MethodFieldLayout{{}, false, false, false};
    case method_item::kPronyModified:
      return MethodFieldLayout{"Number of complex exponents:", true, false, true};
    case method_item::kProny:
      return MethodFieldLayout{kExponents, true, false, true};
    case method_item::kArBurg:
    case method_item::kArCovariance:
      return MethodFieldLayout{"AR parameter:", true, false, true};
    case method_item::kMusic:
    case method_item::kEv:
      return MethodFieldLayout{kDimension, true, true, false};
    default:  // "Simplex", "Quasi-Newton" and anything outside the list
      return MethodFieldLayout{kExponents, true, false, true};
  }
}

int ClampExtrapolationLength(int requested, bool fieldEnabled) {
  return fieldEnabled ? std::clamp(requested, 0, kLargestExtrapolationLength) : 0;
}

int ClampBurgOrder(int requested, int stagedLength) {
  return LimitOrder(requested, static_cast<std::int64_t>(stagedLength) - 1);
}

int ClampCovarianceOrder(int requested, int stagedLength) {
  return LimitOrder(requested, 2 * static_cast<std::int64_t>(stagedLength) / 3);
}

int ClampPronyOrder(int requested, std::int64_t selectionLength) {
  return LimitOrder(requested, selectionLength / 2);
}

int ClampPronyModifiedOrder(int requested, std::int64_t selectionLength) {
  return LimitOrder(requested, 2 * selectionLength / 3);
}

int ClampSinusoidCount(int requested) { return std::clamp(requested, 0, kLargestSinusoidCount); }

SubspaceDimensions ClampSubspaceDimensions(int vectorDimension, int signalDimension, int stagedLength) {
  int m = std::max(vectorDimension, 2);
  m = std::min({m, std::max(stagedLength, 0) / 2, kLargestSubspaceDimension});
  int q = signalDimension;
  if (q >= m) q = m - 1;
  if (q <= 0) q = 1;
  return SubspaceDimensions{m, q};
}

bool SubspaceDimensionsUsable(const SubspaceDimensions& dimensions) {
  return dimensions.VectorDimension >= 2 && dimensions.SignalDimension > 0 &&
         dimensions.SignalDimension < dimensions.VectorDimension;
}

}  // namespace vorenta
