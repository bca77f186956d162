#pragma once
// A small data object with a counted table, enumerations and texts for the
// grid's tests, grids bound to it, and a message presenter that records
// questions and answers them from a script.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "framework/data/DataAccess.h"
#include "framework/data/Messages.h"
#include "framework/data/Table.h"
#include "framework/grid/GridCore.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex::testing {

enum : int {
  vnCount = 100,
  vnTension = 101,  // a real with a descriptor that refuses Infinity
  vnFree = 102,     // a real without a descriptor: the column validates
  vnLevel = 200,    // an integer shown as an enumeration
  vnLabel = 201,
  vnFlag = 202,
  vnColour = 203,
  vnShape = 204,  // an enumeration with names
  vnSmall = 205,
};

inline const TValueStrings& ShapeNames()
{
  static const TValueStrings names{"Round", "Square", "Hexagonal"};
  return names;
}

inline const TVarList& SampleGridVars()
{
  static const TVarList vars = [] {
    TVarList v;
    v.AddRanged(vnCount, vtInt, 1, 20);
    v.AddRanged(vnTension, vtReal, 0.0, Infinity);
    v.AddRanged(vnShape, vtEnum, 0, 2);
    v.AddRanged(vnFlag, vtBool, 0, 1);
    return v;
  }();
  return vars;
}

class TGridSample : public TDataObject {
 public:
  TGridSample() : TDataObject(nullptr), Table(vnCount, {{vnTension, 1.0, dmForce}, {vnFree, 0.0, dmLength}}) {}
  const TVarList* GetVarList() const override { return Described ? &SampleGridVars() : nullptr; }
  void BeginUpdate() override { ++Batches; }
  void EndUpdate() override { ++BatchesEnded; }

  // Without descriptors the grid's columns validate.
  bool Described = true;
  TTable Table;
  std::int32_t Level = 0;
  std::string Label = "first";
  bool Flag = false;
  std::int32_t Colour = 0x00FF8040;
  std::uint8_t Shape = 0;
  std::int16_t Small = 0;
  int Batches = 0;
  int BatchesEnded = 0;

 protected:
  void RegisterDataItems(TDataItemRegister& reg) override
  {
    reg.RegisterSubObject(Table);
    reg.RegisterInteger(Level, vnLevel);
    reg.RegisterString(Label, vnLabel);
    reg.RegisterBoolean(Flag, vnFlag);
    reg.RegisterInteger(Colour, vnColour);
    reg.RegisterEnum(Shape, ShapeNames(), vnShape);
    reg.RegisterSmallInt(Small, vnSmall);
  }
};

class TScriptedMessages : public IMessagePresenter {
 public:
  TScriptedMessages() { FPrevious = SetMessagePresenter(this); }
  ~TScriptedMessages() override { SetMessagePresenter(FPrevious); }
  int Present(const TMessageRequest& request) override
  {
    Texts.push_back(request.Text);
    if (Answers.empty()) return request.Type == TMessageType::Question ? maYes : maOk;
    const int answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  std::vector<std::string> Texts;
  std::deque<int> Answers;

 private:
  IMessagePresenter* FPrevious = nullptr;
};

// A counter grid (count and spin) and a table grid (index, the two real
// columns) bound to a sample with rows tensions 10, 20, 30, ...
class TGridFixture : public ::testing::Test {
 protected:
  void SetUp() override
  {
    Sample.AfterConstruction();
    SetRows(10);
    Counter.SetFixedRows(0);
    Counter.SetRowsShown(1);
    Counter.Columns().front().VarNum = vnCount;
    Counter.Columns().front().VarType = vtCard;
    Counter.AddColumn(0, vtSpin);
    Counter.SetDataObject(&Sample);

    Grid.SetFixedRows(2);
    Grid.SetRowsShown(6);
    Grid.Columns().front().VarType = vtIndex;
    Grid.Columns().front().Title(0).Caption = "No.";
    TColumn& tension = Grid.AddColumn(vnTension, vtReal);
    tension.Title(0).Caption = "Tension";
    tension.Title(1).Caption = "(kN)";
    TColumn& free = Grid.AddColumn(vnFree, vtReal);
    free.SetMin(0.0);
    free.SetMax(100.0);
    Grid.SetCounter(&Counter);
    Grid.SetDataObject(&Sample);
  }
  void SetRows(int rows)
  {
    Sample.Table.SetRowCount(rows);
    for (int i = 0; i < rows; ++i) {
      Sample.Table.SetCell(i, vnTension, 10.0 * (i + 1));
      Sample.Table.SetCell(i, vnFree, i + 0.5);
    }
  }
  double Tension(int row) const { return Sample.Table.Cell(row, vnTension); }
  double Free(int row) const { return Sample.Table.Cell(row, vnFree); }
  // Grid row of a data row.
  int Row(int dataRow) const { return Grid.FixedRows() + dataRow; }

  TScriptedMessages Messages;
  TGridSample Sample;
  TGridCore Counter;
  TGridCore Grid;
};

}  // namespace umbrinex::testing
