#include "bend/Bend.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <stdexcept>
#include <string>

#include "bend/BendItemTable.h"
#include "bend/DesignChartResults.h"
#include "bend/KeyResults.h"
#include "bend/LoadCaseResults.h"
#include "bend/PerformanceChartResults.h"
#include "framework/data/Messages.h"
#include "framework/data/Progress.h"
#include "framework/data/TextUtils.h"
#include "framework/data/Units.h"
#include "framework/data/ValueText.h"
#include "numerics/MathConstants.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

namespace {

struct TDefaultLoadCase {
  double Tension, Angle;
};
constexpr TDefaultLoadCase DefaultLoadCases[] = {{2.5, 68}, {5, 42}, {11, 46}, {31, 29}, {42, 22}};

constexpr double DefaultMouldDiameters[] = {
    0.053, 0.066, 0.079, 0.091, 0.104, 0.117, 0.129, 0.142, 0.155, 0.167, 0.18,  0.191,
    0.205, 0.23,  0.256, 0.281, 0.306, 0.331, 0.356, 0.381, 0.406, 0.431, 0.456, 0.481,
    0.506, 0.531, 0.556, 0.581, 0.606, 0.631, 0.656, 0.681, 0.706, 0.731, 0.756};

}  // namespace

// ---- the states-included cell ----

double StatesCell(bool state1, bool state2)
{
  std::array<std::uint8_t, 8> bytes{};
  bytes[0] = state1 ? 1 : 0;
  bytes[1] = state2 ? 1 : 0;
  return std::bit_cast<double>(bytes);
}

bool StateFlag(double cell, int s)
{
  return std::bit_cast<std::array<std::uint8_t, 8>>(cell).at(static_cast<std::size_t>(s)) != 0;
}

double WithStateFlag(double cell, int s, bool included)
{
  auto bytes = std::bit_cast<std::array<std::uint8_t, 8>>(cell);
  bytes.at(static_cast<std::size_t>(s)) = included ? 1 : 0;
  return std::bit_cast<double>(bytes);
}

// ---- construction ----

namespace {

// The states-included column holds both flags of a load case in one cell.
TTableColumn StatesCellColumn()
{
  const TBendItem& state1 = BendItem(vnState1Included);
  const TBendItem& state2 = BendItem(vnState2Included);
  return {vnState1Included, StatesCell(state1.Default.Number != 0.0, state2.Default.Number != 0.0), state1.Dimension};
}

}  // namespace

TBend::TBend()
    : FCableStiffness(NoVarNum, {{vnCableStiffnessColumn, 0.0, BendItem(vnCableBendStiffness1).Dimension}}),
      FLoadCases(vnNumberOfLoadCases, {ItemColumn(vnLoadCaseTension), ItemColumn(vnLoadCaseAngle),
                                       ItemColumn(vnLoadCaseABR), StatesCellColumn()}),
      FCircles(vnNumberOfCircles, {ItemColumn(vnCircleX), ItemColumn(vnCircleY), ItemColumn(vnCircleDiameter)}),
      FMouldDiameters(vnNumberOfDiameters, {ItemColumn(vnMouldDiameter)})
{
  FCableStiffness.SetRowCount(StateCount);
  for (auto& placeholder : FPlaceholders) placeholder = New<TModelObject>(this);
  FMaterials = New<TBendStiffenerMaterialsList>(this);
  FMaterials->InsertItem(0);
  FMaterial = FMaterials->Material(0);
  FProfile = New<TUserDefinedStiffener>(this);
  FLoadCaseResults = std::make_unique<TLoadCaseResults>(*this);
  FKeyResults = std::make_unique<TKeyResults>(*this, *FLoadCaseResults);
  FDesignChartResults = std::make_unique<TDesignChartResults>(*this, *FLoadCaseResults);
  FPerformanceChartResults = std::make_unique<TPerformanceChartResults>(*this, *FLoadCaseResults);
}

TBend::~TBend()
{
  BeginDestruction();
  FPerformanceChartResults.reset();
  FDesignChartResults.reset();
  FKeyResults.reset();
  FLoadCaseResults.reset();
  // The profile refers to materials: it goes first.
  FProfile.reset();
  FMaterial = nullptr;
  FMaterials.reset();
}

