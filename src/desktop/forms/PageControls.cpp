#include "desktop/forms/PageControls.h"

#include <QHash>
#include <QStringList>

namespace umbrinex {

namespace {

// Kept while the program runs and never saved.
QHash<QString, QString>& Remembered()
{
  static QHash<QString, QString> pages;
  return pages;
}

}  // namespace

QString RememberedPage(const QString& key)
{
  return Remembered().value(key);
}

TKitTabControl::TKitTabControl(QWidget* parent) : QTabBar(parent)
{
  setMouseTracking(true);
}

TKitPageControl::TKitPageControl(QWidget* parent) : QTabWidget(parent)
{
  tabBar()->setMouseTracking(true);
}

TKitPageControl::~TKitPageControl()
{
  if (FLoaded && currentWidget()) Remembered().insert(RememberKey(), currentWidget()->objectName());
}

QString TKitPageControl::RememberKey() const
{
  QStringList names;
  for (const QObject* o = this; o; o = o->parent()) names.prepend(o->objectName());
  return names.join(QLatin1Char('.')) + QStringLiteral(".ActivePage");
}

void TKitPageControl::PagesLoaded()
{
  FLoaded = true;
  if (count() == 0) return;
  if (DefaultPage.isEmpty()) DefaultPage = widget(0)->objectName();
  for (int i = 0; i < count(); ++i)
    if (widget(i)->objectName() == DefaultPage) setCurrentIndex(i);
  const QString stored = RememberedPage(RememberKey());
  if (stored.isEmpty()) return;
  for (int i = 0; i < count(); ++i)
    if (widget(i)->objectName().compare(stored, Qt::CaseInsensitive) == 0) setCurrentIndex(i);
}

void TKitPageControl::showEvent(QShowEvent* event)
{
  if (!FLoaded) PagesLoaded();
  QTabWidget::showEvent(event);
}

}  // namespace umbrinex
