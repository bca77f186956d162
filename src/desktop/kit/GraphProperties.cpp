#include "desktop/kit/GraphProperties.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <cmath>

#include "graphics/QtColours.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

std::string AxisRangeRefusal(const TGraphAxis& axis, double minimum, double maximum)
{
  if (axis.Logarithmic && (!(minimum > 0.0) || !(maximum > 0.0))) return "Logarithmic axis ranges must be positive.";
  return {};
}

int SelectionAfterDelete(int deleted, int remaining)
{
  if (remaining <= 0) return -1;
  return std::min(deleted, remaining - 1);
}

namespace {

QString Q(const std::string& text)
{
  return QString::fromStdString(text);
}
QString Q(const char* text)
{
  return QString::fromUtf8(text);
}

const char* const StyleNames[] = {"Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot", "Clear", "Inside Frame"};

QComboBox* StyleBox(QWidget* parent)
{
  auto* box = new QComboBox(parent);
  for (const char* name : StyleNames) box->addItem(Q(name));
  return box;
}

void ShowColour(QPushButton* button, TColour colour)
{
  button->setStyleSheet(QStringLiteral("background-color: %1").arg(ToQColor(colour).name()));
}

bool ChooseColour(QWidget* parent, TColour& colour)
{
  const QColor chosen = QColorDialog::getColor(ToQColor(colour), parent);
  if (!chosen.isValid()) return false;
  colour = FromQColor(chosen);
  return true;
}

bool ChooseFont(QWidget* parent, TFontSetting& setting)
{
  QFont font(Q(setting.Name), setting.Size);
  font.setBold(setting.Bold);
  font.setItalic(setting.Italic);
  font.setUnderline(setting.Underline);
  font.setStrikeOut(setting.Strikeout);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, font, parent);
  if (!ok) return false;
  setting.Name = chosen.family().toStdString();
  setting.Size = std::max(1, chosen.pointSize());
  setting.Bold = chosen.bold();
  setting.Italic = chosen.italic();
  setting.Underline = chosen.underline();
  setting.Strikeout = chosen.strikeOut();
  return true;
}

bool ReadNumber(const QLineEdit* edit, double& value)
{
  bool ok = false;
  value = edit->text().trimmed().toDouble(&ok);
  return ok && std::isfinite(value);
}

QString NumberText(double value)
{
  return QString::number(value, 'g', 10);
}

}  // namespace

