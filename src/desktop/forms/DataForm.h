#pragma once
// The data form: a dialog whose bound controls all edit one data object,
// with OK, Cancel and Next, copies of the edited objects so that Cancel
// puts them back, the "&Edit" menu of the object's siblings, and the hooks
// through which the form is written out as text or printed.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>

#include "framework/data/Model.h"
#include "desktop/forms/FormOutput.h"
#include "desktop/forms/KitForm.h"

class QAction;
class QMenu;
class QPushButton;

namespace umbrinex {

class TResultWindow;
class TTessanDataForm;

// The modal results data forms add to OK and Cancel.
enum TDataFormResult : int { mrNextForm = 1000, mrPreviousForm = 1001, mrEditChosen = 1002 };

// What data forms need of the main window.
class IDataFormHost {
 public:
  virtual TTessanDataForm* CurrentDataForm() const = 0;
  virtual void SetCurrentDataForm(TTessanDataForm* form) = 0;
  // Fills the "Selected Printer" sub-menu; the printer setup command.
  virtual void FillPrinterMenu(QMenu& menu) = 0;
  virtual QAction* PrinterSetupAction() = 0;

 protected:
  ~IDataFormHost() = default;
};
void SetDataFormHost(IDataFormHost* host);
IDataFormHost* DataFormHost();

// What "&Copy Form", "&Export Form.." and "Print &Form" do; the program
// sets them once text export and printing of forms exist.
struct TFormOutputCommands {
  std::function<void(TTessanDataForm&)> Copy, Export, Print;
};
TFormOutputCommands& FormOutputCommands();

// Told of a copy for Cancel that could not be made ("Problem creating
// copy.") or put back ("Problem restoring copy."); by default nobody is.
using TCopyProblemReporter = std::function<void(const std::string& message)>;
void SetCopyProblemReporter(TCopyProblemReporter reporter);

class TTessanDataForm : public TKitForm, public TFormOutput {
  Q_OBJECT

 public:
  // A form that keeps copies puts its objects back on Cancel. Open must be
  // called once the derived form has made its controls.
  TTessanDataForm(QWidget* owner, bool keepCopies, TModelObject& object);
  ~TTessanDataForm() override;
  // Takes the copies, becomes the current data form and binds the controls.
  void Open();

  TModelObject& DataObject() const { return *FDataObject; }
  // The object the form was made for; the one it edits may be another
  // (its model, say).
  TModelObject& OpenedFor() const { return FOpenedFor ? *FOpenedFor : *FDataObject; }
  TModel& Model() const { return *FModel; }
  TTessanDataForm* ParentForm() const { return FParentForm; }
  bool NextAllowed() const { return FParentForm == nullptr && FOffersNext; }
  bool KeepCopies() const { return FKeepCopies; }
  TModelObject* ChosenObject() const { return FChosenObject; }
  const std::vector<TModelObject*>& EditedObjects() const { return FEditedObjects; }

  void RefreshData() override;
  QWidget& OutputForm() override { return *this; }
  QString GetOutputCaption() const override;
  virtual bool OffersProperties() const { return false; }
  virtual void AddEditedObjects(std::vector<TModelObject*>& list);
  virtual void BuildEditMenu(QMenu& menu);
  void BeginOutput() override;
  void EndOutput() override;

  // A model notification; passed on to the form this one was opened from.
  void ModelNotification(TModelNotification id, int value, TNamedObject* object);
  // Shows the window in the slot, making it first with the maker.
  void ShowGraphWindow(QPointer<TResultWindow>& slot, const std::function<TResultWindow*(QWidget*)>& make);
  // Takes fresh copies of the edited objects (after a form opened from
  // this one accepted its changes).
  void RenewCopies();

  // Places OK, Cancel and Next in a column at the right.
  void PlaceButtons(int left, int firstTop, int width = 75);

  QPushButton* btOK;
  QPushButton* btCancel;
  QPushButton* btNext;
  QAction* acNext;
  QAction* acPrevious;
  QAction* acCopyForm;
  QAction* acExportForm;
  QAction* acPrintForm;
  QAction* acProperties;

 protected:
  // For a dialog that is not one of a sequence of data sheets.
  void OfferNoNext() { FOffersNext = false; }
  void SetOpenedFor(TModelObject& object) { FOpenedFor = &object; }
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void MakeCommands();
  void NextClicked();
  void FinishCopies();

  TModelObject* FDataObject;
  TModelObject* FOpenedFor = nullptr;
  TModel* FModel;
  bool FKeepCopies;
  TTessanDataForm* FParentForm = nullptr;
  TModelObject* FChosenObject = nullptr;
  std::vector<TModelObject*> FEditedObjects;
  TModelObject* FSavedCurrentItem = nullptr;
  std::vector<QPointer<TResultWindow>> FGraphWindows;
  bool FOpened = false;
  bool FOffersNext = true;
};

}  // namespace umbrinex
