#include "desktop/forms/BoundControls.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "framework/data/DataAccess.h"
#include "formdata/Captions.h"
#include "desktop/forms/KitHint.h"
#include "framework/grid/GridCore.h"
#include "desktop/kit/ErrorHandler.h"

namespace umbrinex {

namespace {

// Keeps a control from starting a read or write while one runs, also when
// the access raises.
class TBusyScope {
 public:
  explicit TBusyScope(int& busy) : FBusy(busy) { ++FBusy; }
  ~TBusyScope() { --FBusy; }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  int& FBusy;
};

}  // namespace

QString ExpandedCaption(const QString& caption, TDataObject* dataObject)
{
  return QString::fromStdString(ExpandCaption(caption.toStdString(), dataObject));
}

void TDataControl::SetDataObject(TDataObject* dataObject)
{
  if (dataObject == FDataObject) return;
  FDataObject = dataObject;
  Invalidate();
}

// ---- TBoundControl ----

void TBoundControl::SetVarNum(int varNum)
{
  if (varNum == FVarNum) return;
  FVarNum = varNum;
  Invalidate();
}

void TBoundControl::Invalidate()
{
  FControl.update();
  Read();
}

void TBoundControl::Read()
{
  if (FBusy > 0 || !Bound()) return;
  Guarded([this] {
    TBusyScope busy(FBusy);
    TAccessStatus status;
    TVariant value;
    PrepareRead(value);
    try {
      FDataObject->GetValue(FVarNum, 0, status, value, Representation());
    } catch (...) {
      FinishRead();
      throw;
    }
    FinishRead();
    FollowAccess(status);
    ShowValue(status, value);
  });
}

void TBoundControl::FollowAccess(const TAccessStatus& status)
{
  FControl.setEnabled(status.Code == acOk && !FDataObject->IsReadOnlyObject());
}

bool TBoundControl::Write(const TVariant& value, TVarType representation, bool readBackOnRefusal)
{
  if (FBusy > 0 || !Bound()) return false;
  bool stored = false;
  Guarded([&] {
    TAccessStatus status;
    {
      TBusyScope busy(FBusy);
      FDataObject->SetValue(FVarNum, 0, status, value, representation);
    }
    stored = status.Code == acOk;
    if (stored) return;
    ShowDataHint(status.Text(), FControl.mapToGlobal(QPoint(0, FControl.height())));
    if (readBackOnRefusal) Read();
  });
  return stored;
}

int TBoundControl::HelpContext() const
{
  try {
    if (const TVarList* vars = FDataObject ? FDataObject->GetVarList() : nullptr)
      if (const TVar* descriptor = vars->TryFind(FVarNum); descriptor && descriptor->HelpContext > 0)
        return descriptor->HelpContext;
  } catch (const std::exception&) {
    // An object that cannot say falls back on the control's own topic.
  }
  return FHelpContext;
}

// ---- list targets ----

void TComboListTarget::Clear()
{
  FCombo.clear();
}

void TComboListTarget::Add(const std::string& text, TListData data)
{
  FCombo.addItem(QString::fromStdString(text), QVariant::fromValue<qlonglong>(data));
}

int TComboListTarget::Count() const
{
  return FCombo.count();
}

std::string TComboListTarget::TextAt(int i) const
{
  return FCombo.itemText(i).toStdString();
}

TListData TComboListTarget::DataAt(int i) const
{
  return static_cast<TListData>(FCombo.itemData(i).toLongLong());
}

int TComboListTarget::SelectedIndex() const
{
  return FCombo.currentIndex();
}

void TComboListTarget::SetSelectedIndex(int i)
{
  FCombo.setCurrentIndex(i >= 0 && i < Count() ? i : -1);
}

void TListWidgetTarget::Clear()
{
  FList.clear();
}

void TListWidgetTarget::Add(const std::string& text, TListData data)
{
  auto* item = new QListWidgetItem(QString::fromStdString(text), &FList);
  item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(data));
}

int TListWidgetTarget::Count() const
{
  return FList.count();
}

std::string TListWidgetTarget::TextAt(int i) const
{
  return FList.item(i)->text().toStdString();
}

TListData TListWidgetTarget::DataAt(int i) const
{
  return static_cast<TListData>(FList.item(i)->data(Qt::UserRole).toLongLong());
}

int TListWidgetTarget::SelectedIndex() const
{
  return FList.currentRow();
}

void TListWidgetTarget::SetSelectedIndex(int i)
{
  FList.setCurrentRow(i >= 0 && i < Count() ? i : -1);
}

bool TListWidgetTarget::MultiSelect() const
{
  return FList.selectionMode() == QAbstractItemView::MultiSelection ||
         FList.selectionMode() == QAbstractItemView::ExtendedSelection;
}

void TListWidgetTarget::SetMarked(int i, bool marked)
{
  if (QListWidgetItem* item = FList.item(i)) item->setSelected(marked);
}

// ---- the controls ----

TKitEdit::TKitEdit(QWidget* parent) : QLineEdit(parent), TBoundControl(static_cast<QWidget&>(*this))
{
  // Every keystroke is written at once.
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { Write(text.toStdString(), vtText); });
}

void TKitEdit::ShowValue(const TAccessStatus& /*status*/, const TVariant& value)
{
  const QString text = QString::fromStdString(value.ToText());
  if (text != this->text()) setText(text);
}

