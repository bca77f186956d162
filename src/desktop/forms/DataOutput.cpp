#include "desktop/forms/DataOutput.h"

#include <climits>
#include <filesystem>

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPrinter>

#include "framework/data/Messages.h"
#include "desktop/forms/DataForm.h"
#include "desktop/forms/FormLayout.h"
#include "desktop/kit/Printing.h"

namespace umbrinex {

namespace {

// The form's output, ended also when a pass fails.
class TOutputRun {
 public:
  explicit TOutputRun(TTessanDataForm& form) : FForm(form) { FForm.BeginOutput(); }
  ~TOutputRun() { FForm.EndOutput(); }
  TOutputRun(const TOutputRun&) = delete;
  TOutputRun& operator=(const TOutputRun&) = delete;

 private:
  TTessanDataForm& FForm;
};

}  // namespace

void ForEachOutputForm(const TDataOutputSource& source, const std::function<void(TTessanDataForm&)>& beginForm,
                       const std::function<void(TTessanDataForm&)>& pass)
{
  for (TModelObject* object : source.Objects) {
    std::unique_ptr<TTessanDataForm> form = source.MakeForm(*object);
    if (!form || !form->CanOutput()) continue;
    form->EnsureUpToDate();
    TOutputRun run(*form);
    beginForm(*form);
    form->ForEachOutputPass([&] { pass(*form); });
  }
}

// ---- paper ----

std::string PrintJobTitle(const std::string& designFileName)
{
  std::string title = "Umbrinex Data";
  if (!designFileName.empty()) title += ": " + std::filesystem::path(designFileName).filename().string();
  if (const auto dot = title.find('.'); dot != std::string::npos) title.erase(dot);
  return title;
}

std::string TPrintData::JobTitle() const { return PrintJobTitle(FSource.DesignFileName); }

namespace {

// The scale that keeps every label's text uncut on the printer.
double LabelScale(QWidget& form, QPaintDevice& printer, double r)
{
  double scale = 1.0;
  const QFontMetricsF onForm(form.font());
  const QFontMetricsF onPrinter(form.font(), &printer);
  for (const QLabel* label : form.findChildren<QLabel*>()) {
    const double width = onForm.horizontalAdvance(label->text());
    if (width > 0) scale = std::max(scale, onPrinter.horizontalAdvance(label->text()) / r / width);
  }
  return scale;
}

}  // namespace

void TPrintData::Run(QPrinter& printer)
{
  QPainter device;
  if (!device.begin(&printer)) throw EUmbrinexError("Cannot start printing.");
  const QRectF area = PrintArea(printer);
  const double r = printer.logicalDpiY() / 96.0;
  const QSize logical(static_cast<int>(area.width() / r), static_cast<int>(area.height() / r));
  // The page is drawn in screen pixels, mapped so that the logical page
  // fills the print area.
  QPainter& canvas = device;
  auto map = [&] {
    canvas.setViewport(area.toRect());
    canvas.setWindow(0, 0, logical.width(), logical.height());
  };
  map();
  FPage = 1;
  int y = 0;
  int headerHeight = 0;
  auto header = [&](TTessanDataForm& form) {
    canvas.setFont(form.font());
    const QFontMetrics metrics(form.font());
    headerHeight = 2 * metrics.height();
    canvas.drawText(0, metrics.ascent(), QString::fromStdString(FSource.ReportTitle));
    const QString page = QStringLiteral("Page %1").arg(FPage);
    canvas.drawText(logical.width() - metrics.horizontalAdvance(page), metrics.ascent(), page);
    y = headerHeight;
  };
  try {
    ForEachOutputForm(
        FSource,
        [](TTessanDataForm& form) {
          form.HeadingPrinted = false;
          // Fonts in pixels: the page is drawn in screen pixels and scaled
          // as a whole, so a size in points must not grow with the
          // printer's resolution as well.
          QFont font = form.font();
          font.setPixelSize(QFontInfo(font).pixelSize());
          form.setFont(font);
        },
        [&](TTessanDataForm& form) {
          TFormLayout layout(form, LabelScale(form, printer, r));
          for (int emptyPages = 0;;) {
            canvas.setFont(form.font());
            if (y == 0) header(form);
            const bool freshPage = y == headerHeight;
            const TFormLayout::TPageResult page = layout.PrintPage(canvas, y, 0, logical.height());
            if (page.Done) {
              if (page.Bottom != INT_MIN) y = page.Bottom;
              break;
            }
            emptyPages = freshPage && page.Bottom == INT_MIN ? emptyPages + 1 : 0;
            if (emptyPages > 1)
              throw EUmbrinexError("The data of form '" + form.windowTitle().toStdString() + "' does not fit on a page.");
            printer.newPage();
            map();
            ++FPage;
            y = 0;
          }
        });
  } catch (...) {
    device.end();
    throw;
  }
  device.end();
}

}  // namespace umbrinex
