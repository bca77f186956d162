#pragma once
// The model of one bend-stiffener design: project texts, cable, stiffener
// shape, materials, load cases, analysis settings, chart ranges, drawing
// circles and mould diameters, each a numbered data item. All dimensioned
// values are held in the model's current units.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bend/BendErrors.h"
#include "bend/BendResults.h"
#include "bend/BendVarNums.h"
#include "bend/Materials.h"
#include "bend/Profile.h"
#include "bend/StandardDiameters.h"
#include "framework/data/Model.h"
#include "framework/data/Table.h"
#include "framework/data/TableFile.h"

namespace umbrinex {

class TLoadCaseResults;
class TKeyResults;
class TDesignChartResults;
class TPerformanceChartResults;

struct TDrawingPen {
  std::uint8_t Style = 0;
  std::int32_t Width = 1;
  std::uint32_t Colour = 0;  // 0x00BBGGRR
};

// A factor or value range of the charts: minimum, maximum, number of cases.
struct TRange {
  double Min = 0.0;
  double Max = 0.0;
  std::int32_t Count = 0;
};

// The performance map's state, kept by the bend model and set back to not
// built by every change of the design.
enum TPerformanceMapState : std::uint8_t { pmNotBuilt = 0, pmFailed = 1, pmBuilt = 2 };

struct TAngleRange {
  double Min = 0.0;
  double Max = 0.0;
  double Accuracy = 0.0;
};

class TBend : public TModel {
 public:
  TBend();
  ~TBend() override;

  static const TVarList& Vars();
  const TVarList* GetVarList() const override { return &Vars(); }
  int TypeCode() const override { return tcBend; }
  void SetDefaults() override;

  // ---- fields ----
  const std::string& Project() const { return FProject; }
  const std::string& Client() const { return FClient; }
  const std::string& Designer() const { return FDesigner; }
  double AllowableBendRadius() const { return FAllowableBendRadius; }
  double StiffenerID() const { return FStiffenerID; }
  TStiffenerDefinition StiffenerDefinition() const { return static_cast<TStiffenerDefinition>(FStiffenerDefinition); }
  double ActiveLength() const { return FActiveLength; }
  double RootDiameter() const { return FRootDiameter; }
  double TipDiameter() const { return FTipDiameter; }
  double ShapePower() const { return FShapePower; }
  TBendStiffenerMaterial* Material() const { return FMaterial; }
  void SetMaterial(TBendStiffenerMaterial* material) { FMaterial = material; }
  TUserDefinedStiffener& Profile() const { return *FProfile; }
  TBendStiffenerMaterialsList& Materials() const { return *FMaterials; }
  TTable& LoadCases() { return FLoadCases; }
  const TTable& LoadCases() const { return FLoadCases; }
  TTable& CableStiffnessTable() { return FCableStiffness; }
  TTable& Circles() { return FCircles; }
  const TTable& Circles() const { return FCircles; }
  TTable& MouldDiameters() { return FMouldDiameters; }
  const TTable& MouldDiameters() const { return FMouldDiameters; }
  int SelectedLoadCase() const { return FSelectedLoadCase; }
  double CableLength() const { return FCableLength; }
  double StiffenerStationInterval() const { return FStationInterval[0]; }
  double CableStationInterval() const { return FStationInterval[1]; }
  double StiffenerOutputInterval() const { return FOutputInterval[0]; }
  double CableOutputInterval() const { return FOutputInterval[1]; }
  TLinearity Linearity() const { return static_cast<TLinearity>(FLinearity); }
  const TRange& LengthFactorRanges() const { return FLengthFactors; }
  const TRange& StiffnessFactorRanges() const { return FStiffnessFactors; }
  const TRange& TensionRanges() const { return FTensions; }
  const TAngleRange& AngleRanges() const { return FAngles; }
  int SectionStrips() const { return FSectionStrips; }
  const TDrawingPen& Pen(int i) const { return FPens.at(static_cast<std::size_t>(i)); }
  TDrawingPen& Pen(int i) { return FPens.at(static_cast<std::size_t>(i)); }
  const std::string& StoredMaterialName() const { return FMaterialName; }
  void SetStoredMaterialName(const std::string& name) { FMaterialName = name; }
  TModelObject& Placeholder(int i) const { return *FPlaceholders.at(static_cast<std::size_t>(i)); }

