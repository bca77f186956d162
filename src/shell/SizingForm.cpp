#include "shell/SizingForm.h"

#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <span>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "bend/Bend.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/ProgressForm.h"
#include "framework/data/FileClass.h"
#include "framework/data/Messages.h"
#include "framework/data/Progress.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "numerics/Errors.h"
#include "numerics/ReservedDoubles.h"
#include "persistence/BendFile.h"
#include "shell/Main.h"
#include "shell/MainEditing.h"

namespace umbrinex {

namespace {

constexpr TSizingVariable PowerLawVariables[] = {TSizingVariable::Length, TSizingVariable::RootDiameter,
                                                 TSizingVariable::TipDiameter, TSizingVariable::ShapePower};
constexpr TSizingVariable ProfileVariables[] = {TSizingVariable::LengthScale, TSizingVariable::DiameterScale};

// The check box of a variable, before its unit.
QString Caption(TSizingVariable variable)
{
  switch (variable) {
    case TSizingVariable::Length:
      return QStringLiteral("Active &length");
    case TSizingVariable::RootDiameter:
      return QStringLiteral("&Root diameter");
    case TSizingVariable::TipDiameter:
      return QStringLiteral("&Tip diameter");
    case TSizingVariable::ShapePower:
      return QStringLiteral("Shape po&wer");
    case TSizingVariable::LengthScale:
      return QStringLiteral("&Length scale");
    case TSizingVariable::DiameterScale:
      return QStringLiteral("&Diameter scale");
  }
  return {};
}

bool InLengthUnits(TSizingVariable variable)
{
  return variable == TSizingVariable::Length || variable == TSizingVariable::RootDiameter ||
         variable == TSizingVariable::TipDiameter;
}

// "active length (m)", as a sentence names it; with a capital for a table.
QString Name(TSizingVariable variable, const std::string& unit, bool capital = false)
{
  QString name = Caption(variable).remove(QLatin1Char('&'));
  if (!capital) name[0] = name[0].toLower();
  if (InLengthUnits(variable)) name += QStringLiteral(" (%1)").arg(QString::fromStdString(unit));
  return name;
}

double CurrentValue(const TBend& bend, TSizingVariable variable)
{
  switch (variable) {
    case TSizingVariable::Length:
      return bend.ActiveLength();
    case TSizingVariable::RootDiameter:
      return bend.RootDiameter();
    case TSizingVariable::TipDiameter:
      return bend.TipDiameter();
    case TSizingVariable::ShapePower:
      return bend.ShapePower();
    default:
      return 1.0;  // a scale starts from the profile as it is
  }
}

QString Number(double value, int digits = 6)
{
  return QString::fromStdString(FormatGeneral(value, digits));
}

QString Ratio(double value)
{
  return QString::fromStdString(Format("%.4f", value));
}

bool Passes(const TSizingPoint& point, const TSizingRequest& request)
{
  return point.Solved && point.Ratio >= request.Target && (!request.MaxStrain || point.MaxStrain <= *request.MaxStrain);
}

QString Governing(const TSizingPoint& point)
{
  if (!point.Solved) return QStringLiteral("not solved");
  return QStringLiteral("%1 (Load Case %2, State %3)").arg(Ratio(point.Ratio)).arg(point.LoadCase).arg(point.State);
}

constexpr std::chrono::milliseconds ReportEvery{40};

// About the number of shapes a search solves: two local runs, the global
// run over the box and the polish. The bar waits at its end when a search
// takes longer.
int ExpectedEvaluations(const TSizingRequest& request)
{
  return 1000 + 300 * static_cast<int>(request.Variables.size());
}

// Sizes a copy of the design: the search changes the items of the design
// it works on, and the open design's views would follow every change.
TSizingResult SizeOnACopy(TBend& design, const TSizingRequest& request)
{
  std::unique_ptr<TBend> copy = New<TBend>();
  {
    TQuietMode quiet;
    LoadFromMemory(*copy, SaveToMemory(design), DataFileClass);
  }
  TProgressGuard guard;
  Progress().SetStageText("Sizing the stiffener");
  Progress().SetMaxCounter(ExpectedEvaluations(request));
  Progress().Start();
  // A shape takes a fraction of a millisecond: the window is told, and
  // looks at its events and at Cancel, at the first shape and then every
  // few dozen milliseconds.
  auto reported = std::chrono::steady_clock::now() - ReportEvery;
  TSizingResult result = SizeStiffener(*copy, request, [&reported](int evaluations) {
    const auto now = std::chrono::steady_clock::now();
    if (now - reported < ReportEvery) return;
    reported = now;
    Progress().SetStageText(
        Format("Sizing the stiffener: %d %s solved", evaluations, evaluations == 1 ? "shape" : "shapes"));
    Progress().Update(evaluations);
  });
  Progress().Stop();
  return result;
}

// A headline of rich text, broken between words only: "MBR/ABR" would
// break after its slash.
void SetHeadline(QLabel& label, QString html)
{
  html.replace(QStringLiteral("MBR/ABR"), QStringLiteral("<span style=\"white-space: nowrap\">MBR/ABR</span>"));
  label.setText(html);
}

QString Cell(const QString& text, bool header = false, bool left = false)
{
  const QString tag = header ? QStringLiteral("th") : QStringLiteral("td");
  return QStringLiteral("<%1 align=\"%2\">%3</%1>")
      .arg(tag, left ? QStringLiteral("left") : QStringLiteral("right"), text.toHtmlEscaped());
}

}  // namespace

TSizingForm::TSizingForm(TMainForm& main) : TKitForm(&main), FMain(main)
{
  setWindowTitle(QStringLiteral("Size Stiffener"));
  FLengthUnit = main.Model().ExpandUnitNames("LL");
  auto* layout = new QHBoxLayout(this);
  auto* column = new QVBoxLayout;
  layout->addLayout(column, 1);
  MakeVariables(*column);
  MakeRequirements(*column);
  Headline = new QLabel(this);
  Headline->setWordWrap(true);
  Headline->setTextFormat(Qt::RichText);
  Table = new QLabel(this);
  Table->setTextFormat(Qt::RichText);
  for (QLabel* label : {Headline, Table}) {
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(label);
  }
  column->addStretch(1);
  auto* buttons = new QVBoxLayout;
  layout->addLayout(buttons);
  MakeButtons(*buttons);
  // The dialog grows with the result it shows, and never clips it.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetHeadline(
      *Headline,
      QStringLiteral(
          "Size looks for the lightest (or shortest) stiffener within the bounds that keeps every load case and state "
          "at the target MBR/ABR or above."));
  Table->hide();
  UpdateControls();
}