void TBend::SetDefaults()
{
  TModel::SetDefaults();
  Units().ResetToSI();
  if (NameManager().FindObject(Name()) == this) NameManager().RemoveName(Name());
  SetName("Bend");

  FMaterials->RemoveAll();
  FMaterials->InsertItem(0);

  SetFieldDefaults();
  FCableStiffness.SetRowCount(StateCount);
  for (int s = 0; s < StateCount; ++s)
    FCableStiffness.SetCell(s, vnCableStiffnessColumn, BendItem(vnCableBendStiffness1 + s).Default.Number);
  FMaterial = FMaterials->Material(0);

  FProfile->SetDefaults();
  SetDefaultLoadCases();
  FSectionStrips = 10;

  FCircles.Clear();
  FPens[0] = {2, 1, 0xC0C0C0};
  FPens[1] = {0, 1, 0};
  SetDefaultMouldDiameters();
  FStandardDiametersValid = false;
}

void TBend::SetFieldDefaults()
{
  for (const TBendItem& item : BendItems()) {
    if (item.Holder != TItemHolder::Field || !item.Default.Given) continue;
    TVariant value;
    TVarType representation = vtLong;
    if (item.Default.Text != nullptr) {
      value = item.Default.Text;
      representation = vtText;
    } else if (item.Type == vtReal) {
      value = item.Default.Number;
      representation = vtReal;
    } else {
      value = static_cast<std::int64_t>(item.Default.Number);
    }
    TAccessStatus status;
    if (!Register().SetItem(item.VarNum, 0, status, value, representation) || status.Code != acValid)
      throw std::logic_error("No field takes the default of bend item " + std::to_string(item.VarNum));
  }
}

void TBend::SetDefaultLoadCases()
{
  FLoadCases.Clear();
  FLoadCases.SetRowCount(static_cast<int>(std::size(DefaultLoadCases)));
  for (int i = 0; i < LoadCaseCount(); ++i) {
    FLoadCases.SetCell(i, vnLoadCaseTension, DefaultLoadCases[i].Tension);
    FLoadCases.SetCell(i, vnLoadCaseAngle, DefaultLoadCases[i].Angle);
    FLoadCases.SetCell(i, vnLoadCaseABR, DefaultValue);
    for (int s = 0; s < StateCount; ++s) SetStateIncluded(i, s, true);
  }
}

void TBend::SetDefaultMouldDiameters()
{
  FMouldDiameters.SetRowCount(static_cast<int>(std::size(DefaultMouldDiameters)));
  const TDimension& mould = BendItem(vnMouldDiameter).Dimension;
  for (int j = 0; j < MouldDiameterCount(); ++j)
    FMouldDiameters.SetCell(j, vnMouldDiameter, Units().FromSI(mould, DefaultMouldDiameters[j]));
}

// ---- queries ----

double TBend::LoadCaseTension(int i) const { return FLoadCases.Cell(i, vnLoadCaseTension); }

double TBend::LoadCaseAngle(int i) const { return FLoadCases.Cell(i, vnLoadCaseAngle); }

double TBend::LoadCaseABR(int i) const
{
  const double abr = FLoadCases.Cell(i, vnLoadCaseABR);
  return IsDefault(abr) ? FAllowableBendRadius : abr;
}

bool TBend::StateIncluded(int i, int s) const { return StateFlag(FLoadCases.Cell(i, vnState1Included), s); }

void TBend::SetStateIncluded(int i, int s, bool included)
{
  FLoadCases.SetCell(i, vnState1Included, WithStateFlag(FLoadCases.Cell(i, vnState1Included), s, included));
}

bool TBend::AnyStateIncluded(int i) const { return StateIncluded(i, 0) || StateIncluded(i, 1); }

bool TBend::AnyLoadCaseActive() const
{
  for (int i = 0; i < LoadCaseCount(); ++i)
    if (AnyStateIncluded(i)) return true;
  return false;
}

bool TBend::AllStatesIncluded() const
{
  for (int i = 0; i < LoadCaseCount(); ++i)
    if (!StateIncluded(i, 0) || !StateIncluded(i, 1)) return false;
  return true;
}

std::string TBend::LoadCaseCaption(int i) const
{
  return Format("Load Case %d (T=%s, A=%s)", i + 1, FormatGeneral(LoadCaseTension(i), 4).c_str(),
                FormatGeneral(LoadCaseAngle(i), 4).c_str());
}

std::string TBend::SelectedLoadCaseCaption() const
{
  const int i = FSelectedLoadCase;
  return Format("(T=%s, A=%s)", FormatGeneral(LoadCaseTension(i), 4).c_str(),
                FormatGeneral(LoadCaseAngle(i), 4).c_str());
}

