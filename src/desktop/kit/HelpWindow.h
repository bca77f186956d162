#pragma once
// The help window: the manual's HTML page (Umbrinex.html, found where the
// PDF manual is) with its contents on the left, a search field, Back,
// Forward and Print. One window serves the whole program; help topics are
// the page's anchors "topic-N".

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace umbrinex {

class THelpWindow : public QWidget {
 public:
  explicit THelpWindow(const QString& manual);

  // Shows the entry of topic, else that of fallback, else the beginning.
  void ShowTopic(int topic, int fallback = 0);
  bool HasTopic(int topic) const;
  // Selects the next place after the cursor that holds text, wrapping round
  // to the beginning; false when the page holds it nowhere.
  bool FindNext(const QString& text);

  QTextBrowser& Browser() const { return *FBrowser; }
  QTreeWidget& Contents() const { return *FContents; }
  QLineEdit& SearchField() const { return *FSearch; }
  // The anchor now shown ("topic-21021"); empty at the top of the page.
  QString CurrentAnchor() const;

 private:
  void Load(const QString& manual);
  void FillContents();
  void OpenContentsItem(QTreeWidgetItem* item);
  void Print();
  QWidget* MakeToolBar();

  QTextBrowser* FBrowser;
  QTreeWidget* FContents;
  QLineEdit* FSearch;
  QLabel* FSearchResult;
  QToolButton* FBack;
  QToolButton* FForward;
  QStringList FAnchors;
};

// The program's help window, made when first asked for and raised when open.
THelpWindow& HelpWindow();
// Opens the help window at a topic (with the form's topic to fall back on).
void ShowHelp(int topic = 0, int fallback = 0);
// Closes the help window if one is open.
void CloseHelpWindow();
// The page the help window shows instead of the one it would find; an empty
// name goes back to finding it.
void UseManualPage(const std::string& fileName);

}  // namespace umbrinex
