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

TBendDataForm::TBendDataForm(QWidget* owner, bool keepCopies, TModelObject& object,
                             const TFormDescription& description)
    : TTessanDataForm(owner, keepCopies, BendOf(object)), FBend(BendOf(object))
{
  SetOpenedFor(object);
  setWindowTitle(QString::fromStdString(description.Caption));
  setWindowFlag(Qt::WindowContextHelpButtonHint, true);
  if (description.HelpContext > 0) setProperty("helpContext", description.HelpContext);
  // The reference layout was drawn for a font whose average character is
  // 5 pixels wide and whose lines are 13 high; a larger font moves every
  // control apart by the same factor, keeping order and alignment.
  const QFontMetrics metrics(font());
  FScaleX = std::max(1.0, metrics.averageCharWidth() / 5.0);
  FScaleY = std::max(1.0, metrics.height() / 13.0);
  FDesignSize = QSize(X(description.Width), Y(description.Height));
  // Fixed until a control is made to take extra room.
  setFixedSize(FDesignSize);
  FControls = std::make_unique<TDescribedControls>(
      description, *this, FBend, [this](int x) { return X(x); }, [this](int y) { return Y(y); });
  for (std::size_t i = 0; i < description.Controls.size(); ++i)
    if (const TStretch stretch = description.Controls[i].Stretch; stretch != stNone)
      Stretch(*FControls->Widget(static_cast<int>(i)), (stretch & stWide) != 0, (stretch & stTall) != 0);
  if (description.ButtonWidth > 0)
    PlaceButtons(X(description.ButtonsLeft), Y(description.ButtonsTop), X(description.ButtonWidth));
  else
    PlaceButtons(X(description.ButtonsLeft), Y(description.ButtonsTop));
}

TBendDataForm::~TBendDataForm() = default;

void TBendDataForm::RefreshData()
{
  TTessanDataForm::RefreshData();
  FControls->FollowConditions(FBend);
}

// ---- output ----

bool TBendDataForm::IncludeInOutput(const QWidget& control) const
{
  if (FControls->NeverOutput(control)) return false;
  if (FControls->FirstStateOnly(control)) return FOutputState <= 0;
  return TTessanDataForm::IncludeInOutput(control);
}

void TBendDataForm::BeginOutput()
{
  TTessanDataForm::BeginOutput();
  FControls->ShowOutputOnly(true);
}

void TBendDataForm::EndOutput()
{
  FControls->ShowOutputOnly(false);
  FOutputState = -1;
  ShowCaptionsOf(-1);
  TTessanDataForm::EndOutput();
  Invalidate();
}

void TBendDataForm::ShowCaptionsOf(int state)
{
  const TFormDescription& description = FControls->Description();
  for (std::size_t i = 0; i < description.Controls.size(); ++i) {
    const TControlDescription& control = description.Controls[i];
    if (control.OutputCaption.empty()) continue;
    if (auto* captioned = dynamic_cast<TCaptionedControl*>(FControls->Widget(static_cast<int>(i))))
      captioned->SetCaption(QString::fromStdString(state >= 0 ? control.CaptionIn(state) : control.Caption));
  }
}

void TBendDataForm::ForEachOutputPass(const std::function<void()>& pass)
{
  const TFormDescription& description = FControls->Description();
  if (!description.Passes) return pass();
  description.Passes(FBend, [&](int state) {
    FOutputState = state;
    ShowCaptionsOf(state);
    Invalidate();
    EnsureUpToDate();
    pass();
  });
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

}  // namespace umbrinex
