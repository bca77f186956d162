#pragma once
// The base of the windows results are shown in (graphs and drawings): one
// context menu of Copy, Export.., the printer commands, Print and Monochrome
// Output, with room for the owner's own commands just above the export part.
//
// These windows live embedded in the main window's results panel and report
// errors to whoever refreshes them: Refresh raises, so that the main window
// decides between "cannot be displayed", a silent abort and a failed
// calculation. Repaints after a resize cannot raise into Qt, so they keep the
// last good picture instead.

#include <functional>
#include <string>
#include <vector>

#include <QWidget>

#include "framework/data/FileClass.h"

class QMenu;
class QAction;

namespace umbrinex {

// The picture formats of exports, in the order the dialogs offer them.
const std::vector<TFileClass>& PictureFileClasses();

class TResultWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TResultWindow(QWidget* parent = nullptr);

  // The window's menu; owners insert their commands before ExtrasPlace().
  QMenu* ContextMenu() const { return FMenu; }
  QAction* ExtrasPlace() const { return FExtrasPlace; }
  // The header of copies, exports and prints.
  std::function<std::string()> ReportTitle;

  virtual void Refresh() = 0;
  virtual void Copy() = 0;
  virtual void Export() = 0;
  virtual void Print() = 0;

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QMenu* FMenu;
  QAction* FExtrasPlace;
};

}  // namespace umbrinex
