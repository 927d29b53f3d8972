#pragma once
// Safeguarded one-dimensional minimisation of phi(alpha) = f(x + alpha·p)
// on (0, maxStep] from function values only: the step-length search of the
// bounded quasi-Newton minimiser (each iteration and its final local search).

namespace vorenta {

// phi(alpha). May throw; the search keeps no state that outlives the call.
class LineFunction {
 public:
  virtual double ValueAt(double step) = 0;

 protected:
  ~LineFunction() = default;
};

struct LineSearchSettings {
  double value0 = 0.0;             // phi(0)
  double slope0 = 0.0;             // phi'(0) = g^T p
  double firstStep = 1.0;          // first trial, clamped into (0, maxStep]
  double maxStep = 1.0;            // largest step allowed
  double relativeTolerance = 0.0;  // tol(alpha) = relative·|alpha| + absolute
  double absoluteTolerance = 0.0;
  double eta = 0.5;      // accuracy: 0 asks for an exact minimum
  double minStep = 0.0;  // a bracket below this step is a failure
  int callBudget = 20;   // most evaluations this search may make
};

struct LineSearchResult {
  bool found = false;  // a step with sufficient decrease was found
  double step = 0.0;   // that step (0 when not found)
  double value = 0.0;  // phi(step) (value0 when not found)
  int calls = 0;       // evaluations made
};

// Fails at once when slope0 >= 0. Otherwise keeps the best step and an
// interval of uncertainty (initially 0 .. maxStep + tol(maxStep)) and
// proposes trials by parabolic interpolation (the first from phi(0),
// phi'(0) and the first value; later through the best and the two latest
// other points), kept inside the interval, at least tol from its ends and
// from the best step, and at most maxStep; when the minimum seems to lie
// beyond the best step the trial is extrapolated, by at most 10 times the
// distance from the lower end of the interval (4 times when interpolation
// gives no minimum); otherwise, without a usable parabola, golden-section
// steps into the larger part of the interval are taken.
// It stops refining when |mid - best| <= 2·tol(best) - width/2, fails when
// the upper end falls below minStep, and otherwise refines while no
// decrease has been found or phi(lower end) - phi(best) >
// eta·|slope0|·(best - lower end).
// The best step must give phi(0) - phi(alpha) > 1e-4·alpha·|slope0|; if not,
// it is cut to 0.5, 0.25, 0.0625, ... times itself (the factor squared at
// each cut) until the decrease is sufficient or the step is no longer above
// the absolute tolerance (failure).
LineSearchResult SearchStepByValues(LineFunction& phi, const LineSearchSettings& settings);

}  // namespace vorenta
