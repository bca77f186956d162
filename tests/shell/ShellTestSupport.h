#pragma once
// The shell's tests start as the kit's do, and also forget the program's
// own settings between tests.

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "kit/KitTestSupport.h"
#include "shell/Main.h"
#include "shell/Preferences.h"

namespace umbrinex::testing {

using TShellTest = TSettingsTest<ReleasePreferences>;

// The main window as the program starts it, shown.
class TMainWindowTest : public TShellTest {
 protected:
  void SetUp() override
  {
    TShellTest::SetUp();
    Form = CreateMainForm({QStringLiteral("umbrinex")});
    Form->resize(1000, 700);
    Form->show();
    QApplication::processEvents();
  }
  void TearDown() override
  {
    Form.reset();
    TShellTest::TearDown();
  }
  TBend& Bend() { return Form->Model(); }

  std::unique_ptr<TMainForm> Form;
};

// Triggers the action and runs the script on the modal dialog it opens;
// the dialog is closed with its close button afterwards unless the script
// closed it. A failure names the command when no such dialog opened.
template <class TDialog>
void OnModalDialog(QAction& action, const std::string& command, QPushButton* TDialog::*closeButton,
                   const std::function<void(TDialog&)>& script)
{
  bool ran = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TDialog*>(QApplication::activeModalWidget());
    if (!dialog) {
      ADD_FAILURE() << command << " opened no dialog";
      if (QWidget* other = QApplication::activeModalWidget()) other->close();
      return;
    }
    ran = true;
    script(*dialog);
    if (dialog->isVisible()) (dialog->*closeButton)->click();
  });
  action.trigger();
  EXPECT_TRUE(ran) << command;
}

}  // namespace umbrinex::testing
