#pragma once
// Tools > "Size Stiffener...": the variables of the design's stiffener
// definition with their bounds, the target MBR/ABR, an optional strain
// limit, the objective and the rounding to the mould diameters. Size
// searches on a copy of the design under the progress window (the search
// changes the design it works on, and the main window's views follow the
// open design); the result stands in the dialog, and Apply puts the sized
// values into the open design as one step that Undo takes back.

#include <optional>
#include <string>
#include <vector>

#include "bend/Sizing.h"
#include "desktop/forms/KitForm.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace umbrinex {

class TMainForm;

class TSizingForm : public TKitForm {
  Q_OBJECT

 public:
  explicit TSizingForm(TMainForm& main);
  ~TSizingForm() override;

  // One variable of the design's definition: sized when checked, between
  // the bounds, which start at the defaults of the sizing.
  struct TVariableRow {
    TSizingVariable Variable;
    QCheckBox* Sized;
    QLabel* Current;
    QLineEdit* Lower;
    QLineEdit* Upper;
    // The defaults as numbers: a field that still shows its default
    // means exactly this value, whatever digits the field shows.
    double DefaultLower, DefaultUpper;
  };
  const std::vector<TVariableRow>& Variables() const { return FRows; }
  // Null for a variable of the other definition.
  const TVariableRow* Row(TSizingVariable variable) const;

  QLineEdit* Target;
  QCheckBox* LimitStrain;
  QLineEdit* MaxStrain;
  QRadioButton* LeastVolume;
  QRadioButton* LeastLength;
  QCheckBox* Moulds;
  // What the last Size came to, or why nothing ran.
  QLabel* Headline;
  QLabel* Table;
  QPushButton* btSize;
  QPushButton* btApply;
  QPushButton* btClose;

  // The fields as a request completed for the design, the search run on a
  // copy of it, and the result shown; a refusal is shown instead, and a
  // run that did not finish leaves no result.
  void Size();
  // The sized values into the open design, as one step of Undo.
  void Apply();

  // The last run's result and its request; none before a run, after a
  // refusal and after a run that did not finish.
  const std::optional<TSizingResult>& Result() const { return FResult; }
  const TSizingRequest& Request() const { return FRequest; }
  // What Apply puts in: the shape rounded up to the mould diameters when
  // that was asked for, otherwise the sized shape.
  const TSizingPoint& AppliedPoint() const;

 private:
  void MakeVariables(QVBoxLayout& column);
  void MakeRequirements(QVBoxLayout& column);
  void MakeButtons(QVBoxLayout& column);
  void AddVariable(QGridLayout& grid, int row, TSizingVariable variable, const TSizingBounds& defaults);
  // The request the fields make; refuses a field without a number, with
  // the focus on it.
  TSizingRequest FieldRequest();
  double FieldNumber(QLineEdit* field, const std::optional<double>& exact, const std::string& what);
  void ShowRefusal(const std::string& text);
  void ShowResult();
  void UpdateControls();
  int FieldWidth() const;

  TMainForm& FMain;
  std::vector<TVariableRow> FRows;
  std::string FLengthUnit;
  TSizingRequest FRequest;
  std::optional<TSizingResult> FResult;
  bool FApplied = false;
  bool FRunning = false;
};

}  // namespace umbrinex