  // ---- queries (load case i 0-based, state s 0 or 1) ----
  int LoadCaseCount() const { return FLoadCases.RowCount(); }
  double LoadCaseTension(int i) const;
  double LoadCaseAngle(int i) const;
  // The load case's own ABR, or the design's when its cell holds "~".
  double LoadCaseABR(int i) const;
  bool StateIncluded(int i, int s) const;
  void SetStateIncluded(int i, int s, bool included);
  bool AnyStateIncluded(int i) const;
  bool AnyLoadCaseActive() const;
  bool AllStatesIncluded() const;
  std::string LoadCaseCaption(int i) const;
  std::string SelectedLoadCaseCaption() const;
  double StiffenerLength() const;
  double AnalysedLength() const { return StiffenerLength() + FCableLength; }
  double StiffenerRootDiameter() const;
  double StiffenerTipDiameter() const;
  double CableStiffness(int s) const;
  double MouldDiameter(int j) const;
  int MouldDiameterCount() const { return FMouldDiameters.RowCount(); }

  // Section bending stiffness of the power law shape at arc length s for a
  // material modulus e, and the outside diameter that goes with it.
  double PowerLawStiffness(double s, double e) const;
  double PowerLawDiameter(double s, double e) const;

  // ---- results control ----
  bool DataChanged() const { return FDataChanged; }
  void SetDataChanged(bool changed) { FDataChanged = changed; }
  TPerformanceMapState PerformanceMapState() const { return FPerformanceMapState; }
  void SetPerformanceMapState(TPerformanceMapState state) { FPerformanceMapState = state; }
  bool AddingPerformancePoints() const { return FAddingPerformancePoints; }
  bool StandardDiametersValid() const { return FStandardDiametersValid; }
  TStandardDiameters& StandardDiameters() { return FStandardDiameters; }
  void SetStandardDiametersValid(bool valid) { FStandardDiametersValid = valid; }
  TLoadCaseResults& LoadCaseResults() const { return *FLoadCaseResults; }
  TKeyResults& KeyResults() const { return *FKeyResults; }
  TDesignChartResults& DesignChartResults() const { return *FDesignChartResults; }
  TPerformanceChartResults& PerformanceChartResults() const { return *FPerformanceChartResults; }
  void InvalidateResults();
  void MarkResultsFailed();
  void ResetResults() override;
  // Starts the progress display with one stage of n steps.
  void StartProgress(int n) const;

  // Raises EBendDataError for the first value of the design that its item's
  // descriptor refuses (NaN and numbers beyond Infinity included), skipping
  // the shape definition not in use. Every calculation starts here; a design
  // found sound is not walked again until its data changes.
  void CheckItemValues() const;

  // Raises EBendStiffenerError with the first fault of the shape (power law:
  // diameters and linearity); the profile's own checks come from Profile().
  void CheckPowerLawShape() const;

  // ---- data files ----
  int FileTypeCode() const override { return tcBend; }
  void BeforeWrite() override;
  void ResolveNames() override;
  void AfterRead(bool olderFormat) override;
  void ReadTag(ITaggedFile& file, int tag, int sub) override;
  void ClearModel() override;
  void ListItemsRestoring(const TModelObjectList& list) override;
  void ListItemsRestored(const TModelObjectList& list) override;
  // 0 normal, 1 saving results with the data, 2 comparing stored results.
  std::uint8_t ResultsFileMode() const { return FResultsFileMode; }
  void SetResultsFileMode(std::uint8_t mode) { FResultsFileMode = mode; }
  // The material a stored name refers to, after the renames of the read;
  // the first material, with a warning, when there is none of that name.
  // With missing, the names not found are counted there, and only the
  // first MissingNamesShown of them are warned of.
  TBendStiffenerMaterial* ResolveMaterialName(const std::string& storedName, int* missing = nullptr) const;
  static constexpr int MissingNamesShown = 20;
  // Called by a material that is going: the power law and the profile
  // segments that used it take the replacement.
  void ReplaceMaterial(const TBendStiffenerMaterial* old, TBendStiffenerMaterial* replacement);

