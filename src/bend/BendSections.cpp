// The bend model in data files: its sections (tag 39, sub-number 0..9) and
// the tags of its materials. Every group of values is a record, so a later
// version can append fields anywhere and this reader skips them; values
// missing from an older file keep the defaults the cleared model gave them.

#include <algorithm>
#include <exception>

#include "bend/Bend.h"
#include "bend/BendItemTable.h"
#include "bend/LoadCaseResults.h"
#include "framework/data/TableFile.h"
#include "framework/data/Units.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

namespace {

enum TBendSection : int {
  bsProject = 0,
  bsCable = 1,
  bsStiffener = 2,
  bsLoadCases = 3,
  bsAnalysis = 4,
  bsResults = 5,
  bsMaterialName = 6,
  bsMaterialState = 7,
  bsCircles = 8,
  bsMoulds = 9,
};

// Feature note of files whose load cases leave a state out.
constexpr int FeatureStatesExcluded = 71;

// A row count read from a file. One that no design can have marks a damaged
// file, as does a table block that stores another number of rows: reading
// on would invent rows or drop them. A file that ends before the count
// keeps the current one.
int ReadCount(ITaggedFile& file, int current, int maximum)
{
  std::int32_t count = current;
  file.ReadInteger(count);
  if (count < 0 || count > maximum) file.Corrupt();
  return count;
}

// The largest table a design may have: the range of its count item. The
// mould table has no upper range, but a design never needs more moulds.
int MaxRows(int countVarNum) { return static_cast<int>(TBend::Vars().Find(countVarNum).Max); }
constexpr int MaxMouldRows = 100000;

// The last choice of an enumeration item.
std::uint8_t LastChoice(int varNum) { return static_cast<std::uint8_t>(TBend::Vars().Find(varNum).Max); }

void WriteDoubles(ITaggedFile& file, std::initializer_list<double> values)
{
  for (double v : values) file.WriteDouble(v);
}

void ReadDoubles(ITaggedFile& file, std::initializer_list<double*> values)
{
  for (double* v : values) file.ReadDouble(*v);
}

// Begins a section tag and ends it when the scope ends normally; a write
// that fails leaves the tag open, and the file is abandoned anyway.
class TTagWriter {
 public:
  TTagWriter(ITaggedFile& file, int sub) : FFile(file), FUncaught(std::uncaught_exceptions())
  {
    FFile.BeginTag(tcBend, sub);
  }
  ~TTagWriter() noexcept(false)
  {
    if (std::uncaught_exceptions() == FUncaught) FFile.EndTag();
  }
  TTagWriter(const TTagWriter&) = delete;
  TTagWriter& operator=(const TTagWriter&) = delete;

 private:
  ITaggedFile& FFile;
  int FUncaught;
};

// Sections 3, 8 and 9: one record with the row count, then the table block.
void WriteCountedTable(ITaggedFile& file, int sub, const TTable& table, const std::vector<int>& columns,
                       const TOwnColumn* own = nullptr)
{
  TTagWriter tag(file, sub);
  file.BeginRecord();
  file.WriteInteger(table.RowCount());
  WriteTableBlock(file, table, columns, own);
  file.EndRecord();
}

void ReadCountedTable(ITaggedFile& file, TTable& table, const std::vector<int>& columns, int maximum,
                      const TOwnColumn* own = nullptr)
{
  file.BeginReadRecord();
  table.SetRowCount(ReadCount(file, table.RowCount(), maximum));
  ReadTableBlock(file, table, columns, own, TStoredRows::MustAgree);
  file.EndReadRecord();
}

}  // namespace

// ---- writing ----

void TBend::WriteTags(ITaggedFile& file)
{
  WriteSection0(file);
  FMaterials->WriteData(file);
  WriteSection1(file);
  WriteSection2(file);
  WriteSection3(file);
  if (!AllStatesIncluded()) file.NoteFeatureUsed(FeatureStatesExcluded, true, false, "some load cases exclude some states");
  WriteSection4(file);
  WriteCountedTable(file, bsCircles, FCircles, {vnCircleX, vnCircleY, vnCircleDiameter});
  WriteCountedTable(file, bsMoulds, FMouldDiameters, {vnMouldDiameter});
}

