#pragma once
// Tab controls, and page controls that come back on the page the user left
// them on, for as long as the program runs.

#include <QTabBar>
#include <QTabWidget>

namespace umbrinex {

class TKitTabControl : public QTabBar {
  Q_OBJECT

 public:
  explicit TKitTabControl(QWidget* parent = nullptr);
};

class TKitPageControl : public QTabWidget {
  Q_OBJECT

 public:
  explicit TKitPageControl(QWidget* parent = nullptr);
  ~TKitPageControl() override;

  // The object name of the page shown first; the first page when empty.
  QString DefaultPage;
  // Once the pages are there: the default page, then the page this control
  // was left on the last time, if it still has one of that name. Runs by
  // itself when the control first shows.
  void PagesLoaded();
  // The parents' names from the outermost down to this control, joined by
  // ".", and ".ActivePage".
  QString RememberKey() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool FLoaded = false;
};

// The page remembered under a key, empty when none is.
QString RememberedPage(const QString& key);

}  // namespace umbrinex
