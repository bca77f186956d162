#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "FileTestSupport.h"
#include "desktop/kit/TextWindow.h"
#include "numerics/Errors.h"

namespace umbrinex {
namespace {

TEST(TextWindow, ShowsReadOnlyFixedPitchTextWithoutWrapping)
{
  TTextWindow window;
  window.SetText("Load case 1\tState 1\nLoad case 2\tState 2");
  EXPECT_TRUE(window.Editor()->isReadOnly());
  EXPECT_EQ(window.Editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(window.Editor()->font().pixelSize(), 13);
  EXPECT_EQ(window.size(), QSize(700, 500));
}

TEST(TextWindow, CopiesOnlyASelection)
{
  TTextWindow window;
  window.SetText("first line\nsecond line");
  QApplication::clipboard()->setText(QStringLiteral("untouched"));
  window.Copy();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("untouched")) << "nothing selected";
  window.SelectAll();
  window.Copy();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("first line\nsecond line"));
}

TEST(TextWindow, ExportsRichTextOrPlainTextByTheExtension)
{
  QTemporaryDir folder;
  TTextWindow window;
  window.SetText("a {brace} and \\ slash\n\u00e9\u20ac");
  const std::string rtf = folder.filePath(QStringLiteral("log.rtf")).toStdString();
  const std::string txt = folder.filePath(QStringLiteral("log.txt")).toStdString();
  window.ExportTo(rtf);
  window.ExportTo(txt);
  QFile rich(QString::fromStdString(rtf));
  ASSERT_TRUE(rich.open(QIODevice::ReadOnly));
  const QByteArray richBytes = rich.readAll();
  EXPECT_TRUE(richBytes.startsWith("{\\rtf1\\ansi"));
  EXPECT_TRUE(richBytes.contains("a \\{brace\\} and \\\\ slash\\par\n\\u233?\\u8364?}"));
  QFile plain(QString::fromStdString(txt));
  ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
  EXPECT_EQ(plain.readAll(), QByteArray("a {brace} and \\ slash\n\xc3\xa9\xe2\x82\xac"));
  EXPECT_THROW(window.ExportTo("/no/such/folder/log.txt"), EExpected);
}

TEST(TextWindow, AnExportThatCannotBeWrittenLeavesThePreviousFile)
{
  QTemporaryDir folder;
  TTextWindow window;
  window.SetText(std::string(4096, 'x'));
  const QString locked = folder.filePath(QStringLiteral("locked.txt")),
                full = folder.filePath(QStringLiteral("log.txt"));
  for (const QString& name : {locked, full}) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("previous");
  }
  QFile::setPermissions(locked, QFileDevice::ReadOwner);
  EXPECT_THROW(window.ExportTo(locked.toStdString()), EFileError) << "a read-only file is not replaced";
  {
    testing::TFileSizeLimit limit(1024);
    EXPECT_THROW(window.ExportTo(full.toStdString()), EFileError) << "the disk is full";
  }
  for (const QString& name : {locked, full}) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("previous")) << name.toStdString();
  }
}

}  // namespace
}  // namespace umbrinex