void TBend::WriteSection0(ITaggedFile& file) const
{
  TTagWriter tag(file, bsProject);
  file.BeginRecord();
  file.WriteString(FProject);
  file.WriteString(FClient);
  file.WriteString(FDesigner);
  file.EndRecord();
  file.BeginRecord();
  Units().WriteToFile(file);
  file.EndRecord();
  file.BeginRecord();
  file.WriteInteger(StateCount);
  file.EndRecord();
}

void TBend::WriteSection1(ITaggedFile& file)
{
  TTagWriter tag(file, bsCable);
  file.BeginRecord();
  WriteTableBlock(file, FCableStiffness, {vnCableStiffnessColumn});
  WriteDoubles(file, {FAllowableBendRadius, FStiffenerID});
  file.EndRecord();
}

void TBend::WriteSection2(ITaggedFile& file)
{
  TTagWriter tag(file, bsStiffener);
  file.BeginRecord();
  file.WriteByte(FStiffenerDefinition);
  file.EndRecord();
  file.BeginRecord();
  // ShapePower / 4 is kept for readers of the previous version.
  WriteDoubles(file, {FActiveLength, FRootDiameter, FTipDiameter, FShapePower / 4.0, FShapePower});
  WriteName(file, FMaterialName);
  file.EndRecord();
  // Record 3: the point count, then the profile block of three records
  // (arc lengths, diameters, the materials of all points but the last).
  const int n = FProfile->Count();
  file.BeginRecord();
  file.WriteInteger(n);
  file.BeginRecord();
  file.BeginRecord();
  file.WriteInteger(n);
  for (int i = 0; i < n; ++i) file.WriteDouble(FProfile->Point(i).ArcLength);
  file.EndRecord();
  file.BeginRecord();
  file.WriteInteger(n);
  for (int i = 0; i < n; ++i) file.WriteDouble(FProfile->Point(i).Diameter);
  file.EndRecord();
  file.BeginRecord();
  file.WriteInteger(n);
  for (int i = 0; i + 1 < n; ++i) WriteName(file, FProfile->Point(i).MaterialName);
  file.EndRecord();
  file.EndRecord();
  file.EndRecord();
}

TOwnColumn TBend::StatesColumn()
{
  // The states-included cell is two flags, stored as a record of two Booleans.
  return {vnState1Included,
          [this](ITaggedFile& file, int row) {
            file.BeginRecord();
            file.WriteBoolean(StateIncluded(row, 0));
            file.WriteBoolean(StateIncluded(row, 1));
            file.EndRecord();
          },
          [this](ITaggedFile& file, int row) {
            file.BeginReadRecord();
            for (int s = 0; s < StateCount; ++s) {
              bool included = StateIncluded(row, s);
              file.ReadBoolean(included);
              SetStateIncluded(row, s, included);
            }
            file.EndReadRecord();
          }};
}

void TBend::WriteSection3(ITaggedFile& file)
{
  const TOwnColumn states = StatesColumn();
  WriteCountedTable(file, bsLoadCases, FLoadCases,
                    {vnLoadCaseTension, vnLoadCaseAngle, vnLoadCaseABR, vnState1Included}, &states);
}

