#include "persistence/BendFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "BendFileTestSupport.h"
#include "TaggedFileTestSupport.h"
#include "bend/Bend.h"
#include "framework/data/TableFile.h"
#include "framework/data/Units.h"
#include "numerics/ReservedDoubles.h"
#include "persistence/Copies.h"
#include "persistence/FileErrors.h"

namespace umbrinex {
namespace {

using namespace umbrinex::testing;
namespace fs = std::filesystem;

// The (tag, sub) sequence of a file.
std::vector<std::pair<int, int>> Tags(const TBytes& bytes)
{
  TDataReader reader(bytes, DataFileClass);
  std::vector<std::pair<int, int>> tags;
  do {
    reader.File.ReadTagHeader();
    tags.emplace_back(reader.File.TagNumber(), reader.File.SubNumber());
    reader.File.FinishTag();
  } while (reader.File.TagNumber() != 255);
  return tags;
}

std::string LoadError(TBend& bend, const std::string& fileName, const TFileClass& fileClass = DataFileClass)
{
  try {
    LoadFromFile(bend, fileName, fileClass);
  } catch (const EFileError& e) {
    return e.what();
  }
  return "loaded";
}

class BendFile : public TDesignFileTest {};

TEST_F(BendFile, ADesignFileBeginsWithTheHeaderAndTheLongNamesFeature)
{
  auto bend = New<TBend>();
  const std::string name = SaveToFile(*bend, folder.File("design"));
  EXPECT_EQ(fs::path(name).filename(), "design.mxd");
  EXPECT_EQ(bend->FileName(), name);
  const TBytes expected = {0x08, 0x55, 0x4D, 0x42, 0x52, 0x49, 0x4E, 0x45, 0x58, 0x00, 0x04, 0x00,
                           0x02, 0x32, 0x62, 0x00, 0x00, 0x0A, 0x04, 0x34, 0x2E, 0x30, 0x61, 0x00,
                           0x00, 0xFD, 0x11, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0xFD, 0x00,
                           0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0B, 0x00, 0x00, 0x00};
  const TBytes bytes = ReadBytes(name);
  ASSERT_GE(bytes.size(), expected.size());
  EXPECT_EQ(TBytes(bytes.begin(), bytes.begin() + static_cast<long>(expected.size())), expected);
  EXPECT_EQ(PeekFileTypeCode(name), 10);
  EXPECT_EQ(PeekFileTypeCode(folder.File("missing.mxd")), 255);
}

TEST_F(BendFile, EveryItemOfAModifiedDesignSurvivesSaveAndLoad)
{
  auto original = ModifiedDesign();
  const std::vector<std::string> before = AllItems(*original);
  const std::string name = SaveToFile(*original, folder.File("modified.mxd"));
  EXPECT_FALSE(original->Modified());

  auto loaded = New<TBend>();
  EXPECT_EQ(LoadFromFile(*loaded, name), name);
  const std::vector<std::string> after = AllItems(*loaded);
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    // The load case shown is a view setting, not part of the file.
    if (before[i].rfind("21066:", 0) == 0) continue;
    EXPECT_EQ(after[i], before[i]);
  }
  EXPECT_EQ(loaded->Material()->Name(), "Polyurethane 95A");
  EXPECT_EQ(loaded->Profile().Point(1).Material, loaded->Material());
  EXPECT_EQ(loaded->Profile().LastPoint().Material, nullptr);
  EXPECT_EQ(loaded->Units().LengthName(), "mm");
  EXPECT_FALSE(loaded->StateIncluded(4, 1));
  EXPECT_FALSE(loaded->Modified());
  EXPECT_TRUE(messages.Warnings.empty());
}

TEST_F(BendFile, AMemoryCopyHoldsTheSavedFileAndLeavesTheDesignItsFileAndItsChanges)
{
  auto original = ModifiedDesign();
  const std::string name = SaveToFile(*original, folder.File("kept.mxd"));
  Set(*original, vnProject, "Riser 8", vtText);
  ASSERT_TRUE(original->Modified());

  const TBytes copy = SaveToMemory(*original);
  EXPECT_EQ(original->FileName(), name);
  EXPECT_TRUE(original->Modified());
  auto loaded = New<TBend>();
  LoadFromMemory(*loaded, copy, DataFileClass);
  EXPECT_TRUE(loaded->FileName().empty());
  EXPECT_FALSE(loaded->Modified());
  // The bytes are those of the saved file, and the copy holds every item
  // (a value converted to the design's units and back may differ in its
  // last bit).
  EXPECT_EQ(ReadBytes(SaveToFile(*original, folder.File("saved.mxd"))), copy);
  const std::vector<std::string> before = AllItems(*original), after = AllItems(*loaded);
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i)
    if (before[i].rfind("21066:", 0) != 0) {
      EXPECT_EQ(after[i], before[i]);
    }
  EXPECT_TRUE(messages.Warnings.empty());

