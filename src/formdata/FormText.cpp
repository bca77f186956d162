#include "formdata/FormText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

#include "formdata/Captions.h"
#include "formdata/ReferenceFont.h"
#include "framework/data/DataAccess.h"
#include "framework/data/Variant.h"
#include "framework/grid/DataTextPort.h"

namespace umbrinex {

namespace {

int ScaledX(int x) { return static_cast<int>(std::lround(x * ReferenceFont::ScaleX)); }
int ScaledY(int y) { return static_cast<int>(std::lround(y * ReferenceFont::ScaleY)); }

bool IsLabel(const TControlDescription& control)
{
  return control.Kind == TControlKind::Label || control.Kind == TControlKind::PlainLabel;
}


}  // namespace

TFormText::TFormText(const TFormDescription& form, TDataObject& object)
    : FForm(form), FObject(object), FGrids(form.Controls.size()), FGridLayouts(form.Controls.size()),
      FLabelWidths(form.Controls.size(), 0)
{
  const int count = static_cast<int>(form.Controls.size());
  for (int i = 0; i < count; ++i) {
    const TControlDescription& control = Control(i);
    if (control.Kind == TControlKind::Grid) {
      auto& core = FGrids[static_cast<std::size_t>(i)] = std::make_unique<TGridCore>();
      control.Grid.ApplyTo(*core);
      core->OutputMode = omExporting;
    }
    // A label measures its caption as it first shows, accelerator marks
    // and all, and keeps that width.
    if (control.Kind == TControlKind::Label)
      FLabelWidths[static_cast<std::size_t>(i)] = ReferenceFont::LabelWidth(ExpandCaption(control.Caption, &object));
    else if (control.Kind == TControlKind::PlainLabel)
      FLabelWidths[static_cast<std::size_t>(i)] = ReferenceFont::LabelWidth(control.Caption);
  }
  for (int i = 0; i < count; ++i) {
    if (!Grid(i)) continue;
    if (Control(i).Counter >= 0) Grid(i)->SetCounter(Grid(Control(i).Counter));
    Grid(i)->SetDataObject(&object);
  }
}

TFormText::~TFormText()
{
  // Tables let go of their counters before the counters go.
  for (auto& grid : FGrids)
    if (grid) grid->SetCounter(nullptr);
}

// ---- what takes part ----

std::optional<std::string> TFormText::SelectedEntry(int i) const
{
  TStringListTarget list;
  TVariant value(&list);
  TAccessStatus status;
  FObject.GetValue(Control(i).VarNum, 0, status, value, vtList);
  const int selected = list.SelectedIndex();
  if (selected < 0) return std::nullopt;
  return list.TextAt(selected);
}

bool TFormText::Shows(int i) const
{
  const TControlDescription& control = Control(i);
  if (control.Hidden || !control.ShownWhen.Holds(FObject)) return false;
  return control.Parent < 0 || Shows(control.Parent);
}

bool TFormText::Included(int i) const
{
  const TControlDescription& control = Control(i);
  if (control.NeverOutput || control.Kind == TControlKind::TabBar) return false;
  if (control.FirstStateOnly) return FState <= 0;
  if (!Shows(i)) return false;
  switch (control.Kind) {
    case TControlKind::Edit:
    case TControlKind::GroupBox:
    case TControlKind::Panel: return true;
    case TControlKind::Label:
    case TControlKind::PlainLabel: return control.Buddy >= 0 && Included(control.Buddy);
    case TControlKind::Grid: return Grid(i)->CountedRows() >= 1;
    case TControlKind::DropDownList: return SelectedEntry(i).has_value();
    default: return false;
  }
}

std::string TFormText::ControlText(int i) const
{
  const TControlDescription& control = Control(i);
  switch (control.Kind) {
    case TControlKind::Label:
    case TControlKind::GroupBox: return StripAccelerators(ExpandCaption(control.CaptionIn(FState), &FObject));
    case TControlKind::PlainLabel: return StripAccelerators(control.CaptionIn(FState));
    case TControlKind::Edit: {
      TAccessStatus status;
      TVariant value;
      FObject.GetValue(control.VarNum, 0, status, value, vtText);
      return StripAccelerators(value.ToText());
    }
    case TControlKind::DropDownList: return StripAccelerators(SelectedEntry(i).value_or(std::string()));
    default: return {};
  }
}

// ---- places and sizes ----

int TFormText::Left(int i) const
{
  const TControlDescription& control = Control(i);
  return ScaledX(control.Left) + (control.Parent >= 0 ? Left(control.Parent) : 0);
}

int TFormText::Top(int i) const
{
  const TControlDescription& control = Control(i);
  return ScaledY(control.Top) + (control.Parent >= 0 ? Top(control.Parent) : 0);
}

int TFormText::Width(int i) const
{
  if (IsLabel(Control(i))) return FLabelWidths[static_cast<std::size_t>(i)];
  return ScaledX(Control(i).Width);
}

int TFormText::Height(int i) const
{
  if (IsLabel(Control(i))) return ReferenceFont::Height;
  if (Grid(i)) return FGridLayouts[static_cast<std::size_t>(i)].ControlHeight;
  return ScaledY(Control(i).Height);
}

int TFormText::ItemWidth(const TItem& item) const
{
  if (Control(item.Control).Kind == TControlKind::GroupBox)
    return ReferenceFont::RoundedAdvance(ControlText(item.Control));
  return Width(item.Control);
}

int TFormText::ItemHeight(const TItem& item) const
{
  if (Control(item.Control).Kind == TControlKind::GroupBox)
    return ControlText(item.Control).empty() ? 0 : ReferenceFont::Height;
  return Height(item.Control);
}

// ---- the sequence ----

TFormText::TItem TFormText::MakeItem(int control) const { return {control, Left(control), Top(control), false}; }

void TFormText::AddControls(int container, TItems& list) const
{
  for (int i = 0; i < static_cast<int>(FForm.Controls.size()); ++i)
    if (Control(i).Parent == container) AddControl(i, list);
}

void TFormText::AddControl(int control, TItems& list) const
{
  if (!Included(control)) return;
  if (Control(control).Kind == TControlKind::Panel) return AddControls(control, list);
  const TItem item = MakeItem(control);
  const auto at = std::find_if(list.begin(), list.end(), [&](const TItem& i) {
    return !(i.Y < item.Y || (i.Y == item.Y && i.X < item.X));
  });
  list.insert(at, item);
}

void TFormText::OpenGroupBox(TItems& items, std::size_t at) const
{
  const int box = items[at].Control;
  TItems opened;
  AddControls(box, opened);
  TItem head = MakeItem(box);
  head.Expanded = true;
  opened.insert(opened.begin(), head);
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(at));
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), opened.begin(), opened.end());
  if (at + 1 < items.size()) {
    const int dy = head.Y + ItemHeight(head) + ReferenceFont::Height - items[at + 1].Y;
    for (std::size_t i = at + 1; i < items.size(); ++i) items[i].Y += dy;
  }
}