 protected:
  void WriteTags(ITaggedFile& file) override;
  void RegisterDataItems(TDataItemRegister& reg) override;
  void Redirect(TDataObject*& target, int& varNum, int& index) override;
  bool DescribeOwnItem(int varNum, TItemInfo& info) override;
  void PrepareAccess(int varNum) override;
  void AfterSet(int varNum, TAccessStatus& status) override;
  void GetItem(int varNum, int index, TAccessStatus& status, TVariant& value, TVarType representation) override;
  void SetItem(int varNum, int index, TAccessStatus& status, const TVariant& value,
               TVarType representation) override;

 private:
  std::array<TBendResults*, 4> AllResults() const;
  void WriteSection0(ITaggedFile& file) const;
  void WriteSection1(ITaggedFile& file);
  void WriteSection2(ITaggedFile& file);
  void WriteSection3(ITaggedFile& file);
  void WriteSection4(ITaggedFile& file) const;
  void ReadSection0(ITaggedFile& file);
  void ReadSection1(ITaggedFile& file);
  void ReadSection2(ITaggedFile& file);
  void ReadProfileBlock(ITaggedFile& file);
  void ReadSection3(ITaggedFile& file);
  void ReadSection4(ITaggedFile& file);
  void ReadMaterialTag(ITaggedFile& file, int sub);
  void FixOlderFile();
  TOwnColumn StatesColumn();
  // A new design's fields take the defaults their items declare.
  void SetFieldDefaults();
  void SetDefaultLoadCases();
  void SetDefaultMouldDiameters();
  void GetMaterialItem(TBendStiffenerMaterial* material, TAccessStatus& status, TVariant& value,
                       TVarType representation) const;
  TBendStiffenerMaterial* MaterialFromVariant(TAccessStatus& status, const TVariant& value,
                                              TVarType representation) const;
  void SetPointCount(int index, TAccessStatus& status, const TVariant& value, TVarType representation);
  void SetLoadCaseCount(int index, TAccessStatus& status, const TVariant& value, TVarType representation);

  std::string FProject;
  std::string FClient;
  std::string FDesigner;
  TTable FCableStiffness;
  double FAllowableBendRadius = 0.0;
  double FStiffenerID = 0.0;
  std::uint8_t FStiffenerDefinition = 0;
  double FActiveLength = 0.0;
  double FRootDiameter = 0.0;
  double FTipDiameter = 0.0;
  double FShapePower = 0.0;
  TBendStiffenerMaterial* FMaterial = nullptr;
  std::string FMaterialName;
  std::array<std::unique_ptr<TModelObject>, 7> FPlaceholders;
  TTable FLoadCases;
  std::unique_ptr<TBendStiffenerMaterialsList> FMaterials;
  std::unique_ptr<TUserDefinedStiffener> FProfile;
  std::int32_t FSelectedLoadCase = 0;
  double FCableLength = 0.0;
  std::array<double, 2> FStationInterval{};
  std::array<double, 2> FOutputInterval{};
  std::uint8_t FLinearity = 0;
  TRange FLengthFactors;
  TRange FStiffnessFactors;
  TRange FTensions;
  TAngleRange FAngles;
  std::int32_t FSectionStrips = 10;
  TTable FCircles;
  std::array<TDrawingPen, 2> FPens;
  TTable FMouldDiameters;
  TStandardDiameters FStandardDiameters;
  bool FStandardDiametersValid = false;
  bool FDataChanged = false;
  bool FAddingPerformancePoints = false;
  TPerformanceMapState FPerformanceMapState = pmNotBuilt;
  std::uint8_t FResultsFileMode = 0;
  // Set once every item value passed; the charts' threads read it.
  mutable std::atomic<bool> FItemValuesChecked{false};
  // Positions in the materials list of the materials in use, while the list
  // is rebuilt from a copy.
  std::vector<int> FMaterialPositions;
  std::unique_ptr<TLoadCaseResults> FLoadCaseResults;
  std::unique_ptr<TKeyResults> FKeyResults;
  std::unique_ptr<TDesignChartResults> FDesignChartResults;
  std::unique_ptr<TPerformanceChartResults> FPerformanceChartResults;
};

// The 8-byte states-included cell of a load case: byte s flags state s.
double StatesCell(bool state1, bool state2);
bool StateFlag(double cell, int s);
double WithStateFlag(double cell, int s, bool included);

}  // namespace umbrinex