  // In SI units the copy saves again byte for byte.
  auto plain = New<TBend>();
  Set(*plain, vnActiveLength, 2.7);
  const TBytes plainCopy = SaveToMemory(*plain);
  LoadFromMemory(*loaded, plainCopy, DataFileClass);
  EXPECT_EQ(SaveToMemory(*loaded), plainCopy);
}

// A design in any units saves, loads and saves again to the same bytes: a
// form's Cancel restores its object through that round trip, so anything else
// would show as a change nobody made.
TEST_F(BendFile, ADesignSwitchedToOtherUnitsSavesAndLoadsBackByteForByte)
{
  const auto switchTo = [](TBend& bend, int units) {
    if (units == 1) return bend.Units().SetSystem(1);  // US
    bend.Units().SetSystem(2);                          // User
    bend.Units().SetLengthUnits(1);
    bend.Units().SetForceUnits(1);
    bend.Units().SetMassUnits(1);
    bend.Units().SetTemperatureUnits(1);
  };
  std::vector<std::string> designs = {""};
  for (const auto& entry : fs::directory_iterator(UMBRINEX_EXAMPLES_DIR))
    if (entry.path().extension() == ".mxd") designs.push_back(entry.path().string());
  for (const std::string& design : designs)
    for (int units : {1, 2}) {
      SCOPED_TRACE(design + (units == 1 ? " in US units" : " in User units"));
      auto bend = New<TBend>();
      if (!design.empty()) LoadFromFile(*bend, design);
      // Stresses entered as well as stresses over E: both columns derive.
      TAccessStatus status;
      bend->SetValue(vnCurrentState, 0, status, 1, vtInt);
      Set(*bend, vnStressSpecifier, "Dimensional", vtText);
      switchTo(*bend, units);
      const TBytes saved = SaveToMemory(*bend);
      auto loaded = New<TBend>();
      LoadFromMemory(*loaded, saved, DataFileClass);
      EXPECT_EQ(SaveToMemory(*loaded), saved);
    }
}

TEST_F(BendFile, TagsFollowTheFixedOrderWithTheNoteOnlyWhenAStateIsExcluded)
{
  auto bend = New<TBend>();
  Set(*bend, vnNumberOfTypes, 2, vtInt);
  const std::string name = SaveToFile(*bend, folder.File("order.mxd"));
  std::vector<std::pair<int, int>> expected = {{0, 0},  {39, 0}, {0, 0},  {39, 6}, {39, 7}, {39, 7},
                                               {0, 0},  {39, 6}, {39, 7}, {39, 7}, {39, 1}, {39, 2},
                                               {39, 3}, {39, 4}, {39, 8}, {39, 9}, {255, 0}};
  // The first tag read after the header is the first model tag.
  EXPECT_EQ(Tags(ReadBytes(name)), expected);

  bend->SetStateIncluded(0, 1, false);
  SaveToFile(*bend, name);
  expected.insert(expected.begin() + 13, {254, 0});
  EXPECT_EQ(Tags(ReadBytes(name)), expected);
}

TEST_F(BendFile, TheQuarterShapePowerIsWrittenButNotRead)
{
  auto bend = New<TBend>();
  const std::string name = SaveToFile(*bend, folder.File("power.mxd"));
  TBytes bytes = ReadBytes(name);
  // 0.5 followed by 2.0: the fourth and fifth doubles of the shape record.
  TBytes pattern(16);
  const double pair[2] = {0.5, 2.0};
  std::memcpy(pattern.data(), pair, 16);
  auto at = std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end());
  ASSERT_NE(at, bytes.end());
  const double changed = 7.0;
  std::memcpy(&*at, &changed, 8);
  WriteBytes(name, bytes);
  auto loaded = New<TBend>();
  LoadFromFile(*loaded, name);
  EXPECT_EQ(loaded->ShapePower(), 2.0);
}

