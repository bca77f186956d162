#pragma once
// The shell's tests start as the kit's do, and also forget the program's
// own settings between tests.

#include <memory>

#include <QApplication>

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

}  // namespace umbrinex::testing
