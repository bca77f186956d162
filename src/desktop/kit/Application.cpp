#include "desktop/kit/Application.h"

#include <QCursor>
#include <QKeyEvent>

#include "framework/data/BusyCursor.h"
#include "framework/data/Messages.h"
#include "framework/data/Progress.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/Program.h"

namespace umbrinex {

TKitApplication::TKitApplication(int& argc, char** argv) : QApplication(argc, argv)
{
  setApplicationName(QString::fromStdString(Program().Name));
  setApplicationVersion(QString::fromStdString(Program().Version));
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
