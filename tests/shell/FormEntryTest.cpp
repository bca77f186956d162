// What the user types and sees on the design's data forms: whole numbers in
// the count boxes, the focus on the first field, Enter and OK with values
// still in their cells, accelerators that lead to one command each, and
// forms that can be made larger and open again at that size.

#include <functional>
#include <map>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ShellTestSupport.h"
#include "bend/Bend.h"
#include "desktop/forms/KitHint.h"
#include "desktop/kit/ResultWindow.h"
#include "shell/MainEditing.h"
#include "presentation/DataForms.h"
#include "shell/forms/DataForms.h"

namespace umbrinex::testing {
namespace {

void SaveShot(QWidget& widget, const QString& name)
{
  const QByteArray folder = qgetenv("UMBRINEX_SCREENSHOT_DIR");
  if (folder.isEmpty()) return;
  QDir().mkpath(QString::fromLocal8Bit(folder));
  widget.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + name);
}

class DataFormEntry : public TMainWindowTest {
 protected:
  TMainEditing& Editing() { return Form->Editing(); }
  TModelObject& Node(int i) { return *DataObjectSequence(Bend())[static_cast<std::size_t>(i)]; }
  static constexpr int LoadCaseNode = 4;

  // Opens the node's form for editing and runs the action on it once it
  // shows; the action closes the form. Returns what the form closed with.
  void OnForm(int node, const std::function<void(TTessanDataForm&)>& action)
  {
    bool ran = false;
    std::function<void()> step;
    step = [&] {
      TTessanDataForm* form = Editing().CurrentDataForm();
      if (!form || !form->isVisible()) {
        QTimer::singleShot(2, step);
        return;
      }
      form->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(form));
      ran = true;
      action(*form);
      // Whatever the action left open goes, so that the test goes on.
      if (form->isVisible()) QTimer::singleShot(0, form, [form] { form->done(mrCancel); });
    };
    QTimer::singleShot(0, step);
    Editing().EditObject(Node(node));
    EXPECT_TRUE(ran);
  }
};

