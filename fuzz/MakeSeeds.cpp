// Writes design files of both kinds into a folder, as the fuzzer's seeds:
// the default design, one changed almost everywhere, one saved with its
// results, a file of the previous version, a user-defined profile over two
// materials, one with every table at its largest useful size, load case
// counts that disagree with the rows stored, and too many materials.

#include <cstdio>
#include <string>

#include "bend/Bend.h"
#include "framework/data/Units.h"
#include "persistence/BendFile.h"
#include "persistence/TessanFile.h"

namespace {

using namespace umbrinex;

void Set(TBend& bend, int varNum, const TVariant& value, TVarType representation, int index = 0)
{
  TAccessStatus status;
  bend.SetValue(varNum, index, status, value, representation);
  if (status.Code != acOk)
    std::fprintf(stderr, "make_fuzz_seeds: item %d:%d refused: %s\n", varNum, index + 1, status.Text().c_str());
}

// Two materials, the profile's segments alternating between them.
void UseTwoMaterialProfile(TBend& bend, int points)
{
  Set(bend, vnNumberOfTypes, 2, vtInt);
  Set(bend, vnStiffenerDefinition, "User Defined", vtText);
  Set(bend, vnNumberOfPoints, points, vtInt);
  for (int i = 0; i < points; ++i) {
    Set(bend, vnPointArcLength, 0.01 * i, vtReal, i);
    Set(bend, vnPointDiameter, 0.3 - 0.1 * i / points, vtReal, i);
    if (i + 1 < points) Set(bend, vnPointMaterial, i % 2 == 0 ? "Material 1" : "Material 2", vtText, i);
  }
}

void MakeLargest(TBend& bend)
{
  UseTwoMaterialProfile(bend, 1000);
  Set(bend, vnNumberOfLoadCases, 1000, vtInt);
  for (int i = 0; i < 1000; ++i) Set(bend, vnLoadCaseTension, 0.05 * i, vtReal, i);
  Set(bend, vnNumberOfCircles, 1000, vtInt);
  Set(bend, vnNumberOfDiameters, 1000, vtInt);
  for (int j = 0; j < 1000; ++j) Set(bend, vnMouldDiameter, 0.05 + 0.001 * j, vtReal, j);
  for (int m = 0; m < 2; ++m) {
    Set(bend, vnSelectedMaterial, m, vtCard);
    for (int s = 0; s < StateCount; ++s) {
      Set(bend, vnCurrentState, s, vtInt);
      Set(bend, vnCurveNumberOfPoints, 1000, vtInt);
      for (int k = 0; k < 1000; ++k) Set(bend, vnCurveStrain, -0.3 + 0.0013 * k, vtReal, k);
    }
  }
  Set(bend, vnLengthFactorCount, 25, vtInt);
  Set(bend, vnStiffnessFactorCount, 25, vtInt);
  Set(bend, vnTensionCount, 100, vtInt);
}

// Section 3 with a load case count and the rows each column stores.
void WriteLoadCases(TTaggedFile& file, std::int32_t count, std::int32_t rows)
{
  file.BeginTag(tcBend, 3);
  file.BeginRecord();
  file.WriteInteger(count);
  file.BeginRecord();
  for (int column = 0; column < 4; ++column) {
    file.BeginRecord();
    file.WriteInteger(rows);
    for (int row = 0; row < rows; ++row) {
      if (column < 3) {
        file.WriteDouble(10.0 * (row + 1));
      } else {
        file.BeginRecord();
        file.WriteBoolean(true);
        file.WriteBoolean(row % 2 == 0);
        file.EndRecord();
      }
    }
    file.EndRecord();
  }
  file.EndRecord();
  file.EndRecord();
  file.EndTag();
}

// Load case counts that disagree with the six rows stored, in both kinds of
// file, and one that agrees.
void SaveLoadCaseCounts(const std::string& folder)
{
  for (const std::int32_t count : {6, 2147483647, -5}) {
    const std::string suffix = count == 6 ? "agree" : count < 0 ? "negative" : "huge";
    TWindowsUmbrinexFile file(nullptr, TFileMode::Write, ctSavedDataFile);
    file.OpenFile(folder + "/load-cases-" + suffix + ".mxd", DataFileClass);
    WriteLoadCases(file, count, 6);
    file.WriteEndOfData();
    file.Close();
    TDOSUmbrinexFile older(nullptr, TFileMode::Write, ctSavedDataFile);
    older.OpenFile(folder + "/load-cases-" + suffix + ".dat", OldDataFileClass);
    WriteLoadCases(older, count, 6);
    older.WriteEndOfData();
    older.Close();
  }
}

// One material more than a design can hold, each as the program writes it.
void SaveTooManyMaterials(const std::string& folder)
{
  TWindowsUmbrinexFile file(nullptr, TFileMode::Write, ctSavedDataFile);
  file.OpenFile(folder + "/materials-1001.mxd", DataFileClass);
  for (int m = 0; m < 1001; ++m) {
    const std::string name = "M" + std::to_string(m + 1);
    file.BeginTag(0, 0);
    file.WriteByte(tcBend);
    file.WriteString(name);
    file.WriteByte(0);
    file.WriteByte(0);
    file.EndTag();
    file.BeginTag(tcBend, 6);
    file.BeginRecord();
    file.WriteString(name);
    file.EndRecord();
    file.EndTag();
  }
  file.WriteEndOfData();
  file.Close();
}

void SaveOlder(TBend& bend, const std::string& fileName)
{
  bend.BeforeWrite();
  TDOSUmbrinexFile file(&bend, TFileMode::Write, ctSavedDataFile);
  file.OpenFile(fileName, OldDataFileClass);
  bend.WriteData(file);
  file.WriteEndOfData();
  file.Close();
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  auto bend = New<TBend>();
  SaveToFile(*bend, folder + "/default.mxd");
  SaveOlder(*bend, folder + "/older.dat");
  bend->SetResultsFileMode(1);
  SaveToFile(*bend, folder + "/with-results.mxd");
  bend->SetResultsFileMode(0);

  Set(*bend, vnNumberOfTypes, 2, vtInt);
  Set(*bend, vnStiffenerDefinition, "User Defined", vtText);
  Set(*bend, vnState2Included, "No", vtText, 1);
  Set(*bend, vnNumberOfCircles, 2, vtInt);
  bend->Units().SetSystem(1);
  SaveToFile(*bend, folder + "/modified.mxd");

  auto profile = New<TBend>();
  UseTwoMaterialProfile(*profile, 4);
  SaveToFile(*profile, folder + "/profile.mxd");

  auto largest = New<TBend>();
  MakeLargest(*largest);
  SaveToFile(*largest, folder + "/largest.mxd");

  SaveLoadCaseCounts(folder);
  SaveTooManyMaterials(folder);
  return 0;
}
