#include "shell/PreferencesForm.h"

#include <QLabel>

#include "framework/data/VarList.h"
#include "desktop/forms/KitControls.h"
#include "desktop/kit/Mru.h"
#include "desktop/kit/Preference.h"
#include "numerics/ReservedDoubles.h"
#include "shell/Preferences.h"

namespace umbrinex {

namespace {
bool inHouse = false;

enum TPreferenceItem : int {
  piMonochrome = 0,
  piPrinterTop = 1,
  piPrinterLeft = 2,
  piRecentFiles = 3,
  piCompareResults = 4,
  piDoUnitsTest = 5,
  piReportAllDifferences = 6,
  piDifferenceCount = 7,
  piDifferenceThreshold = 8,
};
}  // namespace

bool InHouseConfiguration() { return inHouse; }
void SetInHouseConfiguration(bool on) { inHouse = on; }

// The settings as numbered items. The fields hold the values the form
// shows; each accepted change goes straight to its setting.
class TPreferencesData : public TModelObject {
 public:
  explicit TPreferencesData(TNamedObject* owner) : TModelObject(owner) {}

  void ReadSettings()
  {
    TKitPreferences& kit = KitPreferences();
    TProgramPreferences& p = Preferences();
    FMonochrome = kit.MonochromeOutput.CurrentValue();
    FPrinterTop = kit.PrinterTop.CurrentValue();
    FPrinterLeft = kit.PrinterLeft.CurrentValue();
    FRecentFiles = RecentFileCount();
    FCompareResults = p.CompareResultsEnabled.CurrentValue();
    FDoUnitsTest = p.DoUnitsTest.CurrentValue();
    FReportAllDifferences = p.ReportAllDifferences.CurrentValue();
    FDifferenceCount = p.DifferenceCount.CurrentValue();
    FDifferenceThreshold = p.DifferenceThreshold.CurrentValue();
  }

 protected:
  const TVarList* GetVarList() const override
  {
    static const TVarList vars = [] {
      TVarList v;
      v.AddUnranged(piMonochrome, vtBool, afNone, "MonochromeOutput");
      v.AddRanged(piPrinterTop, vtInt, 0, 10000, afNone, "PrinterTop");
      v.AddRanged(piPrinterLeft, vtInt, 0, 10000, afNone, "PrinterLeft");
      v.AddRanged(piRecentFiles, vtInt, 0, 9, afNone, "RecentFiles");
      v.AddUnranged(piCompareResults, vtBool, afNone, "CompareResults");
      v.AddUnranged(piDoUnitsTest, vtBool, afNone, "DoUnitsTest");
      v.AddUnranged(piReportAllDifferences, vtBool, afNone, "ReportAllDifferences");
      v.AddRanged(piDifferenceCount, vtInt, 0, 1000000, afNone, "DifferenceCount");
      v.AddRanged(piDifferenceThreshold, vtReal, 1e-307, 1e307, afNone, "DifferenceThreshold");
      return v;
    }();
    return &vars;
  }
  void RegisterDataItems(TDataItemRegister& reg) override
  {
    TModelObject::RegisterDataItems(reg);
    reg.RegisterBoolean(FMonochrome, piMonochrome);
    reg.RegisterInteger(FPrinterTop, piPrinterTop);
    reg.RegisterInteger(FPrinterLeft, piPrinterLeft);
    reg.RegisterInteger(FRecentFiles, piRecentFiles);
    reg.RegisterBoolean(FCompareResults, piCompareResults);
    reg.RegisterBoolean(FDoUnitsTest, piDoUnitsTest);
    reg.RegisterBoolean(FReportAllDifferences, piReportAllDifferences);
    reg.RegisterInteger(FDifferenceCount, piDifferenceCount);
    reg.RegisterReal(FDifferenceThreshold, TDimension{}, piDifferenceThreshold);
  }
  void GetItem(int varNum, int index, TAccessStatus& status, TVariant& value, TVarType representation) override
  {
    if (varNum == piDifferenceThreshold && FReportAllDifferences) return status.Set(acNotApplicable);
    TModelObject::GetItem(varNum, index, status, value, representation);
  }
  void AfterSet(int varNum, TAccessStatus& status) override
  {
    TModelObject::AfterSet(varNum, status);
    if (status.Code == acOk) WriteSetting(varNum);
  }

 private:
  void WriteSetting(int varNum)
  {
    TKitPreferences& kit = KitPreferences();
    TProgramPreferences& p = Preferences();
    switch (varNum) {
      case piMonochrome: kit.MonochromeOutput.ChangeValue(FMonochrome); break;
      case piPrinterTop: kit.PrinterTop.ChangeValue(FPrinterTop); break;
      case piPrinterLeft: kit.PrinterLeft.ChangeValue(FPrinterLeft); break;
      case piRecentFiles: SetRecentFileCount(FRecentFiles); break;
      case piCompareResults: p.CompareResultsEnabled.ChangeValue(FCompareResults); break;
      case piDoUnitsTest: p.DoUnitsTest.ChangeValue(FDoUnitsTest); break;
      case piReportAllDifferences: p.ReportAllDifferences.ChangeValue(FReportAllDifferences); break;
      case piDifferenceCount: p.DifferenceCount.ChangeValue(FDifferenceCount); break;
      case piDifferenceThreshold: p.DifferenceThreshold.ChangeValue(FDifferenceThreshold); break;
      default: break;
    }
  }

