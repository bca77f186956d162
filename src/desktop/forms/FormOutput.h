#pragma once
// What a form offers to printing: which of its controls are
// written out and in what order, the text each control shows, and how each
// is drawn on paper or written as text. Data forms derive from this and
// override what they need; the output layout of a form only calls it.

#include <functional>

#include <QFrame>
#include <QString>

class QPainter;
class QTabWidget;
class QWidget;

namespace umbrinex {

// A plain container of controls; output writes its controls, not itself.
class TKitPanel : public QFrame {
 public:
  explicit TKitPanel(QWidget* parent = nullptr) : QFrame(parent) {}
};

class TFormOutput {
 public:
  virtual ~TFormOutput() = default;

  // The form being written out; its font measures and draws the text.
  virtual QWidget& OutputForm() = 0;
  // The heading of the form's output.
  virtual QString GetOutputCaption() const = 0;
  virtual bool CanOutput() const { return true; }
  // Visible page controls, edit boxes, group boxes, radio groups and panels;
  // tab sheets whose tab shows; visible labels whose focus control is
  // included; visible grids with a data row; visible drop-down lists with a
  // selection. Nothing else.
  virtual bool IncludeInOutput(const QWidget& control) const;
  // An explicit place in the output order, or -1 to go by position.
  virtual int OutputOrder(const QWidget& /*control*/) const { return -1; }
  virtual void BeginOutput() { Outputting = true; }
  virtual void EndOutput() { Outputting = false; }
  // Runs the output once per pass; a form that writes itself several times
  // (once per state, say) overrides this.
  virtual void ForEachOutputPass(const std::function<void()>& pass) { pass(); }
  // Draws one control with its top left at (x, y).
  virtual void PrintControl(QWidget& control, QPainter& canvas, int y, int x);

  // The text a control shows, without accelerator ampersands.
  static QString ControlText(const QWidget& control);

  // The line gap of the output layout: the text height of "A" in the form's
  // font, measured when the form is created.
  int LineGap = 0;
  // Set once the form's heading is printed in the current print run.
  bool HeadingPrinted = false;
  bool Outputting = false;

 protected:
  // Sets LineGap from the form's font.
  void MeasureLineGap();
};

// A tab sheet is a page of a page control; these find its page control and
// tell whether its tab shows.
QTabWidget* PageControlOf(const QWidget& control);
bool IsTabSheet(const QWidget& control);
bool TabVisible(const QWidget& sheet);
// Whether a control would show once its form shows (forms written out are
// never shown themselves).
bool ShowsOnForm(const QWidget& control);
// A caption without accelerator marks: "&&" stays as one "&".
QString StripAccelerators(const QString& caption);

}  // namespace umbrinex