void TBend::WriteSection4(ITaggedFile& file) const
{
  TTagWriter tag(file, bsAnalysis);
  file.BeginRecord();
  file.WriteByte(FLinearity);
  file.WriteDouble(FCableLength);
  file.WriteInteger(FSectionStrips);
  // The stiffener's calculation and output intervals come before the cable's.
  WriteDoubles(file, {FStationInterval[0], FOutputInterval[0], FStationInterval[1], FOutputInterval[1]});
  file.EndRecord();
  file.BeginRecord();
  WriteDoubles(file, {FLengthFactors.Min, FLengthFactors.Max});
  file.WriteInteger(FLengthFactors.Count);
  WriteDoubles(file, {FStiffnessFactors.Min, FStiffnessFactors.Max});
  file.WriteInteger(FStiffnessFactors.Count);
  file.EndRecord();
  file.BeginRecord();
  WriteDoubles(file, {FTensions.Min, FTensions.Max});
  file.WriteInteger(FTensions.Count);
  WriteDoubles(file, {FAngles.Min, FAngles.Max, FAngles.Accuracy});
  file.EndRecord();
}

// ---- reading ----

void TBend::ReadTag(ITaggedFile& file, int tag, int sub)
{
  if (tag != tcBend) return;
  switch (sub) {
    case bsProject: return ReadSection0(file);
    case bsCable: return ReadSection1(file);
    case bsStiffener: return ReadSection2(file);
    case bsLoadCases: return ReadSection3(file);
    case bsAnalysis: return ReadSection4(file);
    case bsMaterialName:
    case bsMaterialState: return ReadMaterialTag(file, sub);
    case bsCircles:
      return ReadCountedTable(file, FCircles, {vnCircleX, vnCircleY, vnCircleDiameter}, MaxRows(vnNumberOfCircles));
    case bsMoulds: return ReadCountedTable(file, FMouldDiameters, {vnMouldDiameter}, MaxMouldRows);
    default:
      return;  // results, and sections of later versions
  }
}

void TBend::ReadSection0(ITaggedFile& file)
{
  file.BeginReadRecord();
  file.ReadString(FProject);
  file.ReadString(FClient);
  file.ReadString(FDesigner);
  file.EndReadRecord();
  // The units come before any dimensioned value: the model adopts them here.
  file.BeginReadRecord();
  Units().ReadFromFile(file);
  file.EndReadRecord();
  file.BeginReadRecord();
  std::int32_t states = StateCount;
  file.ReadInteger(states);
  file.EndReadRecord();
  FMaterials->SetCurrentItem(nullptr);
}

void TBend::ReadSection1(ITaggedFile& file)
{
  file.BeginReadRecord();
  ReadTableBlock(file, FCableStiffness, {vnCableStiffnessColumn});
  ReadDoubles(file, {&FAllowableBendRadius, &FStiffenerID});
  file.EndReadRecord();
}

void TBend::ReadSection2(ITaggedFile& file)
{
  file.BeginReadRecord();
  file.ReadEnum(FStiffenerDefinition, LastChoice(vnStiffenerDefinition), "stiffener definition");
  file.EndReadRecord();
  file.BeginReadRecord();
  double quarterPower = FShapePower / 4.0;  // for older readers only
  ReadDoubles(file, {&FActiveLength, &FRootDiameter, &FTipDiameter, &quarterPower, &FShapePower});
  ReadName(file, FMaterialName);
  file.EndReadRecord();
  file.BeginReadRecord();
  const int n = ReadCount(file, FProfile->Count(), MaxRows(vnNumberOfPoints));
  if (n != FProfile->Count()) FProfile->SetCount(n);
  if (file.BytesLeft() > 0) {
    ReadProfileBlock(file);
    file.EndReadRecord();
  } else {
    // Earlier builds of this program wrote the block as a record of its
    // own after the count; a file of the proper layout always holds it
    // inside the count's record.
    file.EndReadRecord();
    ReadProfileBlock(file);
  }
}

