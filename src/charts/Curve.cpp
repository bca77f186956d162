#include "charts/Curve.h"

#include "charts/ChartEngine.h"
#include "framework/data/ValueText.h"

namespace umbrinex {

void TSeries::Clear()
{
  X.clear();
  Y.clear();
  Infinite.clear();
}

void TSeries::Put(int k, double x, double y, bool infinite)
{
  if (k < Count()) {
    const auto i = static_cast<std::size_t>(k);
    X[i] = x;
    Y[i] = y;
    Infinite[i] = infinite;
  } else {
    X.push_back(x);
    Y.push_back(y);
    Infinite.push_back(infinite);
  }
}

TCurve::TCurve(TChartEngine& engine, TCurveKind kind, const TCurveStyle* preference)
    : FEngine(engine), FKind(kind), FPreference(preference), FX(std::make_shared<std::vector<double>>())
{
  if (FPreference) ApplyPreference();
}

void TCurve::SetPointCount(int n, bool shareX)
{
  const auto size = static_cast<std::size_t>(n);
  TCurve* first = FEngine.CurveCount() > 0 ? &FEngine.Curve(0) : nullptr;
  if (shareX && first && first != this) {
    FX = first->FX;
    if (FX->size() < size) FX->resize(size);
  } else {
    // A first curve whose storage others share keeps it shared; a curve
    // that stops sharing gets storage of its own.
    if (FX.use_count() > 1 && first != this) FX = std::make_shared<std::vector<double>>();
    FX->resize(size);
  }
  FY.resize(size);
  FCount = n;
}

std::string TCurve::LegendText() const
{
  if (FKind == TCurveKind::Band) return "\u00B1 " + FormatGeneral(BandWidth, 15) + " Std. Dev.";
  return Name;
}

void TCurve::ApplyPreference()
{
  if (!FPreference) return;
  Pen.Colour = FPreference->Colour;
  Pen.Width = FPreference->Width;
  Pen.Style = FPreference->Style;
  Visible = FPreference->Visible;
  InLegend = FPreference->InLegend;
  if (FKind == TCurveKind::Band && FPreference->StdDevInterval > 0.0) BandWidth = FPreference->StdDevInterval;
}

TCurveStyle TCurve::Style() const
{
  TCurveStyle style;
  style.Colour = Pen.Colour;
  style.Width = Pen.Width;
  style.Style = Pen.Style;
  style.Visible = Visible;
  style.InLegend = InLegend;
  style.StdDevInterval = FKind == TCurveKind::Band ? BandWidth : (FPreference ? FPreference->StdDevInterval : 0.0);
  return style;
}

}  // namespace umbrinex
