#pragma once
// A data form described as data, without a window: its controls in the
// order they are made, each with its caption (accelerators marked with
// "&", item values and unit names in "%...%"), its place and size in the
// reference layout's pixels, the item it is bound to, the grid it shows and
// the condition that shows it. The desktop program builds its dialogs from
// these descriptions; the text export lays them out without a window.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/grid/GridColumns.h"
#include "framework/grid/GridCore.h"

namespace umbrinex {

class TDataObject;

enum class TControlKind : std::uint8_t {
  Label,       // shows item values and unit names in its caption
  PlainLabel,  // shows its caption as it is
  Edit,        // a line of text bound to an item
  DropDownList,
  Grid,        // a cell, a counter with spin buttons, or a table
  Panel,       // a plain container; written out as its controls
  GroupBox,    // a captioned container
  TabBar,      // the tabs of a state page; its caption lists the tabs, "|" between
  VerticalLine,
  HorizontalLine,
  Button,
};

enum TStretch : std::uint8_t { stNone = 0, stWide = 1, stTall = 2, stBoth = 3 };

// Shown while the item's value is Value; VarNum 0 for always.
struct TShowCondition {
  int VarNum = 0;
  int Value = 0;
  bool Holds(TDataObject& object) const;
};

struct TGridDescription {
  int FixedRows = 0;
  int RowsShown = 1;
  TScrollStyle ScrollBars = ssNone;
  int FixedDataRows = 1;
  bool AllowRangeSelect = true;
  bool HideSelection = true;
  bool EnableInsertDeleteRow = true;
  std::vector<TColumn> Columns;
  // Sets a grid up as described (its columns replaced).
  void ApplyTo(TGridCore& core) const;
};

struct TControlDescription {
  TControlKind Kind = TControlKind::Label;
  // What code that reaches the control calls it; empty for most.
  std::string Name;
  std::string Caption;
  int Left = 0, Top = 0;
  int Width = -1, Height = -1;  // -1: the control's own size
  int Parent = -1;              // the container's index; -1 for the form
  int Buddy = -1;               // the control a label names
  int Counter = -1;             // the grid that counts a table's rows
  int VarNum = 0;
  TGridDescription Grid;
  TShowCondition ShownWhen;
  bool Hidden = false;       // never shown
  bool OutputOnly = false;   // shown only while the form is written out
  bool NeverOutput = false;  // never written out
  bool FirstStateOnly = false;
  // The caption while written out, when it differs; "{state}" stands for
  // the number of the state being written.
  std::string OutputCaption;
  TStretch Stretch = stNone;
  bool Framed = false;  // a panel drawn with a frame

  // The caption while written out in a pass of the state (-1 for a form
  // written once).
  std::string CaptionIn(int state) const;
};

// A form written out once per state, say, runs each pass through this: it
// sets the object up for the pass and calls pass with the pass's state
// (0-based), putting the object back afterwards.
using TOutputPasses = std::function<void(TDataObject& object, const std::function<void(int state)>& pass)>;

struct TFormDescription {
  std::string Caption;
  int Width = 0, Height = 0;
  int HelpContext = 0;
  // The column of OK, Cancel and Next at the right.
  int ButtonsLeft = 0, ButtonsTop = 0;
  int ButtonWidth = 0;  // 0: the buttons' own width, not scaled
  std::vector<TControlDescription> Controls;
  // Empty for a form written out once.
  TOutputPasses Passes;

  // A form of that caption, size, help topic and place of its buttons.
  static TFormDescription Of(const std::string& caption, int width, int height, int helpContext, int buttonsLeft,
                             int buttonsTop, int buttonWidth = 0);

  // The index of the control called name; -1 without one.
  int Find(const std::string& name) const;

  // ---- making the description, control by control (each returns the
  // new control's index) ----
  int Add(TControlDescription control);
  int Label(const std::string& caption, int left, int top, int parent = -1);
  int PlainLabel(const std::string& caption, int left, int top, int parent = -1);
  int Edit(int varNum, int left, int top, int width, int height, int parent = -1);
  int DropDownList(int varNum, int left, int top, int width, int height, int parent = -1);
  int Panel(int left, int top, int width, int height, int parent = -1);
  int GroupBox(const std::string& caption, int left, int top, int width, int height, int parent = -1);
  // A grid of one row and one real column, without titles or bars.
  int Cell(int varNum, int left, int top, int width, int height, int parent = -1);
  // A one-row grid of a count and its spin buttons.
  int Counter(int varNum, int left, int top, int width, int height, int parent = -1);
  // A table with title rows, counted by another grid or with fixed rows.
  int Table(int left, int top, int width, int height, int titleRows, int rowsShown, int parent = -1);
  // A table of one fixed data row under its titles, without bars: values
  // side by side.
  int RowTable(int left, int top, int width, int height, int titleRows, int parent = -1);
  // A label and the control it names.
  void Name(int label, int control) { Controls[static_cast<std::size_t>(label)].Buddy = control; }
  TControlDescription& operator[](int i) { return Controls[static_cast<std::size_t>(i)]; }
  const TControlDescription& operator[](int i) const { return Controls[static_cast<std::size_t>(i)]; }
  TGridDescription& GridOf(int i) { return (*this)[i].Grid; }

  // A column with up to two title rows (empty texts draw no title).
  TColumn& AddColumn(int grid, int varNum, TVarType type, const char* title1, const char* title2, int characters,
                     double width, int decimals = 3);
  // A row-number column.
  TColumn& AddIndexColumn(int grid);
  void SetHelpContext(int grid, int topic);
};

}  // namespace umbrinex
