#include "numerics/ExtraMaths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace umbrinex {
namespace {

using TFunction = std::function<double(double)>;

// A function given as a lambda that records every x it is evaluated at; the other hooks are configurable.
class TTestProblem : public TFindRootProblem {
 public:
  explicit TTestProblem(TFunction function) : FFunction(std::move(function)) {}

  double CalcY(double x) override
  {
    Evaluations.push_back(x);
    return FFunction(x);
  }
  std::optional<double> CalcDerivative(double x) override
  {
    return Derivative ? std::optional<double>(Derivative(x)) : std::nullopt;
  }
  std::optional<double> AdjustStep(double step, double) override
  {
    return HalveSteps ? std::optional<double>(step / 2.0) : std::nullopt;
  }
  std::optional<bool> ConvergenceTest(double residual) override
  {
    return LooseTest > 0.0 ? std::optional<bool>(std::fabs(residual) < LooseTest) : std::nullopt;
  }
  void OnIteration(TFindRoot& finder, double residual) override
  {
    IterationResiduals.push_back(residual);
    if (static_cast<int>(IterationResiduals.size()) == InterruptOnIteration) finder.Interrupt();
  }

  std::vector<double> Evaluations;
  std::vector<double> IterationResiduals;
  TFunction Derivative;
  bool HalveSteps = false;
  double LooseTest = 0.0;
  int InterruptOnIteration = 0;

