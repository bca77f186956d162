#pragma once
// The widgets of a described form: each control of the description made on
// the form, in the description's order, at its place scaled to the font the
// toolkit draws with, with its captions, items, grids, buddies and counters.

#include <functional>
#include <string>
#include <vector>

#include "formdata/FormDescription.h"

class QWidget;

namespace umbrinex {

class TDataObject;

class TDescribedControls {
 public:
  // Reference pixels to this toolkit's pixels.
  using TScale = std::function<int(int)>;

  // Makes the controls on form; captions show the items of object.
  TDescribedControls(const TFormDescription& description, QWidget& form, TDataObject& object, const TScale& x,
                     const TScale& y);

  const TFormDescription& Description() const { return FDescription; }
  QWidget* Widget(int control) const { return FWidgets.at(static_cast<std::size_t>(control)); }
  // The control of that name; throws for a name the description lacks.
  QWidget& Widget(const std::string& name) const;
  template <class T>
  T& Named(const std::string& name) const
  {
    return dynamic_cast<T&>(Widget(name));
  }

  // Shows and hides the controls whose showing depends on the object.
  void FollowConditions(TDataObject& object) const;
  // Shows or hides the controls shown only while the form is written out.
  void ShowOutputOnly(bool show) const;
  // Whether a control is marked as never written out, or written out only
  // in the first state.
  bool NeverOutput(const QWidget& widget) const;
  bool FirstStateOnly(const QWidget& widget) const;

 private:
  static QWidget* Make(const TControlDescription& control, QWidget& parent, TDataObject& object);
  int IndexOf(const QWidget& widget) const;

  const TFormDescription& FDescription;
  std::vector<QWidget*> FWidgets;
};

}  // namespace umbrinex
