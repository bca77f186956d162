// What a user sees: texts that fit their cells, and pictures of a grid and
// of bound controls (written to UMBRINEX_SCREENSHOT_DIR when it is set).

#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetrics>
#include <QImage>

#include "FormsTestSupport.h"

namespace umbrinex::testing {
namespace {

void SaveShot(QWidget& widget, const char* name)
{
  const QByteArray folder = qgetenv("UMBRINEX_SCREENSHOT_DIR");
  if (folder.isEmpty()) return;
  QDir().mkpath(QString::fromLocal8Bit(folder));
  widget.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QString::fromLatin1(name));
}

// Every title and every cell's text fits inside its column, margins kept.
void ExpectTextsFit(TKitGrid& grid)
{
  const TGridLayout& layout = grid.Layout();
  const QFontMetrics metrics(grid.font());
  const TGridCore& core = grid.Core();
  for (int col = 0; col < core.ColCount(); ++col) {
    const int width = layout.ColumnWidths[std::size_t(col)];
    for (int row = 0; row < core.FixedRows(); ++row) {
      const auto& titles = core.Column(col).Titles();
      if (row >= int(titles.size()) || titles[std::size_t(row)].Extent() != 1) continue;
      const QString title = QString::fromStdString(core.TitleText(col, row));
      EXPECT_LE(metrics.horizontalAdvance(title) + 4, width) << title.toStdString();
    }
    const int margin = int(std::lround(core.Column(col).Margin * grid.CharWidth())) + 2;
    for (int row = core.FixedRows(); row < core.RowCount(); ++row) {
      const QString text = grid.CellText(col, row);
      EXPECT_LE(metrics.horizontalAdvance(text) + 2 * margin, width) << text.toStdString();
    }
  }
}

TEST(FormLooks, TheLoadCaseTableShowsItsTextsWhole)
{
  auto bend = New<TBend>();
  TLoadCaseForm page(*bend);
  page.Show();
  TAccessStatus status;
  bend->SetValue(vnLoadCaseTension, 4, status, TVariant(1234.5678), vtReal);
  ASSERT_EQ(status.Code, acOk);
  page.Grid->Core().MoveTo(1, 3);
  page.Grid->Core().MoveTo(3, 4, true);
  QApplication::processEvents();
  ExpectTextsFit(*page.Grid);
  ExpectTextsFit(*page.Counter);
  // Ten rows shown, so the grid keeps the height they need.
  const TGridLayout& layout = page.Grid->Layout();
  EXPECT_EQ(page.Grid->height(), layout.ControlHeight);
  EXPECT_FALSE(layout.VerticalScrollBar) << "five load cases and two title rows fit in ten rows";
  SaveShot(page.Form, "load-case-table.png");
}

TEST(FormLooks, TheRefusalHintShowsUnderTheCellAndWrapsLongTexts)
{
  TRecordingPresenter messages;
  IMessagePresenter* previous = SetMessagePresenter(&messages);
  auto bend = New<TBend>();
  TLoadCaseForm page(*bend);
  page.Show();
  page.Grid->Core().MoveTo(2, 3);
  TypeText(QStringLiteral("-12"));
  PressKey(Qt::Key_Return);
  ASSERT_EQ(ShownHint(), QStringLiteral("Cannot be negative."));
  TKitHintWindow& hint = TKitHintWindow::Instance();
  const QFontMetrics metrics(hint.font());
  EXPECT_GE(hint.width(), metrics.horizontalAdvance(hint.HintText()));
  SaveShot(page.Form, "load-case-table-editing.png");
  SaveShot(hint, "refusal-hint.png");
  const QString long_ = QStringLiteral(
      "'maybe' not found.  Possible values are: No Yes and a great deal more text "
      "than fits on one line of the hint");
  ShowDataHint(long_.toStdString(), QPoint(10, 10));
  ASSERT_EQ(ShownHint(), long_);
  EXPECT_LE(hint.width(), 6 * metrics.horizontalAdvance(QStringLiteral("1234567890")));
  EXPECT_GT(hint.height(), 2 * metrics.height()) << "wrapped onto more lines";
  CloseHint();
  SetMessagePresenter(previous);
}

TEST(FormLooks, BoundControlsShowTheirItems)
{
  auto bend = New<TBend>();
  TKitForm form;
  form.setWindowTitle(QStringLiteral("Bound controls"));
  auto* label = new TKitLabel(QStringLiteral("Cable bend &stiffness (%FF.LL^2%):"), &form);
  label->move(16, 16);
  auto* project = new TKitEdit(&form);
  project->setGeometry(16, 40, 300, 24);
  project->SetVarNum(vnProject);
  label->setBuddy(project);
  auto* definition = new TKitDropDownList(&form);
  definition->setGeometry(16, 76, 200, 24);
  definition->SetVarNum(vnStiffenerDefinition);
  auto* linearity = new TKitRadioGroup(&form);
  linearity->SetCaption(QStringLiteral("Calculation"));
  linearity->SetItems({QStringLiteral("Linear"), QStringLiteral("Non-linear")});
  linearity->setGeometry(16, 112, 200, 90);
  linearity->SetVarNum(vnLinearity);
  auto* group = new TKitGroupBox(QStringLiteral("Properties of Material '%21047%'"), &form);
  group->setGeometry(230, 76, 240, 126);
  auto* materials = new TKitListBox(group);
  materials->setGeometry(12, 28, 216, 84);
  materials->SetVarNum(vnMaterial);
  BindControls(form, bend.get());
  form.FitToControls();
  form.show();
  QApplication::processEvents();
  EXPECT_EQ(label->text(), QStringLiteral("Cable bend &stiffness (kN.m^2):"));
  EXPECT_EQ(group->title(), QStringLiteral("Properties of Material 'Material 1'"));
  EXPECT_EQ(definition->currentText(), QStringLiteral("Stiffness Power Law"));
  EXPECT_LE(QFontMetrics(definition->font()).horizontalAdvance(definition->currentText()), definition->width());
  EXPECT_GE(form.width(), group->geometry().right());
  SaveShot(form, "bound-controls.png");
}

}  // namespace
}  // namespace umbrinex::testing
