#include "desktop/forms/DescribedControls.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "desktop/forms/BoundControls.h"
#include "desktop/forms/FormOutput.h"
#include "desktop/forms/KitGrid.h"
#include "desktop/forms/PageControls.h"
#include "numerics/Errors.h"

namespace umbrinex {

namespace {

template <class T>
T* Captioned(const TControlDescription& control, QWidget& parent, TDataObject& object)
{
  auto* widget = new T(QString::fromStdString(control.Caption), &parent);
  widget->SetDataObject(&object);
  return widget;
}

QFrame* Line(QWidget& parent, QFrame::Shape shape)
{
  auto* line = new QFrame(&parent);
  line->setFrameShape(shape);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

TDescribedControls::TDescribedControls(const TFormDescription& description, QWidget& form, TDataObject& object,
                                       const TScale& x, const TScale& y)
    : FDescription(description)
{
  for (const TControlDescription& control : description.Controls) {
    QWidget& parent = control.Parent >= 0 ? *Widget(control.Parent) : form;
    QWidget* widget = Make(control, parent, object);
    widget->move(x(control.Left), y(control.Top));
    if (control.Width >= 0 && control.Height >= 0)
      widget->resize(x(control.Width), y(control.Height));
    else
      widget->adjustSize();
    if (control.Hidden || control.OutputOnly) widget->hide();
    FWidgets.push_back(widget);
  }
  for (std::size_t i = 0; i < description.Controls.size(); ++i) {
    const TControlDescription& control = description.Controls[i];
    if (control.Buddy >= 0) static_cast<QLabel*>(FWidgets[i])->setBuddy(Widget(control.Buddy));
    if (control.Counter >= 0) static_cast<TKitGrid*>(FWidgets[i])->SetCounter(static_cast<TKitGrid*>(Widget(control.Counter)));
  }
}

QWidget* TDescribedControls::Make(const TControlDescription& control, QWidget& parent, TDataObject& object)
{
  switch (control.Kind) {
    case TControlKind::Label: return Captioned<TKitLabel>(control, parent, object);
    case TControlKind::PlainLabel: return new QLabel(QString::fromStdString(control.Caption), &parent);
    case TControlKind::Edit: {
      auto* edit = new TKitEdit(&parent);
      edit->SetVarNum(control.VarNum);
      return edit;
    }
    case TControlKind::DropDownList: {
      auto* list = new TKitDropDownList(&parent);
      list->SetVarNum(control.VarNum);
      return list;
    }
    case TControlKind::Grid: {
      auto* grid = new TKitGrid(&parent);
      control.Grid.ApplyTo(grid->Core());
      return grid;
    }
    case TControlKind::Panel: {
      auto* panel = new TKitPanel(&parent);
      if (control.Framed) panel->setFrameShape(QFrame::StyledPanel);
      return panel;
    }
    case TControlKind::GroupBox: return Captioned<TKitGroupBox>(control, parent, object);
    case TControlKind::TabBar: {
      auto* tabs = new TKitTabControl(&parent);
      for (const QString& tab : QString::fromStdString(control.Caption).split(u'|')) tabs->addTab(tab);
      return tabs;
    }
    case TControlKind::VerticalLine: return Line(parent, QFrame::VLine);
    case TControlKind::HorizontalLine: return Line(parent, QFrame::HLine);
    case TControlKind::Button: return new QPushButton(QString::fromStdString(control.Caption), &parent);
  }
  throw EUmbrinexError("A form control of an unknown kind.");
}

QWidget& TDescribedControls::Widget(const std::string& name) const
{
  const int index = FDescription.Find(name);
  if (index < 0) throw EUmbrinexError("The form '" + FDescription.Caption + "' has no control '" + name + "'.");
  return *Widget(index);
}

void TDescribedControls::FollowConditions(TDataObject& object) const
{
  for (std::size_t i = 0; i < FWidgets.size(); ++i) {
    const TShowCondition& condition = FDescription.Controls[i].ShownWhen;
    if (condition.VarNum != 0) FWidgets[i]->setVisible(condition.Holds(object));
  }
}

void TDescribedControls::ShowOutputOnly(bool show) const
{
  for (std::size_t i = 0; i < FWidgets.size(); ++i)
    if (FDescription.Controls[i].OutputOnly) FWidgets[i]->setVisible(show);
}

int TDescribedControls::IndexOf(const QWidget& widget) const
{
  for (std::size_t i = 0; i < FWidgets.size(); ++i)
    if (FWidgets[i] == &widget) return static_cast<int>(i);
  return -1;
}

bool TDescribedControls::NeverOutput(const QWidget& widget) const
{
  const int index = IndexOf(widget);
  return index >= 0 && FDescription.Controls[static_cast<std::size_t>(index)].NeverOutput;
}

bool TDescribedControls::FirstStateOnly(const QWidget& widget) const
{
  const int index = IndexOf(widget);
  return index >= 0 && FDescription.Controls[static_cast<std::size_t>(index)].FirstStateOnly;
}

}  // namespace umbrinex