std::vector<TFormText::TItem> TFormText::Layout(int state)
{
  FState = state;
  for (std::size_t i = 0; i < FGrids.size(); ++i) {
    if (!FGrids[i]) continue;
    TGridMetrics metrics;
    metrics.CharWidth = ReferenceFont::DigitWidth;
    metrics.CharHeight = ReferenceFont::ExactHeight;
    metrics.BorderWidth = ReferenceFont::GridFrameWidth;
    metrics.ClientWidth = Width(static_cast<int>(i)) - 2 * ReferenceFont::GridFrameWidth;
    metrics.ScrollBarWidth = metrics.ScrollBarHeight = ReferenceFont::ScrollBarExtent;
    FGridLayouts[i] = LayoutGrid(*FGrids[i], metrics);
  }
  TItems items;
  AddControls(-1, items);
  for (;;) {
    const auto box = std::find_if(items.begin(), items.end(), [&](const TItem& i) {
      return Control(i.Control).Kind == TControlKind::GroupBox && !i.Expanded;
    });
    if (box == items.end()) break;
    OpenGroupBox(items, static_cast<std::size_t>(box - items.begin()));
  }
  if (items.empty()) return items;
  int minX = INT_MAX, minY = INT_MAX;
  for (const TItem& item : items) {
    minX = std::min(minX, item.X);
    minY = std::min(minY, item.Y);
  }
  for (TItem& item : items) {
    item.X -= minX;
    item.Y -= minY;
  }
  Compact(items);
  return items;
}

// ---- closing the gaps ----

bool TFormText::CounterPair(int x, int y) const
{
  if (!Grid(x) || !Grid(y) || Control(x).Counter < 0) return false;
  const TGridCore& counter = *Grid(Control(x).Counter);
  return counter.ColCount() > 0 && Grid(y)->ColCount() > 0 && Grid(y)->Column(0).VarNum == counter.Column(0).VarNum;
}

