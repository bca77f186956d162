#include "shell/CompareData.h"

#include <filesystem>

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "bend/Bend.h"
#include "framework/data/DiskFile.h"
#include "framework/data/Messages.h"
#include "framework/data/TextUtils.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/FileDialogs.h"
#include "persistence/BendFile.h"
#include "framework/data/FileClass.h"
#include "shell/DataCommands.h"
#include "shell/Preferences.h"

namespace fs = std::filesystem;

namespace umbrinex {

namespace {

std::unique_ptr<QTemporaryDir>& Folder()
{
  static std::unique_ptr<QTemporaryDir> folder;
  return folder;
}

// A data file's base name, and the name of the folder it is in.
std::string BaseName(const std::string& dataFile)
{
  const std::string stem = fs::path(dataFile).stem().string();
  return stem.empty() ? std::string("design") : stem;
}

std::string FolderName(const std::string& dataFile)
{
  std::error_code error;
  const fs::path full = fs::absolute(fs::path(dataFile), error);
  return (error ? fs::path(dataFile) : full).parent_path().filename().string();
}

// base + ".txt", or with the first number from 2 that makes it free: no
// file of that name in the folder, and not the name reserved for the other
// document.
std::string FreeName(const std::string& base, const std::string& folder, const std::string& reserved)
{
  std::error_code error;
  for (int n = 1;; ++n) {
    const std::string name = n == 1 ? base + ".txt" : base + " (" + std::to_string(n) + ").txt";
    const std::string document = (fs::path(folder) / name).string();
    if (document != reserved && !fs::exists(document, error)) return document;
  }
}

}  // namespace

std::string CompareFolder()
{
  std::unique_ptr<QTemporaryDir>& folder = Folder();
  if (!folder || !folder->isValid() || !QFileInfo::exists(folder->path()))
    folder =
        std::make_unique<QTemporaryDir>(QDir(QDir::tempPath()).filePath(QStringLiteral("umbrinex-compare-XXXXXX")));
  if (!folder->isValid())
    throw EExpected(
        "Cannot make a temporary folder for the documents to compare: " + folder->errorString().toStdString() + ".");
  return folder->path().toStdString();
}

void DeleteCompareDocuments()
{
  Folder().reset();
}

std::array<std::string, 2> CompareDocumentNames(const std::string& dataFile1, const std::string& dataFile2,
                                                const std::string& folder)
{
  std::string bases[2] = {BaseName(dataFile1), BaseName(dataFile2)};
  if (bases[0] == bases[1]) {
    const std::string folders[2] = {FolderName(dataFile1), FolderName(dataFile2)};
    if (!folders[0].empty() && !folders[1].empty() && folders[0] != folders[1])
      for (int i = 0; i < 2; ++i) bases[i] += " (" + folders[i] + ")";
  }
  const std::string first = FreeName(bases[0], folder, {});
  return {first, FreeName(bases[1], folder, first)};
}

QStringList CompareArguments(const QString& parameters, const QString& document1, const QString& document2)
{
  QString command;
  for (qsizetype i = 0; i < parameters.size(); ++i) {
    if (parameters[i] == u'%' && i + 1 < parameters.size() &&
        (parameters[i + 1] == u'1' || parameters[i + 1] == u'2')) {
      command += u'"' + (parameters[i + 1] == u'1' ? document1 : document2) + u'"';
      ++i;
    } else {
      command += parameters[i];
    }
  }
  return QProcess::splitCommand(command);
}

void CheckCompareSettings(const QString& program, const QString& parameters)
{
  if (program.trimmed().isEmpty())
    throw EExpected("You have not specified a Compare Program.  Click Help for details.");
  for (const char* placeholder : {"%1", "%2"})
    if (!parameters.contains(QLatin1String(placeholder)))
      throw EExpected(std::string("The compare program's Command Line Parameters must include ") + placeholder +
                      ".  Click Help for details.");
}

bool CompareDataFiles(const QString& program, const QString& parameters, const std::string& file1,
                      const std::string& file2)
{
  CheckCompareSettings(program, parameters);
  TBusy busy;
  TQuietMode quiet;
  const std::array<std::string, 2> documents = CompareDocumentNames(file1, file2, CompareFolder());
  try {
    std::unique_ptr<TBend> model = New<TBend>();
    const std::string files[2] = {file1, file2};
    for (int i = 0; i < 2; ++i) {
      LoadFromFile(*model, files[i]);
      SaveTextFile(documents[i], DesignDataTextFor(*model, files[i]));
    }
  } catch (const EUmbrinexError&) {
    return false;  // messages are quiet: the comparison ends without a word
  }
  const QStringList arguments =
      CompareArguments(parameters, QString::fromStdString(documents[0]), QString::fromStdString(documents[1]));
  QProcess::startDetached(program, arguments);
  return true;
}

// ---- the window ----

TCompareDataWindow::TCompareDataWindow(QWidget* owner) : QDialog(owner)
{
  setWindowTitle(QStringLiteral("Compare Data"));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  Pages = new QTabWidget(this);

  auto* files = new QWidget;
  auto* filesLayout = new QVBoxLayout(files);
  auto fileGroup = [&](const QString& caption, const QString& browseCaption, int number) {
    auto* group = new QGroupBox(caption);
    auto* row = new QHBoxLayout(group);
    auto* edit = new QLineEdit;
    auto* browse = new QPushButton(browseCaption);
    row->addWidget(edit, 1);
    row->addWidget(browse);
    filesLayout->addWidget(group);
    connect(browse, &QPushButton::clicked, this, [this, edit, number] { Guarded([&] { Browse(edit, number); }); });
    connect(edit, &QLineEdit::textChanged, this, [this] { UpdateCompareButton(); });
    return edit;
  };
  File1 = fileGroup(QStringLiteral("File &1:"), QStringLiteral("&Browse.."), 1);
  File2 = fileGroup(QStringLiteral("File &2:"), QStringLiteral("B&rowse.."), 2);
  btCompare = new QPushButton(QStringLiteral("&Compare"));
  btCompare->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btCompare);
  filesLayout->addLayout(buttons);
  connect(btCompare, &QPushButton::clicked, this, [this] { Guarded([this] { Compare(); }); });
  Pages->addTab(files, QStringLiteral("&Files"));