TKitCheckBox::TKitCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent), TBoundControl(static_cast<QWidget&>(*this))
{
  connect(this, &QCheckBox::clicked, this, [this](bool checked) { Write(TVariant(checked ? 1 : 0), vtBool); });
}

void TKitCheckBox::ShowValue(const TAccessStatus& /*status*/, const TVariant& value)
{
  setChecked(value.ToInteger().value_or(0) != 0);
}

TKitRadioGroup::TKitRadioGroup(QWidget* parent)
    : QGroupBox(parent), TBoundControl(static_cast<QWidget&>(*this)), FButtons(new QButtonGroup(this))
{
  new QVBoxLayout(this);
  connect(FButtons, &QButtonGroup::idClicked, this, [this](int id) { Write(TVariant(id), vtCard); });
}

void TKitRadioGroup::SetCaption(const QString& caption)
{
  FCaption = caption;
  setTitle(ExpandedCaption(FCaption, DataObject()));
}

void TKitRadioGroup::SetItems(const QStringList& items)
{
  for (QAbstractButton* button : FButtons->buttons()) delete button;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    FButtons->addButton(button, i);
    layout()->addWidget(button);
  }
  Read();
}

int TKitRadioGroup::ItemIndex() const
{
  return FButtons->checkedId();
}

QString TKitRadioGroup::ItemCaption(int i) const
{
  const QAbstractButton* button = FButtons->button(i);
  return button ? button->text() : QString();
}

void TKitRadioGroup::Invalidate()
{
  setTitle(ExpandedCaption(FCaption, DataObject()));
  TBoundControl::Invalidate();
}

void TKitRadioGroup::ShowValue(const TAccessStatus& status, const TVariant& value)
{
  if (status.Code != acOk && status.Code != acReadOnly) return;
  const int selected = static_cast<int>(value.ToInteger().value_or(-1));
  if (QAbstractButton* button = FButtons->button(selected)) {
    button->setChecked(true);
    return;
  }
  // No button for the value: none is selected.
  FButtons->setExclusive(false);
  for (QAbstractButton* button : FButtons->buttons()) button->setChecked(false);
  FButtons->setExclusive(true);
}

void TBoundList::PrepareRead(TVariant& value)
{
  Control().blockSignals(true);
  Control().setUpdatesEnabled(false);
  FList.Clear();
  value = TVariant(&FList);
}

void TBoundList::FinishRead()
{
  Control().setUpdatesEnabled(true);
  Control().blockSignals(false);
}

TKitDropDownList::TKitDropDownList(QWidget* parent)
    : QComboBox(parent), TBoundList(static_cast<QWidget&>(*this), FTarget), FTarget(*this)
{
  setEditable(false);
  connect(this, &QComboBox::activated, this, [this](int) { WriteSelection(); });
}

void TKitDropDownList::SetStyle(TComboBoxStyle style)
{
  if (style != csDropDownList) throw ETessanControlError("TKitDropDownList only functions with style 'csDropDownList'");
  setEditable(false);
}

TKitListBox::TKitListBox(QWidget* parent)
    : QListWidget(parent), TBoundList(static_cast<QWidget&>(*this), FTarget), FTarget(*this)
{
  connect(this, &QListWidget::currentRowChanged, this, [this] { WriteSelection(); });
}

TKitMemo::TKitMemo(QWidget* parent) : QPlainTextEdit(parent), TBoundControl(static_cast<QWidget&>(*this))
{
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (!FMemoReadOnly) Write(toPlainText().toStdString(), vtText, false);
  });
}

void TKitMemo::SetMemoReadOnly(bool readOnly)
{
  FMemoReadOnly = readOnly;
  Read();
}

void TKitMemo::SetDataObject(TDataObject* dataObject)
{
  if (dataObject == DataObject()) return;
  FDataObject = dataObject;
  Read();
}

void TKitMemo::Invalidate()
{
  // An editable memo keeps what the user is typing.
  update();
  if (FMemoReadOnly) Read();
}

void TKitMemo::PrepareRead(TVariant& /*value*/)
{
  blockSignals(true);
}

void TKitMemo::FinishRead()
{
  blockSignals(false);
}

void TKitMemo::ShowValue(const TAccessStatus& /*status*/, const TVariant& value)
{
  const QString text = QString::fromStdString(value.ToText());
  if (text != toPlainText()) {
    const QSignalBlocker blocker(this);
    setPlainText(text);
  }
}

void TKitMemo::FollowAccess(const TAccessStatus& status)
{
  setReadOnly(FMemoReadOnly || status.Code != acOk || DataObject()->IsReadOnlyObject());
}

void TCaptionedControl::SetCaption(const QString& caption)
{
  FCaption = caption;
  Invalidate();
}

void TCaptionedControl::Invalidate()
{
  ShowCaption(ExpandedCaption(FCaption, DataObject()));
}

TKitLabel::TKitLabel(const QString& caption, QWidget* parent)
    : QLabel(parent), TCaptionedControl(static_cast<QWidget&>(*this))
{
  SetCaption(caption);
}

TKitGroupBox::TKitGroupBox(const QString& caption, QWidget* parent)
    : QGroupBox(parent), TCaptionedControl(static_cast<QWidget&>(*this))
{
  SetCaption(caption);
}

}  // namespace umbrinex