TSizingForm::~TSizingForm() = default;

void TSizingForm::MakeVariables(QVBoxLayout& column)
{
  const TBend& bend = FMain.Model();
  auto* group = new QGroupBox(QStringLiteral("Variables"), this);
  column.addWidget(group);
  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(QStringLiteral("Current"), group), 0, 1, Qt::AlignRight);
  grid->addWidget(new QLabel(QStringLiteral("Lower bound"), group), 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("Upper bound"), group), 0, 3);
  const bool profile = bend.StiffenerDefinition() == sdUserDefined;
  int row = 1;
  const std::span<const TSizingVariable> variables = profile ? std::span<const TSizingVariable>(ProfileVariables)
                                                             : std::span<const TSizingVariable>(PowerLawVariables);
  for (const TSizingVariable variable : variables) {
    // The defaults of each variable on its own, so that one the design
    // cannot give bounds to leaves the others theirs.
    TSizingBounds defaults{variable, {}, {}};
    try {
      TSizingRequest one;
      one.Variables = {defaults};
      defaults = CompleteSizingRequest(bend, one).Variables.front();
    } catch (const EUmbrinexError&) {
      defaults = {variable, {}, {}};
    }
    AddVariable(*grid, row++, variable, defaults);
  }
  grid->setColumnStretch(0, 1);
}

