// The progress window: an operation runs under it, reports to it and can
// be cancelled from it; whatever happens the window goes away.

#include <QProgressBar>
#include <QPushButton>

#include "KitTestSupport.h"
#include "desktop/kit/ProgressForm.h"

namespace umbrinex::testing {
namespace {

class ProgressWindow : public TKitTest {
 protected:
  // Ten steps of a run, with a hook before each.
  static void TenSteps(const std::function<void(int)>& beforeStep = {})
  {
    TProgress& progress = Progress();
    TProgressGuard guard;
    progress.SetMaxCounter(10);
    progress.Start();
    for (int i = 1; i <= 10; ++i) {
      if (beforeStep) beforeStep(i);
      progress.Update(i);
    }
    progress.Stop();
  }
};

TEST_F(ProgressWindow, HasItsCaptionSizeAndCancelButton)
{
  TProgressForm form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Progress"));
  EXPECT_EQ(form.size(), QSize(345, 104));
  EXPECT_EQ(form.CancelButton()->text(), QStringLiteral("&Cancel"));
}

TEST_F(ProgressWindow, AFinishedOperationReportsToTheBarAndCloses)
{
  TProgressForm form;
  int seen = -1;
  form.Run([&] {
    TenSteps([&](int i) {
      if (i == 10) seen = form.Bar()->value();
    });
  });
  EXPECT_EQ(seen, 90);
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(Progress().Active());
  EXPECT_TRUE(Messages.Requests.empty());
}

TEST_F(ProgressWindow, CancelStopsTheOperationQuietlyAndEndsWithTheSilentAbort)
{
  TProgressForm form;
  int steps = 0;
  EXPECT_THROW(form.Run([&] {
    TenSteps([&](int i) {
      steps = i;
      if (i == 3) form.CancelButton()->click();
    });
  }),
               ESilentAbort);
  EXPECT_EQ(steps, 3);
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(Progress().Active());
  EXPECT_TRUE(Messages.Requests.empty());
}

TEST_F(ProgressWindow, AnErrorIsShownOnceAndTheRunCountsAsNotFinished)
{
  TProgressForm form;
  EXPECT_THROW(form.Run([] {
    TenSteps([](int i) {
      if (i == 5) throw EExpected("Interrupted.");
    });
  }),
               ESilentAbort);
  ASSERT_EQ(Messages.Texts().size(), 1u);
  EXPECT_EQ(Messages.Texts().front(), "ERROR.  Interrupted.");
  EXPECT_FALSE(Progress().Active());
}

TEST_F(ProgressWindow, CancelOutsideARunLeavesNothingBehind)
{
  TProgressForm form;
  form.reject();
  EXPECT_FALSE(Progress().CancelRequested());
  form.Run([] {});
  EXPECT_TRUE(Messages.Requests.empty());
}

}  // namespace
}  // namespace umbrinex::testing
