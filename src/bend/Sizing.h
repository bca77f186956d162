#pragma once
// Sizing the stiffener: the lightest (or shortest) shape within the bounds
// of the chosen variables that keeps the smallest bend radius of every
// included load case and state at least a target times its allowable bend
// radius, and optionally the polymer strain within a limit. Each evaluation
// solves every included case and state; the search is NLopt's derivative-
// free constrained method (COBYLA) in the unit box of the bounds, from the
// design as it is and, when that finds nothing that passes, from the best
// point of a coarse scan. The same request gives the same result on any
// number of threads.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace umbrinex {

class TBend;

enum class TSizingVariable { Length, RootDiameter, TipDiameter, ShapePower, LengthScale, DiameterScale };
enum class TSizingObjective { Volume, Length };

// "length", "root-diameter", "tip-diameter", "shape-power", "length-scale",
// "diameter-scale"; names are read the same way, in any letter case.
const char* SizingVariableName(TSizingVariable variable);
std::optional<TSizingVariable> SizingVariableNamed(const std::string& name);
// "volume" or "length".
const char* SizingObjectiveName(TSizingObjective objective);

struct TSizingBounds {
  TSizingVariable Variable = TSizingVariable::Length;
  // In the design's units; none for the default bounds of the variable.
  std::optional<double> Lower, Upper;
};

struct TSizingRequest {
  // The variables; none for those of the design's definition (length and
  // root diameter for the power law, both scales for a profile).
  std::vector<TSizingBounds> Variables;
  TSizingObjective Objective = TSizingObjective::Volume;
  // The smallest MBR/ABR every included case and state must reach.
  double Target = 1.0;
  // The largest outer-fibre polymer strain allowed; none for no limit.
  std::optional<double> MaxStrain;
  // Round the sized diameters up to the mould diameters and check again.
  bool Moulds = false;
};

// One evaluated shape.
struct TSizingPoint {
  std::vector<double> Values;  // of the request's variables, in order
  double Volume = 0.0;
  double Length = 0.0;  // of the stiffener
  // The governing case: the smallest MBR/ABR, 1-based load case and state.
  double Ratio = 0.0;
  int LoadCase = 0;
  int State = 0;
  double MaxStrain = 0.0;
  // False when the shape could not be solved (Error says why).
  bool Solved = false;
  std::string Error;
};

struct TSizingVariableReport {
  TSizingVariable Variable;
  double Lower, Upper;
};

struct TSizingResult {
  bool Sized = false;  // false: no shape within the bounds passes
  std::vector<TSizingVariableReport> Variables;
  TSizingPoint Before;
  // The sized shape; when nothing passes, the best shape reached.
  TSizingPoint After;
  // The sized shape with its diameters rounded up to the mould's, when
  // asked for.
  std::optional<TSizingPoint> Rounded;
  int Evaluations = 0;
  double Seconds = 0.0;
  // The sentence that says why nothing fits; empty when sized.
  std::string Message;
};

// The request as it will run: the variables of the design's definition
// when none are named, default bounds filled in. Refuses (EUmbrinexError,
// naming the variable) a variable of the other definition, a variable named
// twice, bounds below zero or the wrong way round, a diameter bound below
// the stiffener ID, and a target or strain limit that is not above zero.
TSizingRequest CompleteSizingRequest(const TBend& bend, const TSizingRequest& request);

// Sizes the design's stiffener. The design is changed while the search
// runs and put back exactly as it was before this returns, whatever
// happens (Cancel included); ApplySizing puts the result in. poll is
// called between evaluations (with their count) and may throw to cancel.
TSizingResult SizeStiffener(TBend& bend, const TSizingRequest& request,
                            const std::function<void(int evaluations)>& poll = {});

// Puts the values of a sized point into the design, as item entries.
void ApplySizing(TBend& bend, const TSizingRequest& request, const TSizingPoint& point);

// The volume of the design's stiffener at its own stations.
double StiffenerVolume(TBend& bend);

}  // namespace umbrinex
