#pragma once
// The columns of a data grid: which item each column shows, how its numbers
// are formatted, how it validates what is typed, and the titles above it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/data/DataTypes.h"

namespace umbrinex {

enum TAlignment : std::uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

// The line at the right edge of a column's data cells.
enum TLineFormat : std::uint8_t { lfNone = 0, lfSingle = 1, lfDouble = 2, lfThick = 3 };

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A colour in the 0x00BBGGRR layout.
using TGridColour = std::uint32_t;

struct TColumnTitle {
  std::string Caption;
  TAlignment Alignment = taCenter;
  unsigned FontStyle = 0;
  bool HorizontalLine = true;  // a line below the title cell
  bool VerticalLine = true;    // a line at its right

  // The title covers its own column and the Extent - 1 columns to its left.
  int Extent() const { return FExtent; }
  void SetExtent(int extent) { FExtent = extent < 1 ? 1 : extent; }

 private:
  int FExtent = 1;
};

class TColumn {
 public:
  int VarNum = 0;
  TVarType VarType = vtNull;
  double Width = 10.0;  // relative width, in character widths
  int FieldWidth = 8;   // characters of a number (digits of a hexadecimal one)
  int FieldWidth2 = 3;  // decimals of a real; visible entries of a drop-down list
  double Margin = 0.0;  // text indent, in character widths
  TAlignment Alignment = taRightJustify;
  bool Editable = true;
  bool AllowDefault = false;
  bool AllowInfinity = false;
  bool AllowUndefined = false;
  // The column's own colour, used when ParentColor is off; none means the
  // window colour.
  std::optional<TGridColour> Color;
  bool ParentColor = true;
  unsigned FontStyle = 0;
  TLineFormat LineFormat = lfSingle;
  int HelpContext = 0;
  int Tag = 0;

  // The limits the column validates and cycles with when the data object
  // has no descriptor of its own for VarNum. Huge magnitudes are stored as
  // the infinities and tiny positive values as tiny, so that limits read
  // from a form description compare equal to the special doubles.
  double Min() const { return FMin; }
  double Max() const { return FMax; }
  void SetMin(double value) { FMin = StoredLimit(value); }
  void SetMax(double value) { FMax = StoredLimit(value); }

  // One title per title row; asking for a row that has none adds it.
  TColumnTitle& Title(int row);
  const std::vector<TColumnTitle>& Titles() const { return FTitles; }
  // The caption of title row i, empty when the column has none there.
  std::string TitleCaption(int row) const;

  // Columns that show something other than a value of their own item.
  bool IsIndex() const { return VarType == vtIndex || VarType == vtLetteredIndex; }

 private:
  static double StoredLimit(double value);
  double FMin = 0.0;
  double FMax = 0.0;
  std::vector<TColumnTitle> FTitles;
};

}  // namespace umbrinex
