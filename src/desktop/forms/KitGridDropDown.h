#pragma once
// The drop-down list of a grid cell: a list over the cell that the data
// object fills with its choices (vtList) or that holds the pen styles
// (vtPenStyle). Enter, a click or leaving the list commits; Escape cancels.

#include <QListWidget>

#include "desktop/forms/BoundControls.h"
#include "framework/grid/GridCore.h"

namespace umbrinex {

class TKitGrid;

class TKitGridDropDownList : public QListWidget {
  Q_OBJECT

 public:
  explicit TKitGridDropDownList(TKitGrid& grid);

  // Fills the list for a cell and shows it over the cell; false when the
  // cell cannot be changed or has nothing to choose from.
  bool Open(TGridCoord cell);
  IListTarget& Target() { return FTarget; }
  bool IsOpen() const { return FOpen; }
  // Closes the list without storing its choice.
  void Dismiss();
  TKitGrid& Grid() const { return FGrid; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // True when the list may close: the cell took the choice, or refused it
  // for a reason other than an invalid value.
  bool Commit();
  TKitGrid& FGrid;
  TListWidgetTarget FTarget;
  TGridCoord FCell;
  bool FOpen = false;
};

}  // namespace umbrinex
