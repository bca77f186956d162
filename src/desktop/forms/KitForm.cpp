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
#include "desktop/kit/HelpWindow.h"

namespace umbrinex {

namespace {

TKitForm::THelpHandler& HelpHandler()
{
  static TKitForm::THelpHandler handler = &ShowHelp;
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
  HelpHandler() = handler ? std::move(handler) : THelpHandler(&ShowHelp);
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
  // F1 is the form's help, not a shortcut of the window that owns the form.
  if (type == QEvent::ShortcutOverride && key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
    key->accept();
    return true;
  }
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
    // The form's own focused control, whichever window the desktop calls active.
    const QWidget* focused = focusWidget() ? focusWidget() : this;
    const int topic = HelpContextOf(focused), formTopic = FormHelpContextOf(focused);
    Guarded([topic, formTopic] { HelpHandler()(topic, formTopic); });
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
  // A control without a topic of its own goes on to its form's.
  for (; widget; widget = widget->parentWidget()) {
    int topic = 0;
    if (auto* control = dynamic_cast<const TBoundControl*>(widget))
      topic = control->HelpContext();
    else if (auto* grid = qobject_cast<const TKitGrid*>(widget))
      topic = grid->HelpContext();
    else if (auto* list = qobject_cast<const TKitGridDropDownList*>(widget))
      topic = list->Grid().HelpContext();
    else if (const QVariant property = widget->property("helpContext"); property.isValid())
      topic = property.toInt();
    if (topic > 0) return topic;
  }
  return 0;
}

int FormHelpContextOf(const QWidget* widget)
{
  for (; widget; widget = widget->parentWidget())
    if (const QVariant topic = widget->property("helpContext"); topic.isValid() && topic.toInt() > 0)
      return topic.toInt();
  return 0;
}

}  // namespace umbrinex
