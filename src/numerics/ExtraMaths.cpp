#include "numerics/ExtraMaths.h"

#include <cmath>

#include "numerics/ReservedDoubles.h"

// Floating-point errors are found by their results rather than through the floating-point environment.
// With the default (masked) IEEE exceptions an overflow or a zero division yields an infinity and an
// invalid operation a NaN, and both propagate through the arithmetic that follows. Testing the few
// doubles the iteration produces with std::isfinite costs next to nothing, whereas clearing and testing
// the exception flags around every evaluation is a library call each time and is not reliable under
// optimisation without FENV_ACCESS. An error the function hides from its own result (1 / (1 / 0) = 0) goes
// unnoticed, but then the result is a number the iteration can use.

namespace umbrinex {

namespace {

// Clears the solving flag on every way out of Solve, exceptions of the problem included.
class TSolvingScope {
 public:
  explicit TSolvingScope(bool& solving) : FSolving(solving) { FSolving = true; }
  ~TSolvingScope() { FSolving = false; }
  TSolvingScope(const TSolvingScope&) = delete;
  TSolvingScope& operator=(const TSolvingScope&) = delete;

 private:
  bool& FSolving;
};

}  // namespace

TFindRoot::TFindRoot(TFindRootProblem* problem) : FProblem(problem)
{
  Reset();
}

void TFindRoot::Reset()
{
  CheckNotSolving();
  FStatus = rsNotConverged;
  FIteration = 0;
  FX = 0.0;
  FTargetY = 0.0;
  FDelta = 1e-8;
  FMinDelta = 1e-10;
  FTolerance = 1e-6;
  FMinDampingFactor = 1.0;
  FMaxDampingFactor = 10.0;
  FMaxIterations = 200;
  FDegreesOfFreedom = 1;
}

void TFindRoot::CheckNotSolving() const
{
  if (FSolving) throw EFindRootError("Cannot set properties when solving.");
}

void TFindRoot::SetProblem(TFindRootProblem* problem)
{
  CheckNotSolving();
  FProblem = problem;
}

void TFindRoot::SetX(double x)
{
  CheckNotSolving();
  FX = x;
}

void TFindRoot::SetDelta(double delta)
{
  CheckNotSolving();
  if (delta == 0.0) throw EFindRootError("Delta must be non zero.");
  FDelta = delta;
}

void TFindRoot::SetTolerance(double tolerance)
{
  CheckNotSolving();
  if (!(tolerance >= Tiny)) throw EFindRootError("Tolerance must be greater than zero.");
  FTolerance = tolerance;
}

void TFindRoot::SetMinDampingFactor(double factor)
{
  CheckNotSolving();
  if (!(factor >= Tiny)) throw EFindRootError("MinDampingFactor must be greater than zero.");
  FMinDampingFactor = factor;
}

void TFindRoot::SetMaxDampingFactor(double factor)
{
  CheckNotSolving();
  if (!(factor >= Tiny)) throw EFindRootError("MaxDampingFactor must be greater than zero.");
  FMaxDampingFactor = factor;
}

void TFindRoot::SetMaxIterations(int maxIterations)
{
  CheckNotSolving();
  if (maxIterations == 0) throw EFindRootError("Max num of iterations must be greater than zero.");
  FMaxIterations = maxIterations;
}

void TFindRoot::SetDegreesOfFreedom(int degreesOfFreedom)
{
  CheckNotSolving();
  if (degreesOfFreedom != 0 && degreesOfFreedom != 1)
    throw EFindRootError("TFindRoot can have only 1 degree of freedom.");
  FDegreesOfFreedom = degreesOfFreedom;
}

void TFindRoot::Interrupt()
{
  if (FSolving) FStatus = rsInterrupted;
}

double TFindRoot::Residual(double x)
{
  if (FProblem == nullptr) throw EFindRootError("Cannot find solution - no method set for CalcY.");
  return FProblem->CalcY(x) - FTargetY;
}

bool TFindRoot::Converged(double residual, double tolerance)
{
  if (const std::optional<bool> verdict = FProblem->ConvergenceTest(residual)) return *verdict;
  return std::fabs(residual) < std::fabs(tolerance);
}

TFindRootStatus TFindRoot::Solve()
{
  const TSolvingScope scope(FSolving);
  FIteration = 0;
  if (FDegreesOfFreedom == 0) return FStatus = rsNoUnknowns;

  FStatus = rsNotConverged;
  const double y = Residual(FX);
  if (FStatus != rsNotConverged) return FStatus;
  if (!std::isfinite(y)) return FStatus = rsMathsError;
  // A hundred times stricter than the test after a step, so that a guess already close to the root is
  // still improved once unless it is very close.
  if (Converged(y, 0.01 * FTolerance)) return FStatus = rsConverged;
  return Iterate(y);
}

TFindRootStatus TFindRoot::Iterate(double y)
{
  for (int iteration = 1; iteration <= FMaxIterations; ++iteration) {
    FIteration = iteration;
    FProblem->OnIteration(*this, y);
    if (FStatus != rsNotConverged) return FStatus;
    if (FMaxIterations == 1) return FStatus;  // a limit of one never steps

    double slope = 0.0;
    if (const std::optional<double> derivative = FProblem->CalcDerivative(FX)) {
      if (FStatus != rsNotConverged) return FStatus;
      slope = *derivative;
    } else {
      const double x0 = FX;
      double d = std::fabs(x0) * FDelta;
      if (std::fabs(d) < FMinDelta) d = d < 0.0 ? -FMinDelta : FMinDelta;
      // Divide by the perturbation actually representable at x0, not the one asked for.
      const double probe = x0 + d;
      d = probe - x0;
      const double y1 = Residual(probe);
      if (FStatus != rsNotConverged) return FStatus;
      slope = (y1 - y) / d;
    }
    if (slope == 0.0) return FStatus = (y != 0.0 ? rsSingular : rsMathsError);  // 0 / 0 is no zero division
    if (!std::isfinite(slope)) return FStatus = rsMathsError;

    double step = -y / slope;
    if (const std::optional<double> adjusted = FProblem->AdjustStep(step, y)) {
      if (FStatus != rsNotConverged) return FStatus;
      step = *adjusted;
    } else {
      step /= FMinDampingFactor;
    }
    const double next = FX + step;
    if (!std::isfinite(next)) return FStatus = rsMathsError;

    FX = next;
    y = Residual(FX);
    if (FStatus != rsNotConverged) return FStatus;
    if (!std::isfinite(y)) return FStatus = rsMathsError;
    if (Converged(y, FTolerance)) return FStatus = rsConverged;
  }
  return FStatus;
}

}  // namespace umbrinex
