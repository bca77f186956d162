#pragma once
// The refusal hint: one window for the whole program, in the info-tip
// colours, that tells why a value was not taken. It shows at a point of the
// screen (under the control or cell that refused) once the events waiting
// have been handled, and stays until the next key press or mouse click.

#include <string>

#include <QLabel>
#include <QPoint>

namespace umbrinex {

class TKitHintWindow : public QLabel {
  Q_OBJECT

 public:
  static TKitHintWindow& Instance();

  // Stores the text and point and shows them when the event loop next runs.
  void ShowDataHint(const QString& text, const QPoint& screenPoint);
  bool Showing() const { return FShowing; }
  // The text shown, or waiting to be shown.
  const QString& HintText() const { return FText; }
  void CloseHint();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TKitHintWindow();
  void Present();
  QString FText;
  QPoint FPoint;
  bool FShowing = false;
  bool FPosted = false;
};

void ShowDataHint(const std::string& text, const QPoint& screenPoint);
bool HintShowing();

}  // namespace umbrinex
