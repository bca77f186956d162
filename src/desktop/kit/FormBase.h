#pragma once
// What every form of the program shares, the main window and the modal
// data forms alike: the process-wide form list, the busy state told to
// every form, the lazy refresh (a form marked out of date refreshes once,
// before it next paints), Escape closing a form that asks for it, and
// placement on the screen.

#include <vector>

#include <QPoint>
#include <QRect>
#include <QSize>

class QKeyEvent;
class QWidget;

namespace umbrinex {

class TFormBase {
 public:
  explicit TFormBase(QWidget& window);
  virtual ~TFormBase();
  TFormBase(const TFormBase&) = delete;
  TFormBase& operator=(const TFormBase&) = delete;

  QWidget& Window() const { return FWindow; }

  // Every form in creation order; a form leaves the list when destroyed.
  static const std::vector<TFormBase*>& Forms();
  // The active modal form, else the active window, else the form shown
  // last: the one a change of data repaints.
  static TFormBase* ActiveForm();

  // Re-reads what the controls alone cannot (panels shown, tabs selected).
  virtual void RefreshData() {}
  // Called on every form when the program's busy state begins and ends.
  virtual void BusyChanged(bool /*busy*/) {}

  // Marks the form out of date: its controls re-read their items now and
  // the rest is brought up to date before the next paint.
  virtual void Invalidate();
  void EnsureUpToDate();
  bool UpToDate() const { return FUpToDate; }
  bool Refreshing() const { return FRefreshing; }

  // A plain Escape closes the form (result and comparison windows).
  bool CloseOnEscape = false;
  // Menu shortcuts are honoured; switched off for every form while a tree
  // label is edited in place.
  bool ShortcutsEnabled() const { return FShortcutsEnabled; }
  void SetShortcutsEnabled(bool enabled);
  static void SetAllShortcutsEnabled(bool enabled);

  // ---- placement ----
  // max(width, height) / 50 of the primary monitor, 20 without one.
  static int ScreenMargin();
  // Near the owner's top left corner, one margin in, and on the screen.
  void PlaceNearOwner(QWidget* owner);
  // Moved, with a margin round it, onto the monitor it is on.
  void KeepOnScreen();
  // The client area just holds the visible controls, with the smallest
  // left edge as margin on both sides and below.
  void FitToControls();
  // A client size given at the design's 96 dots per inch, scaled to the
  // screen's.
  void SetClientSizeScaled(int width, int height);

 protected:
  // Every control on the form re-reads its item.
  virtual void InvalidateControls() {}
  // Embedded frames refresh after RefreshData.
  virtual void RefreshFrames() {}
  // True when the key was a plain Escape that closed the form.
  bool HandleEscape(QKeyEvent* event);
  // Forms call this first in their destructors: no refresh from then on.
  void BeginDestruction() { FDestroying = true; }

 private:
  static void NotifyBusyChanged(bool busy);
  QWidget& FWindow;
  bool FUpToDate = false;
  bool FControlsStale = false;
  bool FRefreshing = false;
  bool FDestroying = false;
  bool FShortcutsEnabled = true;
};

// The placement rules without a screen, for the forms and their tests.
int ScreenMarginFor(const QSize& primaryMonitor);
QSize ScaledClientSize(const QSize& designSize, int screenDotsPerInch);

}  // namespace umbrinex
