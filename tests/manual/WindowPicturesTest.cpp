// The manual's pictures of the windows: each window pictured once, under
// the name the manual gives it, whole and drawn, and nothing written when
// the pictures would show something other than the design asked for.

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include <QApplication>
#include <QDir>
#include <QStackedWidget>

#include "WindowPictures.h"
#include "shell/ShellTestSupport.h"
#include "presentation/DataForms.h"
#include "shell/MainPanels.h"
#include "shell/forms/DataForms.h"

namespace umbrinex::testing {
namespace {

// How many colours a part of a picture holds: a blank part holds one.
int Colours(const QImage& image, const QRect& part)
{
  std::set<QRgb> colours;
  for (int y = part.top(); y <= part.bottom(); ++y)
    for (int x = part.left(); x <= part.right(); ++x) colours.insert(image.pixel(x, y));
  return static_cast<int>(colours.size());
}

TEST(PictureNames, AreTheTitleInLowerCaseWithItsWordsJoinedByHyphens)
{
  EXPECT_EQ(PictureName(QStringLiteral("Bend Stiffener Data")), QStringLiteral("bend-stiffener-data"));
  EXPECT_EQ(PictureName(QStringLiteral("Mould Data")), QStringLiteral("mould-data"));
  // Punctuation and runs of spaces make one hyphen, and none at either end.
  EXPECT_EQ(PictureName(QStringLiteral("  Load Case  Data (4) ")), QStringLiteral("load-case-data-4"));
  EXPECT_EQ(PictureName(QStringLiteral("Umbrinex - Dynamic Riser.mxd")), QStringLiteral("umbrinex-dynamic-riser-mxd"));
}

class WindowPictures : public TShellTest {
 protected:
  std::unique_ptr<TMainForm> MainForm(const QString& design = {})
  {
    QStringList arguments = {QStringLiteral("umbrinex")};
    if (!design.isEmpty()) arguments.append(design);
    return CreateMainForm(arguments);
  }
  static int PngFiles(const QString& folder)
  {
    return static_cast<int>(QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files).size());
  }
};

TEST_F(WindowPictures, EveryDataFormIsPicturedWholeUnderTheNameOfItsTitleAndClosed)
{
  std::unique_ptr<TMainForm> form = MainForm();
  const std::vector<TWindowPicture> pictures = DataFormPictures(*form);
  ASSERT_EQ(static_cast<int>(pictures.size()), DataFormCount);
  const std::vector<TModelObject*> objects = DataObjectSequence(form->Model());
  for (int i = 0; i < DataFormCount; ++i) {
    const TWindowPicture& picture = pictures[static_cast<std::size_t>(i)];
    const QString title = QString::fromStdString(DataFormDescription(i).Caption);
    EXPECT_EQ(picture.Name, PictureName(title));
    std::unique_ptr<TTessanDataForm> again = CreateDataForm(*objects[static_cast<std::size_t>(i)], false, form.get());
    again->show();
    QApplication::processEvents();
    EXPECT_EQ(picture.Image.size(), again->size()) << title.toStdString();
    EXPECT_FALSE(picture.Image.hasAlphaChannel()) << title.toStdString();
    // Captions, boxes and buttons, not a bare background.
    EXPECT_GT(Colours(picture.Image, picture.Image.rect()), 20) << title.toStdString();
  }
  for (QWidget* window : QApplication::topLevelWidgets())
    EXPECT_FALSE(qobject_cast<TTessanDataForm*>(window) && window->isVisible()) << "a form left open";
}

TEST_F(WindowPictures, TheMainWindowIsPicturedAtItsSizeWithTheGeneralArrangementDrawn)
{
  std::unique_ptr<TMainForm> form = MainForm();
  const TWindowPicture picture = MainWindowPicture(*form);
  EXPECT_EQ(picture.Name, QStringLiteral("main-window"));
  EXPECT_EQ(picture.Image.size(), QSize(MainWindowPictureWidth, MainWindowPictureHeight));
  QStackedWidget& results = *form->Panels().ResultsPanel();
  const QRect area(results.mapTo(form.get(), QPoint(0, 0)), results.size());
  ASSERT_TRUE(picture.Image.rect().contains(area));
  EXPECT_GT(Colours(picture.Image, area), 20);
}

TEST_F(WindowPictures, TheMainWindowShowsTheDesignOfItsCommandLine)
{
  const std::string design = WriteDesign(Folder.File("riser.mxd"), "Pictured riser");
  std::unique_ptr<TMainForm> form = MainForm(QString::fromStdString(design));
  MainWindowPicture(*form);
  EXPECT_EQ(form->Model().GetText(vnProject, 0), "Pictured riser");
}

TEST_F(WindowPictures, OnePngFileIsWrittenForEachWindowIntoAFolderMadeForThem)
{
  const QString folder = QString::fromStdString(Folder.File("build/images"));
  const std::vector<std::string> written = WriteWindowPictures(folder, {QStringLiteral("umbrinex")});
  EXPECT_EQ(static_cast<int>(written.size()), 1 + DataFormCount);
  EXPECT_EQ(PngFiles(folder), 1 + DataFormCount);
  EXPECT_EQ(QImage(folder + QStringLiteral("/main-window.png")).size(),
            QSize(MainWindowPictureWidth, MainWindowPictureHeight));
  EXPECT_FALSE(QImage(folder + QStringLiteral("/load-case-data.png")).isNull());
}

TEST_F(WindowPictures, NothingIsWrittenWhenTheDesignCannotBeRead)
{
  WriteText(Folder.File("broken.mxd"), "not a design");
  const QString folder = QString::fromStdString(Folder.File("images"));
  for (const std::string& design : {Folder.File("broken.mxd"), Folder.File("missing.mxd")}) {
    EXPECT_THROW(WriteWindowPictures(folder, {QStringLiteral("umbrinex"), QString::fromStdString(design)}),
                 std::runtime_error)
        << design;
    EXPECT_EQ(PngFiles(folder), 0) << design;
  }
}

}  // namespace
}  // namespace umbrinex::testing
