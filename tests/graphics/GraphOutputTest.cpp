#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "bend/Bend.h"
#include "graphics/GraphFiles.h"
#include "graphics/GraphOutput.h"

namespace umbrinex {
namespace {

TEST(GraphFiles, KindFollowsTheExtensionInAnyCase)
{
  EXPECT_EQ(GraphFileKind("a/chart.svg"), TGraphFileKind::Svg);
  EXPECT_EQ(GraphFileKind("chart.PDF"), TGraphFileKind::Pdf);
  EXPECT_EQ(GraphFileKind("chart.png"), TGraphFileKind::Png);
  EXPECT_EQ(GraphFileKind("chart.bmp"), TGraphFileKind::Bmp);
  for (const char* name : {"chart.emf", "chart", "charts.svg/chart"})
    EXPECT_THROW(GraphFileKind(name), EGraphOutputError);
}

TEST(GraphFiles, PicturesMeasure120MillimetresOnTheLongerSide)
{
  EXPECT_EQ(OutputSizeMm(QSizeF(600, 420)), QSizeF(120, 84));
  EXPECT_EQ(OutputSizeMm(QSizeF(300, 600)), QSizeF(60, 120));
}

class RenderedGraphs : public ::testing::Test {
 protected:
  void SetUp() override { bend = New<TBend>(); }
  std::string Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }
  QByteArray Read(const std::string& path) const
  {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  std::unique_ptr<TBend> bend;
  QTemporaryDir dir;
};

TEST_F(RenderedGraphs, SvgCarriesTheSizeTheTitleAndTheStateColoursUnlessMonochrome)
{
  TGraphFileOptions options;
  options.LoadCase = 4;
  options.Header = "Umbrinex: example.mxd";
  options.Monochrome = false;
  RenderGraphToFile(*bend, "Curvature Chart", Path("colour.svg"), options);
  const QByteArray svg = Read(Path("colour.svg"));
  EXPECT_TRUE(svg.contains("width=\"120mm\" height=\"84mm\""));
  EXPECT_TRUE(svg.contains("Umbrinex: example.mxd"));
  EXPECT_TRUE(svg.contains("(T=31, A=29)")) << "load case 4 in the Y title";
  EXPECT_TRUE(svg.contains("#ff0000") && svg.contains("#0000ff"));
  EXPECT_EQ(bend->SelectedLoadCase(), 3);

  options.Monochrome = true;
  RenderGraphToFile(*bend, "Curvature Chart", Path("mono.svg"), options);
  const QByteArray mono = Read(Path("mono.svg"));
  EXPECT_FALSE(mono.contains("#ff0000") || mono.contains("#0000ff") || mono.contains("#ff00ff"));
}

TEST_F(RenderedGraphs, PngAndPdfAreWrittenAtTheirSizes)
{
  RenderGraphToFile(*bend, "Design Chart", 1, Path("design.png"));
  const QImage image(QString::fromStdString(Path("design.png")));
  EXPECT_EQ(image.width(), 1417) << "120 mm at 300 dpi";
  EXPECT_EQ(image.height(), 992);
  RenderGraphToFile(*bend, "Performance Chart", 1, Path("performance.pdf"));
  EXPECT_TRUE(Read(Path("performance.pdf")).startsWith("%PDF"));
}

TEST_F(RenderedGraphs, UnknownNamesAndLoadCasesAreRefusedBeforeAnythingIsWritten)
{
  try {
    RenderGraphToFile(*bend, "Bending Chart", 1, Path("x.svg"));
    ADD_FAILURE();
  } catch (const EGraphOutputError& e) {
    EXPECT_STREQ(e.what(),
                 "Unknown graph \"Bending Chart\"; the graphs are Diameter, Stiffness, Design Chart, Performance "
                 "Chart, Performance Map, Deflection Chart, Curvature Chart, Strain Chart.");
  }
  EXPECT_THROW(RenderGraphToFile(*bend, "Strain Chart", 6, Path("x.svg")), EGraphOutputError);
  EXPECT_NO_THROW(RenderGraphToFile(*bend, "Diameter", 6, Path("diameter.svg"))) << "no load case needed";
  EXPECT_THROW(RenderGraphToFile(*bend, "Diameter", 1, Path("x.emf")), EGraphOutputError);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("x.svg"))));
  EXPECT_THROW(RenderGraphToFile(*bend, "Diameter", 1, Path("missing/folder.svg")), EGraphOutputError);
}

}  // namespace
}  // namespace umbrinex