TGraphProperties::TGraphProperties(TChartEngine& engine, QWidget* parent)
    : QDialog(parent), FEngine(engine), FSavedChart(engine.Chart())
{
  setWindowTitle(QStringLiteral("Graph Properties"));
  for (int i = 0; i < FEngine.CurveCount(); ++i) {
    const TCurve& curve = FEngine.Curve(i);
    FSavedCurves.push_back({curve.Pen, curve.Visible, curve.InLegend, curve.BandWidth});
  }
  FPages = new QTabWidget(this);
  FPageWidgets[pgAxes] = MakeAxesPage();
  FPages->addTab(FPageWidgets[pgAxes], QStringLiteral("&Axes"));
  FPageWidgets[pgLabels] = MakeLabelsPage();
  FPages->addTab(FPageWidgets[pgLabels], QStringLiteral("&Labels"));
  if (FEngine.CurveCount() > 0) {
    FPageWidgets[pgCurves] = MakeCurvesPage();
    FPages->addTab(FPageWidgets[pgCurves], QStringLiteral("Cur&ves"));
  }
  if (FEngine.CurveCount() > 1 && FEngine.Chart().OfferLegendPage) {
    FPageWidgets[pgLegend] = MakeLegendPage();
    FPages->addTab(FPageWidgets[pgLegend], QStringLiteral("Le&gend"));
  }
  if (FEngine.Chart().OfferInterceptsPage) {
    FPageWidgets[pgIntercepts] = MakeInterceptsPage();
    FPages->addTab(FPageWidgets[pgIntercepts], QStringLiteral("&Intercepts"));
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  FDefault = buttons->addButton(QStringLiteral("Set as &Default"), QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TGraphProperties::reject);
  connect(FDefault, &QPushButton::clicked, this, &TGraphProperties::SetAsDefault);
  connect(FPages, &QTabWidget::currentChanged, this, [this] { UpdateDefaultButton(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FPages);
  layout->addWidget(buttons);
  ReadAxes();
  if (FCurveList) SelectCurve(0);
  UpdateDefaultButton();
}

bool TGraphProperties::HasPage(TPage page) const
{
  return FPageWidgets[page] != nullptr;
}

void TGraphProperties::ShowPage(TPage page)
{
  if (HasPage(page)) FPages->setCurrentWidget(FPageWidgets[page]);
}

bool TGraphProperties::SetAsDefaultVisible() const
{
  return !FDefault->isHidden();
}

void TGraphProperties::UpdateDefaultButton()
{
  QWidget* page = FPages->currentWidget();
  const bool curveFollows = page == FPageWidgets[pgCurves] && Curve() && Curve()->Preference();
  FDefault->setVisible(page == FPageWidgets[pgLabels] || page == FPageWidgets[pgLegend] || curveFollows);
}

// ---- axes ----

QWidget* TGraphProperties::MakeAxesPage()
{
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  static const char* const fields[] = {"Minimum", "Maximum", "Increment", "No. Minor Ticks"};
  for (int axis = 0; axis < 2; ++axis) {
    auto* group = new QGroupBox(axis == 0 ? QStringLiteral("&X Axis") : QStringLiteral("&Y Axis"), page);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Range"), group), 0, 0, 1, 2, Qt::AlignHCenter);
    for (int field = 0; field < 4; ++field) {
      grid->addWidget(new QLabel(Q(fields[field]), group), 1, field, Qt::AlignHCenter);
      auto* edit = new QLineEdit(group);
      FAxisEdits[axis][field] = edit;
      grid->addWidget(edit, 2, field);
      connect(edit, &QLineEdit::editingFinished, this, [this, axis, field, edit] {
        if (FReading) return;
        double value = 0.0;
        if (!ReadNumber(edit, value)) return ReadAxes();
        if (field == 3) return EnterMinorTicks(axis, static_cast<int>(std::lround(value)));
        const std::string refusal = EnterAxisValue(axis, field, value);
        if (!refusal.empty()) QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), Q(refusal), edit);
      });
    }
    layout->addWidget(group);
  }
  layout->addStretch();
  return page;
}

void TGraphProperties::ReadAxes()
{
  FReading = true;
  for (int axis = 0; axis < 2; ++axis) {
    const TGraphAxis& a = FEngine.Chart().Axes[static_cast<std::size_t>(axis)];
    FAxisEdits[axis][0]->setText(NumberText(a.Minimum));
    FAxisEdits[axis][1]->setText(NumberText(a.Maximum));
    FAxisEdits[axis][2]->setText(NumberText(a.Increment));
    FAxisEdits[axis][3]->setText(QString::number(a.MinorTickCount));
  }
  FReading = false;
}

std::string TGraphProperties::EnterAxisValue(int axis, int field, double value)
{
  const TGraphAxis& a = FEngine.Chart().Axes[axis == 0 ? 0 : 1];
  double minimum = a.Minimum, maximum = a.Maximum, increment = a.Increment;
  if (field == 0) minimum = value;
  if (field == 1) maximum = value;
  // A step of zero or less cannot divide the axis: it is chosen again.
  if (field == 2) increment = value > 0.0 ? value : Undefined;
  const std::string refusal = AxisRangeRefusal(a, minimum, maximum);
  if (refusal.empty()) FEngine.SetAxisRange(axis, increment, minimum, maximum);
  ReadAxes();
  Changed();
  return refusal;
}

void TGraphProperties::EnterMinorTicks(int axis, int count)
{
  FEngine.Chart().Axes[axis == 0 ? 0 : 1].MinorTickCount = std::max(0, count);
  ReadAxes();
  Changed();
}

// ---- labels ----

QWidget* TGraphProperties::MakeLabelsPage()
{
  auto* page = new QWidget(this);
  auto* layout = new QGridLayout(page);
  for (int axis = 0; axis < 2; ++axis) {
    layout->addWidget(new QLabel(axis == 0 ? QStringLiteral("X Axis") : QStringLiteral("Y Axis"), page), axis, 0);
    for (int caption = 0; caption < 2; ++caption) {
      auto* button = new QPushButton(
          caption == 0 ? QStringLiteral("Axis Label Font..") : QStringLiteral("Tick Label Font.."), page);
      layout->addWidget(button, axis, caption + 1);
      connect(button, &QPushButton::clicked, this, [this, axis, caption] {
        TGraphAxis& a = FEngine.Chart().Axes[static_cast<std::size_t>(axis)];
        if (ChooseFont(this, caption == 0 ? a.TitleFont : a.LabelFont)) Changed();
      });
    }
  }
  layout->setRowStretch(2, 1);
  return page;
}

// ---- curves ----

QWidget* TGraphProperties::MakeCurvesPage()
{
  auto* page = new QWidget(this);
  auto* layout = new QGridLayout(page);
  FCurveList = new QComboBox(page);
  for (int i = 0; i < FEngine.CurveCount(); ++i) FCurveList->addItem(Q(FEngine.Curve(i).LegendText()));
  layout->addWidget(FCurveList, 0, 0, 1, 5);
  layout->addWidget(new QLabel(QStringLiteral("Curve Properties"), page), 1, 0, 1, 4, Qt::AlignHCenter);
  const bool withLegend = FEngine.CurveCount() != 1;
  if (withLegend) layout->addWidget(new QLabel(QStringLiteral("Include in"), page), 1, 4, Qt::AlignHCenter);
  int column = 0;
  for (const char* title : {"Visible", "Width", "Style", "Colour"})
    layout->addWidget(new QLabel(Q(title), page), 2, column++, Qt::AlignHCenter);
  FCurveVisible = new QCheckBox(page);
  FCurveWidth = new QSpinBox(page);
  FCurveWidth->setRange(1, 20);
  FCurveStyle = StyleBox(page);
  FCurveColour = new QPushButton(page);
  FCurveInLegend = new QCheckBox(page);
  layout->addWidget(FCurveVisible, 3, 0, Qt::AlignHCenter);
  layout->addWidget(FCurveWidth, 3, 1);
  layout->addWidget(FCurveStyle, 3, 2);
  layout->addWidget(FCurveColour, 3, 3);
  if (withLegend) {
    layout->addWidget(new QLabel(QStringLiteral("Legend"), page), 2, 4, Qt::AlignHCenter);
    layout->addWidget(FCurveInLegend, 3, 4, Qt::AlignHCenter);
  } else {
    FCurveInLegend->hide();
  }
  FBandRow = new QWidget(page);
  auto* band = new QHBoxLayout(FBandRow);
  band->addWidget(new QLabel(QStringLiteral("Band width (Std. Dev.)"), FBandRow));
  FBandWidth = new QDoubleSpinBox(FBandRow);
  FBandWidth->setRange(0.0, 100.0);
  band->addWidget(FBandWidth);
  layout->addWidget(FBandRow, 4, 0, 1, 5);
  layout->setRowStretch(5, 1);

  connect(FCurveList, &QComboBox::currentIndexChanged, this, [this](int index) { SelectCurve(index); });
  auto edit = [this](auto&& change) {
    return [this, change] {
      if (FReading || !Curve()) return;
      change(*Curve());
      Changed();
    };
  };
  connect(FCurveVisible, &QCheckBox::toggled, this,
          edit([this](TCurve& c) { c.Visible = FCurveVisible->isChecked(); }));
  connect(FCurveInLegend, &QCheckBox::toggled, this,
          edit([this](TCurve& c) { c.InLegend = FCurveInLegend->isChecked(); }));
  connect(FCurveWidth, &QSpinBox::valueChanged, this, edit([this](TCurve& c) { c.Pen.Width = FCurveWidth->value(); }));
  connect(FCurveStyle, &QComboBox::currentIndexChanged, this,
          edit([this](TCurve& c) { c.Pen.Style = FCurveStyle->currentIndex(); }));
  connect(FBandWidth, &QDoubleSpinBox::valueChanged, this, edit([this](TCurve& c) {
            c.BandWidth = FBandWidth->value();
            FEngine.Refresh(true);
          }));
  connect(FCurveColour, &QPushButton::clicked, this, [this] {
    if (Curve() && ChooseColour(this, Curve()->Pen.Colour)) {
      ShowColour(FCurveColour, Curve()->Pen.Colour);
      Changed();
    }
  });
  return page;
}

TCurve* TGraphProperties::Curve() const
{
  return FCurve >= 0 && FCurve < FEngine.CurveCount() ? &FEngine.Curve(FCurve) : nullptr;
}

void TGraphProperties::SelectCurve(int index)
{
  FCurve = index;
  if (FCurveList && FCurveList->currentIndex() != index) FCurveList->setCurrentIndex(index);
  ReadCurve();
  UpdateDefaultButton();
}

void TGraphProperties::ReadCurve()
{
  const TCurve* curve = Curve();
  if (!curve || !FCurveVisible) return;
  FReading = true;
  FCurveVisible->setChecked(curve->Visible);
  FCurveWidth->setValue(curve->Pen.Width);
  FCurveStyle->setCurrentIndex(std::clamp(curve->Pen.Style, 0, 6));
  ShowColour(FCurveColour, curve->Pen.Colour);
  FCurveInLegend->setChecked(curve->InLegend);
  FBandRow->setVisible(curve->Kind() == TCurveKind::Band);
  FBandWidth->setValue(curve->BandWidth);
  FReading = false;
}

// ---- legend ----

QWidget* TGraphProperties::MakeLegendPage()
{
  auto* page = new QWidget(this);
  auto* layout = new QGridLayout(page);
  auto* visible = new QCheckBox(QStringLiteral("Vi&sible"), page);
  visible->setChecked(FEngine.Chart().LegendVisible);
  auto* position = new QComboBox(page);
  for (const char* name : {"Left", "Right", "Top", "Bottom"}) position->addItem(Q(name));
  position->setCurrentIndex(std::clamp(FEngine.Chart().LegendAlignment, 0, 3));
  auto* positionLabel = new QLabel(QStringLiteral("&Position"), page);
  positionLabel->setBuddy(position);
  auto* font = new QPushButton(QStringLiteral("&Font.."), page);
  layout->addWidget(visible, 0, 0, 1, 2);
  layout->addWidget(positionLabel, 1, 0);
  layout->addWidget(position, 1, 1);
  layout->addWidget(font, 2, 0);
  layout->setRowStretch(3, 1);
  connect(visible, &QCheckBox::toggled, this, [this](bool on) {
    FEngine.Chart().LegendVisible = on;
    Changed();
  });
  connect(position, &QComboBox::currentIndexChanged, this, [this](int index) {
    FEngine.Chart().LegendAlignment = index;
    Changed();
  });
  connect(font, &QPushButton::clicked, this, [this] {
    if (ChooseFont(this, FEngine.Chart().LegendFont)) Changed();
  });
  return page;
}

// ---- intercepts ----

QWidget* TGraphProperties::MakeInterceptsPage()
{
  auto* page = new QWidget(this);
  auto* layout = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  FInterceptList = new QListWidget(page);
  auto* add = new QPushButton(QStringLiteral("Add"), page);
  auto* remove = new QPushButton(QStringLiteral("Delete"), page);
  left->addWidget(FInterceptList);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(remove);
  left->addLayout(buttons);
  layout->addLayout(left);

  FInterceptEditor = new QWidget(page);
  auto* grid = new QGridLayout(FInterceptEditor);
  int column = 0;
  for (const char* title : {"Name", "Visible", "Axis", "Value"})
    grid->addWidget(new QLabel(Q(title), FInterceptEditor), 0, column++, Qt::AlignHCenter);
  FInterceptName = new QLineEdit(FInterceptEditor);
  FInterceptVisible = new QCheckBox(FInterceptEditor);
  FInterceptAxis = new QComboBox(FInterceptEditor);
  FInterceptAxis->addItems({QStringLiteral("X"), QStringLiteral("Y")});
  FInterceptValue = new QLineEdit(FInterceptEditor);
  grid->addWidget(FInterceptName, 1, 0);
  grid->addWidget(FInterceptVisible, 1, 1, Qt::AlignHCenter);
  grid->addWidget(FInterceptAxis, 1, 2);
  grid->addWidget(FInterceptValue, 1, 3);
  column = 0;
  for (const char* title : {"Width", "Style", "Colour"})
    grid->addWidget(new QLabel(Q(title), FInterceptEditor), 2, column++, Qt::AlignHCenter);
  FInterceptWidth = new QSpinBox(FInterceptEditor);
  FInterceptWidth->setRange(1, 20);
  FInterceptStyle = StyleBox(FInterceptEditor);
  FInterceptColour = new QPushButton(FInterceptEditor);
  grid->addWidget(FInterceptWidth, 3, 0);
  grid->addWidget(FInterceptStyle, 3, 1);
  grid->addWidget(FInterceptColour, 3, 2);
  grid->setRowStretch(4, 1);
  layout->addWidget(FInterceptEditor, 1);

  connect(add, &QPushButton::clicked, this, &TGraphProperties::AddIntercept);
  connect(remove, &QPushButton::clicked, this, &TGraphProperties::DeleteIntercept);
  connect(FInterceptList, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!FReading) SelectIntercept(row);
  });
  auto edit = [this](auto&& change) {
    return [this, change] {
      if (FReading || !Intercept()) return;
      change(*Intercept());
      Changed();
    };
  };
  connect(FInterceptName, &QLineEdit::textEdited, this, edit([this](TIntercept& line) {
            line.Label = FInterceptName->text().toStdString();
            FInterceptList->item(FIntercept)->setText(FInterceptName->text());
          }));
  connect(FInterceptVisible, &QCheckBox::toggled, this,
          edit([this](TIntercept& line) { line.Active = FInterceptVisible->isChecked(); }));
  connect(FInterceptAxis, &QComboBox::currentIndexChanged, this,
          edit([this](TIntercept& line) { line.Axis = FInterceptAxis->currentIndex(); }));
  connect(FInterceptValue, &QLineEdit::editingFinished, this, edit([this](TIntercept& line) {
            double value = 0.0;
            if (ReadNumber(FInterceptValue, value)) line.Value = value;
            FInterceptValue->setText(NumberText(line.Value));
          }));
  connect(FInterceptWidth, &QSpinBox::valueChanged, this,
          edit([this](TIntercept& line) { line.Width = FInterceptWidth->value(); }));
  connect(FInterceptStyle, &QComboBox::currentIndexChanged, this,
          edit([this](TIntercept& line) { line.Style = FInterceptStyle->currentIndex(); }));
  connect(FInterceptColour, &QPushButton::clicked, this, [this] {
    if (Intercept() && ChooseColour(this, Intercept()->Colour)) {
      ShowColour(FInterceptColour, Intercept()->Colour);
      Changed();
    }
  });
  RefreshInterceptList();
  SelectIntercept(FEngine.Intercepts().Count() > 0 ? 0 : -1);
  return page;
}

