#include "desktop/kit/HelpWindow.h"

#include <algorithm>
#include <filesystem>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/FileNames.h"
#include "desktop/kit/Help.h"
#include "desktop/kit/Printing.h"
#include "desktop/kit/Program.h"

namespace umbrinex {

namespace {

QString TopicAnchor(int topic)
{
  return QStringLiteral("topic-%1").arg(topic);
}

std::string& ManualPageOverride()
{
  static std::string page;
  return page;
}

QPointer<THelpWindow>& TheHelpWindow()
{
  static QPointer<THelpWindow> window;
  return window;
}

QString FindManualPage()
{
  if (!ManualPageOverride().empty()) return QString::fromStdString(ManualPageOverride());
  return QString::fromStdString(FindManualFile(ManualHtmlName, ProgramFolder()));
}

QToolButton* Button(const QString& text, const QString& tip, QWidget* parent)
{
  auto* button = new QToolButton(parent);
  button->setText(text);
  button->setToolTip(tip);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  return button;
}

}  // namespace

THelpWindow::THelpWindow(const QString& manual)
    : FBrowser(new QTextBrowser(this)),
      FContents(new QTreeWidget(this)),
      FSearch(new QLineEdit(this)),
      FSearchResult(new QLabel(this)),
      FBack(Button(QStringLiteral("< &Back"), QStringLiteral("Back (Alt+Left)"), this)),
      FForward(Button(QStringLiteral("&Forward >"), QStringLiteral("Forward (Alt+Right)"), this))
{
  setWindowTitle(QStringLiteral("Help - %1 User Manual").arg(QString::fromStdString(Program().Name)));
  setAttribute(Qt::WA_DeleteOnClose);
  // The program ends with its main window, whether help is open or not.
  setAttribute(Qt::WA_QuitOnClose, false);
  FContents->setHeaderHidden(true);
  FContents->setObjectName(QStringLiteral("HelpContents"));
  FBrowser->setObjectName(QStringLiteral("HelpPage"));
  // Links within the manual are followed here; nothing starts another program.
  FBrowser->setOpenLinks(false);
  connect(FBrowser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    const QUrl target = FBrowser->source().resolved(url);
    if (target.isLocalFile() && target.path() == FBrowser->source().path())
      FBrowser->setSource(target);
    else
      FSearchResult->setText(QStringLiteral("Not opened here: ") + url.toString());
  });
  auto* splitter = new QSplitter(this);
  splitter->addWidget(FContents);
  splitter->addWidget(FBrowser);
  splitter->setStretchFactor(1, 3);
  splitter->setSizes({260, 640});
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeToolBar());
  layout->addWidget(splitter, 1);
  connect(FContents, &QTreeWidget::itemActivated, this, &THelpWindow::OpenContentsItem);
  connect(FContents, &QTreeWidget::itemClicked, this, &THelpWindow::OpenContentsItem);
  connect(FBrowser->verticalScrollBar(), &QScrollBar::valueChanged, this, &THelpWindow::FollowScrolling);
  connect(FBrowser, &QTextBrowser::sourceChanged, this, &THelpWindow::FollowAnchor);
  resize(920, 640);
  Load(manual);
}

QWidget* THelpWindow::MakeToolBar()
{
  auto* bar = new QWidget(this);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  QToolButton* print = Button(QStringLiteral("&Print.."), QStringLiteral("Print the manual"), bar);
  QToolButton* next = Button(QStringLiteral("Find &Next"), QStringLiteral("The next place (F3)"), bar);
  next->setShortcut(QKeySequence(Qt::Key_F3));
  FBack->setShortcut(QKeySequence(QKeySequence::Back));
  FForward->setShortcut(QKeySequence(QKeySequence::Forward));
  FBack->setEnabled(false);
  FForward->setEnabled(false);
  auto* searchLabel = new QLabel(QStringLiteral("&Search:"), bar);
  searchLabel->setBuddy(FSearch);
  FSearch->setPlaceholderText(QStringLiteral("text in the manual"));
  FSearch->setClearButtonEnabled(true);
  for (QWidget* w : std::initializer_list<QWidget*>{FBack, FForward, print, searchLabel, FSearch, next})
    layout->addWidget(w);
  layout->addWidget(FSearchResult, 1);
  connect(FBack, &QToolButton::clicked, FBrowser, &QTextBrowser::backward);
  connect(FForward, &QToolButton::clicked, FBrowser, &QTextBrowser::forward);
  connect(FBrowser, &QTextBrowser::backwardAvailable, FBack, &QWidget::setEnabled);
  connect(FBrowser, &QTextBrowser::forwardAvailable, FForward, &QWidget::setEnabled);
  connect(print, &QToolButton::clicked, this, [this] { Guarded([this] { Print(); }); });
  connect(next, &QToolButton::clicked, this, [this] { FindNext(FSearch->text()); });
  connect(FSearch, &QLineEdit::returnPressed, this, [this] { FindNext(FSearch->text()); });
  // Typing shows the entry of that name, else searches again from the top,
  // so the first place is found first.
  connect(FSearch, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (FindEntry(text)) return;
    FBrowser->moveCursor(QTextCursor::Start);
    FindNext(text);
  });
  return bar;
}

