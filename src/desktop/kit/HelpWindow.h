#pragma once
// The help window: the manual's HTML page (Umbrinex.html, found where the
// PDF manual is) with its contents on the left, a search field, Back,
// Forward and Print. One window serves the whole program; help topics are
// the page's anchors "topic-N".

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QTextBlock;
class QTextBrowser;
class QTextCursor;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

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
  // Selects the entry of an item or section of that name (in any letter
  // case); false when there is none.
  bool FindEntry(const QString& name);

  QTextBrowser& Browser() const { return *FBrowser; }
  QTreeWidget& Contents() const { return *FContents; }
  QLineEdit& SearchField() const { return *FSearch; }
  // The anchor now shown ("topic-21021"); empty at the top of the page.
  QString CurrentAnchor() const;
  // Prints the whole manual, pictures included, on the program's printer
  // (into a PDF file when no printer is installed).
  void Print();

 private:
  void Load(const QString& manual);
  void FillContents();
  void OpenContentsItem(QTreeWidgetItem* item);
  // Marks in the contents the section at the top of the page shown, or
  // that of the anchor gone to.
  void FollowScrolling();
  void FollowAnchor(const QUrl& url);
  QTreeWidgetItem* SectionAt(int position) const;
  void MarkSection(QTreeWidgetItem* section);
  void AddEntry(const QTextBlock& block);
  void ShowFound(const QTextCursor& found);
  QWidget* MakeToolBar();

  QTextBrowser* FBrowser;
  QTreeWidget* FContents;
  QLineEdit* FSearch;
  QLabel* FSearchResult;
  QToolButton* FBack;
  QToolButton* FForward;
  // Every anchor of the page with its place in the text.
  QHash<QString, int> FAnchors;
  // Where each section of the contents begins in the page, in order.
  std::vector<std::pair<int, QTreeWidgetItem*>> FSectionStarts;
  // The entries of the help topics by their names in lower case: where each
  // name stands in the text and its length.
  struct TEntry {
    int Position;
    int Length;
  };
  QHash<QString, TEntry> FEntries;
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