 private:
  TFunction FFunction;
};

double SquareMinusFour(double x)
{
  return x * x - 4.0;
}

TEST(FindRoot, ConvergesFromOneToTwoOnXSquaredMinusFour)
{
  TTestProblem problem(SquareMinusFour);
  TFindRoot finder(&problem);
  finder.SetX(1.0);
  EXPECT_EQ(finder.Solve(), rsConverged);
  // |x² − 4| < Tolerance puts x within Tolerance / f'(2) of the root.
  EXPECT_NEAR(finder.X(), 2.0, finder.Tolerance() / 4.0);
  EXPECT_LE(finder.Iteration(), 6);
  EXPECT_EQ(problem.Evaluations.size(), 1u + 2u * static_cast<unsigned>(finder.Iteration()));
  EXPECT_FALSE(finder.Solving());
}

TEST(FindRoot, FindsKnownRootsWithinTheToleranceOverTheSlope)
{
  // To first order the residual test bounds the error in x by Tolerance / |f'(root)|; the margin covers
  // the second-order term and the rounding of the forward difference.
  constexpr double kTolerance = 1e-12;
  constexpr double kMargin = 1.01;
  struct TCase {
    std::string name;
    TFunction function;
    double target, start, root, slopeAtRoot;
  };
  const std::vector<TCase> cases = {
      {"fixed point of cosine", [](double x) { return std::cos(x) - x; }, 0, 1, 0.7390851332151607,
       -1.6736120291832148},
      {"cube root via TargetY", [](double x) { return x * x * x; }, 2, 1, std::cbrt(2.0), 3 * std::cbrt(4.0)},
      {"logarithm via TargetY", [](double x) { return std::exp(x); }, 10, 1, std::log(10.0), 10},
      {"cubic with chosen roots", [](double x) { return (x - 1) * (x - 3) * (x + 2); }, 0, 3.4, 3, 10},
      {"root below a zero guess", [](double x) { return x + 1e-3; }, 0, 0, -1e-3, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TTestProblem problem(c.function);
    TFindRoot finder(&problem);
    finder.SetTolerance(kTolerance);
    finder.SetTargetY(c.target);
    finder.SetX(c.start);
    EXPECT_EQ(finder.Solve(), rsConverged);
    EXPECT_NEAR(finder.X(), c.root, kMargin * kTolerance / std::fabs(c.slopeAtRoot));
  }
}

TEST(FindRoot, AcceptsTheGuessOnlyWhenItIsAHundredTimesInsideTheTolerance)
{
  for (const double residual : {5e-9, 5e-8}) {  // the default Tolerance 1e-6 asks for less than 1e-8
    SCOPED_TRACE(residual);
    TTestProblem problem([residual](double x) { return x + residual; });
    TFindRoot finder(&problem);
    EXPECT_EQ(finder.Solve(), rsConverged);
    EXPECT_EQ(finder.Iteration(), residual < 1e-8 ? 0 : 1);
  }
}

TEST(FindRoot, PerturbsRelativelyButAtLeastByMinDelta)
{
  struct TCase {
    double start, delta, expectedProbe;
  };
  for (const TCase& c : {TCase{100, 1e-8, 100 + 1e-6}, TCase{-100, 1e-8, -100 + 1e-6}, TCase{100, -1e-8, 100 - 1e-6},
                         TCase{0, 1e-8, 1e-10}, TCase{0, -1e-8, 1e-10},  // 0 × −Delta is no negative perturbation
                         TCase{1e-5, -1e-8, 1e-5 - 1e-10}}) {            // too small, but its sign is kept
    SCOPED_TRACE(::testing::Message() << "from " << c.start << " with Delta " << c.delta);
    TTestProblem problem([](double x) { return x - 1.0; });
    TFindRoot finder(&problem);
    finder.SetDelta(c.delta);
    finder.SetX(c.start);
    finder.Solve();
    ASSERT_GE(problem.Evaluations.size(), 2u);
    EXPECT_DOUBLE_EQ(problem.Evaluations[1], c.expectedProbe);
  }
}

TEST(FindRoot, ReportsAZeroDerivativeAsSingular)
{
  TTestProblem problem([](double) { return 5.0; });
  TFindRoot finder(&problem);
  finder.SetX(3.0);
  EXPECT_EQ(finder.Solve(), rsSingular);
  EXPECT_EQ(finder.Iteration(), 1);
  EXPECT_EQ(finder.X(), 3.0);
}

TEST(FindRoot, NeverStepsWithAnIterationLimitOfOneOrBelow)
{
  struct TCase {
    int maxIterations;
    double start;
    TFindRootStatus expected;
  };
  for (const TCase& c : {TCase{1, 1.0, rsNotConverged}, TCase{1, 2.0, rsConverged}, TCase{-1, 1.0, rsNotConverged}}) {
    SCOPED_TRACE(::testing::Message() << c.maxIterations << " from " << c.start);
    TTestProblem problem(SquareMinusFour);
    TFindRoot finder(&problem);
    finder.SetMaxIterations(c.maxIterations);
    finder.SetX(c.start);
    EXPECT_EQ(finder.Solve(), c.expected);
    EXPECT_EQ(finder.X(), c.start);
    EXPECT_EQ(problem.Evaluations.size(), 1u);
  }
}

TEST(FindRoot, GivesUpAfterMaxIterationsAndKeepsTheLastIterate)
{
  // exp has no root: each Newton step moves one unit left, for ever.
  TTestProblem problem([](double x) { return std::exp(x); });
  TFindRoot finder(&problem);
  finder.SetMaxIterations(10);
  EXPECT_EQ(finder.Solve(), rsNotConverged);
  EXPECT_EQ(finder.Iteration(), 10);
  EXPECT_NEAR(finder.X(), -10.0, 1e-6);
  EXPECT_EQ(finder.X(), problem.Evaluations.back());
}

TEST(FindRoot, RefusesInvalidSettingsAndKeepsTheOldValues)
{
  const std::vector<std::pair<std::string, std::function<void(TFindRoot&)>>> cases = {
      {"Delta must be non zero.", [](TFindRoot& f) { f.SetDelta(0.0); }},
      {"Tolerance must be greater than zero.", [](TFindRoot& f) { f.SetTolerance(0.0); }},
      {"Tolerance must be greater than zero.", [](TFindRoot& f) { f.SetTolerance(1e-308); }},
      {"MinDampingFactor must be greater than zero.", [](TFindRoot& f) { f.SetMinDampingFactor(-1.0); }},
      {"MaxDampingFactor must be greater than zero.", [](TFindRoot& f) { f.SetMaxDampingFactor(0.0); }},
      {"Max num of iterations must be greater than zero.", [](TFindRoot& f) { f.SetMaxIterations(0); }},
      {"TFindRoot can have only 1 degree of freedom.", [](TFindRoot& f) { f.SetDegreesOfFreedom(2); }},
  };
  for (const auto& [message, set] : cases) {
    SCOPED_TRACE(message);
    TFindRoot finder;
    try {
      set(finder);
      ADD_FAILURE() << "no exception";
    } catch (const EFindRootError& e) {
      EXPECT_EQ(std::string(e.what()), "Find root error: " + message);
    }
    EXPECT_EQ(finder.Delta(), 1e-8);
    EXPECT_EQ(finder.Tolerance(), 1e-6);
    EXPECT_EQ(finder.MinDampingFactor(), 1.0);
    EXPECT_EQ(finder.MaxDampingFactor(), 10.0);
    EXPECT_EQ(finder.MaxIterations(), 200);
    EXPECT_EQ(finder.DegreesOfFreedom(), 1);
  }
}

TEST(FindRoot, RefusesEverySettingWhileSolvingAndPassesTheErrorOn)
{
  const std::vector<std::function<void(TFindRoot&)>> setters = {
      [](TFindRoot& f) { f.SetX(1.0); },
      [](TFindRoot& f) { f.SetProblem(nullptr); },
      [](TFindRoot& f) { f.SetDelta(1e-6); },
      [](TFindRoot& f) { f.SetTolerance(1e-3); },
      [](TFindRoot& f) { f.SetMinDampingFactor(2.0); },
      [](TFindRoot& f) { f.SetMaxDampingFactor(2.0); },
      [](TFindRoot& f) { f.SetMaxIterations(5); },
      [](TFindRoot& f) { f.SetDegreesOfFreedom(1); },
      [](TFindRoot& f) { f.Reset(); },
  };
  for (std::size_t i = 0; i < setters.size(); ++i) {
    SCOPED_TRACE(i);
    TFindRoot finder;
    TTestProblem problem([&](double x) {
      setters[i](finder);
      return x;
    });
    finder.SetProblem(&problem);
    finder.SetX(7.0);
    try {
      finder.Solve();
      ADD_FAILURE() << "no exception";
    } catch (const EFindRootError& e) {
      EXPECT_EQ(std::string(e.what()), "Find root error: Cannot set properties when solving.");
    }
    EXPECT_FALSE(finder.Solving());
    EXPECT_EQ(finder.X(), 7.0);
  }
}

TEST(FindRoot, NeedsAFunctionUnlessThereIsNoUnknown)
{
  TFindRoot finder;
  try {
    finder.Solve();
    ADD_FAILURE() << "no exception";
  } catch (const EFindRootError& e) {
    EXPECT_EQ(std::string(e.what()), "Find root error: Cannot find solution - no method set for CalcY.");
  }
  EXPECT_FALSE(finder.Solving());
  finder.SetDegreesOfFreedom(0);
  EXPECT_EQ(finder.Solve(), rsNoUnknowns);
}

TEST(FindRoot, StopsRightAfterTheEvaluationThatInterrupts)
{
  // Evaluations: the guess, the probe for the derivative, the first step (from 0 to the root 5, carrying
  // the forward difference's error). The probe is no iterate.
  struct TCase {
    unsigned interruptAt;
    double expectedX, error;
  };
  for (const TCase& c : {TCase{1, 0.0, 0.0}, TCase{2, 0.0, 0.0}, TCase{3, 5.0, 1e-5}}) {
    SCOPED_TRACE(c.interruptAt);
    TFindRoot finder;
    TTestProblem problem([&](double x) {
      if (problem.Evaluations.size() == c.interruptAt) finder.Interrupt();
      return x - 5.0;
    });
    finder.SetProblem(&problem);
    EXPECT_EQ(finder.Solve(), rsInterrupted);
    EXPECT_EQ(problem.Evaluations.size(), c.interruptAt);
    EXPECT_NEAR(finder.X(), c.expectedX, c.error);
  }
}

TEST(FindRoot, CanBeInterruptedFromAnInnerSolveButNotOutsideASolve)
{
  // As a failed section solve ends a shot of the solution.
  TFindRoot outer;
  TFindRootStatus innerStatus = rsNotConverged;
  TTestProblem outerProblem([&](double x) {
    TTestProblem innerProblem([&](double k) {
      outer.Interrupt();
      return k;
    });
    TFindRoot inner(&innerProblem);
    innerStatus = inner.Solve();
    return x - 1.0;
  });
  outer.SetProblem(&outerProblem);
  EXPECT_EQ(outer.Solve(), rsInterrupted);
  EXPECT_EQ(innerStatus, rsConverged);

  TTestProblem problem(SquareMinusFour);
  TFindRoot finder(&problem);
  finder.SetX(1.0);
  finder.Solve();
  finder.Interrupt();
  EXPECT_EQ(finder.Status(), rsConverged);
}

TEST(FindRoot, ReportsFloatingPointErrorsAsMathsErrors)
{
  struct TCase {
    std::string name;
    TFunction function;
    double start, delta, minDelta;
  };
  const std::vector<TCase> cases = {
      // exp is so flat at −5 that the first step lands near 1500, where it overflows.
      {"overflow at an absurd trial", [](double x) { return std::exp(x) - 10.0; }, -5, 1e-8, 1e-10},
      {"overflow at the guess", [](double x) { return std::numeric_limits<double>::max() + x * 1e300; }, 1, 1e-8,
       1e-10},
      {"zero division inside the function", [](double x) { return 1.0 / x - 2.0; }, 0, 1e-8, 1e-10},
      {"invalid operation inside the function", [](double x) { return std::sqrt(x) - 1.0; }, -1, 1e-8, 1e-10},
      {"step beyond the largest double", [](double x) { return 1e308 - 1e-8 * x; }, 1e308, 1e-8, 1e-10},
      {"perturbation too small to represent", SquareMinusFour, 1, 1e-20, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TTestProblem problem(c.function);
    TFindRoot finder(&problem);
    finder.SetDelta(c.delta);
    finder.SetMinDelta(c.minDelta);
    finder.SetX(c.start);
    EXPECT_EQ(finder.Solve(), rsMathsError);
    EXPECT_TRUE(std::isfinite(finder.X()));
  }
}

TEST(FindRoot, UsesTheHooksInPlaceOfItsOwnRules)
{
  const auto slope = [](double x) { return 2.0 * x; };
  {
    SCOPED_TRACE("an analytic derivative saves the probe");
    TTestProblem problem(SquareMinusFour);
    problem.Derivative = slope;
    TFindRoot finder(&problem);
    finder.SetX(1.0);
    EXPECT_EQ(finder.Solve(), rsConverged);
    EXPECT_EQ(problem.Evaluations.size(), 1u + static_cast<unsigned>(finder.Iteration()));
  }
  {
    SCOPED_TRACE("a convergence test replaces both tolerance tests; each iteration sees the residual");
    TTestProblem problem(SquareMinusFour);
    problem.Derivative = slope;
    problem.LooseTest = 0.5;  // 1 → 2.5 (residual 2.25) → 2.05 (residual 0.2025)
    TFindRoot finder(&problem);
    finder.SetX(1.0);
    EXPECT_EQ(finder.Solve(), rsConverged);
    EXPECT_DOUBLE_EQ(finder.X(), 2.05);
    EXPECT_EQ(problem.IterationResiduals, (std::vector<double>{-3.0, 2.25}));
  }
  for (const bool hook : {false, true}) {
    SCOPED_TRACE(hook ? "the step hook overrides the damping factor" : "the damping factor divides the step");
    TTestProblem problem(SquareMinusFour);
    problem.Derivative = slope;
    problem.HalveSteps = hook;
    problem.InterruptOnIteration = 2;
    TFindRoot finder(&problem);
    finder.SetMinDampingFactor(hook ? 10.0 : 2.0);
    finder.SetX(1.0);
    EXPECT_EQ(finder.Solve(), rsInterrupted);
    EXPECT_DOUBLE_EQ(finder.X(), 1.75);  // half the full step of 1.5
  }
}

TEST(FindRoot, KeepsSettingsAndTheLastIterateBetweenSolvesUntilReset)
{
  TTestProblem problem(SquareMinusFour);
  TFindRoot finder(&problem);
  finder.SetTolerance(1e-9);
  finder.SetTargetY(5.0);  // x² = 9
  finder.SetX(1.0);
  finder.Solve();
  finder.Solve();
  EXPECT_EQ(finder.Iteration(), 0);  // the second solve starts at the root
  EXPECT_NEAR(finder.X(), 3.0, 1e-9);

  finder.Reset();
  EXPECT_EQ(finder.Problem(), &problem);
  EXPECT_EQ(finder.X(), 0.0);
  EXPECT_EQ(finder.TargetY(), 0.0);
  EXPECT_EQ(finder.Tolerance(), 1e-6);
  EXPECT_EQ(finder.Status(), rsNotConverged);
}

}  // namespace
}  // namespace umbrinex
