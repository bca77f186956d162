#pragma once
// The design check in the main window: a line of its own below the title
// panel, green when the design passes and red when it fails, naming the
// governing load case and state; and the "Accuracy" table window with the
// check and the discretisation error of every reported figure.

#include <functional>

#include <QLabel>

namespace umbrinex {

class TBend;
class TTableWindow;

class TDesignCheckLine : public QLabel {
  Q_OBJECT

 public:
  explicit TDesignCheckLine(QWidget* parent = nullptr);

  // Takes its place right below the widget in that widget's box layout.
  void PlaceBelow(QWidget* above);
  // The design changed: the line is out of date until the next Update.
  void Invalidate() { FValid = false; }
  bool Valid() const { return FValid; }
  // Checks the design when the line is out of date. A design that cannot
  // be solved puts the reason on the line; the results views report it.
  void Update(TBend& bend);

 private:
  void Show(const QString& text, const char* background);
  bool FValid = false;
};

// Fills a table window with the design check and the discretisation error
// and shows it modally, or hands it to shown instead (tests).
void ShowAccuracy(TBend& bend, QWidget* parent, const std::function<void(TTableWindow&)>& shown = {});

}  // namespace umbrinex
