#include "desktop/kit/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace umbrinex {

namespace {

QString Q(const std::string& text)
{
  return QString::fromStdString(text);
}

QMessageBox::Icon IconOf(TMessageType type)
{
  switch (type) {
    case TMessageType::Warning:
      return QMessageBox::Warning;
    case TMessageType::Error:
      return QMessageBox::Critical;
    case TMessageType::Question:
    case TMessageType::Choice:
      return QMessageBox::Question;
    default:
      return QMessageBox::Information;
  }
}

int AskWithButtons(QMessageBox& box, const TMessageRequest& request)
{
  QPushButton cancelProbe(QStringLiteral("&Cancel"));
  const int cancelWidth = cancelProbe.sizeHint().width();
  std::vector<QPushButton*> buttons;
  for (const std::string& caption : request.Buttons) {
    QPushButton* button = box.addButton(Q(caption), QMessageBox::AcceptRole);
    button->setMinimumWidth(ChoiceButtonWidth(Q(caption), button, cancelWidth));
    buttons.push_back(button);
  }
  QPushButton* cancel =
      request.WithCancel ? box.addButton(QStringLiteral("&Cancel"), QMessageBox::RejectRole) : nullptr;
  if (request.DefaultButton >= 0 && request.DefaultButton < static_cast<int>(buttons.size()))
    box.setDefaultButton(buttons[static_cast<std::size_t>(request.DefaultButton)]);
  if (cancel) box.setEscapeButton(cancel);
  box.exec();
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
  return maCancel;
}

int AskStandard(QMessageBox& box, const TMessageRequest& request)
{
  if (request.Type == TMessageType::Question) {
    box.setStandardButtons(request.WithCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                                              : QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
  } else {
    box.setStandardButtons(request.WithCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return maYes;
    case QMessageBox::No:
      return maNo;
    case QMessageBox::Ok:
      return maOk;
    default:
      return maCancel;
  }
}

}  // namespace

int ChoiceButtonWidth(const QString& caption, QWidget* button, int cancelWidth)
{
  QString plain = caption;
  plain.remove(QLatin1Char('&'));
  const int captionWidth = button->fontMetrics().horizontalAdvance(plain);
  return std::max(cancelWidth, captionWidth * 5 / 4);
}

int TMessageBoxPresenter::Present(const TMessageRequest& request)
{
  QWidget* parent = QApplication::activeModalWidget();
  if (!parent) parent = QApplication::activeWindow();
  if (!parent) parent = FMainWindow;
  // A program in the background cannot take the user's eyes: its task-bar
  // entry asks for attention until the user comes back, where the box waits.
  if (FMainWindow && FMainWindow->isVisible() && QGuiApplication::applicationState() != Qt::ApplicationActive)
    QApplication::alert(FMainWindow);
  QMessageBox box(IconOf(request.Type), Q(request.Caption), Q(request.Text), QMessageBox::NoButton, parent);
  box.setTextFormat(Qt::PlainText);
  return request.Type == TMessageType::Choice ? AskWithButtons(box, request) : AskStandard(box, request);
}

TMessageBoxPresenter& MessageBoxPresenter()
{
  static TMessageBoxPresenter presenter;
  return presenter;
}

void InstallMessageBoxes()
{
  SetMessagePresenter(&MessageBoxPresenter());
}

}  // namespace umbrinex
