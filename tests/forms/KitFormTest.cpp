#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>

#include "FormsTestSupport.h"

namespace umbrinex::testing {
namespace {

class TCountingForm : public TKitForm {
 public:
  using TKitForm::TKitForm;
  void RefreshData() override { ++Refreshes; }
  void BusyChanged(bool busy) override { BusyStates.push_back(busy); }
  int Refreshes = 0;
  std::vector<bool> BusyStates;
};

TEST(KitForm, EveryFormHearsWhenTheProgramBecomesBusyAndIdle)
{
  TCountingForm first, second;
  {
    TBusy outer;
    TBusy inner;  // only the first rise and the last fall count
  }
  EXPECT_EQ(first.BusyStates, (std::vector<bool>{true, false}));
  EXPECT_EQ(second.BusyStates, (std::vector<bool>{true, false}));
}

TEST(KitForm, RefreshesOnceAfterEachInvalidation)
{
  TCountingForm form;
  form.EnsureUpToDate();
  form.EnsureUpToDate();
  EXPECT_EQ(form.Refreshes, 1);
  EXPECT_TRUE(form.UpToDate());
  form.Invalidate();
  form.Invalidate();
  EXPECT_FALSE(form.UpToDate());
  form.EnsureUpToDate();
  EXPECT_EQ(form.Refreshes, 2);
}

TEST(KitForm, AChangeThroughAnItemRefreshesTheBoundControlsOfTheActiveForm)
{
  auto bend = New<TBend>();
  TCountingForm form;
  auto* client = new TKitEdit(&form);
  client->SetVarNum(vnClient);
  BindControls(form, bend.get());
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  form.EnsureUpToDate();
  TAccessStatus status;
  bend->SetValue(vnClient, 0, status, TVariant("Seabed Co"), vtText);
  EXPECT_EQ(client->text(), QStringLiteral("Seabed Co"));
  EXPECT_FALSE(form.UpToDate());
  // A second change before the form paints shows when it does.
  bend->SetValue(vnClient, 0, status, TVariant("Riser Ltd"), vtText);
  EXPECT_EQ(client->text(), QStringLiteral("Seabed Co"));
  QApplication::processEvents();
  EXPECT_TRUE(form.UpToDate()) << "the next paint brought it up to date";
  EXPECT_EQ(client->text(), QStringLiteral("Riser Ltd"));
}

TEST(KitForm, EscapeClosesAFormThatAsksForIt)
{
  TCountingForm form;
  form.CloseOnEscape = true;
  form.show();
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), mrCancel);
}

TEST(FormPlacement, TheMarginIsAFiftiethOfTheLargerSideOfTheScreen)
{
  EXPECT_EQ(ScreenMarginFor(QSize(1280, 1024)), 25);
  EXPECT_EQ(ScreenMarginFor(QSize(1080, 1920)), 38);
  EXPECT_EQ(ScaledClientSize(QSize(460, 280), 96), QSize(460, 280));
  EXPECT_EQ(ScaledClientSize(QSize(460, 280), 120), QSize(575, 350));
  EXPECT_EQ(ScaledClientSize(QSize(460, 280), 0), QSize(460, 280));
}

TEST(FormPlacement, FitsTheClientAreaToTheVisibleControls)
{
  TKitForm form;
  (new QWidget(&form))->setGeometry(16, 20, 100, 30);
  (new QWidget(&form))->setGeometry(40, 200, 300, 40);
  auto* hidden = new QWidget(&form);
  hidden->setGeometry(600, 600, 10, 10);
  hidden->hide();
  form.FitToControls();
  EXPECT_EQ(form.size(), QSize(16 + 340, 16 + 240));
}

TEST(FormPlacement, KeepsAFormOnTheScreen)
{
  TKitForm form;
  form.resize(300, 200);
  const QRect screen = form.screen()->availableGeometry();
  form.move(screen.right() + 100, screen.bottom() + 100);
  form.KeepOnScreen();
  const int margin = TFormBase::ScreenMargin();
  EXPECT_LE(form.frameGeometry().right() + margin, screen.right());
  EXPECT_LE(form.frameGeometry().bottom() + margin, screen.bottom());
}

TEST(PageControl, ComesBackOnThePageItWasLeftOn)
{
  auto build = [](QWidget& form) {
    form.setObjectName(QStringLiteral("MaterialsForm"));
    auto* pages = new TKitPageControl(&form);
    pages->setObjectName(QStringLiteral("Properties"));
    for (const char* name : {"StateOne", "StateTwo", "Curve"}) {
      auto* page = new QWidget;
      page->setObjectName(QString::fromLatin1(name));
      pages->addTab(page, QString::fromLatin1(name));
    }
    return pages;
  };
  {
    TKitForm form;
    TKitPageControl* pages = build(form);
    pages->DefaultPage = QStringLiteral("StateTwo");
    pages->PagesLoaded();
    EXPECT_EQ(pages->currentIndex(), 1);
    EXPECT_EQ(pages->RememberKey(), QStringLiteral("MaterialsForm.Properties.ActivePage"));
    pages->setCurrentIndex(2);
  }
  EXPECT_EQ(RememberedPage(QStringLiteral("MaterialsForm.Properties.ActivePage")), QStringLiteral("Curve"));
  TKitForm again;
  TKitPageControl* pages = build(again);
  pages->PagesLoaded();
  EXPECT_EQ(pages->currentIndex(), 2);
}

TEST(RefusalHint, StaysUntilTheNextKeyPressOrClick)
{
  TKitForm form;
  form.show();
  ShowDataHint("Must be positive", QPoint(40, 40));
  EXPECT_FALSE(HintShowing()) << "shown when the events waiting have run";
  EXPECT_EQ(ShownHint(), QStringLiteral("Must be positive"));
  QTest::keyRelease(&form, Qt::Key_Return);
  QTest::mouseRelease(&form, Qt::LeftButton);
  EXPECT_TRUE(HintShowing()) << "the end of the key press or click that led to it";
  QTest::keyPress(&form, Qt::Key_A);
  EXPECT_FALSE(HintShowing());
  ShowDataHint("Again", QPoint(40, 40));
  EXPECT_EQ(ShownHint(), QStringLiteral("Again"));
  QTest::mousePress(&form, Qt::LeftButton);
  EXPECT_FALSE(HintShowing());
}

}  // namespace
}  // namespace umbrinex::testing

namespace umbrinex::testing {
namespace {

TEST(KitForm, ShortcutsOfEveryFormCanBeSwitchedOffAndBackOn)
{
  TKitForm form;
  auto* action = new QAction(QStringLiteral("&Copy"), &form);
  action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  TFormBase::SetAllShortcutsEnabled(false);
  EXPECT_FALSE(form.ShortcutsEnabled());
  EXPECT_TRUE(action->shortcut().isEmpty());
  TFormBase::SetAllShortcutsEnabled(true);
  EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
}

}  // namespace
}  // namespace umbrinex::testing
