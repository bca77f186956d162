#pragma once
// The base of every dialog form: a TFormBase (form list, busy state, lazy
// refresh, placement) on a dialog, with the form's own keys (Escape, F1
// help, accelerators shared by several controls) and the rule that closing
// with anything but Cancel first stores what was typed into a grid but not
// yet committed.

#include <functional>

#include <QDialog>

#include "desktop/kit/FormBase.h"

namespace umbrinex {

class TDataObject;

// Results of a modal form; data forms add their own above these.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

class TKitForm : public QDialog, public TFormBase {
  Q_OBJECT

 public:
  explicit TKitForm(QWidget* owner = nullptr);
  ~TKitForm() override;

  // Shows the form modally (hiding it first when it shows) and returns its
  // modal result.
  int ShowModal();
  // Closes the form unless a grid refuses the text still typed into it
  // (with any result but Cancel).
  void done(int result) override;
  void reject() override;

  // What F1 does with the help topic of the focused control and that of its
  // form (for a topic the manual has no entry for); by default it opens the
  // help window there. An empty handler restores that.
  using THelpHandler = std::function<void(int topic, int formTopic)>;
  static void SetHelpHandler(THelpHandler handler);

  // Gives the focus to the first control in tab order; a form opens so.
  void FocusFirstControl();

 protected:
  void InvalidateControls() override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
};

// Binds every bound control and grid on the form, at any depth.
void BindControls(QWidget& form, TDataObject* dataObject);
// The help topic of a control: a bound control's item (or its own topic), a
// grid's column, else the form's; 0 for none.
int HelpContextOf(const QWidget* widget);
// The topic of the form a control is on; 0 for none.
int FormHelpContextOf(const QWidget* widget);

}  // namespace umbrinex