void TSizingForm::AddVariable(QGridLayout& grid, int row, TSizingVariable variable, const TSizingBounds& defaults)
{
  QWidget* group = grid.parentWidget();
  QString caption = Caption(variable);
  if (InLengthUnits(variable)) caption += QStringLiteral(" (%1)").arg(QString::fromStdString(FLengthUnit));
  TVariableRow line{variable,
                    new QCheckBox(caption, group),
                    new QLabel(Number(CurrentValue(FMain.Model(), variable)), group),
                    new QLineEdit(group),
                    new QLineEdit(group),
                    defaults.Lower.value_or(NAN),
                    defaults.Upper.value_or(NAN)};
  line.Sized->setChecked(variable == TSizingVariable::Length || variable == TSizingVariable::RootDiameter ||
                         variable == TSizingVariable::LengthScale || variable == TSizingVariable::DiameterScale);
  line.Current->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  for (QLineEdit* field : {line.Lower, line.Upper}) field->setFixedWidth(FieldWidth());
  if (defaults.Lower) line.Lower->setText(Number(*defaults.Lower));
  if (defaults.Upper) line.Upper->setText(Number(*defaults.Upper));
  grid.addWidget(line.Sized, row, 0);
  grid.addWidget(line.Current, row, 1);
  grid.addWidget(line.Lower, row, 2);
  grid.addWidget(line.Upper, row, 3);
  connect(line.Sized, &QCheckBox::toggled, this, [this] { UpdateControls(); });
  FRows.push_back(line);
}

void TSizingForm::MakeRequirements(QVBoxLayout& column)
{
  auto* row = new QHBoxLayout;
  column.addLayout(row);
  auto* requirements = new QGroupBox(QStringLiteral("Requirements"), this);
  row->addWidget(requirements);
  auto* grid = new QGridLayout(requirements);
  auto* targetLabel = new QLabel(QStringLiteral("Tar&get MBR/ABR:"), requirements);
  Target = new QLineEdit(QStringLiteral("1.0"), requirements);
  targetLabel->setBuddy(Target);
  LimitStrain = new QCheckBox(QStringLiteral("Strai&n limit:"), requirements);
  MaxStrain = new QLineEdit(requirements);
  Target->setFixedWidth(FieldWidth());
  MaxStrain->setFixedWidth(FieldWidth());
  grid->addWidget(targetLabel, 0, 0);
  grid->addWidget(Target, 0, 1);
  grid->addWidget(LimitStrain, 1, 0);
  grid->addWidget(MaxStrain, 1, 1);
  connect(LimitStrain, &QCheckBox::toggled, this, [this](bool on) {
    UpdateControls();
    if (on) MaxStrain->setFocus(Qt::OtherFocusReason);
  });

  auto* objective = new QGroupBox(QStringLiteral("Objective"), this);
  row->addWidget(objective);
  auto* choices = new QVBoxLayout(objective);
  LeastVolume = new QRadioButton(QStringLiteral("Least &volume"), objective);
  LeastLength = new QRadioButton(QStringLiteral("Least l&ength"), objective);
  LeastVolume->setChecked(true);
  choices->addWidget(LeastVolume);
  choices->addWidget(LeastLength);

  Moulds = new QCheckBox(QStringLiteral("Round up to &mould diameters"), this);
  column.addWidget(Moulds);
}

void TSizingForm::MakeButtons(QVBoxLayout& column)
{
  btSize = new QPushButton(QStringLiteral("&Size"), this);
  btSize->setDefault(true);
  btApply = new QPushButton(QStringLiteral("&Apply"), this);
  btClose = new QPushButton(QStringLiteral("&Close"), this);
  for (QPushButton* button : {btSize, btApply, btClose}) column.addWidget(button);
  column.addStretch(1);
  connect(btSize, &QPushButton::clicked, this, [this] { Guarded([this] { Size(); }); });
  connect(btApply, &QPushButton::clicked, this, [this] { Guarded([this] { Apply(); }); });
  connect(btClose, &QPushButton::clicked, this, &TSizingForm::reject);
}

int TSizingForm::FieldWidth() const
{
  // Room for a number of six digits and its point, with the frame.
  return fontMetrics().horizontalAdvance(QStringLiteral("0.0000000")) + 12;
}

const TSizingForm::TVariableRow* TSizingForm::Row(TSizingVariable variable) const
{
  for (const TVariableRow& row : FRows)
    if (row.Variable == variable) return &row;
  return nullptr;
}