void THelpWindow::Load(const QString& manual)
{
  if (manual.isEmpty() || !QFileInfo::exists(manual)) {
    const std::string folder = ProgramFolder();
    FBrowser->setHtml(
        QStringLiteral("<h2>The manual is missing</h2><p>Cannot find file %1, neither in %2 nor in %3.</p>")
            .arg(QString::fromUtf8(ManualHtmlName), QString::fromStdString(folder).toHtmlEscaped(),
                 QString::fromStdString(InstalledDataFolder(folder)).toHtmlEscaped()));
    return;
  }
  FBrowser->setSource(QUrl::fromLocalFile(manual));
  // The page itself is the first place in the history.
  FBrowser->clearHistory();
  FillContents();
}

void THelpWindow::FillContents()
{
  FContents->clear();
  FAnchors.clear();
  FSectionStarts.clear();
  FEntries.clear();
  std::vector<QTreeWidgetItem*> parents;
  for (QTextBlock block = FBrowser->document()->begin(); block.isValid(); block = block.next()) {
    QString anchor;
    bool topic = false;
    for (auto it = block.begin(); !it.atEnd(); ++it)
      for (const QString& name : it.fragment().charFormat().anchorNames()) {
        FAnchors.insert(name, it.fragment().position());
        if (anchor.isEmpty() && name.startsWith(QStringLiteral("section-"))) anchor = name;
        topic = topic || name.startsWith(QStringLiteral("topic-"));
      }
    const int level = block.blockFormat().headingLevel();
    if (topic) AddEntry(block);
    // The title is the page's own; chapters and sections make the contents.
    if (level == 0 || level > 3 || anchor.isEmpty()) continue;
    while (static_cast<int>(parents.size()) >= level) parents.pop_back();
    auto* item = parents.empty() ? new QTreeWidgetItem(FContents) : new QTreeWidgetItem(parents.back());
    item->setText(0, block.text().trimmed());
    item->setData(0, Qt::UserRole, anchor);
    parents.push_back(item);
    FSectionStarts.emplace_back(block.position(), item);
  }
}

QTreeWidgetItem* THelpWindow::SectionAt(int position) const
{
  auto after = std::upper_bound(FSectionStarts.begin(), FSectionStarts.end(), position,
                                [](int p, const auto& start) { return p < start.first; });
  return after == FSectionStarts.begin() ? nullptr : std::prev(after)->second;
}

void THelpWindow::MarkSection(QTreeWidgetItem* section)
{
  if (section == FContents->currentItem()) return;
  FContents->setCurrentItem(section);
  if (section) FContents->scrollToItem(section);
}

void THelpWindow::FollowAnchor(const QUrl& url)
{
  const auto anchor = FAnchors.constFind(url.fragment());
  if (anchor == FAnchors.cend()) return FollowScrolling();
  MarkSection(SectionAt(*anchor));
}

void THelpWindow::FollowScrolling()
{
  QTextDocument& document = *FBrowser->document();
  const QAbstractTextDocumentLayout& layout = *document.documentLayout();
  const QScrollBar& scroll = *FBrowser->verticalScrollBar();
  // The section whose heading is at or above the top of the page shown; a
  // heading not laid out yet is further down.
  const double top = scroll.value() + 1.0;
  auto below = std::partition_point(FSectionStarts.begin(), FSectionStarts.end(), [&](const auto& start) {
    const QRectF heading = layout.blockBoundingRect(document.findBlock(start.first));
    return !heading.isEmpty() && heading.top() <= top;
  });
  QTreeWidgetItem* section = below == FSectionStarts.begin() ? nullptr : std::prev(below)->second;
  MarkSection(section);
}

