#pragma once
// The application object of the widget benchmarks. The files that use it
// sort ahead of the graph benchmarks, so that the application object made
// here is one that widgets can use.

#include <QApplication>

namespace umbrinex {

inline bool EnsureWidgetApplication()
{
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
  if (QCoreApplication::instance()) return false;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "umbrinex-bench";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  return true;
}

}  // namespace umbrinex