void TBend::ReadProfileBlock(ITaggedFile& file)
{
  file.BeginReadRecord();
  auto readColumn = [&](auto field) {
    file.BeginReadRecord();
    std::int32_t stored = FProfile->Count();
    file.ReadInteger(stored);
    if (stored != FProfile->Count()) file.Corrupt();
    for (int i = 0; i < FProfile->Count(); ++i) field(FProfile->Point(i));
    file.EndReadRecord();
  };
  readColumn([&](TUserDefinedStiffenerPoint& p) { file.ReadDouble(p.ArcLength); });
  readColumn([&](TUserDefinedStiffenerPoint& p) { file.ReadDouble(p.Diameter); });
  file.BeginReadRecord();
  std::int32_t stored = FProfile->Count();
  file.ReadInteger(stored);
  if (stored != FProfile->Count()) file.Corrupt();
  for (int i = 0; i + 1 < FProfile->Count(); ++i) ReadName(file, FProfile->Point(i).MaterialName);
  file.EndReadRecord();
  file.EndReadRecord();
}

void TBend::ReadSection3(ITaggedFile& file)
{
  const TOwnColumn states = StatesColumn();
  ReadCountedTable(file, FLoadCases, {vnLoadCaseTension, vnLoadCaseAngle, vnLoadCaseABR, vnState1Included},
                   MaxRows(vnNumberOfLoadCases), &states);
}

void TBend::ReadSection4(ITaggedFile& file)
{
  file.BeginReadRecord();
  file.ReadEnum(FLinearity, LastChoice(vnLinearity), "calculation type");
  file.ReadDouble(FCableLength);
  file.ReadInteger(FSectionStrips);
  ReadDoubles(file, {&FStationInterval[0], &FOutputInterval[0], &FStationInterval[1], &FOutputInterval[1]});
  file.EndReadRecord();
  file.BeginReadRecord();
  ReadDoubles(file, {&FLengthFactors.Min, &FLengthFactors.Max});
  file.ReadInteger(FLengthFactors.Count);
  ReadDoubles(file, {&FStiffnessFactors.Min, &FStiffnessFactors.Max});
  file.ReadInteger(FStiffnessFactors.Count);
  file.EndReadRecord();
  file.BeginReadRecord();
  ReadDoubles(file, {&FTensions.Min, &FTensions.Max});
  file.ReadInteger(FTensions.Count);
  ReadDoubles(file, {&FAngles.Min, &FAngles.Max, &FAngles.Accuracy});
  file.EndReadRecord();
}

void TBend::ReadMaterialTag(ITaggedFile& file, int sub)
{
  if (sub == bsMaterialName) {
    // The next material of the list, or a new one at its end.
    const int next = FMaterials->CurrentItem() ? FMaterials->IndexOf(FMaterials->CurrentItem()) + 1 : 0;
    if (next < FMaterials->Count()) FMaterials->SetCurrentItem(FMaterials->Item(next));
    else FMaterials->InsertItem(FMaterials->Count());
  }
  if (TModelObject* material = FMaterials->CurrentItem()) material->ReadTag(file, tcBend, sub);
}

// ---- after reading ----

void TBend::FixOlderFile()
{
  // Files of the previous version held one material of use: the others go
  // (unless something uses them), and any left take their State 2 curve
  // from State 1 and the default moduli where none was stored.
  for (int i = FMaterials->Count() - 1; i >= 0; --i)
    if (FMaterials->Material(i) != FMaterial) FMaterials->DeleteItem(i);
  for (int i = 0; i < FMaterials->Count(); ++i) {
    TBendStiffenerMaterial* m = FMaterials->Material(i);
    if (m == FMaterial) continue;
    m->Curve(1).Assign(m->Curve(0));
    const double defaults[StateCount] = {100000.0, 150000.0};
    for (int s = 0; s < StateCount; ++s)
      if (m->LinearE(s) == Undefined) m->SetLinearE(s, Units().FromSI(BendItem(vnLinearE).Dimension, defaults[s]));
  }
  if (FMouldDiameters.RowCount() == 0) SetDefaultMouldDiameters();
}

