#include "desktop/kit/FileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>

namespace umbrinex {

namespace {

QString Q(const std::string& text)
{
  return QString::fromStdString(text);
}

class TQtFileDialogs : public IFileDialogs {
 public:
  bool Open(const TFileDialogRequest& request, TFileDialogAnswer& answer) override
  {
    return Run(request, answer, QFileDialog::AcceptOpen);
  }
  bool Save(const TFileDialogRequest& request, TFileDialogAnswer& answer) override
  {
    return Run(request, answer, QFileDialog::AcceptSave);
  }

 private:
  static bool Run(const TFileDialogRequest& request, TFileDialogAnswer& answer, QFileDialog::AcceptMode mode)
  {
    QFileDialog dialog(QApplication::activeWindow(), Q(request.Title), Q(request.Folder));
    dialog.setAcceptMode(mode);
    QStringList filters;
    for (const TFileClass& fileClass : request.Classes) filters << DialogFilter(fileClass);
    dialog.setNameFilters(filters);
    if (request.SelectedClass >= 0 && request.SelectedClass < filters.size())
      dialog.selectNameFilter(filters[request.SelectedClass]);
    if (mode == QFileDialog::AcceptOpen) {
      dialog.setFileMode(request.AllowMultiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    } else {
      dialog.setFileMode(QFileDialog::AnyFile);
      // The filer asks its own question, with its own words.
      dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (!request.ProposedName.empty()) dialog.selectFile(Q(request.ProposedName));
    if (dialog.exec() != QDialog::Accepted) return false;
    answer.FileNames.clear();
    for (const QString& name : dialog.selectedFiles()) answer.FileNames.push_back(name.toStdString());
    answer.SelectedClass = std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    return !answer.FileNames.empty();
  }
};

IFileDialogs*& Replacement()
{
  static IFileDialogs* dialogs = nullptr;
  return dialogs;
}

}  // namespace

QString DialogFilter(const TFileClass& fileClass)
{
  QString description = QString::fromUtf8(fileClass.Filter.data(), static_cast<qsizetype>(fileClass.Filter.size()));
  description = description.left(description.indexOf(QLatin1Char('|')));
  description.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
  return description;
}

IFileDialogs* SetFileDialogs(IFileDialogs* dialogs)
{
  IFileDialogs* previous = Replacement();
  Replacement() = dialogs;
  return previous;
}

IFileDialogs& FileDialogs()
{
  static TQtFileDialogs qtDialogs;
  return Replacement() ? *Replacement() : qtDialogs;
}

std::string AskExportName(const std::vector<TFileClass>& classes, const std::string& title)
{
  TFileDialogRequest request;
  request.Title = title;
  request.Classes = classes;
  TFileDialogAnswer answer;
  if (classes.empty() || !FileDialogs().Save(request, answer) || answer.FileNames.empty()) return {};
  std::string name = answer.FileNames.front();
  const auto chosen = static_cast<std::size_t>(std::clamp(answer.SelectedClass, 0, static_cast<int>(classes.size()) - 1));
  if (QFileInfo(QString::fromStdString(name)).suffix().isEmpty()) name += classes[chosen].DefaultExtension;
  return name;
}

}  // namespace umbrinex
