#pragma once
// Step-length search along p using function values and directional
// derivatives: the search of the modified Newton minimiser.

#include "numeric/quasi_newton_line_search.h"

namespace vorenta {

// phi(alpha) = f(x + alpha·p) and phi'(alpha) = g(x + alpha·p)^T p. May throw.
class GradientLineFunction {
 public:
  virtual void ValueAndSlopeAt(double step, double& value, double& slope) = 0;

 protected:
  ~GradientLineFunction() = default;
};

struct GradientSearchSettings {
  double value0 = 0.0;     // phi(0)
  double slope0 = -1.0;    // phi'(0), or -1 for a direction of negative curvature
  double firstStep = 1.0;  // clamped into (0, maxStep]
  double maxStep = 1.0;
  double eta = 0.9;          // |phi'(alpha)| <= eta·|slope0| ends the search
  double smallestWidth = 0;  // a bracket narrower than this ends the search
  int callBudget = 20;
};

// Finds a step in (0, maxStep] with phi(alpha) <= phi(0) + 1e-4·alpha·slope0
// and |phi'(alpha)| <= eta·|slope0|: steps grow fourfold (up to maxStep)
// until the minimum is bracketed, then the bracket is narrowed by
// safeguarded cubic interpolation (kept 10 % inside the bracket; bisection
// when the cubic has no minimum). When the budget runs out or the bracket
// collapses, the best step with sufficient decrease found so far is taken;
// without one the search fails. Fails at once when slope0 >= 0.
// The result's step need not be the last one evaluated.
LineSearchResult SearchStepByGradients(GradientLineFunction& phi, const GradientSearchSettings& s);

}  // namespace vorenta
