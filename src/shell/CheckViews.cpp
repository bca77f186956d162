#include "shell/CheckViews.h"

#include <QBoxLayout>

#include "bend/Accuracy.h"
#include "bend/Bend.h"
#include "bend/DesignCheck.h"
#include "desktop/kit/TableWindow.h"
#include "presentation/CheckReports.h"

namespace umbrinex {

namespace {

constexpr const char* PassColour = "#1E8C3A";
constexpr const char* FailColour = "#C62828";
constexpr const char* NeutralColour = "#6D6D6D";

}  // namespace

TDesignCheckLine::TDesignCheckLine(QWidget* parent) : QLabel(parent)
{
  setContentsMargins(8, 3, 8, 3);
  setTextInteractionFlags(Qt::TextSelectableByMouse);
  setAutoFillBackground(true);
  Show(QStringLiteral("Design check: not calculated yet."), NeutralColour);
}

void TDesignCheckLine::PlaceBelow(QWidget* above)
{
  QWidget* parent = above->parentWidget();
  auto* layout = parent ? qobject_cast<QBoxLayout*>(parent->layout()) : nullptr;
  if (layout == nullptr) return;
  layout->insertWidget(layout->indexOf(above) + 1, this);
}

void TDesignCheckLine::Update(TBend& bend)
{
  if (FValid) return;
  FValid = true;
  try {
    const std::vector<TStateSummary> coarse = SolveIncludedStates(bend, 0);
    const TDesignCheck check = CheckDesign(bend, coarse);
    QString text = QStringLiteral("Design check: ") + QString::fromStdString(VerdictText(check));
    if (check.Verdict != TCheckResult::NotChecked) {
      const TAccuracy accuracy = EstimateAccuracy(bend, coarse);
      if (!accuracy.NotEstimated.empty())
        text += QStringLiteral("  Its discretisation error could not be estimated: see Results, Accuracy.");
      else if (!AccuracyWarning(check, accuracy).empty())
        text += QStringLiteral("  Its estimated discretisation error, %1 %, exceeds %2 %: see Results, Accuracy.")
                    .arg(100.0 * GoverningRatioError(check, accuracy), 0, 'f', 2)
                    .arg(100.0 * AccuracyWarningLimit, 0, 'f', 0);
    }
    const char* colour = check.Verdict == TCheckResult::Pass   ? PassColour
                         : check.Verdict == TCheckResult::Fail ? FailColour
                                                               : NeutralColour;
    Show(text, colour);
  } catch (const EUmbrinexError& e) {
    Show(QStringLiteral("Design check: cannot be calculated.  ") + QString::fromStdString(e.what()), NeutralColour);
  }
}

void TDesignCheckLine::Show(const QString& text, const char* background)
{
  setText(text);
  setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: white; font-weight: bold; }")
                    .arg(QLatin1String(background)));
}

void ShowAccuracy(TBend& bend, QWidget* parent, const std::function<void(TTableWindow&)>& shown)
{
  const std::vector<TStateSummary> coarse = SolveIncludedStates(bend, 0);
  const TDesignCheck check = CheckDesign(bend, coarse);
  const TAccuracy accuracy = EstimateAccuracy(bend, coarse);
  TTableWindow table(parent);
  table.setWindowTitle(QStringLiteral("Accuracy"));
  TSpreadSheet& sheet = table.Sheet();
  sheet.NameSheet("Accuracy");
  WriteDesignCheck(bend, check, sheet);
  WriteAccuracy(bend, check, accuracy, sheet);
  table.Reload();
  if (shown) {
    shown(table);
    return;
  }
  table.exec();
}

}  // namespace umbrinex
