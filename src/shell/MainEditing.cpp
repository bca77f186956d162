#include "shell/MainEditing.h"

#include <QAction>
#include <QMenu>

#include "bend/Bend.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/Printing.h"
#include "persistence/Copies.h"
#include "shell/Main.h"
#include "shell/MainResults.h"
#include "presentation/DataForms.h"
#include "shell/forms/DataForms.h"

namespace umbrinex {

TMainEditing::TMainEditing(TMainForm& main) : QObject(&main), FMain(main)
{
  acUndo = main.AddCommand(
      QStringLiteral("&Undo"), [this] { Undo(); }, QKeySequence::Undo, false);
  acRedo = main.AddCommand(
      QStringLiteral("&Redo"), [this] { Redo(); }, QKeySequence::Redo, false);
  UpdateActions();
  SetDataFormHost(this);
}

TMainEditing::~TMainEditing()
{
  if (DataFormHost() == this) SetDataFormHost(nullptr);
}

TBend& TMainEditing::Bend()
{
  return FMain.Model();
}

void TMainEditing::FillPrinterMenu(QMenu& menu)
{
  auto* printers = new TPrinterMenu(&menu, &menu);
  printers->Rebuild();
}

QAction* TMainEditing::PrinterSetupAction()
{
  return FMain.acFilePrinterSetup;
}

void TMainEditing::EditNode(int node)
{
  const std::vector<TModelObject*> sequence = DataObjectSequence(Bend());
  if (node >= 0 && node < static_cast<int>(sequence.size())) EditObject(*sequence[static_cast<std::size_t>(node)]);
}

void TMainEditing::EditObject(TModelObject& object)
{
  for (TModelObject* next = &object; next != nullptr;) next = RunForm(*next);
}

TModelObject* TMainEditing::RunForm(TModelObject& object)
{
  if (TModelObjectList* list = object.ListOwner()) list->SetCurrentItem(&object);
  TBend& bend = Bend();
  QWidget* owner = FCurrentDataForm ? static_cast<QWidget*>(FCurrentDataForm) : &FMain;
  const bool outermost = FCurrentDataForm == nullptr;
  std::vector<std::uint8_t> before;
  if (outermost) before = Snapshot();
  const bool wasModified = bend.Modified();
  bend.SetDataChanged(false);
  std::unique_ptr<TTessanDataForm> form = CreateDataForm(object, true, owner);
  if (!form) return nullptr;
  const int result = form->ShowModal();
  const QString caption = form->windowTitle();
  TModelObject* chosen = form->ChosenObject();
  form.reset();  // applies Cancel

  // The results heard of every change through the model's notifications as
  // it was made, and redraw once the edit is over.
  // Whatever the form was closed with, a design that differs afterwards can
  // be undone, and one that does not is as modified as it was.
  if (outermost) Record(caption, std::move(before), wasModified);

  if (result == mrEditChosen) return chosen;
  if (result != mrNextForm && result != mrPreviousForm) return nullptr;
  const std::vector<TModelObject*> sequence = DataObjectSequence(bend);
  const auto at = std::find(sequence.begin(), sequence.end(), &object);
  if (at == sequence.end()) return nullptr;
  const auto n = static_cast<std::ptrdiff_t>(sequence.size());
  const std::ptrdiff_t i = at - sequence.begin();
  return sequence[static_cast<std::size_t>((i + (result == mrNextForm ? 1 : n - 1)) % n)];
}

// ---- undo ----

void TMainEditing::ChangeDesign(const QString& caption, const std::function<void()>& change)
{
  // An open form's Cancel owns the copy that a snapshot would take over.
  if (FCurrentDataForm) return change();
  const bool wasModified = Bend().Modified();
  std::vector<std::uint8_t> before = Snapshot();
  try {
    change();
  } catch (...) {
    Record(caption, std::move(before), wasModified);
    throw;
  }
  Record(caption, std::move(before), wasModified);
}

void TMainEditing::Record(const QString& caption, std::vector<std::uint8_t> before, bool wasModified)
{
  if (Snapshot() == before) {
    Bend().SetModified(wasModified);
    return;
  }
  FUndo.push_back({caption, std::move(before)});
  FRedo.clear();
  UpdateActions();
}

std::vector<std::uint8_t> TMainEditing::Snapshot()
{
  TBend& bend = Bend();
  StoreCopy(bend);
  std::vector<std::uint8_t> design = std::move(bend.CopyBuffer().Bytes);
  DiscardCopy(bend);
  return design;
}

void TMainEditing::Restore(const std::vector<std::uint8_t>& design)
{
  TBend& bend = Bend();
  TModelObject::TCopyBuffer& buffer = bend.CopyBuffer();
  buffer.Bytes = design;
  buffer.TypeCode = bend.TypeCode();
  buffer.ModelState = 0;
  const bool restored = RestoreCopy(bend);
  DiscardCopy(bend);
  if (!restored) throw EUmbrinexError("The design could not be put back.");
  bend.SetModified(true);
  bend.SetPerformanceMapState(pmNotBuilt);
  if (TMainResults* results = FMain.Results()) {
    results->UpdateLoadCaseNodes();
    results->DataChanged();
    results->Refresh();
  }
}

void TMainEditing::Step(std::vector<TStep>& from, std::vector<TStep>& to)
{
  if (from.empty() || FCurrentDataForm) return;
  TStep step = std::move(from.back());
  from.pop_back();
  std::vector<std::uint8_t> now = Snapshot();
  Restore(step.Design);
  step.Design = std::move(now);
  to.push_back(std::move(step));
  UpdateActions();
}

void TMainEditing::Undo()
{
  Step(FUndo, FRedo);
}
void TMainEditing::Redo()
{
  Step(FRedo, FUndo);
}

void TMainEditing::ClearUndo()
{
  FUndo.clear();
  FRedo.clear();
  UpdateActions();
}

QString TMainEditing::UndoText() const
{
  return FUndo.empty() ? QStringLiteral("&Undo") : QStringLiteral("&Undo %1").arg(FUndo.back().FormCaption);
}

QString TMainEditing::RedoText() const
{
  return FRedo.empty() ? QStringLiteral("&Redo") : QStringLiteral("&Redo %1").arg(FRedo.back().FormCaption);
}

void TMainEditing::UpdateActions()
{
  acUndo->setText(UndoText());
  acUndo->setEnabled(CanUndo());
  acRedo->setText(RedoText());
  acRedo->setEnabled(CanRedo());
}

}  // namespace umbrinex