void TSizingForm::UpdateControls()
{
  for (const TVariableRow& row : FRows)
    for (QLineEdit* field : {row.Lower, row.Upper}) field->setEnabled(row.Sized->isChecked());
  MaxStrain->setEnabled(LimitStrain->isChecked());
  // Only a power law's diameters have moulds to be rounded to.
  Moulds->setEnabled(FMain.Model().StiffenerDefinition() == sdPowerLaw);
  btApply->setEnabled(!FRunning && FResult && FResult->Sized && !FApplied);
}

double TSizingForm::FieldNumber(QLineEdit* field, const std::optional<double>& exact, const std::string& what)
{
  const QString text = field->text().trimmed();
  if (exact && std::isfinite(*exact) && text == Number(*exact)) return *exact;
  double value = 0.0;
  std::string problem;
  if (text.isEmpty())
    problem = "Enter the " + what + ".";
  else if (TextToReal(text.toStdString(), value) != TTextError::None || !std::isfinite(value) || IsSpecial(value))
    problem = "The " + what + ", '" + text.toStdString() + "', is not a number.";
  if (problem.empty()) return value;
  field->setFocus(Qt::OtherFocusReason);
  field->selectAll();
  throw EExpected(problem);
}

TSizingRequest TSizingForm::FieldRequest()
{
  TSizingRequest request;
  for (const TVariableRow& row : FRows) {
    if (!row.Sized->isChecked()) continue;
    const std::string name = Name(row.Variable, FLengthUnit).toStdString();
    const double lower = FieldNumber(row.Lower, row.DefaultLower, "lower bound of the " + name);
    const double upper = FieldNumber(row.Upper, row.DefaultUpper, "upper bound of the " + name);
    request.Variables.push_back({row.Variable, lower, upper});
  }
  if (request.Variables.empty()) {
    FRows.front().Sized->setFocus(Qt::OtherFocusReason);
    throw EExpected("Check at least one variable to size.");
  }
  request.Target = FieldNumber(Target, std::nullopt, "target MBR/ABR");
  if (LimitStrain->isChecked()) request.MaxStrain = FieldNumber(MaxStrain, std::nullopt, "strain limit");
  request.Objective = LeastLength->isChecked() ? TSizingObjective::Length : TSizingObjective::Volume;
  request.Moulds = Moulds->isEnabled() && Moulds->isChecked();
  return request;
}

void TSizingForm::Size()
{
  if (FRunning || Progress().Active()) return;
  FResult.reset();
  FApplied = false;
  try {
    FRequest = CompleteSizingRequest(FMain.Model(), FieldRequest());
  } catch (const EUmbrinexError& refused) {
    ShowRefusal(refused.what());
    UpdateControls();
    return;
  }
  std::optional<TSizingResult> result;
  std::string failure;
  FRunning = true;
  UpdateControls();
  {
    struct TDone {
      TSizingForm& Form;
      ~TDone()
      {
        Form.FRunning = false;
        Form.UpdateControls();
      }
    } done{*this};
    // The main window waits with its own calculations until this is over.
    TBusy busy;
    TProgressForm progress(this);
    try {
      progress.Run([&] {
        try {
          result = SizeOnACopy(FMain.Model(), FRequest);
        } catch (const ESilentAbort&) {
          throw;
        } catch (const EUmbrinexError& error) {
          failure = error.what();
        }
      });
    } catch (const ESilentAbort&) {
      // Cancelled, or an error the progress window has shown.
    }
  }
  FResult = std::move(result);
  if (!failure.empty())
    ShowRefusal(failure);
  else if (!FResult)
    ShowRefusal("The sizing was stopped before it finished; the design is as it was.");
  else
    ShowResult();
  UpdateControls();
}

const TSizingPoint& TSizingForm::AppliedPoint() const
{
  if (FResult->Rounded && Passes(*FResult->Rounded, FRequest)) return *FResult->Rounded;
  return FResult->After;
}

void TSizingForm::Apply()
{
  if (FRunning || FApplied || !FResult || !FResult->Sized) return;
  const TSizingPoint& point = AppliedPoint();
  FMain.Editing().ChangeDesign(QStringLiteral("Size Stiffener"), [&] { ApplySizing(FMain.Model(), FRequest, point); });
  FApplied = true;
  ShowResult();
  UpdateControls();
}

