#pragma once
// Controls bound to data items. Each names a VarNum, reads its item from
// the data object when told to, and writes it back the moment the user
// changes it, so that validation, units and the model's reactions happen at
// once and every other control on the form shows their consequences. A
// refused change shows the refusal hint under the control and puts the
// stored value back.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include "framework/data/DataTypes.h"
#include "framework/data/Variant.h"

class QButtonGroup;

namespace umbrinex {

class TDataObject;

// A control with a data object: bound controls, and labels and group boxes
// whose captions show item values and unit names.
class TDataControl {
 public:
  explicit TDataControl(QWidget& control) : FControl(control) {}
  virtual ~TDataControl() = default;
  TDataControl(const TDataControl&) = delete;
  TDataControl& operator=(const TDataControl&) = delete;

  TDataObject* DataObject() const { return FDataObject; }
  // Setting another object re-reads.
  virtual void SetDataObject(TDataObject* dataObject);
  // Re-reads the item, or expands the caption again.
  virtual void Invalidate() = 0;
  QWidget& Control() const { return FControl; }

 protected:
  QWidget& FControl;
  TDataObject* FDataObject = nullptr;
};

class TBoundControl : public TDataControl {
 public:
  using TDataControl::TDataControl;

  // -1: not bound. Setting another item re-reads.
  int VarNum() const { return FVarNum; }
  void SetVarNum(int varNum);
  void Invalidate() override;
  // The help topic: the item's descriptor's, else the control's own.
  int HelpContext() const;
  void SetHelpContext(int topic) { FHelpContext = topic; }
  bool Busy() const { return FBusy > 0; }

 protected:
  virtual TVarType Representation() const = 0;
  // A list control empties itself and passes itself as the value.
  virtual void PrepareRead(TVariant& /*value*/) {}
  virtual void FinishRead() {}
  virtual void ShowValue(const TAccessStatus& status, const TVariant& value) = 0;
  virtual void FollowAccess(const TAccessStatus& status);
  // Reads the item now, whatever the control's own rules for reading.
  void Read();
  // Writes the value; on a refusal shows the hint and, when asked, reads
  // the stored value back. True when the value was stored.
  bool Write(const TVariant& value, TVarType representation, bool readBackOnRefusal = true);
  bool Bound() const { return FDataObject != nullptr && FVarNum != -1; }

 private:
  int FVarNum = -1;
  int FBusy = 0;
  int FHelpContext = 0;
};

// A list control as the model fills and reads it.
class TComboListTarget final : public IListTarget {
 public:
  explicit TComboListTarget(QComboBox& combo) : FCombo(combo) {}
  void Clear() override;
  void Add(const std::string& text, TListData data) override;
  int Count() const override;
  std::string TextAt(int i) const override;
  TListData DataAt(int i) const override;
  int SelectedIndex() const override;
  void SetSelectedIndex(int i) override;

 private:
  QComboBox& FCombo;
};

class TListWidgetTarget final : public IListTarget {
 public:
  explicit TListWidgetTarget(QListWidget& list) : FList(list) {}
  void Clear() override;
  void Add(const std::string& text, TListData data) override;
  int Count() const override;
  std::string TextAt(int i) const override;
  TListData DataAt(int i) const override;
  int SelectedIndex() const override;
  void SetSelectedIndex(int i) override;
  bool MultiSelect() const override;
  void SetMarked(int i, bool marked) override;

 private:
  QListWidget& FList;
};

class TKitEdit : public QLineEdit, public TBoundControl {
  Q_OBJECT

 public:
  explicit TKitEdit(QWidget* parent = nullptr);

 protected:
  TVarType Representation() const override { return vtText; }
  void ShowValue(const TAccessStatus& status, const TVariant& value) override;
};

class TKitCheckBox : public QCheckBox, public TBoundControl {
  Q_OBJECT

 public:
  explicit TKitCheckBox(const QString& caption = {}, QWidget* parent = nullptr);

