// Typesets the user manual: Markdown in, PDF out, with Qt's own Markdown
// reader and PDF writer, and the same text as one HTML page for the help
// window. Pictures named in the text ("images/x.png") are taken from the
// image folder and scaled to the width of the text; the page finds copies
// of them in "images" beside it.
//
// A marker "{#topic-N}" in a heading or at the start of a paragraph names
// that block as help topic N: an anchor of the page, and nothing on paper.
// Every heading below the title is also the anchor "section-K", K counting
// the headings, for the help window's contents.
//
//   umbrinex-manual MANUAL.md OUTPUT.pdf [IMAGE_FOLDER [OUTPUT.html]]

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextTable>
#include <algorithm>
#include <utility>
#include <cstdio>

namespace {

constexpr double ImageShare = 0.85;  // of the width of the text

void AddImages(QTextDocument& document, const QString& folder)
{
  const QDir images(folder);
  for (const QFileInfo& file : images.entryInfoList({QStringLiteral("*.png")}, QDir::Files)) {
    const QImage image(file.filePath());
    if (!image.isNull())
      document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/") + file.fileName()), image);
  }
}

// Pictures keep their proportions but never run wider than the text, nor
// larger than on the screen (a small window's picture is not blown up).
void FitImages(QTextDocument& document, double available)
{
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isImageFormat()) continue;
      QTextImageFormat format = fragment.charFormat().toImageFormat();
      const QImage image = document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
      if (image.isNull()) continue;
      const double width = std::min(available * ImageShare, static_cast<double>(image.width()));
      format.setWidth(width);
      format.setHeight(width * image.height() / image.width());
      QTextCursor cursor(&document);
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(format);
    }
  }
}

// The markers taken out of the text, their names made anchors of their
// blocks, with a section anchor for each heading.
void SetAnchors(QTextDocument& document)
{
  static const QRegularExpression marker(QStringLiteral(R"(\s*\{#([A-Za-z0-9-]+)\}\s*)"));
  int section = 0;
  bool title = true;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    QStringList names;
    if (block.blockFormat().headingLevel() > 0 && !std::exchange(title, false))
      names.append(QStringLiteral("section-%1").arg(++section));
    for (auto match = marker.match(block.text()); match.hasMatch(); match = marker.match(block.text())) {
      names.append(match.captured(1));
      QTextCursor cursor(block);
      cursor.setPosition(block.position() + static_cast<int>(match.capturedStart()));
      cursor.setPosition(block.position() + static_cast<int>(match.capturedEnd()), QTextCursor::KeepAnchor);
      // A marker between words leaves one space.
      const bool between = match.capturedStart() > 0 && match.capturedEnd() < block.text().size();
      cursor.insertText(between ? QStringLiteral(" ") : QString());
    }
    // The page keeps one name of an anchor: each name has a character of its own.
    QTextCursor cursor(block);
    for (const QString& name : names) {
      if (cursor.position() + 1 >= block.position() + block.length()) break;
      cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
      QTextCharFormat format;
      format.setAnchor(true);
      format.setAnchorNames({name});
      cursor.mergeCharFormat(format);
      cursor.clearSelection();
    }
  }
}

// Headings in sizes that make a hierarchy on paper; every chapter after the
// title starts a page.
void FormatHeadings(QTextDocument& document)
{
  bool title = true;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const int level = block.blockFormat().headingLevel();
    if (level == 0) continue;
    QTextCursor cursor(block);
    QTextBlockFormat blockFormat = block.blockFormat();
    blockFormat.setTopMargin(level == 1 ? 0.0 : 10.0);
    blockFormat.setBottomMargin(4.0);
    if (level == 1 && !title) blockFormat.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(blockFormat);
    QTextCharFormat charFormat;
    charFormat.setFontPointSize(title ? 22.0 : level == 1 ? 16.0 : level == 2 ? 12.5 : 11.0);
    charFormat.setFontWeight(QFont::Bold);
    cursor.select(QTextCursor::BlockUnderCursor);
    cursor.mergeCharFormat(charFormat);
    if (level == 1) title = false;
  }
}

