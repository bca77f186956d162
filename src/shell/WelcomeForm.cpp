#include "shell/WelcomeForm.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "shell/Artwork.h"
#include "bend/ProgramInfo.h"

namespace umbrinex {

TWelcomeForm::TWelcomeForm(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      FMainWindow(mainWindow)
{
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(362, 242);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect placed(QPoint(0, 0), size());
    placed.moveCenter(screen->geometry().center());
    move(placed.topLeft());
  }
  qApp->installEventFilter(this);
  QTimer::singleShot(DisplayTime, this, &TWelcomeForm::RequestClose);
  show();
  repaint();
}

TWelcomeForm::~TWelcomeForm()
{
  qApp->removeEventFilter(this);
}

void TWelcomeForm::RequestClose()
{
  if (!FCloseRequested) {
    FCloseRequested = true;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
      connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TWelcomeForm::CloseIfMainWindowShows);
  }
  CloseIfMainWindowShows();
}

void TWelcomeForm::CloseIfMainWindowShows()
{
  if (!FMainWindow || FMainWindow->isVisible()) close();
}

bool TWelcomeForm::eventFilter(QObject* watched, QEvent* event)
{
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
    QTimer::singleShot(0, this, &TWelcomeForm::RequestClose);
  return QWidget::eventFilter(watched, event);
}

void TWelcomeForm::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  const QRect area = rect();
  painter.fillRect(area, QColor(0xFA, 0xFA, 0xF5));
  painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
  painter.drawRect(area.adjusted(1, 1, -1, -1));

  PaintLogo(painter, QRectF(20, 40, 150, 100));

  QFont font = painter.font();
  font.setPointSize(11);
  painter.setFont(font);
  painter.setPen(QColor(0x30, 0x30, 0x30));
  painter.drawText(QRect(180, 40, 170, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral(" Welcome To"));
  font.setPointSize(24);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(0x20, 0x30, 0x50));
  painter.drawText(QRect(180, 66, 175, 48), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(ApplicationName));
  font.setPointSize(10);
  font.setBold(false);
  painter.setFont(font);
  painter.setPen(QColor(0x30, 0x30, 0x30));
  painter.drawText(QRect(180, 120, 170, 24), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Version %1").arg(QString::fromUtf8(ApplicationVersion)));
}

}  // namespace umbrinex
