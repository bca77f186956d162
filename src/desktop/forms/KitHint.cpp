#include "desktop/forms/KitHint.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>

namespace umbrinex {

TKitHintWindow::TKitHintWindow() : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint)
{
  setForegroundRole(QPalette::ToolTipText);
  setBackgroundRole(QPalette::ToolTipBase);
  setAutoFillBackground(true);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setMargin(2);
  setWordWrap(true);
}

TKitHintWindow& TKitHintWindow::Instance()
{
  // One window for the life of the program; never freed, since the program
  // ends with it and no widget may outlive the application object.
  static TKitHintWindow* hint = new TKitHintWindow;
  return *hint;
}

void TKitHintWindow::ShowDataHint(const QString& text, const QPoint& screenPoint)
{
  FText = text;
  FPoint = screenPoint;
  if (FPosted) return;
  FPosted = true;
  QMetaObject::invokeMethod(
      this, [this] { Present(); }, Qt::QueuedConnection);
}

void TKitHintWindow::Present()
{
  FPosted = false;
  if (FText.isEmpty()) return;
  setText(FText);
  const int maximum = 6 * fontMetrics().horizontalAdvance(QStringLiteral("1234567890"));
  setMaximumWidth(maximum);
  const QRect natural = fontMetrics().boundingRect(QRect(0, 0, maximum, 10000), Qt::TextWordWrap, FText);
  resize(natural.width() + 2 * (margin() + frameWidth()) + 2, natural.height() + 2 * (margin() + frameWidth()));
  move(FPoint);
  show();
  raise();
  if (!FShowing) qApp->installEventFilter(this);
  FShowing = true;
}

void TKitHintWindow::CloseHint()
{
  // A hint still on its way is dropped with the one showing.
  FText.clear();
  if (!FShowing) return;
  FShowing = false;
  qApp->removeEventFilter(this);
  hide();
}

bool TKitHintWindow::eventFilter(QObject* watched, QEvent* event)
{
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
      CloseHint();
      break;
    case QEvent::MouseButtonRelease:
      // Releasing the left button ends the click that led to the hint.
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) CloseHint();
      break;
    default:
      break;
  }
  return QLabel::eventFilter(watched, event);
}

void ShowDataHint(const std::string& text, const QPoint& screenPoint)
{
  TKitHintWindow::Instance().ShowDataHint(QString::fromStdString(text), screenPoint);
}

bool HintShowing()
{
  return TKitHintWindow::Instance().Showing();
}

}  // namespace umbrinex
