// One QApplication for every test; the settings go to a folder of this run.
// Test programs that define UMBRINEX_TESTS_BEND_PROGRAM describe this
// program to the window kit first.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#ifdef UMBRINEX_TESTS_BEND_PROGRAM
#include "shell/BendProgram.h"
#endif

int main(int argc, char** argv)
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir settings;
  qputenv("UMBRINEX_CONFIG_DIR", settings.path().toUtf8());
#ifdef UMBRINEX_TESTS_BEND_PROGRAM
  // Tests of the program's windows and files run as the program does.
  umbrinex::InstallBendProgram();
#endif
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
