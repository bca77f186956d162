#include <gtest/gtest.h>

#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "desktop/kit/MessageBoxes.h"
#include "numerics/Errors.h"

namespace umbrinex {
namespace {

// Answers the next message box as soon as it is showing.
void AnswerNextBox(std::function<void(QMessageBox&)> answer)
{
  QTimer::singleShot(0, [answer] {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) return answer(*box);
    ADD_FAILURE() << "no message box showing";
  });
}

QAbstractButton* ButtonCaptioned(QMessageBox& box, const QString& caption)
{
  for (QAbstractButton* button : box.buttons())
    if (button->text() == caption) return button;
  return nullptr;
}

class MessageBoxes : public ::testing::Test {
 protected:
  void SetUp() override { FPrevious = SetMessagePresenter(&FPresenter); }
  void TearDown() override { SetMessagePresenter(FPrevious); }

 private:
  TMessageBoxPresenter FPresenter;
  IMessagePresenter* FPrevious = nullptr;
};

TEST_F(MessageBoxes, AnswerAChoiceWithTheButtonsIndexOrMinusOneForCancel)
{
  int cancelWidth = 0;
  AnswerNextBox([&](QMessageBox& box) {
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Umbrinex"));
    EXPECT_EQ(box.text(), QStringLiteral("Which one?"));
    QAbstractButton* cancel = ButtonCaptioned(box, QStringLiteral("&Cancel"));
    ASSERT_NE(cancel, nullptr);
    cancelWidth = cancel->sizeHint().width();
    EXPECT_GE(ButtonCaptioned(box, QStringLiteral("&A"))->minimumWidth(), cancelWidth);
    const QString longCaption = QStringLiteral("Replace every material of the design");
    QAbstractButton* wide = ButtonCaptioned(box, longCaption);
    EXPECT_GE(wide->minimumWidth(), wide->fontMetrics().horizontalAdvance(longCaption) * 5 / 4);
    wide->click();
  });
  EXPECT_EQ(AskChoice("Which one?", {"&A", "Replace every material of the design"}, 0, true), 1);

  AnswerNextBox([](QMessageBox& box) { ButtonCaptioned(box, QStringLiteral("&Cancel"))->click(); });
  EXPECT_EQ(AskChoice("Which one?", {"&A", "&B"}, 1, true), -1);
}

TEST_F(MessageBoxes, CancelOfAQuestionIsTheSilentAbortAndErrorsCarryTheirPrefix)
{
  AnswerNextBox([](QMessageBox& box) { box.button(QMessageBox::No)->click(); });
  EXPECT_FALSE(AskQuestion("Save the changes?", true));
  AnswerNextBox([](QMessageBox& box) { box.button(QMessageBox::Cancel)->click(); });
  EXPECT_THROW(AskQuestion("Save the changes?", true), ESilentAbort);
  AnswerNextBox([](QMessageBox& box) {
    EXPECT_EQ(box.text(), QStringLiteral("ERROR.  Disk full."));
    EXPECT_EQ(box.icon(), QMessageBox::Critical);
    box.button(QMessageBox::Ok)->click();
  });
  ShowError("Disk full.");
}

}  // namespace
}  // namespace umbrinex
