#include "framework/kit/Application.h"

#include <QCursor>
#include <QKeyEvent>

#include "bend/ProgramInfo.h"
#include "framework/data/BusyCursor.h"
#include "framework/data/Messages.h"
#include "framework/data/Progress.h"
#include "framework/kit/ErrorHandler.h"

namespace umbrinex {

TKitApplication::TKitApplication(int& argc, char** argv) : QApplication(argc, argv)
{
  setApplicationName(QString::fromUtf8(ApplicationName));
  setApplicationVersion(QString::fromUtf8(ApplicationVersion));
  SetBusyCursorHook([](bool busy) {
    if (busy) QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else QApplication::restoreOverrideCursor();
  });
}

TKitApplication::~TKitApplication()
{
  SetBusyCursorHook({});
}

bool TKitApplication::notify(QObject* receiver, QEvent* event)
{
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && BusyCount() > 0 &&
      Progress().Active()) {
    Progress().RequestCancel();
    return true;
  }
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    HandleCurrentException();
    return false;
  }
}

}  // namespace umbrinex
