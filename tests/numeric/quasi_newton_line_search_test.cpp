#include "numeric/quasi_newton_line_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace vorenta {
namespace {

class Phi final : public LineFunction {
 public:
  explicit Phi(std::function<double(double)> function) : function_(std::move(function)) {}
  double ValueAt(double step) override {
    ++calls;
    return function_(step);
  }
  int calls = 0;

 private:
  std::function<double(double)> function_;
};

LineSearchSettings Settings(double value0, double slope0, double firstStep, double maxStep,
                            double eta) {
  LineSearchSettings s;
  s.value0 = value0;
  s.slope0 = slope0;
  s.firstStep = firstStep;
  s.maxStep = maxStep;
  s.relativeTolerance = 1e-10;
  s.absoluteTolerance = 1e-10;
  s.eta = eta;
  return s;
}

TEST(QuasiNewtonLineSearch, ExactNewtonStepOnAQuadraticIsAcceptedAtOnce) {
  // phi = (alpha - 1)^2: phi(0) = 1, phi'(0) = -2.
  Phi phi([](double a) { return (a - 1.0) * (a - 1.0); });
  const LineSearchResult r = SearchStepByValues(phi, Settings(1.0, -2.0, 1.0, 10.0, 0.5));
  ASSERT_TRUE(r.found);
  EXPECT_EQ(r.step, 1.0);
  EXPECT_EQ(r.calls, 1);
  EXPECT_EQ(phi.calls, r.calls);
}

TEST(QuasiNewtonLineSearch, ExactSearchLocatesTheMinimumOfASmoothFunction) {
  // Minimum of cosh(a - 2.5) at 2.5, from a short first step.
  Phi phi([](double a) { return std::cosh(a - 2.5); });
  const LineSearchResult r =
      SearchStepByValues(phi, Settings(std::cosh(2.5), -std::sinh(2.5), 0.1, 10.0, 0.0));
  ASSERT_TRUE(r.found);
  EXPECT_NEAR(r.step, 2.5, 1e-4);
  EXPECT_LE(r.calls, 20);
}

TEST(QuasiNewtonLineSearch, StepIsHeldAtTheLargestAllowed) {
  Phi phi([](double a) { return -a; });
  const LineSearchResult r = SearchStepByValues(phi, Settings(0.0, -1.0, 0.5, 3.0, 0.5));
  ASSERT_TRUE(r.found);
  EXPECT_EQ(r.step, 3.0);
  EXPECT_EQ(r.value, -3.0);
}

TEST(QuasiNewtonLineSearch, NotADescentDirectionFailsWithoutEvaluating) {
  Phi phi([](double a) { return a; });
  const LineSearchResult r = SearchStepByValues(phi, Settings(0.0, 1.0, 1.0, 1.0, 0.5));
  EXPECT_FALSE(r.found);
  EXPECT_EQ(phi.calls, 0);
}

TEST(QuasiNewtonLineSearch, NoLowerPointFails) {
  // The slope claims descent but the function only rises (a wrong gradient).
  Phi phi([](double a) { return a * a + a; });
  const LineSearchResult r = SearchStepByValues(phi, Settings(0.0, -1.0, 1.0, 1.0, 0.5));
  EXPECT_FALSE(r.found);
  EXPECT_EQ(r.value, 0.0);
  EXPECT_LE(r.calls, 20);
}

TEST(QuasiNewtonLineSearch, InsufficientDecreaseIsCutBack) {
  // Steep well near 0, slowly rising beyond: a long first step gives almost
  // no decrease, the cut-back steps find the well.
  Phi phi([](double a) { return a < 0.3 ? -a : -0.6 + a; });
  LineSearchSettings s = Settings(0.0, -1.0, 0.6, 0.6, 0.5);
  const LineSearchResult r = SearchStepByValues(phi, s);
  ASSERT_TRUE(r.found);
  EXPECT_LT(r.value, 0.0);
  EXPECT_GT(-r.value, 1e-4 * r.step);
}

}  // namespace
}  // namespace vorenta