// How wide the ink of a cell's text is, painted as on the screen and the
// printer.
int InkWidth(TKitGrid& grid, int col, int row)
{
  grid.Layout();
  QImage image(grid.size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  grid.PaintOn(painter, QPoint(0, 0));
  painter.end();
  const QRect cell = grid.CellRect(col, row).translated(grid.frameWidth(), grid.frameWidth());
  int left = cell.right() + 1, right = cell.left() - 1;
  for (int y = cell.top(); y <= cell.bottom(); ++y)
    for (int x = cell.left(); x <= cell.right(); ++x)
      if (qGray(image.pixel(x, y)) < 128) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  return right >= left ? right - left + 1 : 0;
}

TEST_F(DataFormEntry, EveryCountBoxShowsItsWholeNumber)
{
  // The largest counts the forms allow (materials: enough for three digits).
  const std::map<int, int> counts{{vnNumberOfPoints, 1000},  {vnCurveNumberOfPoints, 1000},
                                  {vnNumberOfTypes, 100},    {vnNumberOfLoadCases, 1000},
                                  {vnNumberOfCircles, 1000}, {vnNumberOfDiameters, 1000}};
  Bend().SetInteger(vnStiffenerDefinition, 0, sdUserDefined);
  int found = 0;
  for (int node = 0; node < 8; ++node) {
    std::unique_ptr<TTessanDataForm> form = CreateDataForm(Node(node), false, Form.get());
    for (TKitGrid* grid : form->findChildren<TKitGrid*>()) {
      const TGridCore& core = grid->Core();
      if (core.ColCount() != 2 || core.Column(1).VarType != vtSpin) continue;
      const int varNum = core.Column(0).VarNum;
      ASSERT_TRUE(counts.count(varNum)) << varNum;
      ++found;
      for (const int count : {35, 100, counts.at(varNum)}) {
        Bend().SetInteger(varNum, 0, count);
        grid->Invalidate();
        const QString text = grid->CellText(0, 0);
        ASSERT_EQ(text, QString::number(count));
        const int whole = QFontMetrics(grid->font()).tightBoundingRect(text).width();
        EXPECT_GE(InkWidth(*grid, 0, 0), whole - 2) << form->windowTitle().toStdString() << ": " << count;
      }
      form->show();
      QApplication::processEvents();
      SaveShot(*form, QStringLiteral("count-%1.png").arg(varNum));
      form->hide();
    }
  }
  EXPECT_EQ(found, 6);
}

TEST_F(DataFormEntry, NoLabelRunsUnderTheFieldBesideIt)
{
  Bend().SetInteger(vnStiffenerDefinition, 0, sdUserDefined);
  for (int node = 0; node < 8; ++node) {
    std::unique_ptr<TTessanDataForm> form = CreateDataForm(Node(node), false, Form.get());
    form->show();
    QApplication::processEvents();
    for (QLabel* label : form->findChildren<QLabel*>()) {
      QWidget* buddy = label->buddy();
      if (!buddy || !label->isVisible()) continue;
      const QRect field(buddy->mapTo(form.get(), QPoint(0, 0)), buddy->size());
      const QPoint at = label->mapTo(form.get(), QPoint(0, 0));
      const QRect text(at, QSize(label->fontMetrics().horizontalAdvance(label->text().remove(QLatin1Char('&')).trimmed()),
                                 label->height()));
      EXPECT_FALSE(text.intersects(field)) << form->windowTitle().toStdString() << ": \""
                                           << label->text().toStdString() << "\"";
    }
    form->hide();
  }
}

TEST_F(DataFormEntry, FormsOpenOnTheirFirstFieldAndEnterThereAccepts)
{
  for (int node = 0; node < 8; ++node)
    OnForm(node, [](TTessanDataForm& form) {
      QWidget* focus = QApplication::focusWidget();
      ASSERT_NE(focus, nullptr) << form.windowTitle().toStdString();
      EXPECT_EQ(qobject_cast<QPushButton*>(focus), nullptr) << form.windowTitle().toStdString();
      form.done(mrCancel);
    });

  // The load case form opens on the design's ABR; typing there and Enter
  // stores the value and accepts the form, as Enter does in a text field.
  OnForm(LoadCaseNode, [](TTessanDataForm& form) {
    auto* grid = qobject_cast<TKitGrid*>(QApplication::focusWidget());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->Core().Column(0).VarNum, vnAllowableBendRadius);
    // Each key goes where the focus is, as from a keyboard: the first one
    // opens the cell's editor.
    for (const char key : {'2', '.', '5'}) QTest::keyClick(QApplication::focusWidget(), key);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), mrOk);
  });
  EXPECT_EQ(Bend().GetReal(vnAllowableBendRadius, 0), 2.5);

  // Enter on the count, nothing typed, accepts too.
  OnForm(LoadCaseNode, [](TTessanDataForm& form) {
    auto& loadCases = static_cast<TEditLoadCasesForm&>(form);
    loadCases.NumberOfLoadCases->setFocus();
    QTest::keyClick(loadCases.NumberOfLoadCases, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), mrOk);
  });
}

