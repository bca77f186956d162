#include "shell/DataCommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QPrinter>

#include "bend/Bend.h"
#include "framework/data/DiskFile.h"
#include "framework/forms/DataForm.h"
#include "framework/kit/ErrorHandler.h"
#include "framework/kit/FileDialogs.h"
#include "framework/kit/Printing.h"
#include "persistence/FileClass.h"
#include "shell/Main.h"
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

std::string DesignDataText(TBend& bend, const std::string& fileName)
{
  TExportData data(DesignDataSource(bend, fileName));
  data.Run();
  return data.Text();
}

namespace {

std::string FileOf(TMainForm& main) { return main.Filer().HasFileName() ? main.Filer().CurrentFileName() : ""; }

void Print(TDataOutputSource source)
{
  TPrintData print(std::move(source));
  if (!PreparePrinter(QString::fromStdString(print.JobTitle()))) return;
  print.Run(ProgramPrinter());
}

void Export(TDataOutputSource source, const std::string& title)
{
  const std::string fileName = AskExportName({TextFileClass}, title);
  if (fileName.empty()) return;
  TExportData data(std::move(source));
  data.Run();
  SaveTextFile(fileName, data.Text());
}

}  // namespace

void ConnectDataCommands(TMainForm& main)
{
  TMainForm* window = &main;
  QObject::connect(main.acFileExportData, &QAction::triggered, &main, [window] {
    Guarded([window] { Export(DesignDataSource(window->Model(), FileOf(*window)), "Export"); });
  });
  QObject::connect(main.acFilePrintData, &QAction::triggered, &main, [window] {
    Guarded([window] { Print(DesignDataSource(window->Model(), FileOf(*window))); });
  });
  main.acFileExportData->setEnabled(true);
  main.acFilePrintData->setEnabled(true);

  auto formSource = [window](TTessanDataForm& form) {
    return DesignDataSource(window->Model(), FileOf(*window), {&form.OpenedFor()});
  };
  TFormOutputCommands& commands = FormOutputCommands();
  commands.Copy = [formSource](TTessanDataForm& form) {
    TExportData data(formSource(form));
    data.Run();
    QApplication::clipboard()->setText(QString::fromStdString(data.Text()));
  };
  commands.Export = [formSource](TTessanDataForm& form) { Export(formSource(form), "Export Data"); };
  commands.Print = [formSource](TTessanDataForm& form) { Print(formSource(form)); };
}

}  // namespace umbrinex