double TBend::StiffenerLength() const
{
  if (StiffenerDefinition() == sdPowerLaw) return FActiveLength;
  return FProfile->Count() > 0 ? FProfile->LastPoint().ArcLength : 0.0;
}

double TBend::StiffenerRootDiameter() const
{
  if (StiffenerDefinition() == sdPowerLaw) return FRootDiameter;
  return FProfile->Count() > 0 ? FProfile->Point(0).Diameter : 0.0;
}

double TBend::StiffenerTipDiameter() const
{
  if (StiffenerDefinition() == sdPowerLaw) return FTipDiameter;
  return FProfile->Count() > 0 ? FProfile->LastPoint().Diameter : 0.0;
}

double TBend::CableStiffness(int s) const { return FCableStiffness.Cell(s, vnCableStiffnessColumn); }

double TBend::MouldDiameter(int j) const { return FMouldDiameters.Cell(j, vnMouldDiameter); }

double TBend::PowerLawStiffness(double s, double e) const
{
  const double id4 = std::pow(FStiffenerID, 4);
  const double root = e * Pi * (std::pow(FRootDiameter, 4) - id4) / 64.0;
  const double tip = e * Pi * (std::pow(FTipDiameter, 4) - id4) / 64.0;
  // The tip station takes the tip stiffness exactly; the power is not evaluated there.
  if (s >= FActiveLength) return tip;
  const double factor = FShapePower == 0.0 ? 1.0 : std::pow(1.0 - s / FActiveLength, FShapePower);
  return tip + factor * (root - tip);
}

double TBend::PowerLawDiameter(double s, double e) const
{
  const double d4 = 64.0 * PowerLawStiffness(s, e) / (e * Pi) + std::pow(FStiffenerID, 4);
  return std::sqrt(std::sqrt(d4));
}

// ---- results control ----

std::array<TBendResults*, 4> TBend::AllResults() const
{
  return {FLoadCaseResults.get(), FKeyResults.get(), FDesignChartResults.get(), FPerformanceChartResults.get()};
}

void TBend::InvalidateResults()
{
  FItemValuesChecked = false;
  for (TBendResults* results : AllResults()) results->Invalidate();
  FPerformanceMapState = pmNotBuilt;
}

void TBend::MarkResultsFailed()
{
  for (TBendResults* results : AllResults()) results->MarkFailed();
  FPerformanceMapState = pmFailed;
}

void TBend::StartProgress(int n) const
{
  TProgress& progress = Progress();
  progress.SetStageCount(1);
  progress.SetMaxCounter(std::max(1, n));
  progress.Start();
}

void TBend::ResetResults()
{
  TModel::ResetResults();
  FItemValuesChecked = false;
  if (FLoadCaseResults) FLoadCaseResults->ResetResults();
  FStandardDiametersValid = false;
  FDataChanged = true;
}

void TBend::CheckPowerLawShape() const
{
  if (FRootDiameter < FStiffenerID || FTipDiameter < FStiffenerID)
    throw EBendStiffenerError("The root and tip diameters must not be less than the cable diameter.");
  if (Linearity() != lnLinear)
    throw EBendStiffenerError("Cannot do non-linear analysis with Power Law shape definition.");
}

// ---- names across writing and reading ----

void TBend::BeforeWrite()
{
  FMaterialName = FMaterial ? FMaterial->Name() : std::string();
  FProfile->BeforeWrite();
}

TBendStiffenerMaterial* TBend::ResolveMaterialName(const std::string& storedName, int* missing) const
{
  const std::string name = NameManager().Changes().Translate(storedName);
  if (TBendStiffenerMaterial* material = FMaterials->FindMaterial(name)) return material;
  if (missing == nullptr || ++*missing <= MissingNamesShown)
    ShowWarning(Format("Cannot find material type '%s' - using first material type.", VisibleText(name).c_str()));
  return FMaterials->Material(0);
}

void TBend::ResolveNames()
{
  FMaterial = ResolveMaterialName(FMaterialName);
  FProfile->ResolveNames();
}

void TBend::ReplaceMaterial(const TBendStiffenerMaterial* old, TBendStiffenerMaterial* replacement)
{
  if (FMaterial == old) FMaterial = replacement;
  if (FProfile) FProfile->ReplaceMaterial(old, replacement);
}

}  // namespace umbrinex
