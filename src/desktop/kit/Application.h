#pragma once
// The desktop program's application object: the last line of the error
// handler for anything raised inside the event loop, and Escape as the
// request to cancel a running calculation.

#include <QApplication>

namespace umbrinex {

class TKitApplication : public QApplication {
  Q_OBJECT

 public:
  TKitApplication(int& argc, char** argv);
  ~TKitApplication() override;
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace umbrinex
