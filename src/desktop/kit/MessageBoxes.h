#pragma once
// The program's modal messages shown as message boxes: the presenter the
// message service (framework/data/Messages.h) hands every message to in the
// desktop program.

#include "framework/data/Messages.h"

class QWidget;
class QString;

namespace umbrinex {

class TMessageBoxPresenter : public IMessagePresenter {
 public:
  int Present(const TMessageRequest& request) override;
  // Boxes open over the active window, else over this one (the main window),
  // whose task-bar entry also asks for attention while the program is in the
  // background.
  void SetMainWindow(QWidget* window) { FMainWindow = window; }

 private:
  QWidget* FMainWindow = nullptr;
};

// Installs a presenter for the program's lifetime.
void InstallMessageBoxes();
TMessageBoxPresenter& MessageBoxPresenter();

// The width of a choice button: at least that of a "&Cancel" button and
// 5/4 of its caption's.
int ChoiceButtonWidth(const QString& caption, QWidget* button, int cancelWidth);

}  // namespace umbrinex
