#include "desktop/forms/KitForm.h"

#include <QApplication>
#include <QKeyEvent>

#include <QPushButton>

#include "desktop/forms/Accelerators.h"
#include "desktop/forms/BoundControls.h"
#include "desktop/forms/KitGrid.h"
#include "desktop/forms/KitGridDropDown.h"
#include "desktop/forms/KitHint.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/Help.h"

namespace umbrinex {

namespace {

// Help topics are kept with the items; the manual stands for them all.
void OpenManualForTopic(int /*topic*/)
{
  if (!FindManual().empty()) OpenManual();
}

TKitForm::THelpHandler& HelpHandler()
{
  static TKitForm::THelpHandler handler = &OpenManualForTopic;
  return handler;
}

// The accelerator character of Alt with a letter or digit.
QChar AltCharacter(const QKeyEvent* key)
{
  const Qt::KeyboardModifiers modifiers = key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  if (modifiers != Qt::AltModifier) return {};
  const int k = key->key();
  if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) return QChar(k).toLower();
  return {};
}

}  // namespace

void TKitForm::SetHelpHandler(THelpHandler handler)
{
  HelpHandler() = std::move(handler);
}

TKitForm::TKitForm(QWidget* owner) : QDialog(owner), TFormBase(static_cast<QWidget&>(*this))
{
  qApp->installEventFilter(this);
  PlaceNearOwner(owner);
}

TKitForm::~TKitForm()
{
  BeginDestruction();
  qApp->removeEventFilter(this);
}

int TKitForm::ShowModal()
{
  if (isVisible()) hide();
  return exec();
}

void TKitForm::done(int result)
{
  // OK stores text typed into a grid and not yet committed; Cancel drops it.
  // A cell that refuses its text keeps the form open, with the hint saying
  // why and the text still in the cell, so that nothing typed goes unseen.
  for (TKitGrid* grid : findChildren<TKitGrid*>()) {
    if (!grid->HasPendingEdit()) continue;
    if (result == mrCancel)
      grid->DropPendingEdit();
    else if (!grid->CommitPendingEdit())
      return;
  }
  // The hint belongs to this form's controls and goes with it.
  TKitHintWindow::Instance().CloseHint();
  QDialog::done(result);
}

void TKitForm::FocusFirstControl()
{
  // The first field in tab order; the buttons (OK, Cancel, Help and the
  // like) only when the form has nothing else.
  for (const bool buttons : {false, true})
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
      if (w->window() != this || !(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(this) || !w->isEnabled())
        continue;
      if (!buttons && qobject_cast<QPushButton*>(w)) continue;
      w->setFocus(Qt::TabFocusReason);
      return;
    }
}

void TKitForm::reject()
{
  done(mrCancel);
}

void TKitForm::InvalidateControls()
{
  for (QWidget* child : findChildren<QWidget*>()) {
    if (auto* control = dynamic_cast<TDataControl*>(child))
      control->Invalidate();
    else if (auto* grid = qobject_cast<TKitGrid*>(child))
      grid->Invalidate();
  }
}

bool TKitForm::event(QEvent* event)
{
  // Bring the form up to date before it paints.
  if (event->type() == QEvent::UpdateRequest || event->type() == QEvent::Paint) Guarded([this] { EnsureUpToDate(); });
  return QDialog::event(event);
}

void TKitForm::showEvent(QShowEvent* event)
{
  Guarded([this] { EnsureUpToDate(); });
  QDialog::showEvent(event);
  if (!focusWidget()) FocusFirstControl();
}

bool TKitForm::eventFilter(QObject* watched, QEvent* event)
{
  const QEvent::Type type = event->type();
  if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) || !watched->isWidgetType()) return false;
  if (static_cast<QWidget*>(watched)->window() != this) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const QChar character = AltCharacter(key);
  if (character.isNull()) return false;
  // Alt with a letter is the form's to resolve, ahead of the mnemonics of
  // its labels and buttons.
  if (type == QEvent::ShortcutOverride) {
    if (!HasAccelerator(*this, character)) return false;
    key->accept();
    return true;
  }
  bool handled = false;
  Guarded([&] { handled = ResolveAccelerator(*this, character); });
  return handled;
}

void TKitForm::keyPressEvent(QKeyEvent* event)
{
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    const int topic = HelpContextOf(QApplication::focusWidget());
    Guarded([topic] { HelpHandler()(topic); });
    return;
  }
  if (HandleEscape(event)) return;
  // A letter the focused control did not take may be an accelerator.
  const QString text = event->text();
  if (event->modifiers() == Qt::NoModifier && text.size() == 1 && text[0].isLetterOrNumber()) {
    bool handled = false;
    Guarded([&] { handled = ResolveAccelerator(*this, text[0].toLower()); });
    if (handled) return;
  }
  QDialog::keyPressEvent(event);
}

void BindControls(QWidget& form, TDataObject* dataObject)
{
  for (QWidget* child : form.findChildren<QWidget*>()) {
    if (auto* control = dynamic_cast<TDataControl*>(child))
      control->SetDataObject(dataObject);
    else if (auto* grid = qobject_cast<TKitGrid*>(child))
      grid->SetDataObject(dataObject);
  }
}

int HelpContextOf(const QWidget* widget)
{
  for (; widget; widget = widget->parentWidget()) {
    if (auto* control = dynamic_cast<const TBoundControl*>(widget)) return control->HelpContext();
    if (auto* grid = qobject_cast<const TKitGrid*>(widget)) return grid->HelpContext();
    if (auto* list = qobject_cast<const TKitGridDropDownList*>(widget)) return list->Grid().HelpContext();
    // A form's own topic, for controls without one.
    if (const QVariant topic = widget->property("helpContext"); topic.isValid()) return topic.toInt();
  }
  return 0;
}

}  // namespace umbrinex
