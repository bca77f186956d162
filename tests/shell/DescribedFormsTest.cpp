// The data forms on the screen and their text export come from one
// description each: the widgets stand where the text layout, working in the
// reference font without a window, believes them to stand.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>

#include "ShellTestSupport.h"
#include "bend/Bend.h"
#include "formdata/Captions.h"
#include "formdata/FormText.h"
#include "formdata/ReferenceFont.h"
#include "presentation/DataForms.h"
#include "shell/forms/DataForms.h"

namespace umbrinex::testing {
namespace {

class DescribedForms : public TShellTest {
 protected:
  std::unique_ptr<TBend> Bend = New<TBend>();

  void SetUp() override
  {
    TShellTest::SetUp();
    const QFontInfo font(QApplication::font());
    if (font.family() != QStringLiteral("DejaVu Sans") || font.pixelSize() != 12)
      GTEST_SKIP() << "the desktop's form font here is " << font.family().toStdString() << " "
                   << font.pixelSize() << " px, not the font the text export measures in";
  }
};

TEST_F(DescribedForms, TheFormFontMeasuresAsTheReferenceFontForEveryCaption)
{
  const QFontMetrics metrics(QApplication::font());
  const QFontMetricsF exact(QApplication::font());
  EXPECT_EQ(metrics.height(), ReferenceFont::Height);
  EXPECT_DOUBLE_EQ(exact.height(), ReferenceFont::ExactHeight);
  EXPECT_EQ(metrics.averageCharWidth(), ReferenceFont::AverageCharWidth);
  EXPECT_DOUBLE_EQ(exact.horizontalAdvance(QStringLiteral("0123456789")) / 10.0, ReferenceFont::DigitWidth);
  EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("XXXXXXXXXX")), ReferenceFont::RoundedAdvance("XXXXXXXXXX"));
  std::vector<std::string> texts = {"Umbrinex Design Example", "Tessan Ltd", "A.N. Other", "Stiffness Power Law",
                                    "Material 1", "Design Chart ranges", "\xC3\xA9lan, \xC2\xB0" "C \xC3\xBC"};
  for (int position = 0; position < DataFormCount; ++position)
    for (const TControlDescription& control : DataFormDescription(position).Controls) {
      texts.push_back(ExpandCaption(control.Caption, Bend.get()));
      texts.push_back(StripAccelerators(ExpandCaption(control.Caption, Bend.get())));
    }
  for (const std::string& text : texts)
    EXPECT_DOUBLE_EQ(exact.horizontalAdvance(QString::fromStdString(text)), ReferenceFont::Advance(text)) << text;
}

TEST_F(DescribedForms, EveryWidgetStandsWhereTheTextLayoutPlacesIt)
{
  const std::vector<TModelObject*> objects = DataObjectSequence(*Bend);
  for (int position = 0; position < DataFormCount; ++position) {
    const TFormDescription& description = DataFormDescription(position);
    std::unique_ptr<TTessanDataForm> made = CreateDataForm(*objects[static_cast<std::size_t>(position)], false, nullptr);
    auto& form = dynamic_cast<TBendDataForm&>(*made);
    const TFormText text(description, *Bend);
    for (int i = 0; i < static_cast<int>(description.Controls.size()); ++i) {
      const QWidget& widget = *form.Controls().Widget(i);
      const std::string where = description.Caption + ", control " + std::to_string(i);
      const QPoint at = widget.mapTo(&form, QPoint(0, 0));
      EXPECT_EQ(at.x(), text.Left(i)) << where;
      EXPECT_EQ(at.y(), text.Top(i)) << where;
      const TControlKind kind = description.Controls[static_cast<std::size_t>(i)].Kind;
      if (kind == TControlKind::TabBar || kind == TControlKind::Button) continue;
      EXPECT_EQ(widget.width(), text.Width(i)) << where;
      if (kind != TControlKind::Grid) {
        EXPECT_EQ(widget.height(), text.Height(i)) << where;
      }
    }
    EXPECT_EQ(form.windowTitle().toStdString(), description.Caption);
  }
}

}  // namespace
}  // namespace umbrinex::testing
