#pragma once
// The bend model's data items, each declared once: its name, type and range,
// its default, the dimension of its values, the item counting its rows, where
// its value is held and what the check of a loaded design calls it. The
// descriptor list (TBend::Vars), the dimensions, choices and defaults of the
// model's fields and table columns, the description of the items the model
// serves itself and the check of item values are all made from this table.

#include <cstdint>
#include <span>

#include "bend/BendVarNums.h"
#include "framework/data/DataTypes.h"
#include "framework/data/Dimension.h"
#include "framework/data/Table.h"
#include "framework/data/ValueStrings.h"
#include "framework/data/VarList.h"

namespace umbrinex {

// Where an item's value is held. It decides what describes the item, how it
// takes its default and how the check of a loaded design reaches it.
enum class TItemHolder : std::uint8_t {
  // A field of the model in its item register, which describes it; a new
  // design gives the field the item's default.
  Field,
  // A column, or the row count, of one of the model's tables, which
  // describes it; the default is the value of a new row of an empty table.
  Table,
  // The model's own item access (GetItem, SetItem, Redirect), which
  // describes the item from this table.
  Model,
  // The materials list or its selected material, which describe the item.
  // A material holds one value per state; its own defaults give them, and
  // the check goes through the materials one by one.
  Materials,
};

// The values an item accepts, besides its type's own. An item with choices
// accepts their ordinals, whatever its range here says.
struct TItemRange {
  bool Ranged = false;
  double Min = 0.0;
  double Max = 0.0;
  unsigned Allow = afNone;
};

// The value of an item in a new design or, for an item with rows, in a new
// row of an empty table. Items without one take theirs from the object that
// holds them.
struct TItemDefault {
  constexpr TItemDefault() = default;
  constexpr TItemDefault(double number) : Given(true), Number(number) {}
  constexpr TItemDefault(const char* text) : Given(true), Text(text) {}

  bool Given = false;
  double Number = 0.0;
  const char* Text = nullptr;  // the default of a text item
};

struct TBendItem {
  TBendVarNum VarNum{};
  // The name scripts and the item listing use: a table column or one of a
  // pair of items is named after its table or pair and its column
  // ("LoadCase.Tension", "CableBendStiffness.State2").
  const char* Name = "";
  TVarType Type = vtNull;
  TItemRange Range{};
  // The names of an enumeration or Boolean, nullptr for other items.
  const TValueStrings& (*Choices)() = nullptr;
  TDimension Dimension = dmDimensionless;
  // The item holding the number of rows, 0 for an item without rows.
  int CountVarNum = 0;
  TItemHolder Holder = TItemHolder::Field;
  TItemDefault Default{};
  // What the check of a loaded design's values calls the item, "%d" taking
  // the row (from 1) of an item with rows; nullptr for an item it does not
  // check (texts, choices, lists).
  const char* Caption = nullptr;
};

// Every item, in VarNum order.
std::span<const TBendItem> BendItems();
// The declaration of varNum, or nullptr when it is not a bend item.
const TBendItem* FindBendItem(int varNum);
// The declaration of varNum; raises std::out_of_range when it is not a bend item.
const TBendItem& BendItem(int varNum);

// The column of a table that holds an item, numbered columnVarNum when the
// table numbers its columns apart from the items (0: by the item's VarNum),
// with the item's dimension and, for a new row, its default.
TTableColumn ItemColumn(int varNum, int columnVarNum = 0);

}  // namespace umbrinex