 protected:
  TVarType Representation() const override { return vtBool; }
  void ShowValue(const TAccessStatus& status, const TVariant& value) override;
};

class TKitRadioGroup : public QGroupBox, public TBoundControl {
  Q_OBJECT

 public:
  explicit TKitRadioGroup(QWidget* parent = nullptr);
  void SetCaption(const QString& caption);
  const QString& Caption() const { return FCaption; }
  void SetItems(const QStringList& items);
  // The selected button, -1 for none, and a button's caption.
  int ItemIndex() const;
  QString ItemCaption(int i) const;
  void Invalidate() override;

 protected:
  TVarType Representation() const override { return vtCard; }
  void ShowValue(const TAccessStatus& status, const TVariant& value) override;

 private:
  QString FCaption;
  QButtonGroup* FButtons;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// What a drop-down list and a list box share: the item fills the list with
// its names and selects the current one, and reads the selection back.
class TBoundList : public TBoundControl {
 public:
  TBoundList(QWidget& control, IListTarget& target) : TBoundControl(control), FList(target) {}
  IListTarget& ListTarget() { return FList; }

 protected:
  TVarType Representation() const override { return vtList; }
  // Emptied and filled as one change of the list, without telling anyone.
  void PrepareRead(TVariant& value) override;
  void FinishRead() override;
  void ShowValue(const TAccessStatus& /*status*/, const TVariant& /*value*/) override {}
  void WriteSelection() { Write(TVariant(&FList), vtList); }

 private:
  IListTarget& FList;
};

class TKitDropDownList : public QComboBox, public TBoundList {
  Q_OBJECT

 public:
  explicit TKitDropDownList(QWidget* parent = nullptr);
  // Only csDropDownList: the item chooses from its own names.
  void SetStyle(TComboBoxStyle style);

 private:
  TComboListTarget FTarget;
};

class TKitListBox : public QListWidget, public TBoundList {
  Q_OBJECT

 public:
  explicit TKitListBox(QWidget* parent = nullptr);

 private:
  TListWidgetTarget FTarget;
};

class TKitMemo : public QPlainTextEdit, public TBoundControl {
  Q_OBJECT

 public:
  explicit TKitMemo(QWidget* parent = nullptr);
  // The memo's own read-only setting: it then shows the item and re-reads
  // it with every refresh; otherwise it reads only when bound.
  bool MemoReadOnly() const { return FMemoReadOnly; }
  void SetMemoReadOnly(bool readOnly);
  void SetDataObject(TDataObject* dataObject) override;
  void Invalidate() override;

 protected:
  TVarType Representation() const override { return vtText; }
  void PrepareRead(TVariant& value) override;
  void FinishRead() override;
  void ShowValue(const TAccessStatus& status, const TVariant& value) override;
  void FollowAccess(const TAccessStatus& status) override;

 private:
  bool FMemoReadOnly = false;
};

// A control whose caption shows item values and unit names of its object.
class TCaptionedControl : public TDataControl {
 public:
  using TDataControl::TDataControl;
  void SetCaption(const QString& caption);
  const QString& Caption() const { return FCaption; }
  void Invalidate() override;

 protected:
  virtual void ShowCaption(const QString& expanded) = 0;

 private:
  QString FCaption;
};

class TKitLabel : public QLabel, public TCaptionedControl {
  Q_OBJECT

 public:
  explicit TKitLabel(const QString& caption = {}, QWidget* parent = nullptr);

 protected:
  void ShowCaption(const QString& expanded) override { setText(expanded); }
};

class TKitGroupBox : public QGroupBox, public TCaptionedControl {
  Q_OBJECT

 public:
  explicit TKitGroupBox(const QString& caption = {}, QWidget* parent = nullptr);

 protected:
  void ShowCaption(const QString& expanded) override { setTitle(expanded); }
};

// The caption as it shows, with the object's item values and unit names.
QString ExpandedCaption(const QString& caption, TDataObject* dataObject);

}  // namespace umbrinex
