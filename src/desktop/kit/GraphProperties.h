#pragma once
// The "Graph Properties" dialog. It edits the graph in place, every change
// showing at once; Cancel puts back the display as it was when the dialog
// opened. "Set as Default" stores what the page shows in the graph settings
// and tells their listeners (the shell writes them to the preferences).

#include <QDialog>
#include <string>
#include <vector>

#include "charts/ChartEngine.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace umbrinex {

// The refusal of a range entry: a logarithmic axis takes positive bounds
// only. Empty when the range is accepted.
std::string AxisRangeRefusal(const TGraphAxis& axis, double minimum, double maximum);
// The intercept selected after deleting one at position deleted, leaving
// remaining lines: the one now at that position, the new last one, or -1.
int SelectionAfterDelete(int deleted, int remaining);

class TGraphProperties : public QDialog {
  Q_OBJECT

 public:
  // Page indices; a page the graph does not offer is not shown.
  enum TPage { pgAxes, pgLabels, pgCurves, pgLegend, pgIntercepts };

  explicit TGraphProperties(TChartEngine& engine, QWidget* parent = nullptr);

  bool HasPage(TPage page) const;
  void ShowPage(TPage page);
  bool SetAsDefaultVisible() const;

  // The edits the controls make, for the tests as much as for the controls.
  // A refused range entry returns its message and changes nothing.
  std::string EnterAxisValue(int axis, int field, double value);  // field: 0 min, 1 max, 2 increment
  void EnterMinorTicks(int axis, int count);
  void SelectCurve(int index);
  int SelectedCurve() const { return FCurve; }
  void AddIntercept();
  void DeleteIntercept();
  void SelectIntercept(int index);
  int SelectedIntercept() const { return FIntercept; }
  void SetAsDefault();

  void reject() override;

 private:
  struct TCurveLook {
    TPen Pen;
    bool Visible;
    bool InLegend;
    double BandWidth;
  };

  QWidget* MakeAxesPage();
  QWidget* MakeLabelsPage();
  QWidget* MakeCurvesPage();
  QWidget* MakeLegendPage();
  QWidget* MakeInterceptsPage();
  void ReadAxes();
  void ReadCurve();
  void ReadIntercept();
  void RefreshInterceptList();
  void UpdateDefaultButton();
  void Changed() { FEngine.Changed(); }
  TCurve* Curve() const;
  TIntercept* Intercept() const;

  TChartEngine& FEngine;
  TChart FSavedChart;
  std::vector<TCurveLook> FSavedCurves;
  QTabWidget* FPages = nullptr;
  QPushButton* FDefault = nullptr;
  QWidget* FPageWidgets[5] = {};
  QLineEdit* FAxisEdits[2][4] = {};
  int FCurve = 0;
  QComboBox* FCurveList = nullptr;
  QCheckBox* FCurveVisible = nullptr;
  QSpinBox* FCurveWidth = nullptr;
  QComboBox* FCurveStyle = nullptr;
  QPushButton* FCurveColour = nullptr;
  QCheckBox* FCurveInLegend = nullptr;
  QDoubleSpinBox* FBandWidth = nullptr;
  QWidget* FBandRow = nullptr;
  int FIntercept = -1;
  QListWidget* FInterceptList = nullptr;
  QWidget* FInterceptEditor = nullptr;
  QLineEdit* FInterceptName = nullptr;
  QCheckBox* FInterceptVisible = nullptr;
  QComboBox* FInterceptAxis = nullptr;
  QLineEdit* FInterceptValue = nullptr;
  QSpinBox* FInterceptWidth = nullptr;
  QComboBox* FInterceptStyle = nullptr;
  QPushButton* FInterceptColour = nullptr;
  bool FReading = false;
};

}  // namespace umbrinex
