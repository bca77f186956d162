// Counts every heap allocation of this test program, so that a solve can be
// shown to allocate nothing once its stations exist: the charts run
// thousands of solves, each of a few dozen shots.

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <cstdlib>
#include <new>

#include "bend/Bend.h"
#include "bend/DesignChartResults.h"
#include "bend/LoadCaseResults.h"
#include "bend/SizingEvaluator.h"
#include "numerics/ParallelFor.h"
#include "numerics/ReservedDoubles.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace umbrinex {
namespace {

long AllocationsDuring(const std::function<void()>& work)
{
  const long before = allocations.load();
  work();
  return allocations.load() - before;
}

TEST(NoAllocation, ASolveAllocatesNothingOnceItsStationsExist)
{
  auto bend = New<TBend>();
  TBendStiffener& solution = bend->LoadCaseResults().Solution(0);
  solution.Solve(Undefined, 29.0, 31.0, 1.0, 1.0);
  EXPECT_EQ(AllocationsDuring([&] { solution.Solve(Undefined, 29.0, 31.0, 1.2, 0.8); }), 0);
  EXPECT_GT(solution.RootFinder().Iteration(), 1);
}

TEST(NoAllocation, ANonLinearSolveAllocatesNothingEither)
{
  auto bend = New<TBend>();
  TAccessStatus status;
  bend->SetValue(vnStiffenerDefinition, 0, status, "User Defined", vtText);
  bend->SetValue(vnLinearity, 0, status, "Non-Linear", vtText);
  TBendStiffener& solution = bend->LoadCaseResults().Solution(1);
  solution.Solve(Undefined, 22.0, 42.0, 1.0, 1.0);
  EXPECT_EQ(AllocationsDuring([&] { solution.Solve(Undefined, 22.0, 42.0, 1.0, 1.0); }), 0);
}

TEST(NoAllocation, AThreadedChartAllocatesPerCalculationNotPerSolve)
{
  // The threads, their solutions and stations and the tables allocate once
  // per calculation (how much depends on which threads get to solve);
  // the solves themselves allocate nothing.
  SetCalculationThreads(2);
  auto bend = New<TBend>();
  TAccessStatus status;
  bend->SetValue(vnLengthFactorCount, 0, status, 20, vtInt);
  TDesignChartResults& chart = bend->DesignChartResults();
  chart.EnsureCalculated();
  chart.Invalidate();
  const long allocations = AllocationsDuring([&] { chart.EnsureCalculated(); });
  SetCalculationThreads(0);
  const int solves = (1 + 5 * 20) * 5 * 2;
  EXPECT_LT(allocations, solves / 4);
}

// A sizing evaluation solves every included case and state of a new shape
// on solutions kept for the search: once they have their room, it
// allocates nothing.
TEST(NoAllocation, ASizingEvaluationAllocatesNothingOnceItsSolutionsHaveTheirRoom)
{
  auto bend = New<TBend>();
  TSizingRequest request;
  request.Variables = {{TSizingVariable::Length, 1.0, 6.0}, {TSizingVariable::RootDiameter, 0.2, 0.6}};
  TSizingEvaluator evaluator(*bend, request);
  TSizingPoint point;
  const std::vector<double> longest = {3.0, 0.3}, shorter = {2.5, 0.28};
  evaluator.Evaluate(longest, point);
  ASSERT_TRUE(point.Solved) << point.Error;
  EXPECT_EQ(AllocationsDuring([&] { evaluator.Evaluate(shorter, point); }), 0);
  EXPECT_TRUE(point.Solved);
  EXPECT_NE(point.Ratio, 0.0);
  evaluator.Restore();
}

}  // namespace
}  // namespace umbrinex
