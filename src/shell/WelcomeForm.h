#pragma once
// The window that greets the user while the program starts. It goes after
// 2500 ms or at the first release of the left mouse button, but never before
// the main window shows, so that the user never faces an empty screen.

#include <QPointer>
#include <QWidget>

namespace umbrinex {

class TWelcomeForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int DisplayTime = 2500;  // ms

  // Shown centred on the screen at once.
  explicit TWelcomeForm(QWidget* mainWindow);
  ~TWelcomeForm() override;
  // Closes now if the main window is showing, else at the first idle moment
  // at which it is.
  void RequestClose();
  bool CloseRequested() const { return FCloseRequested; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CloseIfMainWindowShows();
  QPointer<QWidget> FMainWindow;
  bool FCloseRequested = false;
};

}  // namespace umbrinex