// Files made tag by tag, for what the program itself never writes.
class CraftedFiles : public BendFile {
 protected:
  std::string Write(const std::string& fileName, const std::function<void(TTaggedFile&)>& body)
  {
    const std::string name = folder.File(fileName);
    WriteBytes(name, WriteDataFile(body));
    return name;
  }
};

// Reading on would invent rows 6 and 7 as copies of the cleared design's
// last row: the file is damaged.
TEST_F(CraftedFiles, ALoadCaseCountAboveTheStoredCellsIsRefused)
{
  const std::string name = Write("seven.mxd", [](TTaggedFile& file) {
    TTable table(vnNumberOfLoadCases, {{vnLoadCaseTension, 0, dmForce}, {vnLoadCaseAngle, 0, dmDimensionless}});
    table.SetRowCount(5);
    for (int i = 0; i < 5; ++i) {
      table.SetCell(i, vnLoadCaseTension, 100.0 + i);
      table.SetCell(i, vnLoadCaseAngle, 10.0 + i);
    }
    file.BeginTag(39, 3);
    file.BeginRecord();
    file.WriteInteger(7);
    WriteTableBlock(file, table, {vnLoadCaseTension, vnLoadCaseAngle});
    file.EndRecord();
    file.EndTag();
  });
  auto bend = New<TBend>();
  EXPECT_EQ(LoadError(*bend, name), "File Error: File '" + FileNameForMessage(name) + "' is corrupt.");
  EXPECT_EQ(bend->LoadCaseCount(), New<TBend>()->LoadCaseCount());
}

TEST_F(CraftedFiles, AShortAnalysisSectionKeepsTheDefaultRanges)
{
  const std::string name = Write("short.mxd", [](TTaggedFile& file) {
    file.BeginTag(39, 4);
    file.BeginRecord();
    file.WriteByte(0);
    for (double v : {0.3, 0.0, 0.02, 0.2, 0.04, 0.1}) {
      if (v == 0)
        file.WriteInteger(12);
      else
        file.WriteDouble(v);
    }
    file.EndRecord();
    file.BeginRecord();
    for (double v : {0.5, 2.0}) file.WriteDouble(v);
    file.WriteInteger(7);
    file.EndRecord();
    file.EndTag();
  });
  auto bend = New<TBend>();
  LoadFromFile(*bend, name);
  EXPECT_EQ(bend->CableLength(), 0.3);
  EXPECT_EQ(bend->SectionStrips(), 12);
  EXPECT_EQ(bend->CableStationInterval(), 0.04);
  EXPECT_EQ(bend->LengthFactorRanges().Count, 7);
  EXPECT_EQ(bend->StiffnessFactorRanges().Count, 5) << "the rest of the record was missing";
  EXPECT_EQ(bend->TensionRanges().Max, 50.0);
  EXPECT_EQ(bend->AngleRanges().Accuracy, 0.01);
}

TEST_F(CraftedFiles, AThirdStateTagOfAMaterialIsIgnored)
{
  auto source = New<TBend>();
  const std::string name = Write("third.mxd", [&](TTaggedFile& file) {
    // An empty project section: the material tags after it start again
    // with the first material.
    file.BeginTag(39, 0);
    file.EndTag();
    source->Materials().Material(0)->WriteData(file);
    file.BeginTag(39, 7);
    file.BeginRecord();
    file.WriteDouble(999.0);
    file.EndRecord();
    file.EndTag();
  });
  auto bend = New<TBend>();
  LoadFromFile(*bend, name);
  EXPECT_EQ(bend->Materials().Count(), 1);
  EXPECT_EQ(bend->Materials().Material(0)->LinearE(0), 100000.0);
  EXPECT_EQ(bend->Materials().Material(0)->LinearE(1), 150000.0);
}

