#pragma once
// The base of the design's eight data forms: every form edits the whole bend
// model, whatever object of the data tree it was opened for, so that every
// item is reachable and Cancel puts the whole design back. The helpers make
// the forms' controls at their reference places (dialog pixels at 96 dots
// per inch), scaled to the font this toolkit draws with.

#include <vector>

#include <QRect>
#include <QString>

#include "desktop/forms/DataForm.h"
#include "desktop/forms/KitControls.h"

class QLabel;

namespace umbrinex {

class TBend;

class TBendDataForm : public TTessanDataForm {
  Q_OBJECT

 public:
  TBendDataForm(QWidget* owner, bool keepCopies, TModelObject& object, const QString& caption, int width, int height,
                int helpContext);

  TBend& Bend() const { return FBend; }
  QString GetOutputCaption() const override { return windowTitle(); }
  void AddEditedObjects(std::vector<TModelObject*>& list) override;

 protected:
  // Reference coordinates to this toolkit's pixels.
  int X(int x) const;
  int Y(int y) const;
  void Place(QWidget& control, int left, int top, int width = -1, int height = -1) const;

  // A label naming the control that follows it, or none.
  TKitLabel* Label(const QString& caption, int left, int top, QWidget* parent = nullptr);
  QLabel* PlainLabel(const QString& caption, int left, int top, QWidget* parent = nullptr);
  // A grid of one row and one real column, without titles or bars.
  TKitGrid* Cell(int varNum, int left, int top, int width, int height, QWidget* parent = nullptr);
  // A one-row grid of a count and its spin buttons.
  TKitGrid* Counter(int varNum, int left, int top, int width, int height, QWidget* parent = nullptr);
  // A table with title rows, counted by another grid or with fixed rows.
  TKitGrid* Table(int left, int top, int width, int height, int titleRows, int rowsShown, QWidget* parent = nullptr);
  // A column with up to two title rows (empty texts draw no title).
  static TColumn& AddColumn(TKitGrid& grid, int varNum, TVarType type, const char* title1, const char* title2,
                            int characters, double width, int decimals = 3);
  // A row-number column.
  static TColumn& AddIndexColumn(TKitGrid& grid);
  static void SetHelpContext(TKitGrid& grid, int topic);

  // A control that takes the room the user gives the form by resizing it:
  // wider, taller or both. A grid grows by whole rows. A form with such a
  // control can be resized; the buttons keep to its right edge, everything
  // else keeps its place.
  void Stretch(QWidget& control, bool wide, bool tall);

  // A shown form opens at the size it was last left at; one made for
  // output keeps its design size, on which text export depends.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct TStretched {
    QWidget* Control;
    QRect Design;
    int DesignRows;
    bool Wide, Tall;
  };
  void FollowSize();

  TBend& FBend;
  double FScaleX = 1.0;
  double FScaleY = 1.0;
  QSize FDesignSize;
  std::vector<TStretched> FStretched;
  // The buttons' places at the design size, taken before the first resize.
  std::vector<std::pair<QWidget*, QPoint>> FAnchoredRight;
  bool FShownForEditing = false;
};

// The bend model a data-tree object belongs to.
TBend& BendOf(TModelObject& object);

}  // namespace umbrinex