  auto* configuration = new QWidget;
  auto* form = new QFormLayout(configuration);
  TProgramPreferences& p = Preferences();
  Program = new QLineEdit(QString::fromStdString(p.CompareProgram.CurrentValue()));
  Parameters = new QLineEdit(QString::fromStdString(p.CompareCommandLine.CurrentValue()));
  form->addRow(QStringLiteral("Compare &Program:"), Program);
  form->addRow(QStringLiteral("Command &Line Parameters:"), Parameters);
  Pages->addTab(configuration, QStringLiteral("C&onfiguration"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Pages);
  setMinimumWidth(4 * btCompare->sizeHint().width());
  move(p.CompareFormLeft.CurrentValue(), p.CompareFormTop.CurrentValue());
  resize(std::max(minimumWidth(), p.CompareFormWidth.CurrentValue()), sizeHint().height());
  setFixedHeight(sizeHint().height());
  UpdateCompareButton();
}

TCompareDataWindow::~TCompareDataWindow()
{
  TProgramPreferences& p = Preferences();
  p.CompareFormTop.ChangeValue(y());
  p.CompareFormLeft.ChangeValue(x());
  p.CompareFormWidth.ChangeValue(width());
  p.CompareProgram.ChangeValue(Program->text().toStdString());
  p.CompareCommandLine.ChangeValue(Parameters->text().toStdString());
}

void TCompareDataWindow::UpdateCompareButton()
{
  btCompare->setEnabled(!File1->text().isEmpty() && !File2->text().isEmpty());
}

void TCompareDataWindow::Browse(QLineEdit* edit, int number)
{
  TFileDialogRequest request;
  request.Title = "Select File " + std::to_string(number);
  request.Classes = {DataFileClass, OldDataFileClass, AllFilesClass};
  request.ProposedName = edit->text().toStdString();
  TFileDialogAnswer answer;
  if (!FileDialogs().Open(request, answer) || answer.FileNames.empty()) return;
  edit->setText(QString::fromStdString(answer.FileNames.front()));
  edit->setFocus();
  edit->end(false);
}

void TCompareDataWindow::Compare()
{
  try {
    CheckCompareSettings(Program->text(), Parameters->text());
  } catch (const EExpected& error) {
    Pages->setCurrentIndex(1);
    (Program->text().trimmed().isEmpty() ? Program : Parameters)->setFocus();
    ShowError(error.what());
    throw ESilentAbort();
  }
  CompareDataFiles(Program->text(), Parameters->text(), File1->text().toStdString(), File2->text().toStdString());
}

}  // namespace umbrinex
