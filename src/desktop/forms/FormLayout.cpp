#include "desktop/forms/FormLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>

#include "desktop/forms/BoundControls.h"
#include "desktop/forms/FormOutput.h"
#include "desktop/forms/KitGrid.h"

namespace umbrinex {

namespace {

constexpr int FullWidth = 0x3FFFFFFF;

bool IsGroupBox(const QWidget* control)
{
  return qobject_cast<const QGroupBox*>(control) && !dynamic_cast<const TKitRadioGroup*>(control);
}

bool IsCaptionOnly(const QWidget* control)
{
  return IsTabSheet(*control) || qobject_cast<const QGroupBox*>(control);
}

// A table and its counter: the one grid counts on a grid whose first
// column holds the other's first column.
bool CounterPair(const QWidget* x, const QWidget* y)
{
  auto* table = qobject_cast<const TKitGrid*>(x);
  auto* other = qobject_cast<const TKitGrid*>(y);
  if (!table || !other || !table->Counter()) return false;
  const TGridCore& counter = table->Counter()->Core();
  return counter.ColCount() > 0 && other->Core().ColCount() > 0 &&
         other->Core().Column(0).VarNum == counter.Column(0).VarNum;
}

bool RelatedOneWay(const QWidget* x, const QWidget* y)
{
  if (auto* label = qobject_cast<const QLabel*>(x); label && label->buddy() == y) return true;
  if (CounterPair(x, y)) return true;
  if (auto* label = qobject_cast<const QLabel*>(y); label && qobject_cast<const TKitGrid*>(x))
    return CounterPair(x, label->buddy()) || CounterPair(label->buddy(), x);
  return false;
}

}  // namespace

TFormLayout::TFormLayout(TFormOutput& form, double scale)
    : FForm(form), FWindow(form.OutputForm())
{
  for (QWidget* control : FWindow.findChildren<QWidget*>()) {
    if (auto* grid = qobject_cast<TKitGrid*>(control)) {
      grid->SetOutputMode(omPrinting);
      grid->Layout();
    }
    FLeftEdges[control] = control->x();
    control->move(static_cast<int>(std::lround(control->x() * scale)), control->y());
  }
  AddControls(FWindow, FItems);
  for (;;) {
    const auto pages = std::find_if(FItems.begin(), FItems.end(),
                                    [](const TFormLayoutItem& i) { return qobject_cast<QTabWidget*>(i.Control); });
    if (pages == FItems.end()) break;
    OpenPageControl(static_cast<std::size_t>(pages - FItems.begin()));
  }
  for (;;) {
    const auto box = std::find_if(FItems.begin(), FItems.end(),
                                  [](const TFormLayoutItem& i) { return IsGroupBox(i.Control) && !i.Expanded; });
    if (box == FItems.end()) break;
    OpenGroupBox(static_cast<std::size_t>(box - FItems.begin()));
  }
  if (FItems.empty()) return;
  int minX = INT_MAX, minY = INT_MAX;
  for (const TFormLayoutItem& item : FItems) {
    minX = std::min(minX, item.X);
    minY = std::min(minY, item.Y);
  }
  for (TFormLayoutItem& item : FItems) {
    item.X -= minX;
    item.Y -= minY;
  }
  Compact();
}

TFormLayout::~TFormLayout()
{
  for (QWidget* control : FWindow.findChildren<QWidget*>()) {
    if (auto* grid = qobject_cast<TKitGrid*>(control)) grid->SetOutputMode(omScreen);
    if (const auto left = FLeftEdges.find(control); left != FLeftEdges.end()) control->move(left->second, control->y());
  }
}

// ---- building ----

void TFormLayout::AddControls(QWidget& container, TItems& list)
{
  for (QObject* child : container.children()) {
    auto* control = qobject_cast<QWidget*>(child);
    if (control && !control->isWindow()) AddControl(*control, list);
  }
}

void TFormLayout::AddControl(QWidget& control, TItems& list)
{
  if (qobject_cast<QTabBar*>(&control) || !FForm.IncludeInOutput(control)) return;
  if (dynamic_cast<TKitPanel*>(&control)) return AddControls(control, list);
  const TFormLayoutItem item = MakeItem(control);
  if (qobject_cast<QTabWidget*>(&control)) {
    list.push_back(item);
    return;
  }
  const auto at = std::find_if(list.begin(), list.end(), [&](const TFormLayoutItem& i) { return !Before(i, item); });
  list.insert(at, item);
}

bool TFormLayout::Before(const TFormLayoutItem& a, const TFormLayoutItem& b) const
{
  const int orderA = FForm.OutputOrder(*a.Control);
  const int orderB = FForm.OutputOrder(*b.Control);
  if (orderA != -1 && orderB == -1) return true;
  if (orderA == -1 && orderB != -1) return false;
  if (orderA != orderB) return orderA < orderB;
  return a.Y < b.Y || (a.Y == b.Y && a.X < b.X);
}

QPoint TFormLayout::Position(const QWidget& control) const
{
  if (&control == &FWindow) return {0, 0};
  if (IsTabSheet(control)) {
    const QPoint pages = Position(*PageControlOf(control));
    const auto stacked = FStackedTops.find(&control);
    return {pages.x(), stacked != FStackedTops.end() ? stacked->second : pages.y()};
  }
  const QWidget* parent = control.parentWidget();
  if (!parent) return control.pos();
  QPoint base = Position(*parent);
  // Below the tab strip of the sheet (a form that never showed has not
  // placed its sheets yet, so the strip is measured).
  if (IsTabSheet(*parent)) base.ry() += PageControlOf(*parent)->tabBar()->sizeHint().height();
  return base + control.pos();
}

TFormLayoutItem TFormLayout::MakeItem(QWidget& control) const
{
  const QPoint at = Position(control);
  return {&control, at.x(), at.y(), psNotOnPage, false};
}

void TFormLayout::OpenPageControl(std::size_t at)
{
  auto* pages = qobject_cast<QTabWidget*>(FItems[at].Control);
  const int active = pages->currentIndex();
  TItems opened;
  int stacked = 0;
  try {
    for (int i = 0; i < pages->count(); ++i) {
      QWidget* sheet = pages->widget(i);
      if (!FForm.IncludeInOutput(*sheet)) continue;
      pages->setCurrentIndex(i);
      FStackedTops[sheet] = Position(*pages).y() + pages->height() * stacked++;
      opened.push_back(MakeItem(*sheet));
      AddControls(*sheet, opened);
    }
  } catch (...) {
    pages->setCurrentIndex(active);
    throw;
  }
  pages->setCurrentIndex(active);
  FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(at));
  FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(at), opened.begin(), opened.end());
}

