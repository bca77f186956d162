#include "WindowPictures.h"

#include <stdexcept>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

#include "framework/data/Messages.h"
#include "presentation/DataForms.h"
#include "shell/Main.h"
#include "shell/forms/DataForms.h"

namespace umbrinex {

namespace {

void Settle()
{
  // A refresh may post the events of another (a graph drawn once its
  // window has its size).
  for (int round = 0; round < 3; ++round) {
    QApplication::sendPostedEvents();
    QApplication::processEvents();
  }
}

void Write(const TWindowPicture& picture, const QDir& folder, std::vector<std::string>& written)
{
  const QString file = folder.filePath(picture.Name + QStringLiteral(".png"));
  if (!picture.Image.save(file, "PNG")) throw std::runtime_error("cannot write " + file.toStdString());
  written.push_back(file.toStdString());
}

}  // namespace

QString PictureName(const QString& title)
{
  QString name;
  bool gap = false;
  for (const QChar c : title.toLower()) {
    if (c.isLetterOrNumber() && c.unicode() < 128) {
      if (gap && !name.isEmpty()) name += u'-';
      name += c;
      gap = false;
    } else {
      gap = true;
    }
  }
  return name;
}

QImage Picture(QWidget& window)
{
  window.show();
  Settle();
  return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TWindowPicture MainWindowPicture(TMainForm& form)
{
  // Shown as at start-up, which reads the design, but never maximized: the
  // offscreen screen is not the desktop's.
  form.ShowMainWindow();
  Settle();
  form.showNormal();
  form.resize(MainWindowPictureWidth, MainWindowPictureHeight);
  return {QStringLiteral("main-window"), Picture(form)};
}

std::vector<TWindowPicture> DataFormPictures(TMainForm& form)
{
  std::vector<TWindowPicture> pictures;
  for (TModelObject* object : DataObjectSequence(form.Model())) {
    std::unique_ptr<TTessanDataForm> dataForm = CreateDataForm(*object, false, &form);
    if (!dataForm) continue;
    QImage image = Picture(*dataForm);
    pictures.push_back({PictureName(dataForm->windowTitle()), std::move(image)});
    dataForm->close();
  }
  return pictures;
}

std::vector<std::string> WriteWindowPictures(const QString& folder, const QStringList& arguments)
{
  const QDir images(folder);
  if (!images.mkpath(QStringLiteral("."))) throw std::runtime_error("cannot make the folder " + folder.toStdString());
  // A message on the way means a picture of the wrong thing: every one is
  // kept, and the pictures are refused.
  const TMessageRecorder messages(maNo);
  std::vector<TWindowPicture> pictures;
  {
    std::unique_ptr<TMainForm> form = CreateMainForm(arguments);
    pictures.push_back(MainWindowPicture(*form));
    for (TWindowPicture& picture : DataFormPictures(*form)) pictures.push_back(std::move(picture));
  }
  if (!messages.Texts().empty()) {
    std::string texts;
    for (const std::string& text : messages.Texts()) texts += (texts.empty() ? "" : "; ") + text;
    throw std::runtime_error(texts);
  }
  std::vector<std::string> written;
  for (const TWindowPicture& picture : pictures) Write(picture, images, written);
  return written;
}

}  // namespace umbrinex