TEST_F(CraftedFiles, EnumerationsOutOfRangeKeepTheDefaultAndWarnOnce)
{
  const std::string one = Write("one.mxd", [](TTaggedFile& file) {
    file.BeginTag(39, 2);
    file.BeginRecord();
    file.WriteByte(2);
    file.EndRecord();
    file.EndTag();
  });
  auto bend = New<TBend>();
  LoadFromFile(*bend, one);
  EXPECT_EQ(bend->StiffenerDefinition(), sdPowerLaw);
  EXPECT_EQ(messages.Warnings, std::vector<std::string>{"WARNING.  Unrecognised value for stiffener definition - using "
                                                        "default value.  Results will probably be affected."});
  messages.Warnings.clear();
  const std::string two = Write("two.mxd", [](TTaggedFile& file) {
    file.BeginTag(39, 2);
    file.BeginRecord();
    file.WriteByte(2);
    file.EndRecord();
    file.EndTag();
    file.BeginTag(39, 4);
    file.BeginRecord();
    file.WriteByte(9);
    file.EndRecord();
    file.EndTag();
  });
  LoadFromFile(*bend, two);
  ASSERT_EQ(messages.Warnings.size(), 1u);
  EXPECT_NE(messages.Warnings[0].find(" - stiffener definition\r\n - calculation type\r\n"), std::string::npos);
}

TEST_F(BendFile, WrongVersionsAndTypesAreRefusedWithTheirMessages)
{
  auto bend = New<TBend>();
  const std::string name = SaveToFile(*bend, folder.File("Design.mxd"));
  TBytes bytes = ReadBytes(name);
  bytes[21] = '1';  // "4.0a" becomes "4.1a"
  const std::string later = folder.File("later.mxd");
  WriteBytes(later, bytes);
  EXPECT_EQ(LoadError(*bend, later), "File Error: Wrong file version.  This is a 4.1a file.");
  bytes = ReadBytes(name);
  bytes[17] = 5;
  const std::string rao = folder.File("Other.MXD");
  WriteBytes(rao, bytes);
  EXPECT_EQ(LoadError(*bend, rao), "File Error: '" + FileNameForMessage(rao) + "' is not an Umbrinex file");
  EXPECT_EQ(LoadError(*bend, name, OldDataFileClass),
            "File Error: '" + FileNameForMessage(name) + "' is not a data file.");
}

TEST_F(BendFile, AStoredNameThatIsReservedIsRenamedAndItsReferencesFollow)
{
  auto bend = New<TBend>();
  Set(*bend, vnMaterialName, "Seb", vtText, 0);
  TBytes bytes = ReadBytes(SaveToFile(*bend, folder.File("sea.mxd")));
  // Every "Seb" of the file (the material's name and the references to it)
  // becomes "Sea", a name the program reserves.
  const TBytes from = {'S', 'e', 'b'};
  for (auto at = bytes.begin(); (at = std::search(at, bytes.end(), from.begin(), from.end())) != bytes.end(); ++at)
    at[2] = 'a';
  const std::string name = folder.File("patched.mxd");
  WriteBytes(name, bytes);
  auto loaded = New<TBend>();
  LoadFromFile(*loaded, name);
  EXPECT_EQ(loaded->Materials().Material(0)->Name(), "Sea1");
  EXPECT_EQ(loaded->Material(), loaded->Materials().Material(0));
  EXPECT_EQ(loaded->Profile().Point(0).Material, loaded->Material());
  EXPECT_TRUE(messages.Warnings.empty());
}

TEST_F(BendFile, AnOlderFileKeepsOneMaterialAndReadsTenByteNames)
{
  auto old = New<TBend>();
  Set(*old, vnNumberOfTypes, 3, vtInt);
  Set(*old, vnMaterialName, "Polyurethane 95A", vtText, 0);
  Set(*old, vnSelectedMaterial, 0, vtCard);
  Set(*old, vnLinearE, 77777.0);
  old->BeforeWrite();
  const std::string name = folder.File("old.dat");
  WriteBytes(name, WriteOldDataFile([&](TTaggedFile& file) {
               old->WriteData(file);
               file.WriteEndOfData();
             }));
  EXPECT_EQ(PeekFileTypeCode(name), 0);
  auto bend = New<TBend>();
  LoadFromFile(*bend, name);
  ASSERT_EQ(bend->Materials().Count(), 1);
  EXPECT_EQ(bend->Material()->Name(), "Polyuretha");
  EXPECT_EQ(bend->Material()->LinearE(0), 77777.0);
  EXPECT_EQ(bend->MouldDiameterCount(), 35);
}