TEST_F(DataFormEntry, ClickingOkWithARefusedCellKeepsTheFormAndItsHint)
{
  const double tension = Bend().LoadCaseTension(0);
  OnForm(LoadCaseNode, [](TTessanDataForm& form) {
    TKitGrid* grid = static_cast<TEditLoadCasesForm&>(form).LoadCases;
    grid->setFocus();
    grid->SelectCell(1, 2);
    QTest::keyClicks(grid, QStringLiteral("abc"));
    ASSERT_TRUE(grid->HasPendingEdit());
    QTest::mouseClick(form.btOK, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(HintShowing());
    EXPECT_TRUE(grid->HasPendingEdit()) << "the text stays to be put right";
    QTest::mouseClick(form.btCancel, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(HintShowing()) << "no hint floats over the main window";
  });
  EXPECT_EQ(Bend().LoadCaseTension(0), tension);
}

TEST_F(DataFormEntry, TheLoadCaseFormGrowsItsTableAndOpensAgainAtItsSize)
{
  QSize design, grown;
  int rowsShown = 0;
  OnForm(LoadCaseNode, [&](TTessanDataForm& form) {
    auto& loadCases = static_cast<TEditLoadCasesForm&>(form);
    design = form.size();
    EXPECT_EQ(form.minimumSize(), design);
    const int tableWidth = loadCases.LoadCases->width();
    const int okLeft = form.btOK->x();
    rowsShown = loadCases.LoadCases->Core().RowsShown();
    grown = design + QSize(120, 200);
    form.resize(grown);
    QApplication::processEvents();
    EXPECT_EQ(form.size(), grown);
    EXPECT_EQ(loadCases.LoadCases->width(), tableWidth + 120);
    EXPECT_EQ(form.btOK->x(), okLeft + 120) << "the buttons keep to the right edge";
    EXPECT_GT(loadCases.LoadCases->Core().RowsShown(), rowsShown + 5);
    EXPECT_LE(loadCases.LoadCases->geometry().bottom(), form.height());
    SaveShot(form, QStringLiteral("load-case-form-resized.png"));
    form.done(mrOk);
  });
  OnForm(LoadCaseNode, [&](TTessanDataForm& form) {
    EXPECT_EQ(form.size(), grown);
    EXPECT_GT(static_cast<TEditLoadCasesForm&>(form).LoadCases->Core().RowsShown(), rowsShown + 5);
    form.done(mrCancel);
  });
  // A form made for output keeps the design size that text export needs.
  EXPECT_EQ(CreateDataForm(Node(LoadCaseNode), false, Form.get())->size(), design);

  // The next run opens the form at the same size.
  Form.reset();
  Restart();
  Form = CreateMainForm({QStringLiteral("umbrinex")});
  Form->show();
  QApplication::processEvents();
  OnForm(LoadCaseNode, [&](TTessanDataForm& form) {
    EXPECT_EQ(form.size(), grown);
    // Back at the design size the stored size is forgotten.
    form.resize(design);
    form.done(mrCancel);
  });
  OnForm(LoadCaseNode, [&](TTessanDataForm& form) {
    EXPECT_EQ(form.size(), design);
    form.done(mrCancel);
  });
}

// The letter after a single ampersand, lower case; none without one.
QChar Accelerator(const QString& caption)
{
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] != QLatin1Char('&')) return caption[i + 1].toLower();
    ++i;
  }
  return {};
}

// Every visible command of the menu with an accelerator, by letter.
void ExpectUniqueAccelerators(const QList<QAction*>& actions, const std::string& where,
                              std::map<QChar, QString> taken = {})
{
  for (QAction* action : actions) {
    if (!action->isVisible() || action->isSeparator()) continue;
    const QString caption = action->menu() ? action->menu()->title() : action->text();
    const QChar letter = Accelerator(caption);
    if (letter.isNull()) continue;
    const auto [at, fresh] = taken.emplace(letter, caption);
    EXPECT_TRUE(fresh) << where << ": \"" << caption.toStdString() << "\" and \"" << at->second.toStdString()
                       << "\" share Alt+" << QString(letter).toStdString();
  }
}

TEST_F(DataFormEntry, NoTwoCommandsOfAMenuOrOfTheMainWindowShareAnAccelerator)
{
  // The menu bar's titles and the main window's labels are reached by the
  // same Alt keys.
  std::map<QChar, QString> window;
  for (QLabel* label : Form->findChildren<QLabel*>())
    if (label->buddy() && label->isVisibleTo(Form.get()) && !Accelerator(label->text()).isNull())
      window.emplace(Accelerator(label->text()), label->text());
  ExpectUniqueAccelerators(Form->menuBar()->actions(), "main window", window);
  for (QAction* title : Form->menuBar()->actions())
    if (QMenu* menu = title->menu()) ExpectUniqueAccelerators(menu->actions(), menu->title().toStdString());
  int windows = 0;
  for (TResultWindow* result : Form->findChildren<TResultWindow*>()) {
    emit result->ContextMenu()->aboutToShow();
    ExpectUniqueAccelerators(result->ContextMenu()->actions(), result->metaObject()->className());
    ++windows;
  }
  EXPECT_GE(windows, 10);
}

}  // namespace
}  // namespace umbrinex::testing