void TSizingForm::ShowRefusal(const std::string& text)
{
  SetHeadline(*Headline, QStringLiteral("<b>Not sized.</b> ") + QString::fromStdString(text).toHtmlEscaped());
  Table->clear();
  Table->hide();
}

void TSizingForm::ShowResult()
{
  const TSizingResult& result = *FResult;
  const bool rounded = result.Rounded.has_value();
  QString headline;
  if (result.Sized) {
    headline = QStringLiteral("<b>Sized</b> for the least %1: every load case and state reaches MBR/ABR %2")
                   .arg(QString::fromLatin1(SizingObjectiveName(FRequest.Objective)),
                        QString::fromStdString(RealToText(FRequest.Target)));
    if (FRequest.MaxStrain)
      headline +=
          QStringLiteral(" with a strain of at most %1").arg(QString::fromStdString(RealToText(*FRequest.MaxStrain)));
    headline += QStringLiteral(".");
    if (FApplied)
      headline += QStringLiteral("<br><b>Applied:</b> the design has the sized values; Edit &gt; Undo takes them out.");
  } else {
    headline = QStringLiteral("<b>Nothing fits.</b> ") + QString::fromStdString(result.Message).toHtmlEscaped();
  }
  SetHeadline(*Headline, headline);

  QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\"><tr>") + Cell({}, true);
  for (const QString& title : {QStringLiteral("Lower"), QStringLiteral("Upper"), QStringLiteral("Before"),
                               result.Sized ? QStringLiteral("After") : QStringLiteral("Best reached")})
    html += Cell(title, true);
  if (rounded) html += Cell(QStringLiteral("Rounded"), true);
  html += QStringLiteral("</tr>");
  const auto row = [&](const QString& name, const QString& lower, const QString& upper,
                       const std::function<QString(const TSizingPoint&)>& value) {
    html += QStringLiteral("<tr>") + Cell(name, false, true) + Cell(lower) + Cell(upper) + Cell(value(result.Before)) +
            Cell(value(result.After));
    if (rounded) html += Cell(value(*result.Rounded));
    html += QStringLiteral("</tr>");
  };
  for (std::size_t i = 0; i < result.Variables.size(); ++i)
    row(Name(result.Variables[i].Variable, FLengthUnit, true), Number(result.Variables[i].Lower),
        Number(result.Variables[i].Upper), [i](const TSizingPoint& p) { return Number(p.Values[i], 5); });
  row(QStringLiteral("Volume (%1)").arg(QString::fromStdString(FMain.Model().ExpandUnitNames("LL^3"))), {}, {},
      [](const TSizingPoint& p) { return Number(p.Volume, 5); });
  if (FRequest.MaxStrain)
    row(QStringLiteral("Max strain"), {}, QString::fromStdString(RealToText(*FRequest.MaxStrain)),
        [](const TSizingPoint& p) { return Number(p.MaxStrain, 4); });
  html += QStringLiteral("</table>");

  QStringList lines;
  lines << QStringLiteral("Governing MBR/ABR before: %1").arg(Governing(result.Before).toHtmlEscaped());
  lines << QStringLiteral("Governing MBR/ABR %1: %2")
               .arg(result.Sized ? QStringLiteral("after") : QStringLiteral("at best"),
                    Governing(result.After).toHtmlEscaped());
  if (rounded) {
    lines << QStringLiteral("Governing MBR/ABR rounded: %1").arg(Governing(*result.Rounded).toHtmlEscaped());
    if (Passes(*result.Rounded, FRequest))
      lines << QStringLiteral("Apply puts the diameters rounded up to the moulds into the design.");
    else
      lines << QStringLiteral("Rounded up to the moulds, the stiffener falls short; Apply puts the sized values in.");
  }
  lines << QStringLiteral("%1 shapes solved in %2 s")
               .arg(result.Evaluations)
               .arg(QString::fromStdString(Format("%.2f", result.Seconds)));
  Table->setText(html + QStringLiteral("<p>") + lines.join(QStringLiteral("<br>")) + QStringLiteral("</p>"));
  Table->show();
}

}  // namespace umbrinex