void TFormLayout::OpenGroupBox(std::size_t at)
{
  QWidget& box = *FItems[at].Control;
  TItems opened;
  AddControls(box, opened);
  TFormLayoutItem head = MakeItem(box);
  head.Expanded = true;
  opened.insert(opened.begin(), head);
  FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(at));
  FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(at), opened.begin(), opened.end());
  if (at + 1 < FItems.size()) MoveFrom(at + 1, head.Y + Height(head) + FForm.LineGap - FItems[at + 1].Y);
}

void TFormLayout::MoveFrom(std::size_t first, int dy)
{
  for (std::size_t i = first; i < FItems.size(); ++i) FItems[i].Y += dy;
}

// ---- measures ----

int TFormLayout::TextHeight() const { return QFontMetrics(FWindow.font()).height(); }

int TFormLayout::Height(const TFormLayoutItem& item) const
{
  if (auto* memo = qobject_cast<const QPlainTextEdit*>(item.Control))
    return static_cast<int>(memo->toPlainText().split(u'\n').size()) * TextHeight();
  if (IsCaptionOnly(item.Control)) return TFormOutput::ControlText(*item.Control).isEmpty() ? 0 : TextHeight();
  return item.Control->height();
}

int TFormLayout::Width(const TFormLayoutItem& item) const
{
  const QFontMetrics metrics(FWindow.font());
  if (auto* memo = qobject_cast<const QPlainTextEdit*>(item.Control)) {
    int widest = 0;
    for (const QString& line : memo->toPlainText().split(u'\n')) widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
  }
  if (IsTabSheet(*item.Control)) return FullWidth;
  if (qobject_cast<const QGroupBox*>(item.Control))
    return metrics.horizontalAdvance(TFormOutput::ControlText(*item.Control));
  return item.Control->width();
}

bool TFormLayout::Related(std::size_t a, std::size_t b) const
{
  const QWidget* x = FItems[a].Control;
  const QWidget* y = FItems[b].Control;
  if (RelatedOneWay(x, y) || RelatedOneWay(y, x)) return true;
  if (!IsTabSheet(*x) && !IsTabSheet(*y) && x->parentWidget() == y->parentWidget() && x->y() == y->y()) return true;
  const auto heads = [&](std::size_t head, std::size_t next) {
    const QWidget* h = FItems[head].Control;
    return next == head + 1 && (IsTabSheet(*h) || IsGroupBox(h)) && !TFormOutput::ControlText(*h).isEmpty() &&
           FItems[next].Control->parentWidget() == h;
  };
  return heads(a, b) || heads(b, a);
}

// ---- closing the gaps ----

void TFormLayout::ShowAllRows(TKitGrid& grid)
{
  TGridCore& core = grid.Core();
  core.ScrollBars = ssNone;
  core.SetRowsShown(core.RowCount());
  grid.Invalidate();
  grid.Layout();
  grid.SetTopRow(core.FixedRows());
}

void TFormLayout::Compact()
{
  for (TFormLayoutItem& item : FItems)
    if (auto* grid = qobject_cast<TKitGrid*>(item.Control); grid && item.PrintState == psNotOnPage) ShowAllRows(*grid);
  if (FItems.empty()) return;
  const int gap = FForm.LineGap;
  int bottom = FItems[0].Y + Height(FItems[0]);
  std::size_t lead = 0;
  for (std::size_t d = 1; d < FItems.size(); ++d) {
    int excess = FItems[d].Y - gap - bottom;
    if (excess > 0) {
      if (!Related(lead, d)) MoveFrom(d, -excess);
    } else if (excess < 0) {
      const int left = FItems[d].X, right = left + Width(FItems[d]);
      for (std::size_t i = 0; i < d; ++i) {
        const QWidget* control = FItems[i].Control;
        if ((!qobject_cast<const TKitGrid*>(control) && !qobject_cast<const QPlainTextEdit*>(control)) || Related(i, d))
          continue;
        const int overlap = FItems[i].Y + Height(FItems[i]) + gap - FItems[d].Y;
        const int iLeft = FItems[i].X, iRight = iLeft + Width(FItems[i]);
        const bool across = Width(FItems[i]) == FullWidth || Width(FItems[d]) == FullWidth;
        if (overlap > 0 && (across || (iLeft <= right && left <= iRight))) excess = std::max(excess, overlap);
      }
      if (excess > 0) MoveFrom(d, excess);
    }
    if (FItems[d].Y + Height(FItems[d]) > bottom) {
      bottom = FItems[d].Y + Height(FItems[d]);
      lead = d;
    }
  }
}

}  // namespace umbrinex
