#pragma once
// The data grid on the screen. The rules live in TGridCore (cells as data
// items, commit, cycling, rows, clipboard, text); this widget lays the grid
// out in its font, paints it, and turns keys and the mouse into calls of the
// core. Every paint reads the cells again: the grid keeps no data.

#include <optional>

#include <QAbstractScrollArea>
#include <QPointer>

#include "framework/grid/GridCore.h"
#include "framework/grid/GridLayout.h"

class QLineEdit;
class QPaintDevice;
class QPainter;

namespace umbrinex {

class TDataTextPort;
class TKitGridDropDownList;

class TKitGrid : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TKitGrid(QWidget* parent = nullptr);
  ~TKitGrid() override;

  TGridCore& Core() { return FCore; }
  const TGridCore& Core() const { return FCore; }
  TColumn& AddColumn(int varNum, TVarType type) { return FCore.AddColumn(varNum, type); }

  // Another grid whose first column holds this grid's row count.
  void SetCounter(TKitGrid* counter);
  TKitGrid* Counter() const { return FCounter; }
  void SetDataObject(TDataObject* dataObject) { FCore.SetDataObject(dataObject); }
  TDataObject* DataObject() const { return FCore.DataObject(); }

  // Lays out again and repaints, with every grid counting on this one.
  void Invalidate() { FCore.Invalidate(); }
  // Lays the grid out now when it is out of date, and returns the layout.
  const TGridLayout& Layout();
  QString CellText(int col, int row) const { return QString::fromStdString(FCore.CellText(col, row)); }
  // Paints the grid as it shows (frame, titles, the rows shown) with its top
  // left at a point of another painter, as printing does.
  void PaintOn(QPainter& painter, const QPoint& at);
  // Printing measures characters on the printer; printing and text export
  // paint the title cells white.
  void SetOutputMode(TGridOutputMode mode, QPaintDevice* printer = nullptr);

  // The text typed but not yet committed, committed as Enter would; false
  // when the cell refused it (the hint shows why, the editor keeps the text).
  bool HasPendingEdit() const { return FCore.HasPendingEdit(); }
  bool CommitPendingEdit();
  // Closes the editor without storing its text, as Escape does.
  void DropPendingEdit() { CloseEditor(); }
  // A grid of one number cell without titles or counter (a number field, a
  // count): Enter accepts the form there, as it does on a text field.
  bool IsNumberField() const;
  // The help topic of the current cell's column.
  int HelpContext() const { return FCore.HelpContext(FCore.Current().Col); }

  // Makes a cell current without telling anyone, as a refresh does.
  void SelectCell(int col, int row, bool extend = false);

  // The first data row shown below the title rows.
  int TopRow() const;
  void SetTopRow(int row);
  // A cell's rectangle in the viewport, empty when it is not shown.
  QRect CellRect(int col, int row);
  std::optional<TGridCoord> CellAt(const QPoint& point);
  // The font's character size as the layout measures it.
  double CharWidth() const { return FCharWidth; }
  // The height a further shown row adds to the control.
  int RowPitch();
  // The rows (title rows included) the control is sized to show.
  void SetRowsShown(int rows);

  // Where the colour of a colour cell comes from (the colour dialog unless
  // replaced); nothing when the user cancels.
  using TColourChooser = std::optional<TGridColour> (*)(TGridColour current, QWidget* parent);
  static void SetColourChooser(TColourChooser chooser);

 signals:
  // The user moved the current cell.
  void CurrentCellChanged(int col, int row);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TKitGridDropDownList;
  friend class TKitGridPainter;

  void CoreInvalidated();
  // Works the layout out; applying it sets the control's height and bars,
  // which must not happen while it paints.
  void ComputeLayout();
  void ApplyLayout();
  void UpdateScrollBars();
  // Reports a refusal: a beep and the hint under the cell.
  void Report(const TGridOutcome& outcome);
  void MoveCurrent(int col, int row, bool extend);
  void ScrollIntoView(int row);
  bool HandleCommandKey(QKeyEvent* event);
  bool HandleMoveKey(QKeyEvent* event);
  // To the next or previous cell that takes typing; false past the ends.
  bool MoveByTab(bool forward);
  // The focus goes to the control after or before the grid.
  void LeaveGrid(bool forward);
  // Opens the cell's editor by its type: cycling, drop-down, colour or text.
  void OpenCell(const QString& typed = {});
  void OpenTextEditor(const QString& text, bool typed);
  void PlaceEditor();
  bool CommitEditor();
  void CloseEditor();
  void OpenDropDown();
  void ChooseColour();
  void CopyToClipboard();
  void PasteFromClipboard();
  bool OnDropDownButton(int col, int row, const QPoint& point);

  TGridCore FCore;
  TGridLayout FLayout;
  bool FLayoutValid = false;
  bool FRefreshPosted = false;
  QPointer<TKitGrid> FCounter;
  QLineEdit* FEditor = nullptr;
  TKitGridDropDownList* FDropDown = nullptr;
  bool FClosingEditor = false;
  bool FDragging = false;
  double FCharWidth = 8.0;
  double FCharHeight = 16.0;
  QPaintDevice* FPrinter = nullptr;
};

// Where a cell's text goes inside its box: indented by the margin from the
// side it is aligned to, the indent shrinking so that the text fits whole.
QRect IndentedTextRect(const QRect& box, int textWidth, int margin, TAlignment alignment);

}  // namespace umbrinex