TEST_F(BendFile, AFailedOpenLeavesTheDesignThatWasOpen)
{
  auto source = ModifiedDesign();
  const std::string name = SaveToFile(*source, folder.File("good.mxd"));
  TBytes bytes = ReadBytes(name);
  bytes.resize(bytes.size() - 40);
  const std::string cut = folder.File("cut.mxd");
  WriteBytes(cut, bytes);

  auto bend = New<TBend>();
  Set(*bend, vnProject, "Work in progress", vtText);
  const std::vector<std::string> before = AllItems(*bend);
  EXPECT_EQ(LoadError(*bend, cut), "File Error: File '" + FileNameForMessage(cut) + "' is corrupt.");
  EXPECT_EQ(AllItems(*bend), before);
  EXPECT_TRUE(bend->Modified());
}

TEST_F(BendFile, ASaveThatFailsHalfWayLeavesTheEarlierFileIntact)
{
  auto bend = New<TBend>();
  const std::string name = SaveToFile(*bend, folder.File("kept.mxd"));
  const TBytes before = ReadBytes(name);
  // Saving with results runs the analysis in the middle of the write; a
  // root diameter below the bore stops it there.
  Set(*bend, vnProject, "Changed", vtText);
  Set(*bend, vnRootDiameter, 0.1);
  bend->SetResultsFileMode(1);
  EXPECT_THROW(SaveToFile(*bend, name), EBendStiffenerError);
  bend->SetResultsFileMode(0);
  EXPECT_EQ(ReadBytes(name), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path), fs::directory_iterator()), 1)
      << "no temporary file is left behind";
  EXPECT_TRUE(bend->Modified());
}

TEST_F(BendFile, AFileCutAnywhereGivesAFileErrorAndNeverCrashes)
{
  auto source = ModifiedDesign();
  const TBytes bytes = ReadBytes(SaveToFile(*source, folder.File("whole.mxd")));
  const std::string cut = folder.File("cut.mxd");
  auto bend = New<TBend>();
  int errors = 0;
  for (std::size_t size = 0; size < bytes.size(); size += 7) {
    WriteBytes(cut, TBytes(bytes.begin(), bytes.begin() + static_cast<long>(size)));
    if (LoadError(*bend, cut) != "loaded") ++errors;
  }
  EXPECT_EQ(errors, static_cast<int>((bytes.size() + 6) / 7));
}

TEST_F(BendFile, TextsTheFileCannotHoldAreSavedAsQuestionMarksWithAWarning)
{
  auto bend = New<TBend>();
  Set(*bend, vnClient, "\u65e5\u672c Offshore \u00e9\u20ac", vtText);
  const std::string name = SaveToFile(*bend, folder.File("texts.mxd"));
  ASSERT_EQ(messages.Warnings.size(), 1u);
  auto loaded = New<TBend>();
  LoadFromFile(*loaded, name);
  EXPECT_EQ(loaded->Client(), "?? Offshore \u00e9\u20ac");
}

TEST(Copies, CancelRestoresAChangedTableSize)
{
  auto bend = New<TBend>();
  StoreCopy(*bend);
  Set(*bend, vnNumberOfLoadCases, 8, vtInt);
  Set(*bend, vnLoadCaseTension, 99.0, vtReal, 0);
  Set(*bend, vnNumberOfPoints, 6, vtInt);
  ASSERT_TRUE(RestoreCopy(*bend));
  EXPECT_EQ(bend->LoadCaseCount(), 5);
  EXPECT_EQ(bend->LoadCaseTension(0), 2.5);
  EXPECT_EQ(bend->Profile().Count(), 3);
  EXPECT_EQ(bend->Material(), bend->Materials().Material(0));
  DiscardCopy(*bend);
  EXPECT_FALSE(RestoreCopy(*bend)) << "no copy left";
}

TEST(Copies, CancelRebuildsAListAndKeepsWhatRefersToItsItems)
{
  auto bend = New<TBend>();
  Set(*bend, vnNumberOfTypes, 2, vtInt);
  Set(*bend, vnMaterial, "Material 2", vtText);
  TBendStiffenerMaterialsList& list = bend->Materials();
  StoreCopy(list);
  Set(*bend, vnMaterialName, "Renamed", vtText, 1);
  Set(*bend, vnNumberOfTypes, 3, vtInt);
  ASSERT_TRUE(RestoreCopy(list));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Material(1)->Name(), "Material 2");
  EXPECT_EQ(bend->Material(), list.Material(1));
  EXPECT_EQ(bend->Profile().Point(0).Material, list.Material(0));
}

}  // namespace
}  // namespace umbrinex
