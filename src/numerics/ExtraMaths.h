#pragma once
// Newton root finder for one equation in one unknown, f(x) = target.
//
// The shooting solution of a bend stiffener calls this thousands of times per chart, and once per station
// and shot for the section curvature, so a solve never allocates: the function is a virtual interface the
// caller implements, not a std::function. Failures of a solve are status codes; only invalid settings raise.

#include <cstdint>
#include <optional>
#include <string>

#include "numerics/Errors.h"

namespace umbrinex {

class EFindRootError : public EUmbrinexError {
 public:
  explicit EFindRootError(const std::string& message) : EUmbrinexError("Find root error: " + message) {}
};

// Outcome of the last solve. 4 is kept free for finders of several unknowns.
enum TFindRootStatus : std::uint8_t {
  rsConverged = 0,
  rsInterrupted = 1,
  rsNotConverged = 2,
  rsSingular = 3,    // zero derivative
  rsMathsError = 5,  // overflow, invalid operation or zero division in the function or the iteration
  rsNoUnknowns = 6,
};

class TFindRoot;

// The equation a finder solves. Only CalcY is required. Each optional hook answers std::nullopt by
// default, which leaves the finder's built-in rule in place. Any member may call Interrupt on the finder.
class TFindRootProblem {
 public:
  virtual ~TFindRootProblem() = default;

  virtual double CalcY(double x) = 0;
  // dy/dx at x, in place of the forward difference.
  virtual std::optional<double> CalcDerivative(double /*x*/) { return std::nullopt; }
  // The step to take, in place of the Newton step divided by MinDampingFactor.
  virtual std::optional<double> AdjustStep(double /*step*/, double /*residual*/) { return std::nullopt; }
  // Whether the residual counts as converged, in place of the tolerance tests.
  virtual std::optional<bool> ConvergenceTest(double /*residual*/) { return std::nullopt; }
  // Called at the start of every iteration with the current residual.
  virtual void OnIteration(TFindRoot& /*finder*/, double /*residual*/) {}

 protected:
  TFindRootProblem() = default;
  TFindRootProblem(const TFindRootProblem&) = default;
  TFindRootProblem& operator=(const TFindRootProblem&) = default;
};

// Newton iteration with a forward-difference derivative and no line search or bracketing: each iteration
// costs two evaluations of the function. Settings persist between solves and X carries the last iterate
// into the next one, so one finder serves every shot of a solution.
class TFindRoot {
 public:
  explicit TFindRoot(TFindRootProblem* problem = nullptr);

  // Every setting to its default, X and TargetY to 0; the problem stays.
  void Reset();
  // Solves from X; afterwards Status and X hold the outcome. Exceptions of the problem pass through.
  TFindRootStatus Solve();
  // While solving, ends the solve with rsInterrupted after the current evaluation; otherwise nothing.
  void Interrupt();

  TFindRootStatus Status() const { return FStatus; }
  int Iteration() const { return FIteration; }
  bool Solving() const { return FSolving; }

  // The setters below raise EFindRootError while solving, and for the invalid values their messages name.
  TFindRootProblem* Problem() const { return FProblem; }
  void SetProblem(TFindRootProblem* problem);
  double X() const { return FX; }  // initial guess before Solve, last iterate after it
  void SetX(double x);
  double Delta() const { return FDelta; }  // relative perturbation for the derivative
  void SetDelta(double delta);
  double Tolerance() const { return FTolerance; }  // on the residual
  void SetTolerance(double tolerance);
  double MinDampingFactor() const { return FMinDampingFactor; }  // every step is divided by it
  void SetMinDampingFactor(double factor);
  double MaxDampingFactor() const { return FMaxDampingFactor; }  // kept for finders of several unknowns
  void SetMaxDampingFactor(double factor);
  int MaxIterations() const { return FMaxIterations; }  // negative: only the initial test runs
  void SetMaxIterations(int maxIterations);
  int DegreesOfFreedom() const { return FDegreesOfFreedom; }  // 0 or 1
  void SetDegreesOfFreedom(int degreesOfFreedom);

  // Free to change at any time.
  double TargetY() const { return FTargetY; }
  void SetTargetY(double targetY) { FTargetY = targetY; }
  double MinDelta() const { return FMinDelta; }  // smallest absolute perturbation
  void SetMinDelta(double minDelta) { FMinDelta = minDelta; }

 private:
  void CheckNotSolving() const;
  double Residual(double x);
  bool Converged(double residual, double tolerance);
  TFindRootStatus Iterate(double y);

  TFindRootProblem* FProblem = nullptr;
  TFindRootStatus FStatus = rsNotConverged;
  bool FSolving = false;
  int FIteration = 0;
  double FX = 0.0;
  double FTargetY = 0.0;
  double FDelta = 1e-8;
  double FMinDelta = 1e-10;
  double FTolerance = 1e-6;
  double FMinDampingFactor = 1.0;
  double FMaxDampingFactor = 10.0;
  int FMaxIterations = 200;
  int FDegreesOfFreedom = 1;
};

}  // namespace umbrinex
