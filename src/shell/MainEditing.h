#pragma once
// Editing the design from the main window: the data form loop that opens a
// form for a data tree object and goes on with Next, Previous or a sibling
// chosen in the form's menu, and Undo and Redo of the forms the user
// accepted.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QObject>

#include "desktop/forms/DataForm.h"

class QAction;
class QMenu;

namespace umbrinex {

class TBend;
class TMainForm;

class TMainEditing final : public QObject, public IDataFormHost {
  Q_OBJECT

 public:
  explicit TMainEditing(TMainForm& main);
  ~TMainEditing() override;

  TTessanDataForm* CurrentDataForm() const override { return FCurrentDataForm; }
  void SetCurrentDataForm(TTessanDataForm* form) override { FCurrentDataForm = form; }
  void FillPrinterMenu(QMenu& menu) override;
  QAction* PrinterSetupAction() override;

  // Opens the object's form modally and goes on as the form closes.
  void EditObject(TModelObject& object);
  // The form of data tree node i.
  void EditNode(int node);

  // Runs a command of the main window; if it changed the design, the change
  // can be undone under the caption.
  void ChangeDesign(const QString& caption, const std::function<void()>& change);
  // One step per form or command that changed the design.
  void Undo();
  void Redo();
  // Opening, saving and a new design start again.
  void ClearUndo();
  bool CanUndo() const { return !FUndo.empty(); }
  bool CanRedo() const { return !FRedo.empty(); }
  QString UndoText() const;
  QString RedoText() const;

  QAction* acUndo;
  QAction* acRedo;

 private:
  struct TStep {
    QString FormCaption;
    std::vector<std::uint8_t> Design;
  };
  // Runs one form; the object to edit next, if any.
  TModelObject* RunForm(TModelObject& object);
  // An undo step back to before when the design is no longer the same;
  // otherwise the modified flag as it was.
  void Record(const QString& caption, std::vector<std::uint8_t> before, bool wasModified);
  void Step(std::vector<TStep>& from, std::vector<TStep>& to);
  void UpdateActions();
  std::vector<std::uint8_t> Snapshot();
  void Restore(const std::vector<std::uint8_t>& design);
  TBend& Bend();

  TMainForm& FMain;
  TTessanDataForm* FCurrentDataForm = nullptr;
  std::vector<TStep> FUndo;
  std::vector<TStep> FRedo;
};

}  // namespace umbrinex