// Columns are laid out as browsers lay out tables: each at least as wide as
// its widest word, and the room left shared in proportion to how much more
// each column's texts would take unwrapped (up to a limit, so that long
// descriptions wrap rather than squeeze the names).
QList<QTextLength> ColumnWidths(QTextTable& table, const QFont& font, double available)
{
  constexpr double CellRoom = 10.0;  // padding and border
  const QFontMetricsF metrics(font);
  const double longestLine = 40.0 * metrics.averageCharWidth();
  const auto columns = static_cast<std::size_t>(table.columns());
  std::vector<double> least(columns, CellRoom), wanted(columns, CellRoom);
  for (int row = 0; row < table.rows(); ++row) {
    for (std::size_t column = 0; column < columns; ++column) {
      const QTextTableCell cell = table.cellAt(row, static_cast<int>(column));
      QTextCursor cursor = cell.firstCursorPosition();
      cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
      const QString text = cursor.selectedText();
      // Headings are bold: a tenth more.
      const double scale = row == 0 ? 1.1 : 1.0;
      for (const QString& word : text.split(u' ', Qt::SkipEmptyParts))
        least[column] = std::max(least[column], scale * metrics.horizontalAdvance(word) + CellRoom);
      wanted[column] =
          std::max(wanted[column], std::min(longestLine, scale * metrics.horizontalAdvance(text)) + CellRoom);
    }
  }
  double leastTotal = 0.0, extraTotal = 0.0;
  for (std::size_t column = 0; column < columns; ++column) {
    wanted[column] = std::max(wanted[column], least[column]);
    leastTotal += least[column];
    extraTotal += wanted[column] - least[column];
  }
  const double share = extraTotal > 0.0 ? std::max(0.0, available - leastTotal) / extraTotal : 0.0;
  std::vector<double> widths(columns);
  double total = 0.0;
  for (std::size_t column = 0; column < columns; ++column) {
    widths[column] = least[column] + std::min(1.0, share) * (wanted[column] - least[column]);
    total += widths[column];
  }
  QList<QTextLength> lengths;
  for (double width : widths) lengths.append(QTextLength(QTextLength::PercentageLength, 100.0 * width / total));
  return lengths;
}

void FormatTables(QTextFrame& frame, const QFont& font, double available)
{
  for (QTextFrame* child : frame.childFrames()) {
    if (auto* table = qobject_cast<QTextTable*>(child)) {
      QTextTableFormat format = table->format();
      format.setWidth(QTextLength(QTextLength::PercentageLength, 100.0));
      format.setColumnWidthConstraints(ColumnWidths(*table, font, available));
      format.setCellPadding(2.5);
      format.setCellSpacing(0.0);
      format.setBorder(1.0);
      format.setBorderBrush(QColor(0xB8, 0xC0, 0xCC));
      format.setBorderCollapse(true);
      format.setHeaderRowCount(1);
      table->setFormat(format);
      for (int column = 0; column < table->columns(); ++column) {
        QTextTableCell cell = table->cellAt(0, column);
        QTextCharFormat heading = cell.format();
        heading.setBackground(QColor(0xE8, 0xEC, 0xF2));
        cell.setFormat(heading);
      }
    }
    FormatTables(*child, font, available);
  }
}

// The page for the help window, with copies of its pictures in "images"
// beside it.
bool WriteHtml(const QTextDocument& document, const QString& output, const QString& imageFolder)
{
  const QDir folder = QFileInfo(output).absoluteDir();
  folder.mkpath(QStringLiteral("images"));
  QSet<QString> pictures;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().isImageFormat()) pictures.insert(it.fragment().charFormat().toImageFormat().name());
  for (const QString& picture : pictures) {
    const QString copy = folder.filePath(picture);
    QFile::remove(copy);
    if (!QFile::copy(QDir(imageFolder).filePath(QFileInfo(picture).fileName()), copy)) {
      std::fprintf(stderr, "cannot copy the picture %s to %s\n", qPrintable(picture), qPrintable(copy));
      return false;
    }
  }
  QFile page(output);
  if (!page.open(QIODevice::WriteOnly | QIODevice::Truncate) || page.write(document.toHtml().toUtf8()) < 0) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv)
{
  QGuiApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  if (arguments.size() < 3) {
    std::fprintf(stderr, "usage: umbrinex-manual MANUAL.md OUTPUT.pdf [IMAGE_FOLDER [OUTPUT.html]]\n");
    return 2;
  }
  QFile input(arguments[1]);
  if (!input.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(arguments[1]));
    return 1;
  }
  QTextDocument document;
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(9.5);
  document.setDefaultFont(font);
  document.setMarkdown(QString::fromUtf8(input.readAll()), QTextDocument::MarkdownDialectGitHub);
  // After the text: setting it clears the document's resources.
  if (arguments.size() > 3) AddImages(document, arguments[3]);
  // Printing lays the text out on A4 less 2 cm margins, in pixels of the
  // screen resolution, as the font's metrics measure.
  const double available = (210.0 - 40.0) / 25.4 * QFontMetricsF(font).fontDpi();
  FitImages(document, available);
  SetAnchors(document);
  FormatHeadings(document);
  FormatTables(*document.rootFrame(), font, available);

  document.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Umbrinex User Manual"));
  if (arguments.size() > 4 && !WriteHtml(document, arguments[4], arguments[3])) return 1;

  const QString output = arguments[2];
  QFile::remove(output);
  {
    QPdfWriter writer(output);
    writer.setTitle(QStringLiteral("Umbrinex User Manual"));
    writer.setCreator(QStringLiteral("Umbrinex"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    document.print(&writer);
  }
  if (QFileInfo(output).size() == 0) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
    return 1;
  }
  return 0;
}
