#pragma once
// The design's eight data forms, in the order of the data tree, of Next and
// of data export and printing; the objects of the data tree they are opened
// for; and the making of the form for an object.

#include <memory>
#include <vector>

#include <QPointer>

#include "shell/forms/BendDataForm.h"

namespace umbrinex {

class TBend;
class TBendStiffenerMaterial;

class TEditProjectForm : public TBendDataForm {
  Q_OBJECT
 public:
  TEditProjectForm(QWidget* owner, bool keepCopies, TModelObject& object);
};

class TEditCableForm : public TBendDataForm {
  Q_OBJECT
 public:
  TEditCableForm(QWidget* owner, bool keepCopies, TModelObject& object);
};

class TEditStiffenerForm : public TBendDataForm {
  Q_OBJECT
 public:
  TEditStiffenerForm(QWidget* owner, bool keepCopies, TModelObject& object);
  void RefreshData() override;
  QWidget* PowerLawData;
  QWidget* UserDefinedData;
  TKitGrid* UserDefinedPoints;
};

class TEditMaterialsForm : public TBendDataForm {
  Q_OBJECT
 public:
  TEditMaterialsForm(QWidget* owner, bool keepCopies, TModelObject& object);
  ~TEditMaterialsForm() override;
  void RefreshData() override;
  void BeginOutput() override;
  void EndOutput() override;
  void ForEachOutputPass(const std::function<void()>& pass) override;
  bool IncludeInOutput(const QWidget& control) const override;

  // Selecting a material, changing the state tab, "&View curve".
  void NamesSelectCell(int row);
  void PropertiesTabControlChange(int index);
  void ViewCurve();

  QGroupBox* MaterialTypesGroupBox;
  TKitGrid* Names;
  TKitLabel* PropertiesLabel;
  TKitTabControl* PropertiesTabControl;
  TKitLabel* StateForPrintingLabel;
  TKitGrid* StressSpecifier;
  TKitGrid* StressStrainCurve;
  QPointer<TResultWindow> MaterialGraphWindow;

 private:
  void ShowState(int state);
  TBendStiffenerMaterial* SelectedMaterial() const;

  QList<QWidget*> FNeverOutput;
  TBendStiffenerMaterial* FSavedMaterial = nullptr;
  int FOutputState = 0;
};

class TEditLoadCasesForm : public TBendDataForm {
  Q_OBJECT
 public:
  TEditLoadCasesForm(QWidget* owner, bool keepCopies, TModelObject& object);
  TKitGrid* NumberOfLoadCases;
  TKitGrid* LoadCases;
};

class TEditAnalysisDataForm : public TBendDataForm {
  Q_OBJECT
 public:
  TEditAnalysisDataForm(QWidget* owner, bool keepCopies, TModelObject& object);
};

class TEditDrawingForm : public TBendDataForm {
  Q_OBJECT
 public:
  TEditDrawingForm(QWidget* owner, bool keepCopies, TModelObject& object);
};

class TEditMouldForm : public TBendDataForm {
  Q_OBJECT
 public:
  TEditMouldForm(QWidget* owner, bool keepCopies, TModelObject& object);
};

// The objects of the data tree, in its order: the placeholders of the
// project, cable and stiffener, the materials list, then the placeholders
// of the load cases, analysis, drawing and mould.
std::vector<TModelObject*> DataObjectSequence(const TBend& bend);
// The form for an object of the data tree, opened (copies taken when
// asked, bound); none for an object without a form.
std::unique_ptr<TTessanDataForm> CreateDataForm(TModelObject& object, bool keepCopies, QWidget* owner);

}  // namespace umbrinex
