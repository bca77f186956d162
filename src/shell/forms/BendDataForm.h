#pragma once
// The base of the design's eight data forms: every form edits the whole bend
// model, whatever object of the data tree it was opened for, so that every
// item is reachable and Cancel puts the whole design back. The form's
// controls are made from its description, at their reference places (dialog
// pixels at 96 dots per inch) scaled to the font this toolkit draws with.

#include <memory>
#include <vector>

#include <QRect>
#include <QString>

#include "desktop/forms/DataForm.h"
#include "desktop/forms/DescribedControls.h"
#include "desktop/forms/KitControls.h"

namespace umbrinex {

class TBend;
struct TFormDescription;

class TBendDataForm : public TTessanDataForm {
  Q_OBJECT

 public:
  TBendDataForm(QWidget* owner, bool keepCopies, TModelObject& object, const TFormDescription& description);
  ~TBendDataForm() override;

  TBend& Bend() const { return FBend; }
  const TDescribedControls& Controls() const { return *FControls; }
  QString GetOutputCaption() const override { return windowTitle(); }
  void AddEditedObjects(std::vector<TModelObject*>& list) override;
  // The controls whose showing depends on the design follow it.
  void RefreshData() override;

  // Printed as described: controls never written out stay out, those of
  // the first state only come once, and a form written once per state
  // prints every pass with its captions.
  bool IncludeInOutput(const QWidget& control) const override;
  void BeginOutput() override;
  void EndOutput() override;
  void ForEachOutputPass(const std::function<void()>& pass) override;

 protected:
  // Reference coordinates to this toolkit's pixels.
  int X(int x) const;
  int Y(int y) const;

  // A shown form opens at the size it was last left at; one made for
  // output keeps its design size.
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
  // A control that takes the room the user gives the form by resizing it:
  // wider, taller or both. A grid grows by whole rows. A form with such a
  // control can be resized; the buttons keep to its right edge, everything
  // else keeps its place.
  void Stretch(QWidget& control, bool wide, bool tall);
  void FollowSize();
  void ShowCaptionsOf(int state);

  TBend& FBend;
  double FScaleX = 1.0;
  double FScaleY = 1.0;
  std::unique_ptr<TDescribedControls> FControls;
  QSize FDesignSize;
  std::vector<TStretched> FStretched;
  // The buttons' places at the design size, taken before the first resize.
  std::vector<std::pair<QWidget*, QPoint>> FAnchoredRight;
  bool FShownForEditing = false;
  int FOutputState = -1;
};

// The bend model a data-tree object belongs to.
TBend& BendOf(TModelObject& object);

}  // namespace umbrinex
