#include "shell/forms/BendDataForm.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "bend/Bend.h"
#include "desktop/kit/FormSizes.h"

namespace umbrinex {

TBend& BendOf(TModelObject& object)
{
  if (auto* bend = dynamic_cast<TBend*>(&object)) return *bend;
  if (auto* bend = dynamic_cast<TBend*>(object.Model())) return *bend;
  throw EUmbrinexError("The object does not belong to a design.");
}

TBendDataForm::TBendDataForm(QWidget* owner, bool keepCopies, TModelObject& object, const QString& caption, int width,
                             int height, int helpContext)
    : TTessanDataForm(owner, keepCopies, BendOf(object)), FBend(BendOf(object))
{
  SetOpenedFor(object);
  setWindowTitle(caption);
  setWindowFlag(Qt::WindowContextHelpButtonHint, true);
  if (helpContext > 0) setProperty("helpContext", helpContext);
  // The reference layout was drawn for a font whose average character is
  // 5 pixels wide and whose lines are 13 high; a larger font moves every
  // control apart by the same factor, keeping order and alignment.
  const QFontMetrics metrics(font());
  FScaleX = std::max(1.0, metrics.averageCharWidth() / 5.0);
  FScaleY = std::max(1.0, metrics.height() / 13.0);
  FDesignSize = QSize(X(width), Y(height));
  // Fixed until a control is made to take extra room.
  setFixedSize(FDesignSize);
}

void TBendDataForm::Stretch(QWidget& control, bool wide, bool tall)
{
  auto* grid = qobject_cast<TKitGrid*>(&control);
  FStretched.push_back({&control, control.geometry(), grid ? grid->Core().RowsShown() : 0, wide, tall});
  setMinimumSize(FDesignSize);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  setSizeGripEnabled(true);
}

void TBendDataForm::showEvent(QShowEvent* event)
{
  if (!FStretched.empty() && !FShownForEditing && KeepCopies()) {
    FShownForEditing = true;
    if (const std::optional<QSize> stored = StoredFormSize(windowTitle())) resize(stored->expandedTo(FDesignSize));
  }
  TTessanDataForm::showEvent(event);
}

void TBendDataForm::hideEvent(QHideEvent* event)
{
  if (FShownForEditing) {
    if (size() == FDesignSize)
      ForgetFormSize(windowTitle());
    else
      StoreFormSize(windowTitle(), size());
  }
  TTessanDataForm::hideEvent(event);
}

void TBendDataForm::resizeEvent(QResizeEvent* event)
{
  TTessanDataForm::resizeEvent(event);
  FollowSize();
}

void TBendDataForm::FollowSize()
{
  if (FStretched.empty()) return;
  if (FAnchoredRight.empty())
    for (QWidget* button :
         {static_cast<QWidget*>(btOK), static_cast<QWidget*>(btCancel), static_cast<QWidget*>(btNext)})
      FAnchoredRight.emplace_back(button, button->pos());
  const int dx = std::max(0, width() - FDesignSize.width());
  const int dy = std::max(0, height() - FDesignSize.height());
  for (auto& [button, place] : FAnchoredRight) button->move(place.x() + dx, place.y());
  for (const TStretched& s : FStretched) {
    const int w = s.Design.width() + (s.Wide ? dx : 0);
    if (auto* grid = qobject_cast<TKitGrid*>(s.Control)) {
      grid->resize(w, grid->height());
      if (s.Tall) grid->SetRowsShown(s.DesignRows + dy / std::max(grid->RowPitch(), 1));
    } else {
      s.Control->resize(w, s.Design.height() + (s.Tall ? dy : 0));
    }
  }
}

void TBendDataForm::AddEditedObjects(std::vector<TModelObject*>& list)
{
  list.push_back(&FBend);
}

int TBendDataForm::X(int x) const
{
  return static_cast<int>(std::lround(x * FScaleX));
}
int TBendDataForm::Y(int y) const
{
  return static_cast<int>(std::lround(y * FScaleY));
}

void TBendDataForm::Place(QWidget& control, int left, int top, int width, int height) const
{
  control.move(X(left), Y(top));
  if (width >= 0 && height >= 0)
    control.resize(X(width), Y(height));
  else
    control.adjustSize();
}

TKitLabel* TBendDataForm::Label(const QString& caption, int left, int top, QWidget* parent)
{
  auto* label = new TKitLabel(caption, parent ? parent : this);
  label->SetDataObject(&FBend);
  Place(*label, left, top);
  return label;
}

QLabel* TBendDataForm::PlainLabel(const QString& caption, int left, int top, QWidget* parent)
{
  auto* label = new QLabel(caption, parent ? parent : this);
  Place(*label, left, top);
  return label;
}

TKitGrid* TBendDataForm::Cell(int varNum, int left, int top, int width, int height, QWidget* parent)
{
  auto* grid = new TKitGrid(parent ? parent : this);
  TGridCore& core = grid->Core();
  core.SetFixedRows(0);
  core.SetRowsShown(1);
  core.ScrollBars = ssNone;
  TColumn& column = core.Column(0);
  column.VarNum = varNum;
  column.VarType = vtReal;
  column.Width = 10;
  column.Margin = 1;
  Place(*grid, left, top, width, height);
  return grid;
}

TKitGrid* TBendDataForm::Counter(int varNum, int left, int top, int width, int height, QWidget* parent)
{
  TKitGrid* grid = Cell(varNum, left, top, width, height, parent);
  TColumn& count = grid->Core().Column(0);
  count.VarType = vtCard;
  count.FieldWidth = 4;
  count.Margin = 2;
  count.LineFormat = lfNone;
  TColumn& spin = grid->AddColumn(0, vtSpin);
  spin.FieldWidth = 3;
  spin.Width = 5;
  spin.Margin = 1;
  return grid;
}

TKitGrid* TBendDataForm::Table(int left, int top, int width, int height, int titleRows, int rowsShown, QWidget* parent)
{
  auto* grid = new TKitGrid(parent ? parent : this);
  TGridCore& core = grid->Core();
  core.Columns().clear();
  core.SetFixedRows(titleRows);
  core.SetRowsShown(rowsShown);
  core.ScrollBars = ssVertical;
  Place(*grid, left, top, width, height);
  return grid;
}

TColumn& TBendDataForm::AddColumn(TKitGrid& grid, int varNum, TVarType type, const char* title1, const char* title2,
                                  int characters, double width, int decimals)
{
  TColumn& column = grid.AddColumn(varNum, type);
  column.FieldWidth = characters;
  column.FieldWidth2 = decimals;
  column.Width = width;
  column.Margin = 1;
  const int titleRows = grid.Core().FixedRows();
  if (titleRows >= 1) column.Title(0).Caption = title1;
  if (titleRows >= 2) {
    column.Title(0).HorizontalLine = false;
    column.Title(1).Caption = title2;
  }
  return column;
}

TColumn& TBendDataForm::AddIndexColumn(TKitGrid& grid)
{
  TColumn& index = AddColumn(grid, 0, vtIndex, "No.", "", 4, 5);
  index.Editable = false;
  index.LineFormat = lfDouble;
  if (grid.Core().FixedRows() >= 2) index.Title(1).Alignment = taLeftJustify;
  return index;
}

void TBendDataForm::SetHelpContext(TKitGrid& grid, int topic)
{
  for (TColumn& column : grid.Core().Columns()) column.HelpContext = topic;
}

}  // namespace umbrinex
