#include "shell/DataCommands.h"

#include <cstdio>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QPrinter>

#include "bend/Bend.h"
#include "framework/data/DiskFile.h"
#include "framework/data/Messages.h"
#include "framework/data/TextUtils.h"
#include "desktop/forms/DataForm.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/FileDialogs.h"
#include "desktop/kit/Printing.h"
#include "persistence/BendFile.h"
#include "framework/data/FileClass.h"
#include "shell/Main.h"
#include "presentation/DataForms.h"
#include "shell/forms/DataForms.h"

namespace umbrinex {

std::string ReportTitleFor(const std::string& fileName)
{
  if (fileName.empty()) return "Umbrinex";
  const QString name = QString::fromStdString(fileName);
  const QDateTime modified = QFileInfo(name).lastModified();
  const QLocale locale;
  return QStringLiteral("Umbrinex: %1 (modified %2 on %3)")
      .arg(name, locale.toString(modified.time(), QLocale::ShortFormat),
           locale.toString(modified.date(), QLocale::ShortFormat))
      .toStdString();
}

TDataOutputSource DesignDataSource(TBend& bend, const std::string& fileName, std::vector<TModelObject*> objects)
{
  if (objects.empty()) objects = DataObjectSequence(bend);
  return {ReportTitleFor(fileName), fileName, std::move(objects),
          [](TModelObject& object) { return CreateDataForm(object, false, nullptr); }};
}

std::string DesignDataTextFor(TBend& bend, const std::string& fileName)
{
  return DesignDataText(bend, ReportTitleFor(fileName));
}

namespace {

std::string FileOf(TMainForm& main)
{
  return main.Filer().HasFileName() ? main.Filer().CurrentFileName() : "";
}

void Print(TDataOutputSource source)
{
  TPrintData print(std::move(source));
  if (!PreparePrinter(QString::fromStdString(print.JobTitle()))) return;
  print.Run(ProgramPrinter());
}

// The text of the forms of these objects (every form when none are given).
std::string DataText(TMainForm& main, const std::vector<TModelObject*>& objects = {})
{
  return DesignDataText(main.Model(), ReportTitleFor(FileOf(main)), objects);
}

void Export(const std::string& text, const std::string& title)
{
  const std::string fileName = AskExportName({TextFileClass}, title);
  if (fileName.empty()) return;
  SaveTextFile(fileName, text);
}

}  // namespace

void ConnectDataCommands(TMainForm& main)
{
  TMainForm* window = &main;
  QObject::connect(main.acFileExportData, &QAction::triggered, &main, [window] {
    Guarded([window] { Export(DataText(*window), "Export"); });
  });
  QObject::connect(main.acFilePrintData, &QAction::triggered, &main,
                   [window] { Guarded([window] { Print(DesignDataSource(window->Model(), FileOf(*window))); }); });
  main.acFileExportData->setEnabled(true);
  main.acFilePrintData->setEnabled(true);

  auto formSource = [window](TTessanDataForm& form) {
    return DesignDataSource(window->Model(), FileOf(*window), {&form.OpenedFor()});
  };
  TFormOutputCommands& commands = FormOutputCommands();
  commands.Copy = [window](TTessanDataForm& form) {
    QApplication::clipboard()->setText(QString::fromStdString(DataText(*window, {&form.OpenedFor()})));
  };
  commands.Export = [window](TTessanDataForm& form) { Export(DataText(*window, {&form.OpenedFor()}), "Export Data"); };
  commands.Print = [formSource](TTessanDataForm& form) { Print(formSource(form)); };
}

namespace {

class TErrorStreamPresenter final : public IMessagePresenter {
 public:
  int Present(const TMessageRequest& request) override
  {
    std::fprintf(stderr, "%s\n", VisibleText(request.Text, true).c_str());
    return request.Type == TMessageType::Question ? maYes : maOk;
  }
};

}  // namespace

int RunExportDataCommand(const QStringList& arguments)
{
  const qsizetype at = arguments.indexOf(QStringLiteral("--export-data"));
  const QStringList rest = arguments.mid(at + 1);
  if (at < 0 || rest.isEmpty() || rest.size() > 2) {
    std::fprintf(stderr, "Usage: umbrinex --export-data OUT [DESIGN]  (OUT \"-\" for standard output)\n");
    return 2;
  }
  TErrorStreamPresenter presenter;
  IMessagePresenter* previous = SetMessagePresenter(&presenter);
  int status = 0;
  try {
    std::unique_ptr<TBend> bend = New<TBend>();
    std::string design;
    if (rest.size() == 2) {
      design = QFileInfo(rest[1]).absoluteFilePath().toStdString();
      LoadFromFile(*bend, design);
    }
    const std::string text = DesignDataTextFor(*bend, design);
    if (rest[0] == QStringLiteral("-")) {
      // The export quotes the design's texts: a terminal shows their control
      // characters rather than obeying them. A file keeps them as they are.
      const std::string shown = VisibleText(text, true);
      std::fwrite(shown.data(), 1, shown.size(), stdout);
      // What the disk did not take is an error, not a finished export.
      FlushStandardOutput();
    } else {
      SaveTextFile(rest[0].toStdString(), text);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", VisibleText(e.what(), true).c_str());
    status = 1;
  }
  SetMessagePresenter(previous);
  return status;
}

}  // namespace umbrinex
