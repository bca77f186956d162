#include "desktop/forms/DataForm.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>

#include "desktop/kit/ResultWindow.h"
#include "persistence/Copies.h"

namespace umbrinex {

namespace {
IDataFormHost* host = nullptr;

TCopyProblemReporter& CopyProblemReporter()
{
  static TCopyProblemReporter reporter;
  return reporter;
}

void ReportCopyProblem(const char* message)
{
  if (CopyProblemReporter()) CopyProblemReporter()(message);
}
}  // namespace

void SetCopyProblemReporter(TCopyProblemReporter reporter)
{
  CopyProblemReporter() = std::move(reporter);
}

void SetDataFormHost(IDataFormHost* newHost)
{
  host = newHost;
}
IDataFormHost* DataFormHost()
{
  return host;
}

TFormOutputCommands& FormOutputCommands()
{
  static TFormOutputCommands commands;
  return commands;
}

TTessanDataForm::TTessanDataForm(QWidget* owner, bool keepCopies, TModelObject& object)
    : TKitForm(owner), FDataObject(&object), FModel(object.Model()), FKeepCopies(keepCopies)
{
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  btOK = new QPushButton(QStringLiteral("O&k"), this);
  btOK->setDefault(true);
  btCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  btNext = new QPushButton(QStringLiteral("Ne&xt"), this);
  btNext->setToolTip(QStringLiteral("Press F6 for the next data sheet and Shift+F6 for the previous data sheet"));
  connect(btOK, &QPushButton::clicked, this, [this] { done(mrOk); });
  connect(btCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
  connect(btNext, &QPushButton::clicked, this, [this] { NextClicked(); });
  MakeCommands();
}

TTessanDataForm::~TTessanDataForm()
{
  BeginDestruction();
  // The windows go first: they draw the objects that Cancel is about to put
  // back. Only our own guards are used here, as the slots the derived form
  // gave us were destroyed with it.
  for (QPointer<TResultWindow>& window : FGraphWindows) delete window.data();
  FGraphWindows.clear();
  FinishCopies();
  if (FOpened && host && host->CurrentDataForm() == this) {
    host->SetCurrentDataForm(FParentForm);
    if (FParentForm) {
      FParentForm->Invalidate();
      FParentForm->EnsureUpToDate();
    }
  }
}

void TTessanDataForm::MakeCommands()
{
  auto add = [this](const QString& caption, const QKeySequence& key, std::function<void()> command) {
    auto* action = new QAction(caption, this);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, std::move(command));
    addAction(action);
    return action;
  };
  acNext = add(QStringLiteral("&Next"), Qt::Key_F6, [this] {
    if (NextAllowed()) done(mrNextForm);
  });
  acPrevious = add(QStringLiteral("&Previous"), Qt::SHIFT | Qt::Key_F6, [this] {
    if (NextAllowed()) done(mrPreviousForm);
  });
  auto output = [this](std::function<void(TTessanDataForm&)> TFormOutputCommands::*command) {
    return [this, command] {
      if (const auto& run = FormOutputCommands().*command) run(*this);
    };
  };
  acCopyForm = add(QStringLiteral("&Copy Form"), {}, output(&TFormOutputCommands::Copy));
  acExportForm = add(QStringLiteral("&Export Form.."), {}, output(&TFormOutputCommands::Export));
  acPrintForm = add(QStringLiteral("Print &Form"), {}, output(&TFormOutputCommands::Print));
  acProperties = add(QStringLiteral("P&roperties"), {}, [] {});
}

void TTessanDataForm::Open()
{
  if (FOpened) return;
  setAttribute(Qt::WA_DeleteOnClose, false);
  AddEditedObjects(FEditedObjects);
  FParentForm = host ? host->CurrentDataForm() : nullptr;
  if (host) host->SetCurrentDataForm(this);
  FOpened = true;
  // The buttons were made first but come after the form's own controls in
  // tab order, so that the form opens on its first field.
  QWidget* last = this;
  for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
    if (w->window() == this && w != btOK && w != btCancel && w != btNext && (w->focusPolicy() & Qt::TabFocus)) last = w;
  if (last != this) {
    setTabOrder(last, btOK);
    setTabOrder(btOK, btCancel);
    setTabOrder(btCancel, btNext);
  }
  btNext->setVisible(NextAllowed());
  acNext->setEnabled(NextAllowed());
  acPrevious->setEnabled(NextAllowed());
  if (FKeepCopies) RenewCopies();
  PlaceNearOwner(parentWidget());
  MeasureLineGap();
  BindControls(*this, FDataObject);
  HeadingPrinted = false;
}

void TTessanDataForm::FinishCopies()
{
  if (!FKeepCopies) return;
  if (result() == mrCancel)
    for (TModelObject* object : FEditedObjects)
      if (!RestoreCopy(*object)) ReportCopyProblem("Problem restoring copy.");
  for (TModelObject* object : FEditedObjects) DiscardCopy(*object);
  FKeepCopies = false;
  if (FParentForm && FParentForm->KeepCopies()) FParentForm->RenewCopies();
}

void TTessanDataForm::RenewCopies()
{
  for (TModelObject* object : FEditedObjects)
    if (!StoreCopy(*object)) ReportCopyProblem("Problem creating copy.");
}

void TTessanDataForm::NextClicked()
{
  if (!NextAllowed()) return;
  done(QApplication::keyboardModifiers() & Qt::ShiftModifier ? mrPreviousForm : mrNextForm);
}

void TTessanDataForm::PlaceButtons(int left, int firstTop, int width)
{
  int top = firstTop;
  for (QPushButton* button : {btOK, btCancel, btNext}) {
    button->setGeometry(left, top, width, 25);
    button->raise();
    top += 40;
  }
}

void TTessanDataForm::RefreshData()
{
  TKitForm::RefreshData();
  for (const QPointer<TResultWindow>& window : FGraphWindows)
    if (window) window->Refresh();
}

QString TTessanDataForm::GetOutputCaption() const
{
  const int typeCode = FDataObject->TypeCode();
  return typeCode != tcObject ? QString::fromStdString(TypeName(typeCode)) : windowTitle();
}

void TTessanDataForm::AddEditedObjects(std::vector<TModelObject*>& list)
{
  list.push_back(FDataObject);
}

void TTessanDataForm::BuildEditMenu(QMenu& menu)
{
  menu.clear();
  TModelObjectList* list = FDataObject->ListOwner();
  if (FParentForm || !list) return;
  for (int i = 0; i < list->Count(); ++i) {
    TModelObject* sibling = list->Item(i);
    if (!sibling || sibling == FDataObject) continue;
    menu.addAction(QString::fromStdString(sibling->Name()), this, [this, sibling] {
      FChosenObject = sibling;
      done(mrEditChosen);
    });
  }
  if (!menu.isEmpty() && list->Item(0))
    menu.setTitle(QStringLiteral("&Edit %1").arg(QString::fromStdString(TypeName(list->Item(0)->TypeCode()))));
}

void TTessanDataForm::contextMenuEvent(QContextMenuEvent* event)
{
  QMenu menu(this);
  QMenu* edit = menu.addMenu(QStringLiteral("&Edit"));
  BuildEditMenu(*edit);
  edit->menuAction()->setVisible(!edit->isEmpty());
  if (!edit->isEmpty()) menu.addSeparator();
  if (NextAllowed()) {
    menu.addAction(acNext);
    menu.addAction(acPrevious);
    menu.addSeparator();
  }
  const bool canOutput = CanOutput();
  for (QAction* action : {acCopyForm, acExportForm}) {
    action->setEnabled(canOutput);
    menu.addAction(action);
  }
  menu.addSeparator();
  QMenu* printers = menu.addMenu(QStringLiteral("Selected Printer"));
  if (host) host->FillPrinterMenu(*printers);
  if (host && host->PrinterSetupAction()) menu.addAction(host->PrinterSetupAction());
  acPrintForm->setEnabled(canOutput);
  menu.addAction(acPrintForm);
  if (OffersProperties()) {
    menu.addSeparator();
    menu.addAction(acProperties);
  }
  menu.exec(event->globalPos());
}

void TTessanDataForm::BeginOutput()
{
  if (auto* list = dynamic_cast<TModelObjectList*>(FDataObject)) FSavedCurrentItem = list->CurrentItem();
  TFormOutput::BeginOutput();
}

void TTessanDataForm::EndOutput()
{
  TFormOutput::EndOutput();
  if (auto* list = dynamic_cast<TModelObjectList*>(FDataObject)) list->SetCurrentItem(FSavedCurrentItem);
}

void TTessanDataForm::ModelNotification(TModelNotification id, int value, TNamedObject* object)
{
  if (id == TModelNotification::ModelReset) Invalidate();
  if (FParentForm) FParentForm->ModelNotification(id, value, object);
}

void TTessanDataForm::ShowGraphWindow(QPointer<TResultWindow>& slot,
                                      const std::function<TResultWindow*(QWidget*)>& make)
{
  if (!slot) {
    slot = make(this);
    slot->setWindowFlag(Qt::Window);
    // A guard of our own: the slot belongs to the derived form and is gone
    // by the time this form's destructor runs.
    std::erase_if(FGraphWindows, [](const QPointer<TResultWindow>& window) { return window.isNull(); });
    FGraphWindows.emplace_back(slot.data());
  }
  slot->show();
  slot->raise();
}

}  // namespace umbrinex