bool TFormText::RelatedOneWay(int x, int y) const
{
  if (IsLabel(Control(x)) && Control(x).Buddy == y) return true;
  if (CounterPair(x, y)) return true;
  if (const int buddy = Control(y).Buddy; IsLabel(Control(y)) && buddy >= 0 && Grid(x))
    return CounterPair(x, buddy) || CounterPair(buddy, x);
  return false;
}

bool TFormText::Related(const TItems& items, std::size_t a, std::size_t b) const
{
  const int x = items[a].Control;
  const int y = items[b].Control;
  if (RelatedOneWay(x, y) || RelatedOneWay(y, x)) return true;
  if (Control(x).Parent == Control(y).Parent && Control(x).Top == Control(y).Top) return true;
  const auto heads = [&](std::size_t head, std::size_t next) {
    const int h = items[head].Control;
    return next == head + 1 && Control(h).Kind == TControlKind::GroupBox && !ControlText(h).empty() &&
           Control(items[next].Control).Parent == h;
  };
  return heads(a, b) || heads(b, a);
}

void TFormText::ShowAllRows(int grid)
{
  TGridCore& core = *Grid(grid);
  core.ScrollBars = ssNone;
  core.SetRowsShown(core.RowCount());
  TGridMetrics metrics;
  metrics.CharWidth = ReferenceFont::DigitWidth;
  metrics.CharHeight = ReferenceFont::ExactHeight;
  metrics.BorderWidth = ReferenceFont::GridFrameWidth;
  metrics.ClientWidth = Width(grid) - 2 * ReferenceFont::GridFrameWidth;
  metrics.ScrollBarWidth = metrics.ScrollBarHeight = ReferenceFont::ScrollBarExtent;
  FGridLayouts[static_cast<std::size_t>(grid)] = LayoutGrid(core, metrics);
}

void TFormText::Compact(TItems& items)
{
  for (const TItem& item : items)
    if (Grid(item.Control)) ShowAllRows(item.Control);
  const int gap = ReferenceFont::Height;
  const auto moveFrom = [&](std::size_t first, int dy) {
    for (std::size_t i = first; i < items.size(); ++i) items[i].Y += dy;
  };
  int bottom = items[0].Y + ItemHeight(items[0]);
  std::size_t lead = 0;
  for (std::size_t d = 1; d < items.size(); ++d) {
    int excess = items[d].Y - gap - bottom;
    if (excess > 0) {
      if (!Related(items, lead, d)) moveFrom(d, -excess);
    } else if (excess < 0) {
      const int left = items[d].X, right = left + ItemWidth(items[d]);
      for (std::size_t i = 0; i < d; ++i) {
        if (!Grid(items[i].Control) || Related(items, i, d)) continue;
        const int overlap = items[i].Y + ItemHeight(items[i]) + gap - items[d].Y;
        const int iLeft = items[i].X, iRight = iLeft + ItemWidth(items[i]);
        if (overlap > 0 && iLeft <= right && left <= iRight) excess = std::max(excess, overlap);
      }
      if (excess > 0) moveFrom(d, excess);
    }
    if (items[d].Y + ItemHeight(items[d]) > bottom) {
      bottom = items[d].Y + ItemHeight(items[d]);
      lead = d;
    }
  }
}

// ---- text ----

void TFormText::WriteItem(const TItem& item, TDataTextPort& port) const
{
  const double horizontal = 15.0 / std::max(ReferenceFont::RoundedAdvance("XXXXXXXXXX"), 1);
  const double vertical = 1.0 / ReferenceFont::Height;
  const int column = static_cast<int>(std::lround(item.X * horizontal)) + 1;
  const int line = static_cast<int>(std::lround(item.Y * vertical)) + 1;
  if (TGridCore* grid = Grid(item.Control)) {
    grid->RenderAsText(port, column, line, FGridLayouts[static_cast<std::size_t>(item.Control)].ColumnWidths,
                       ReferenceFont::DigitWidth);
    return;
  }
  port.WriteAt(column, line, ControlText(item.Control));
}

void TFormText::Write(std::vector<std::string>& lines)
{
  const auto pass = [&](int state) {
    TDataTextPort port;
    for (const TItem& item : Layout(state)) WriteItem(item, port);
    port.AddLine();
    for (int i = 0; i < port.LineCount(); ++i) lines.push_back(port.Line(i));
  };
  if (FForm.Passes)
    FForm.Passes(FObject, pass);
  else
    pass(-1);
}

}  // namespace umbrinex