TIntercept* TGraphProperties::Intercept() const
{
  TInterceptList& lines = FEngine.Intercepts();
  return FIntercept >= 0 && FIntercept < lines.Count() ? &lines.Item(FIntercept) : nullptr;
}

void TGraphProperties::RefreshInterceptList()
{
  if (!FInterceptList) return;
  FReading = true;
  FInterceptList->clear();
  for (int i = 0; i < FEngine.Intercepts().Count(); ++i) FInterceptList->addItem(Q(FEngine.Intercepts().Item(i).Label));
  FReading = false;
}

void TGraphProperties::SelectIntercept(int index)
{
  FIntercept = index < FEngine.Intercepts().Count() ? index : -1;
  if (FInterceptList) {
    FReading = true;
    FInterceptList->setCurrentRow(FIntercept);
    FReading = false;
  }
  ReadIntercept();
}

void TGraphProperties::ReadIntercept()
{
  if (!FInterceptEditor) return;
  const TIntercept* line = Intercept();
  FInterceptEditor->setVisible(line != nullptr);
  if (!line) return;
  FReading = true;
  FInterceptName->setText(Q(line->Label));
  FInterceptVisible->setChecked(line->Active);
  FInterceptAxis->setCurrentIndex(line->Axis == 0 ? 0 : 1);
  FInterceptValue->setText(NumberText(line->Value));
  FInterceptWidth->setValue(line->Width);
  FInterceptStyle->setCurrentIndex(std::clamp(line->Style, 0, 6));
  ShowColour(FInterceptColour, line->Colour);
  FReading = false;
}

