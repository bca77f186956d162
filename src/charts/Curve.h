#pragma once
// A curve of a chart: the builder's X and Y values, and the series the
// engine derives from them for drawing (one, or two for the mirrored and
// band kinds), with infinite values moved to the edge of the plot.
//
// Curves plotted against one common X (arc length, length factor) share the
// X storage of the engine's first curve: writing X through any of them
// writes it for all, and the shared storage is what makes a values table
// possible.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "charts/ChartItems.h"
#include "charts/GraphSettings.h"

namespace umbrinex {

class TChartEngine;

enum class TCurveKind { Plain = 0, Mirrored = 1, Reference = 2, Band = 3 };

// What the chart draws of a curve: points with a flag for those standing in
// for infinite values.
struct TSeries {
  std::vector<double> X;
  std::vector<double> Y;
  std::vector<std::uint8_t> Infinite;

  int Count() const { return static_cast<int>(X.size()); }
  void Clear();
  void Put(int k, double x, double y, bool infinite);
};

class TCurve {
 public:
  TCurve(TChartEngine& engine, TCurveKind kind, const TCurveStyle* preference);

  TCurveKind Kind() const { return FKind; }
  int SeriesCount() const { return FKind == TCurveKind::Mirrored || FKind == TCurveKind::Band ? 2 : 1; }
  const TSeries& Series(int s) const { return FSeries.at(static_cast<std::size_t>(s)); }
  TSeries& Series(int s) { return FSeries.at(static_cast<std::size_t>(s)); }

  // With shareX a curve other than the engine's first takes the first
  // curve's X storage (grown to n when shorter); otherwise its own X has n
  // values. Y and the point count are always n.
  void SetPointCount(int n, bool shareX);
  int PointCount() const { return FCount; }
  double X(int k) const { return (*FX)[static_cast<std::size_t>(k)]; }
  double Y(int k) const { return FY[static_cast<std::size_t>(k)]; }
  void SetX(int k, double x) { (*FX)[static_cast<std::size_t>(k)] = x; }
  void SetY(int k, double y) { FY[static_cast<std::size_t>(k)] = y; }
  void SetPoint(int k, double x, double y)
  {
    SetX(k, x);
    SetY(k, y);
  }
  bool SharesXWith(const TCurve& other) const { return FX == other.FX; }

  std::string Name;
  TPen Pen;
  bool Visible = true;
  bool InLegend = true;
  bool CountsForScaling = true;
  // Band curves: half the band's width in standard deviations.
  double BandWidth = 1.0;
  // Rewrites a value on its way into the values table.
  std::function<double(double)> ValueHook;

  // The legend's text for the curve: its name, or for a band the width.
  std::string LegendText() const;
  // The curve style it follows, or nullptr.
  const TCurveStyle* Preference() const { return FPreference; }
  void ApplyPreference();
  // The curve's current look as a curve style (for "Set as Default").
  TCurveStyle Style() const;

 private:
  TChartEngine& FEngine;
  TCurveKind FKind;
  const TCurveStyle* FPreference;
  std::shared_ptr<std::vector<double>> FX;
  std::vector<double> FY;
  int FCount = 0;
  std::array<TSeries, 2> FSeries;
};

}  // namespace umbrinex
