#pragma once
// Helpers for the tests of design files: a temporary folder, files as bytes,
// items set as a user would, every item of a design as text, and a design
// that differs from the defaults almost everywhere.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "TaggedFileTestSupport.h"
#include "bend/Bend.h"
#include "bend/BendItemTable.h"
#include "framework/data/Units.h"

namespace umbrinex::testing {

namespace fs = std::filesystem;

class TTempFolder {
 public:
  TTempFolder()
  {
    std::random_device random;
    Path = fs::temp_directory_path() / ("umbrinex-test-" + std::to_string(random()));
    fs::create_directories(Path);
  }
  ~TTempFolder() { fs::remove_all(Path); }
  std::string File(const std::string& name) const { return (Path / name).string(); }
  fs::path Path;
};

inline TBytes ReadBytes(const std::string& fileName)
{
  std::ifstream in(fileName, std::ios::binary);
  return TBytes(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& fileName, const TBytes& bytes)
{
  std::ofstream out(fileName, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void Set(TBend& bend, int varNum, const TVariant& value, TVarType representation = vtReal, int index = 0)
{
  TAccessStatus status;
  bend.SetValue(varNum, index, status, value, representation);
  ASSERT_EQ(status.Code, acOk) << varNum << ": " << status.Text();
}

// Every item of the design as text, with its rows: what a user can see.
inline std::vector<std::string> AllItems(TBend& bend)
{
  std::vector<std::string> items;
  auto add = [&](int varNum, int rows) {
    for (int row = 0; row < rows; ++row) items.push_back(std::to_string(varNum) + ":" + bend.GetText(varNum, row));
  };
  for (int varNum = 2; varNum <= 8; ++varNum) add(varNum, 1);
  const int materials = bend.Materials().Count();
  for (int m = 0; m < materials; ++m) {
    bend.Materials().SetCurrentItem(bend.Materials().Item(m));
    for (int s = 0; s < 2; ++s) {
      TAccessStatus status;
      bend.SetValue(vnCurrentState, 0, status, s, vtInt);
      for (int varNum : {vnLinearE, vnCurveNumberOfPoints, vnMaterialName, vnStressSpecifier}) add(varNum, 1);
      for (int varNum : {vnCurveStrain, vnCurveStressOverE, vnCurveStress})
        add(varNum, static_cast<int>(bend.GetInteger(vnCurveNumberOfPoints)));
    }
  }
  for (const TBendItem& item : BendItems()) {
    if (item.VarNum >= vnLinearE && item.VarNum <= vnStressSpecifier) continue;
    add(item.VarNum, item.CountVarNum == 0 ? 1 : static_cast<int>(bend.GetInteger(item.CountVarNum)));
  }
  return items;
}

// A design that differs from the defaults almost everywhere.
inline std::unique_ptr<TBend> ModifiedDesign()
{
  auto bend = New<TBend>();
  TBend& b = *bend;
  Set(b, vnProject, "Riser 7 \u20ac", vtText);
  Set(b, vnNumberOfTypes, 2, vtInt);
  Set(b, vnMaterialName, "Polyurethane 95A", vtText, 1);
  Set(b, vnLinearE, 123456.0);
  Set(b, vnStressSpecifier, "Dimensional", vtText);
  Set(b, vnStiffenerDefinition, "User Defined", vtText);
  Set(b, vnNumberOfPoints, 4, vtInt);
  Set(b, vnPointArcLength, 0.45, vtReal, 3);
  Set(b, vnPointMaterial, "Polyurethane 95A", vtText, 1);
  Set(b, vnMaterial, "Polyurethane 95A", vtText);
  Set(b, vnNumberOfLoadCases, 6, vtInt);
  Set(b, vnLoadCaseTension, 17.5, vtReal, 5);
  Set(b, vnLoadCaseABR, 1.9, vtReal, 2);
  Set(b, vnState2Included, "No", vtText, 4);
  Set(b, vnSelectedLoadCase, 3, vtInt);
  Set(b, vnNumberOfCircles, 2, vtInt);
  Set(b, vnCircleX, -0.3, vtReal, 1);
  Set(b, vnNumberOfDiameters, 3, vtInt);
  Set(b, vnMouldDiameter, 0.301, vtReal, 2);
  Set(b, vnTensionCount, 17, vtInt);
  Set(b, vnAngleAccuracy, 0.05);
  b.Units().SetSystem(2);
  b.Units().SetLengthUnits(1);  // mm
  b.Units().SetForceUnits(1);   // N
  b.Units().SetTemperatureUnits(1);
  return bend;
}

// A test of design files: a temporary folder, and the messages captured.
class TDesignFileTest : public ::testing::Test {
 protected:
  TTempFolder folder;
  TCapturedMessages messages;
};

}  // namespace umbrinex::testing
