#include <gtest/gtest.h>

#include <algorithm>

#include <QFile>
#include <QImage>
#include <QRegularExpression>
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

// The dash pattern of every stroked group of an SVG that holds a line of at
// least minPoints points ("solid" for none), in the order drawn.
std::vector<std::string> DashPatterns(const QByteArray& svg, int minPoints)
{
  std::vector<std::string> patterns;
  const QString text = QString::fromUtf8(svg);
  static const QRegularExpression group(QStringLiteral("<g [^>]*>"));
  static const QRegularExpression dashes(QStringLiteral("stroke-dasharray=\"([^\"]*)\""));
  static const QRegularExpression line(QStringLiteral("<polyline[^>]*points=\"([^\"]*)\""));
  QString pattern;
  for (qsizetype at = 0; at < text.size();) {
    const QRegularExpressionMatch nextGroup = group.match(text, at), nextLine = line.match(text, at);
    if (!nextLine.hasMatch()) break;
    if (nextGroup.hasMatch() && nextGroup.capturedStart() < nextLine.capturedStart()) {
      const QRegularExpressionMatch dash = dashes.match(nextGroup.captured());
      pattern = dash.hasMatch() ? dash.captured(1) : QStringLiteral("solid");
      at = nextGroup.capturedEnd();
      continue;
    }
    if (nextLine.captured(1).split(u' ', Qt::SkipEmptyParts).size() >= minPoints)
      patterns.push_back(pattern.toStdString());
    at = nextLine.capturedEnd();
  }
  return patterns;
}

TEST_F(RenderedGraphs, MonochromeCurvesAndTheirLegendSamplesDifferByDashPattern)
{
  TGraphFileOptions options;
  options.LoadCase = 4;
  options.Monochrome = true;
  RenderGraphToFile(*bend, "Curvature Chart", Path("mono.svg"), options);
  const QByteArray mono = Read(Path("mono.svg"));
  // The two state curves run over all 47 stations.
  const std::vector<std::string> curves = DashPatterns(mono, 40);
  ASSERT_EQ(curves.size(), 2u);
  EXPECT_NE(curves[0], curves[1]) << curves[0];
  // Each pattern is drawn again, as the curve's sample in the legend.
  const std::vector<std::string> lines = DashPatterns(mono, 2);
  for (const std::string& pattern : curves) EXPECT_GE(std::count(lines.begin(), lines.end(), pattern), 2) << pattern;

  options.Monochrome = false;
  RenderGraphToFile(*bend, "Curvature Chart", Path("colour.svg"), options);
  EXPECT_EQ(DashPatterns(Read(Path("colour.svg")), 40), (std::vector<std::string>{"solid", "solid"}))
      << "in colour the curves keep their own pens";
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
  EXPECT_THROW(RenderGraphToFile(*bend, "Diameter", 1, Path("missing/folder.svg")), EFileError)
      << "a file error, as for any other file that cannot be written";
}

}  // namespace
}  // namespace umbrinex
