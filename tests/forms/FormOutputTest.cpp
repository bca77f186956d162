#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>

#include "FormsTestSupport.h"
#include "desktop/forms/FormOutput.h"

namespace umbrinex::testing {
namespace {

class FormOutput : public TFormsTest {
 protected:
  TOutputTestForm Form;
};

TEST_F(FormOutput, ControlTextsAreWhatTheControlsShowWithoutAccelerators)
{
  auto* label = new TKitLabel(QStringLiteral("&Tension && angle (%FF%):"), &Form);
  label->SetDataObject(Bend.get());
  EXPECT_EQ(TFormOutput::ControlText(*label), QStringLiteral("Tension & angle (kN):"));

  auto* radio = new TKitRadioGroup(&Form);
  radio->SetCaption(QStringLiteral("&Definition"));
  radio->SetItems({QStringLiteral("&Power Law"), QStringLiteral("&User Defined")});
  EXPECT_EQ(TFormOutput::ControlText(*radio), QStringLiteral("Definition (not selected)"));
  radio->findChildren<QRadioButton*>()[1]->setChecked(true);
  EXPECT_EQ(TFormOutput::ControlText(*radio), QStringLiteral("Definition User Defined"));

  auto* list = new TKitDropDownList(&Form);
  EXPECT_EQ(TFormOutput::ControlText(*list), QString());
  list->addItems({QStringLiteral("Steel"), QStringLiteral("Polyurethane")});
  list->setCurrentIndex(1);
  EXPECT_EQ(TFormOutput::ControlText(*list), QStringLiteral("Polyurethane"));

  auto* pages = new QTabWidget(&Form);
  auto* sheet = new QWidget;
  pages->addTab(sheet, QStringLiteral("State &2"));
  EXPECT_EQ(TFormOutput::ControlText(*sheet), QStringLiteral("State 2"));
  EXPECT_EQ(TFormOutput::ControlText(*pages), QString());
}

TEST_F(FormOutput, OnlyControlsThatShowSomethingAreWrittenOut)
{
  auto* edit = new QLineEdit(&Form);
  auto* hiddenEdit = new QLineEdit(&Form);
  hiddenEdit->hide();
  auto* label = new QLabel(QStringLiteral("Name"), &Form);
  auto* loneLabel = new QLabel(QStringLiteral("Note"), &Form);
  label->setBuddy(edit);
  auto* labelOfHidden = new QLabel(QStringLiteral("Other"), &Form);
  labelOfHidden->setBuddy(hiddenEdit);
  auto* list = new TKitDropDownList(&Form);
  auto* panel = new TKitPanel(&Form);
  auto* memo = new QPlainTextEdit(&Form);
  auto* pages = new QTabWidget(&Form);
  auto* first = new QWidget;
  auto* second = new QWidget;
  pages->addTab(first, QStringLiteral("One"));
  pages->addTab(second, QStringLiteral("Two"));
  pages->setTabVisible(1, false);

  EXPECT_TRUE(Form.IncludeInOutput(*edit));
  EXPECT_FALSE(Form.IncludeInOutput(*hiddenEdit));
  EXPECT_TRUE(Form.IncludeInOutput(*label));
  EXPECT_FALSE(Form.IncludeInOutput(*loneLabel));
  EXPECT_FALSE(Form.IncludeInOutput(*labelOfHidden));
  EXPECT_FALSE(Form.IncludeInOutput(*list));
  list->addItem(QStringLiteral("Steel"));
  list->setCurrentIndex(0);
  EXPECT_TRUE(Form.IncludeInOutput(*list));
  EXPECT_TRUE(Form.IncludeInOutput(*panel));
  EXPECT_FALSE(Form.IncludeInOutput(*memo));
  EXPECT_TRUE(Form.IncludeInOutput(*pages));
  EXPECT_TRUE(Form.IncludeInOutput(*first));
  EXPECT_FALSE(Form.IncludeInOutput(*second));
}

TEST_F(FormOutput, PrintingDrawsTheTextOfATextControlAtItsPosition)
{
  auto* edit = new QLineEdit(QStringLiteral("WWWW"), &Form);
  QImage page(200, 100, QImage::Format_RGB32);
  page.fill(Qt::white);
  {
    QPainter canvas(&page);
    Form.PrintControl(*edit, canvas, 50, 100);
  }
  auto inked = [&](int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (page.pixel(x, y) != qRgb(255, 255, 255)) return true;
    return false;
  };
  EXPECT_TRUE(inked(100, 50, 200, 50 + Form.LineGap));
  EXPECT_FALSE(inked(0, 0, 100, 100));
  EXPECT_FALSE(inked(100, 0, 200, 49));
}

}  // namespace
}  // namespace umbrinex::testing
