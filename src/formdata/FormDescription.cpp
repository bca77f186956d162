#include "formdata/FormDescription.h"

#include "framework/data/DataAccess.h"
#include "framework/data/Variant.h"

namespace umbrinex {

bool TShowCondition::Holds(TDataObject& object) const
{
  if (VarNum == 0) return true;
  TAccessStatus status;
  TVariant value;
  object.GetValue(VarNum, 0, status, value, vtInt);
  return (status.Code == acOk || status.Code == acReadOnly) && value.ToInteger().value_or(Value - 1) == Value;
}

std::string TControlDescription::CaptionIn(int state) const
{
  if (OutputCaption.empty()) return Caption;
  static const std::string token = "{state}";
  std::string caption = OutputCaption;
  for (std::size_t at = caption.find(token); at != std::string::npos; at = caption.find(token, at))
    caption.replace(at, token.size(), std::to_string(state + 1));
  return caption;
}

void TGridDescription::ApplyTo(TGridCore& core) const
{
  core.Columns() = Columns;
  core.SetFixedRows(FixedRows);
  core.SetRowsShown(RowsShown);
  core.ScrollBars = ScrollBars;
  core.SetFixedDataRows(FixedDataRows);
  core.AllowRangeSelect = AllowRangeSelect;
  core.HideSelection = HideSelection;
  core.EnableInsertDeleteRow = EnableInsertDeleteRow;
}

TFormDescription TFormDescription::Of(const std::string& caption, int width, int height, int helpContext,
                                      int buttonsLeft, int buttonsTop, int buttonWidth)
{
  TFormDescription form;
  form.Caption = caption;
  form.Width = width;
  form.Height = height;
  form.HelpContext = helpContext;
  form.ButtonsLeft = buttonsLeft;
  form.ButtonsTop = buttonsTop;
  form.ButtonWidth = buttonWidth;
  return form;
}

int TFormDescription::Find(const std::string& name) const
{
  for (std::size_t i = 0; i < Controls.size(); ++i)
    if (Controls[i].Name == name) return static_cast<int>(i);
  return -1;
}

int TFormDescription::Add(TControlDescription control)
{
  Controls.push_back(std::move(control));
  return static_cast<int>(Controls.size()) - 1;
}

namespace {

TControlDescription Placed(TControlKind kind, int left, int top, int width, int height, int parent)
{
  TControlDescription control;
  control.Kind = kind;
  control.Left = left;
  control.Top = top;
  control.Width = width;
  control.Height = height;
  control.Parent = parent;
  return control;
}

}  // namespace

int TFormDescription::Label(const std::string& caption, int left, int top, int parent)
{
  TControlDescription label = Placed(TControlKind::Label, left, top, -1, -1, parent);
  label.Caption = caption;
  return Add(std::move(label));
}

int TFormDescription::PlainLabel(const std::string& caption, int left, int top, int parent)
{
  TControlDescription label = Placed(TControlKind::PlainLabel, left, top, -1, -1, parent);
  label.Caption = caption;
  return Add(std::move(label));
}

int TFormDescription::Edit(int varNum, int left, int top, int width, int height, int parent)
{
  TControlDescription edit = Placed(TControlKind::Edit, left, top, width, height, parent);
  edit.VarNum = varNum;
  return Add(std::move(edit));
}

int TFormDescription::DropDownList(int varNum, int left, int top, int width, int height, int parent)
{
  TControlDescription list = Placed(TControlKind::DropDownList, left, top, width, height, parent);
  list.VarNum = varNum;
  return Add(std::move(list));
}

int TFormDescription::Panel(int left, int top, int width, int height, int parent)
{
  return Add(Placed(TControlKind::Panel, left, top, width, height, parent));
}

int TFormDescription::GroupBox(const std::string& caption, int left, int top, int width, int height, int parent)
{
  TControlDescription box = Placed(TControlKind::GroupBox, left, top, width, height, parent);
  box.Caption = caption;
  return Add(std::move(box));
}

int TFormDescription::Cell(int varNum, int left, int top, int width, int height, int parent)
{
  TControlDescription cell = Placed(TControlKind::Grid, left, top, width, height, parent);
  TGridDescription& grid = cell.Grid;
  grid.FixedRows = 0;
  grid.RowsShown = 1;
  grid.ScrollBars = ssNone;
  TColumn& column = grid.Columns.emplace_back();
  column.VarNum = varNum;
  column.VarType = vtReal;
  column.Width = 10;
  column.Margin = 1;
  return Add(std::move(cell));
}

int TFormDescription::Counter(int varNum, int left, int top, int width, int height, int parent)
{
  const int grid = Cell(varNum, left, top, width, height, parent);
  std::vector<TColumn>& columns = GridOf(grid).Columns;
  TColumn& count = columns[0];
  count.VarType = vtCard;
  count.FieldWidth = 4;
  count.Margin = 2;
  count.LineFormat = lfNone;
  TColumn& spin = columns.emplace_back();
  spin.VarType = vtSpin;
  spin.FieldWidth = 3;
  spin.Width = 5;
  spin.Margin = 1;
  return grid;
}

int TFormDescription::Table(int left, int top, int width, int height, int titleRows, int rowsShown, int parent)
{
  TControlDescription table = Placed(TControlKind::Grid, left, top, width, height, parent);
  table.Grid.FixedRows = titleRows;
  table.Grid.RowsShown = rowsShown;
  table.Grid.ScrollBars = ssVertical;
  return Add(std::move(table));
}

int TFormDescription::RowTable(int left, int top, int width, int height, int titleRows, int parent)
{
  const int grid = Table(left, top, width, height, titleRows, titleRows + 1, parent);
  GridOf(grid).ScrollBars = ssNone;
  GridOf(grid).FixedDataRows = 1;
  return grid;
}

TColumn& TFormDescription::AddColumn(int grid, int varNum, TVarType type, const char* title1, const char* title2,
                                     int characters, double width, int decimals)
{
  TGridDescription& described = GridOf(grid);
  TColumn& column = described.Columns.emplace_back();
  column.VarNum = varNum;
  column.VarType = type;
  column.FieldWidth = characters;
  column.FieldWidth2 = decimals;
  column.Width = width;
  column.Margin = 1;
  if (described.FixedRows >= 1) column.Title(0).Caption = title1;
  if (described.FixedRows >= 2) {
    column.Title(0).HorizontalLine = false;
    column.Title(1).Caption = title2;
  }
  return column;
}

TColumn& TFormDescription::AddIndexColumn(int grid)
{
  TColumn& index = AddColumn(grid, 0, vtIndex, "No.", "", 4, 5);
  index.Editable = false;
  index.LineFormat = lfDouble;
  if (GridOf(grid).FixedRows >= 2) index.Title(1).Alignment = taLeftJustify;
  return index;
}

void TFormDescription::SetHelpContext(int grid, int topic)
{
  for (TColumn& column : GridOf(grid).Columns) column.HelpContext = topic;
}

}  // namespace umbrinex