void THelpWindow::AddEntry(const QTextBlock& block)
{
  // An entry is named by its heading, or by the bold words it begins with.
  TEntry entry{block.position(), 0};
  if (block.blockFormat().headingLevel() > 0) {
    entry.Length = block.length() - 1;
  } else {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.charFormat().fontWeight() >= QFont::Bold)
        entry.Length = fragment.position() + fragment.length() - entry.Position;
      else if (entry.Length > 0 || !fragment.text().trimmed().isEmpty())
        break;
    }
  }
  const QString name = block.text().left(entry.Length).trimmed().toLower();
  // The first entry of a name is its main one.
  if (!name.isEmpty() && !FEntries.contains(name)) FEntries.insert(name, entry);
}

bool THelpWindow::FindEntry(const QString& name)
{
  const auto entry = FEntries.constFind(name.trimmed().toLower());
  if (entry == FEntries.cend()) return false;
  QTextCursor cursor(FBrowser->document());
  cursor.setPosition(entry->Position);
  cursor.setPosition(entry->Position + entry->Length, QTextCursor::KeepAnchor);
  ShowFound(cursor);
  return true;
}

void THelpWindow::OpenContentsItem(QTreeWidgetItem* item)
{
  if (!item) return;
  QUrl url = FBrowser->source();
  url.setFragment(item->data(0, Qt::UserRole).toString());
  if (url != FBrowser->source()) FBrowser->setSource(url);
}

bool THelpWindow::HasTopic(int topic) const
{
  return topic > 0 && FAnchors.contains(TopicAnchor(topic));
}

void THelpWindow::ShowTopic(int topic, int fallback)
{
  QUrl url = FBrowser->source();
  if (url.isEmpty()) return;
  if (HasTopic(topic))
    url.setFragment(TopicAnchor(topic));
  else if (HasTopic(fallback))
    url.setFragment(TopicAnchor(fallback));
  else
    url.setFragment(QString());
  if (url != FBrowser->source()) FBrowser->setSource(url);
}

QString THelpWindow::CurrentAnchor() const
{
  return FBrowser->source().fragment();
}

bool THelpWindow::FindNext(const QString& text)
{
  FSearchResult->clear();
  if (text.isEmpty()) return false;
  QTextDocument& document = *FBrowser->document();
  QTextCursor found = document.find(text, FBrowser->textCursor());
  if (found.isNull()) found = document.find(text, 0);
  if (found.isNull()) {
    FSearchResult->setText(QStringLiteral("\"%1\" is not in the manual.").arg(text));
    return false;
  }
  ShowFound(found);
  return true;
}

void THelpWindow::ShowFound(const QTextCursor& found)
{
  FSearchResult->clear();
  FBrowser->setTextCursor(found);
  // The place a third of the way down, with what comes before it in view.
  QScrollBar& scroll = *FBrowser->verticalScrollBar();
  scroll.setValue(scroll.value() + FBrowser->cursorRect().top() - FBrowser->viewport()->height() / 3);
}

void THelpWindow::Print()
{
  if (!PreparePrinter(windowTitle())) return;
  FBrowser->print(&ProgramPrinter());
}

THelpWindow& HelpWindow()
{
  QPointer<THelpWindow>& window = TheHelpWindow();
  if (!window) {
    window = new THelpWindow(FindManualPage());
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, window, &QObject::deleteLater);
  }
  return *window;
}

void ShowHelp(int topic, int fallback)
{
  THelpWindow& window = HelpWindow();
  window.ShowTopic(topic, fallback);
  window.show();
  // A form open blocks every window but its own: the help opened from it
  // belongs to it, so that it can be read, searched and closed while the
  // form stays open. Opened from elsewhere, it stands on its own.
  QWidget* modal = QApplication::activeModalWidget();
  if (QWindow* handle = window.windowHandle())
    handle->setTransientParent(modal != nullptr && modal != &window ? modal->windowHandle() : nullptr);
  window.raise();
  window.activateWindow();
}

void CloseHelpWindow()
{
  if (QPointer<THelpWindow>& window = TheHelpWindow()) delete window.data();
}

void UseManualPage(const std::string& fileName)
{
  ManualPageOverride() = fileName;
  CloseHelpWindow();
}

}  // namespace umbrinex
