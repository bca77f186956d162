#include "desktop/kit/FormBase.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

#include "framework/data/DataAccess.h"
#include "framework/data/Messages.h"
#include "desktop/kit/StartUp.h"

namespace umbrinex {

namespace {

std::vector<TFormBase*>& FormList()
{
  static std::vector<TFormBase*> forms;
  return forms;
}

TFormBase* FormOf(const QWidget* window)
{
  if (window == nullptr) return nullptr;
  for (TFormBase* form : FormList())
    if (&form->Window() == window) return form;
  return nullptr;
}

constexpr int DesignDotsPerInch = 96;

}  // namespace

TFormBase::TFormBase(QWidget& window) : FWindow(window)
{
  FormList().push_back(this);
  SetBusyChangedHook(&TFormBase::NotifyBusyChanged);
  // A change made through any data item repaints the active form, so that
  // every control on it shows the consequences at once.
  static const bool hooked = [] {
    TDataObject::SetRepaintHook([] {
      if (TFormBase* form = ActiveForm()) form->Invalidate();
    });
    return true;
  }();
  (void)hooked;
}

TFormBase::~TFormBase()
{
  std::erase(FormList(), this);
}

const std::vector<TFormBase*>& TFormBase::Forms()
{
  return FormList();
}

TFormBase* TFormBase::ActiveForm()
{
  if (TFormBase* form = FormOf(QApplication::activeModalWidget())) return form;
  if (TFormBase* form = FormOf(QApplication::activeWindow())) return form;
  const std::vector<TFormBase*>& forms = FormList();
  for (auto i = forms.rbegin(); i != forms.rend(); ++i)
    if ((*i)->FWindow.isVisible()) return *i;
  return nullptr;
}

void TFormBase::NotifyBusyChanged(bool busy)
{
  // A form may close in reaction; work on a copy of the list.
  const std::vector<TFormBase*> forms = FormList();
  for (TFormBase* form : forms)
    if (std::find(FormList().begin(), FormList().end(), form) != FormList().end()) form->BusyChanged(busy);
}

void TFormBase::Invalidate()
{
  if (FDestroying) return;
  if (FUpToDate) {
    FUpToDate = false;
    InvalidateControls();
  } else {
    // A second change before the form painted: the controls read again
    // once, when it does.
    FControlsStale = true;
  }
  FWindow.update();
}

void TFormBase::EnsureUpToDate()
{
  if (FUpToDate || FRefreshing || FDestroying) return;
  FRefreshing = true;
  try {
    if (FControlsStale) {
      FControlsStale = false;
      InvalidateControls();
    }
    RefreshData();
    RefreshFrames();
  } catch (...) {
    FRefreshing = false;
    throw;
  }
  FRefreshing = false;
  FUpToDate = true;
}

void TFormBase::SetShortcutsEnabled(bool enabled)
{
  if (enabled == FShortcutsEnabled) return;
  FShortcutsEnabled = enabled;
  // The keys are kept with each action while they are switched off.
  static const char* const stored = "umbrinexShortcuts";
  for (QAction* action : FWindow.findChildren<QAction*>()) {
    if (enabled) {
      action->setShortcuts(action->property(stored).value<QList<QKeySequence>>());
    } else {
      action->setProperty(stored, QVariant::fromValue(action->shortcuts()));
      action->setShortcuts({});
    }
  }
}

void TFormBase::SetAllShortcutsEnabled(bool enabled)
{
  for (TFormBase* form : FormList()) form->SetShortcutsEnabled(enabled);
}

bool TFormBase::HandleEscape(QKeyEvent* event)
{
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (!CloseOnEscape || event->key() != Qt::Key_Escape || modifiers != Qt::NoModifier) return false;
  FWindow.close();
  event->accept();
  return true;
}

// ---- placement ----

int ScreenMarginFor(const QSize& primaryMonitor)
{
  return std::max(primaryMonitor.width(), primaryMonitor.height()) / 50;
}

QSize ScaledClientSize(const QSize& designSize, int screenDotsPerInch)
{
  if (screenDotsPerInch <= 0) return designSize;
  auto scale = [&](int v) { return static_cast<int>(std::lround(double(v) * screenDotsPerInch / DesignDotsPerInch)); };
  return {scale(designSize.width()), scale(designSize.height())};
}

int TFormBase::ScreenMargin()
{
  const QScreen* primary = QGuiApplication::primaryScreen();
  return primary ? ScreenMarginFor(primary->geometry().size()) : 20;
}

void TFormBase::PlaceNearOwner(QWidget* owner)
{
  const int margin = ScreenMargin();
  QPoint position(margin, margin);
  if (owner && owner->isVisible()) position += owner->mapToGlobal(QPoint(0, 0));
  FWindow.move(position);
  KeepOnScreen();
}

void TFormBase::KeepOnScreen()
{
  const QScreen* screen = FWindow.screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect frame = FWindow.frameGeometry();
  const QRect kept = KeepOnMonitor(frame, ScreenMargin(), screen->availableGeometry());
  if (kept.topLeft() != frame.topLeft()) FWindow.move(FWindow.pos() + (kept.topLeft() - frame.topLeft()));
}

void TFormBase::FitToControls()
{
  int left = INT_MAX, right = 0, bottom = 0;
  for (const QWidget* child : FWindow.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow() || !child->isVisibleTo(&FWindow)) continue;
    const QRect g = child->geometry();
    left = std::min(left, g.left());
    right = std::max(right, g.left() + g.width());
    bottom = std::max(bottom, g.top() + g.height());
  }
  if (left == INT_MAX) return;
  FWindow.resize(left + right, left + bottom);
}

void TFormBase::SetClientSizeScaled(int width, int height)
{
  FWindow.resize(ScaledClientSize(QSize(width, height), FWindow.logicalDpiX()));
  KeepOnScreen();
}

}  // namespace umbrinex
