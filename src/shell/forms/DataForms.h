#pragma once
// The design's eight data forms made from their descriptions, and the
// making of the form for an object of the data tree. The stiffener, load
// case and materials forms name the controls that code and tests reach;
// the materials form also selects materials and states and shows a curve.

#include <memory>
#include <vector>

#include <QPointer>

#include "shell/forms/BendDataForm.h"

class QGroupBox;

namespace umbrinex {

class TBend;
class TBendStiffenerMaterial;

class TEditStiffenerForm : public TBendDataForm {
  Q_OBJECT
 public:
  TEditStiffenerForm(QWidget* owner, bool keepCopies, TModelObject& object);
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
  TBendStiffenerMaterial* SelectedMaterial() const;
};

class TEditLoadCasesForm : public TBendDataForm {
  Q_OBJECT
 public:
  TEditLoadCasesForm(QWidget* owner, bool keepCopies, TModelObject& object);
  TKitGrid* NumberOfLoadCases;
  TKitGrid* LoadCases;
};

// The form for an object of the data tree, opened (copies taken when
// asked, bound); none for an object without a form.
std::unique_ptr<TTessanDataForm> CreateDataForm(TModelObject& object, bool keepCopies, QWidget* owner);

}  // namespace umbrinex
