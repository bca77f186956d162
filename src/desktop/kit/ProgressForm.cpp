#include "desktop/kit/ProgressForm.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "desktop/kit/ErrorHandler.h"
#include "numerics/Errors.h"

namespace umbrinex {

TProgressForm::TProgressForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
  setWindowTitle(QStringLiteral("Progress"));
  setFixedSize(345, 104);
  FFeedback = new QLabel;
  FFeedback->setWordWrap(true);
  FBar = new QProgressBar;
  FBar->setRange(0, 100);
  FCancel = new QPushButton(QStringLiteral("&Cancel"));
  connect(FCancel, &QPushButton::clicked, this, &TProgressForm::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FFeedback);
  layout->addWidget(FBar);
  layout->addWidget(FCancel, 0, Qt::AlignHCenter);
}

void TProgressForm::Run(const std::function<void()>& operation)
{
  FOperation = operation;
  FFinished = false;
  // The operation starts once the window is up, so that it can be seen and cancelled.
  QTimer::singleShot(0, this, [this] { Start(); });
  exec();
  if (!FFinished) throw ESilentAbort();
}

void TProgressForm::Start()
{
  IProgressOwner* previous = SetDefaultProgressOwner(this);
  FRunning = true;
  try {
    FOperation();
    FFinished = true;
  } catch (...) {
    HandleCurrentException();
  }
  FRunning = false;
  SetDefaultProgressOwner(previous);
  done(FFinished ? Accepted : Rejected);
}

void TProgressForm::ProgressStarted()
{
  FBar->setValue(0);
}

void TProgressForm::ProgressChanged(int percent)
{
  FBar->setValue(percent);
}

void TProgressForm::ProgressTextChanged(const std::string& text)
{
  FFeedback->setText(QString::fromStdString(text));
}

void TProgressForm::reject()
{
  if (FRunning) Progress().RequestCancel();
}

}  // namespace umbrinex