void TGraphProperties::AddIntercept()
{
  TInterceptList& lines = FEngine.Intercepts();
  const std::string name = lines.FreeName();
  lines.Add().Label = name;
  RefreshInterceptList();
  SelectIntercept(lines.Count() - 1);
  Changed();
}

void TGraphProperties::DeleteIntercept()
{
  if (!Intercept()) return;
  const int deleted = FIntercept;
  FEngine.Intercepts().Delete(deleted);
  RefreshInterceptList();
  SelectIntercept(SelectionAfterDelete(deleted, FEngine.Intercepts().Count()));
  Changed();
}

// ---- defaults and cancel ----

void TGraphProperties::SetAsDefault()
{
  TGraphSettings& settings = GraphSettings();
  const TChart& chart = FEngine.Chart();
  QWidget* page = FPages->currentWidget();
  if (page == FPageWidgets[pgLabels]) {
    for (int axis = 0; axis < 2; ++axis) {
      settings.CaptionFont(axis) = chart.Axes[static_cast<std::size_t>(axis)].TitleFont;
      settings.LabelFont(axis) = chart.Axes[static_cast<std::size_t>(axis)].LabelFont;
    }
    NotifyGraphSettingsChanged(TGraphSettingsChange::AxisFonts);
  } else if (page == FPageWidgets[pgLegend]) {
    settings.LegendVisible = chart.LegendVisible;
    settings.LegendAlignment = chart.LegendAlignment;
    settings.LegendFont = chart.LegendFont;
    NotifyGraphSettingsChanged(TGraphSettingsChange::Legend);
  } else if (page == FPageWidgets[pgCurves]) {
    for (int i = 0; i < FEngine.CurveCount(); ++i) {
      const TCurve& curve = FEngine.Curve(i);
      for (TCurveStyle& style : settings.StateCurves)
        if (curve.Preference() == &style) style = curve.Style();
    }
    NotifyGraphSettingsChanged(TGraphSettingsChange::Curves);
  }
}

void TGraphProperties::reject()
{
  FEngine.Chart() = FSavedChart;
  for (int i = 0; i < FEngine.CurveCount() && i < static_cast<int>(FSavedCurves.size()); ++i) {
    TCurve& curve = FEngine.Curve(i);
    const TCurveLook& look = FSavedCurves[static_cast<std::size_t>(i)];
    curve.Pen = look.Pen;
    curve.Visible = look.Visible;
    curve.InLegend = look.InLegend;
    curve.BandWidth = look.BandWidth;
  }
  FEngine.Refresh(true);
  QDialog::reject();
}

}  // namespace umbrinex