  bool FMonochrome = false;
  std::int32_t FPrinterTop = 0;
  std::int32_t FPrinterLeft = 0;
  std::int32_t FRecentFiles = 0;
  bool FCompareResults = false;
  bool FDoUnitsTest = false;
  bool FReportAllDifferences = false;
  std::int32_t FDifferenceCount = 0;
  double FDifferenceThreshold = 0.0;
};

namespace {

TKitGrid* OneRowGrid(QWidget* parent, QRect geometry)
{
  auto* grid = new TKitGrid(parent);
  TGridCore& core = grid->Core();
  core.Columns().clear();
  core.SetFixedRows(2);
  core.SetRowsShown(3);
  core.SetFixedDataRows(1);
  core.ScrollBars = ssNone;
  grid->setGeometry(geometry);
  return grid;
}

void AddColumn(TKitGrid& grid, int varNum, TVarType type, const char* title1, const char* title2, int decimals = 0)
{
  TColumn& column = grid.AddColumn(varNum, type);
  column.FieldWidth = 8;
  column.FieldWidth2 = decimals;
  column.Width = 10;
  column.Margin = 1;
  if (type == vtBool) column.Alignment = taCenter;
  column.Title(0).Caption = title1;
  column.Title(0).HorizontalLine = false;
  column.Title(1).Caption = title2;
}

}  // namespace

std::unique_ptr<TPreferencesForm> TPreferencesForm::Make(QWidget* owner)
{
  std::unique_ptr<TPreferencesData> data = New<TPreferencesData>(nullptr);
  data->ReadSettings();
  std::unique_ptr<TPreferencesForm> form(new TPreferencesForm(owner, std::move(data)));
  form->Open();
  return form;
}

TPreferencesForm::TPreferencesForm(QWidget* owner, std::unique_ptr<TPreferencesData> settings)
    : TTessanDataForm(owner, false, *settings), FData(std::move(settings))
{
  setWindowTitle(QStringLiteral("Preferences"));
  OfferNoNext();
  auto* pages = new TKitPageControl(this);
  pages->setGeometry(8, 8, 330, 170);

  auto* output = new QWidget;
  output->setObjectName(QStringLiteral("OutputPage"));
  auto* monochrome = new TKitCheckBox(QStringLiteral("&Monochrome Output"), output);
  monochrome->SetVarNum(piMonochrome);
  monochrome->setGeometry(12, 12, 200, 22);
  auto* marginsLabel = new QLabel(QStringLiteral("&Printer Margins:"), output);
  marginsLabel->setGeometry(12, 44, 200, 18);
  TKitGrid* margins = OneRowGrid(output, QRect(12, 64, 150, 56));
  AddColumn(*margins, piPrinterTop, vtInt, "Top", "(mm)");
  AddColumn(*margins, piPrinterLeft, vtInt, "Left", "(mm)");
  marginsLabel->setBuddy(margins);
  pages->addTab(output, QStringLiteral("&Output"));

  auto* general = new QWidget;
  general->setObjectName(QStringLiteral("GeneralPage"));
  TKitGrid* recent = OneRowGrid(general, QRect(12, 12, 90, 56));
  AddColumn(*recent, piRecentFiles, vtInt, "Number of", "recent files");
  recent->Core().Column(0).Width = 14;
  pages->addTab(general, QStringLiteral("&General"));

  if (InHouseConfiguration()) {
    auto* house = new QWidget;
    house->setObjectName(QStringLiteral("InHousePage"));
    TKitGrid* testing = OneRowGrid(house, QRect(12, 12, 306, 56));
    AddColumn(*testing, piCompareResults, vtBool, "Compare", "Results");
    AddColumn(*testing, piDoUnitsTest, vtBool, "Do Units", "Test");
    AddColumn(*testing, piReportAllDifferences, vtBool, "Report All", "Differences");
    AddColumn(*testing, piDifferenceCount, vtInt, "Count", "");
    AddColumn(*testing, piDifferenceThreshold, vtReal, "Difference Reporting", "Threshold", 3);
    testing->Core().Column(4).Width = 18;
    pages->addTab(house, QStringLiteral("In House"));
  }
  setFixedSize(430, 190);
  PlaceButtons(346, 16);
}

TPreferencesForm::~TPreferencesForm()
{
  // The controls let go of the object before it goes.
  BindControls(*this, nullptr);
}

int TPreferencesForm::Execute()
{
  KeepAllValues();
  const int recentFiles = RecentFileCount();
  const int result = ShowModal();
  if (result == mrCancel) {
    RevertAllValues();
    SetRecentFileCount(recentFiles);
  }
  return result;
}

}  // namespace umbrinex
