#include "desktop/kit/TextWindow.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextDocument>
#include <QVBoxLayout>
#include <memory>

#include "framework/data/DiskFile.h"
#include "desktop/kit/FileDialogs.h"
#include "desktop/kit/OutputMenu.h"
#include "desktop/kit/Printing.h"
#include "numerics/Errors.h"

namespace umbrinex {

std::string RichTextDocument(const std::string& text)
{
  std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\\f0\\fs20 ";
  const QString unicode = QString::fromUtf8(text.c_str(), static_cast<qsizetype>(text.size()));
  for (const QChar c : unicode) {
    const char16_t u = c.unicode();
    if (u == '\n')
      rtf += "\\par\n";
    else if (u == '\\' || u == '{' || u == '}')
      rtf.append(1, '\\').append(1, static_cast<char>(u));
    else if (u == '\r')
      continue;
    else if (u < 0x80)
      rtf += static_cast<char>(u);
    // Other characters as Unicode escapes, with '?' for readers without them.
    else
      rtf += "\\u" + std::to_string(static_cast<std::int16_t>(u)) + "?";
  }
  return rtf + "}";
}

TTextWindow::TTextWindow(QWidget* parent) : QDialog(parent), FEditor(new QPlainTextEdit(this)), FMenu(new QMenu(this))
{
  resize(700, 500);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FEditor);
  FEditor->setReadOnly(true);
  FEditor->setLineWrapMode(QPlainTextEdit::NoWrap);
  FEditor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  FEditor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(13);
  FEditor->setFont(font);
  FEditor->setContextMenuPolicy(Qt::NoContextMenu);
  TOutputMenu menu(FMenu);
  FCopy = menu.Command(QStringLiteral("&Copy"), [this] { Copy(); });
  menu.Command(QStringLiteral("Select &All"), [this] { SelectAll(); });
  menu.Separator();
  menu.Command(QStringLiteral("&Export.."), [this] { Export(); });
  menu.Command(QStringLiteral("&Print"), [this] { Print(); });
}

void TTextWindow::SetText(const std::string& text)
{
  FEditor->setPlainText(QString::fromStdString(text));
}

std::string TTextWindow::Text() const
{
  return FEditor->toPlainText().toStdString();
}

void TTextWindow::Copy()
{
  if (FEditor->textCursor().hasSelection()) FEditor->copy();
}

void TTextWindow::SelectAll()
{
  FEditor->selectAll();
}

void TTextWindow::Export()
{
  const std::string name =
      AskExportName({{".rtf", 255, "Rich Text Files (*.rtf)|*.rtf"}, {".txt", 255, "Text Files (*.txt)|*.txt"}});
  if (!name.empty()) ExportTo(name);
}

void TTextWindow::ExportTo(const std::string& fileName) const
{
  const bool rich =
      QFileInfo(QString::fromStdString(fileName)).suffix().compare(QStringLiteral("rtf"), Qt::CaseInsensitive) == 0;
  SaveTextFile(fileName, rich ? RichTextDocument(Text()) : Text());
}

void TTextWindow::Print()
{
  if (!PreparePrinter(windowTitle())) return;
  QPrinter& printer = ProgramPrinter();
  const QRectF area = PrintArea(printer);
  std::unique_ptr<QTextDocument> document(FEditor->document()->clone());
  document->setDefaultFont(FEditor->font());
  document->setPageSize(area.size());
  QPainter painter(&printer);
  for (int page = 0; page < document->pageCount(); ++page) {
    if (page > 0) printer.newPage();
    painter.save();
    painter.translate(area.left(), area.top() - page * area.height());
    document->drawContents(&painter, QRectF(0, page * area.height(), area.width(), area.height()));
    painter.restore();
  }
}

void TTextWindow::contextMenuEvent(QContextMenuEvent* event)
{
  FCopy->setEnabled(FEditor->textCursor().hasSelection());
  FMenu->exec(event->globalPos());
}

}  // namespace umbrinex