void TBend::AfterRead(bool olderFormat)
{
  if (olderFormat) FixOlderFile();
  for (int i = 0; i < FMaterials->Count(); ++i)
    for (int s = 0; s < StateCount; ++s) FMaterials->Material(i)->RecomputeDerived(s);
  if (FProfile->Count() > 0) FProfile->LastPoint().Material = nullptr;
  if (FMaterials->CurrentItem() == nullptr) FMaterials->SetCurrentItem(FMaterials->Item(0));
  // A design always has a load case; a damaged count may have left none.
  if (LoadCaseCount() == 0) FLoadCases.SetRowCount(1);
  FSelectedLoadCase = std::max(0, std::min(FSelectedLoadCase, LoadCaseCount() - 1));
  FSectionStrips = std::clamp(FSectionStrips, 2, 1000);
}

void TBend::ClearModel()
{
  TModel::ClearModel();
  InvalidateResults();
}

void TBend::ListItemsRestoring(const TModelObjectList& list)
{
  if (&list != FMaterials.get()) return;
  FMaterialPositions.clear();
  FMaterialPositions.push_back(FMaterials->IndexOf(FMaterial));
  for (int i = 0; i < FProfile->Count(); ++i) FMaterialPositions.push_back(FMaterials->IndexOf(FProfile->Point(i).Material));
}

void TBend::ListItemsRestored(const TModelObjectList& list)
{
  if (&list != FMaterials.get() || FMaterialPositions.empty()) return;
  auto at = [&](int position) {
    return position >= 0 && position < FMaterials->Count() ? FMaterials->Material(position) : FMaterials->Material(0);
  };
  FMaterial = at(FMaterialPositions[0]);
  for (int i = 0; i < FProfile->Count() && i + 1 < static_cast<int>(FMaterialPositions.size()); ++i)
    FProfile->Point(i).Material = FMaterialPositions[static_cast<std::size_t>(i + 1)] < 0
                                      ? nullptr
                                      : at(FMaterialPositions[static_cast<std::size_t>(i + 1)]);
  FMaterialPositions.clear();
}

// ---- materials ----

void TBendStiffenerMaterial::WriteTags(ITaggedFile& file)
{
  {
    TTagWriter tag(file, bsMaterialName);
    file.BeginRecord();
    WriteName(file, Name());
    file.EndRecord();
  }
  for (int s = 0; s < StateCount; ++s) {
    TTagWriter tag(file, bsMaterialState);
    file.BeginRecord();
    file.WriteDouble(LinearE(s));
    file.EndRecord();
    file.BeginRecord();
    file.WriteInteger(Curve(s).RowCount());
    WriteTableBlock(file, Curve(s), {vnStrainColumn, vnStressOverEColumn});
    file.EndRecord();
    file.BeginRecord();
    file.WriteByte(FStressSpecifier[Checked(s)]);
    WriteTableBlock(file, Curve(s), {vnStressColumn});
    file.EndRecord();
  }
}

void TBendStiffenerMaterial::ReadTag(ITaggedFile& file, int tag, int sub)
{
  if (tag != tcBend) return;
  if (sub == bsMaterialName) {
    std::string name = Name();
    file.BeginReadRecord();
    ReadName(file, name);
    file.EndReadRecord();
    AdoptStoredName(name);
    FReadState = -1;
    return;
  }
  if (sub != bsMaterialState || ++FReadState >= StateCount) return;  // a third state tag is ignored
  const int s = FReadState;
  file.BeginReadRecord();
  file.ReadDouble(FLinearE[Checked(s)]);
  file.EndReadRecord();
  file.BeginReadRecord();
  Curve(s).SetRowCount(ReadCount(file, Curve(s).RowCount(), MaxRows(vnCurveNumberOfPoints)));
  ReadTableBlock(file, Curve(s), {vnStrainColumn, vnStressOverEColumn}, nullptr, TStoredRows::MustAgree);
  file.EndReadRecord();
  file.BeginReadRecord();
  file.ReadEnum(FStressSpecifier[Checked(s)], LastChoice(vnStressSpecifier), "stress specifier");
  ReadTableBlock(file, Curve(s), {vnStressColumn}, nullptr, TStoredRows::MustAgree);
  file.EndReadRecord();
}

}  // namespace umbrinex
