#include "desktop/forms/Accelerators.h"

#include <algorithm>
#include <functional>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QToolButton>

namespace umbrinex {

QChar AcceleratorOf(const QString& caption)
{
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] == QLatin1Char('&')) {
      ++i;  // "&&" is an ampersand
      continue;
    }
    return caption[i + 1].toLower();
  }
  return {};
}

namespace {

struct TCandidate {
  QWidget* Target = nullptr;
  bool Direct = false;   // acts itself: buttons and check boxes
  bool Current = false;  // its target has the focus
  int TabIndex = -1;     // -1: no place in the tab order
  int Order = 0;         // place among the form's components
  std::function<void()> Act;
};

bool CanTakeFocus(const QWidget* widget)
{
  return widget->isEnabled() && widget->isVisibleTo(widget->window()) && widget->focusPolicy() != Qt::NoFocus;
}

bool HasFocusInside(const QWidget* widget)
{
  const QWidget* focus = QApplication::focusWidget();
  return focus && (focus == widget || widget->isAncestorOf(focus));
}

class TCandidates {
 public:
  TCandidates(QWidget& form, QChar character) : FCharacter(character)
  {
    for (QWidget* w = form.nextInFocusChain(); w && w != &form; w = w->nextInFocusChain()) FChain.push_back(w);
    int order = 0;
    for (QWidget* widget : form.findChildren<QWidget*>()) Consider(widget, ++order);
    // By tab order; those with no place in it after the others, in the
    // order the form holds them.
    std::stable_sort(List.begin(), List.end(), [](const TCandidate& a, const TCandidate& b) {
      const bool aPlaced = a.TabIndex >= 0, bPlaced = b.TabIndex >= 0;
      if (aPlaced != bPlaced) return aPlaced;
      if (aPlaced && a.TabIndex != b.TabIndex) return a.TabIndex < b.TabIndex;
      return a.Order < b.Order;
    });
  }
  std::vector<TCandidate> List;

 private:
  int TabIndex(QWidget* target) const
  {
    if (!(target->focusPolicy() & Qt::TabFocus)) return -1;
    const auto i = std::find(FChain.begin(), FChain.end(), target);
    return i == FChain.end() ? -1 : int(i - FChain.begin());
  }
  void Add(QWidget* target, bool direct, bool current, int order, std::function<void()> act)
  {
    List.push_back({target, direct, current, TabIndex(target), order, std::move(act)});
  }
  void Consider(QWidget* widget, int order)
  {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      QWidget* buddy = label->buddy();
      if (!buddy || !label->isEnabled() || !label->isVisibleTo(label->window()) || !CanTakeFocus(buddy)) return;
      if (AcceleratorOf(label->text()) != FCharacter) return;
      Add(buddy, false, HasFocusInside(buddy), order, [buddy] { buddy->setFocus(Qt::ShortcutFocusReason); });
    } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
      if (!CanTakeFocus(tabs)) return;
      for (int i = 0; i < tabs->count(); ++i)
        if (i != tabs->currentIndex() && tabs->isTabEnabled(i) && AcceleratorOf(tabs->tabText(i)) == FCharacter)
          Add(tabs, false, false, order, [tabs, i] {
            tabs->setCurrentIndex(i);
            tabs->setFocus(Qt::ShortcutFocusReason);
          });
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      if (!CanTakeFocus(group) || AcceleratorOf(group->title()) != FCharacter) return;
      Add(group, false, HasFocusInside(group), order, [group] { group->setFocus(Qt::ShortcutFocusReason); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      const bool speedButton = qobject_cast<QToolButton*>(button) && button->isVisible() && button->isEnabled() &&
                               button->parentWidget() && button->parentWidget()->isVisible();
      if (!speedButton && !CanTakeFocus(button)) return;
      if (AcceleratorOf(button->text()) != FCharacter) return;
      Add(button, true, HasFocusInside(button), order, [button] {
        if (button->focusPolicy() != Qt::NoFocus) button->setFocus(Qt::ShortcutFocusReason);
        button->click();
      });
    }
  }

  QChar FCharacter;
  std::vector<QWidget*> FChain;
};

}  // namespace

bool HasAccelerator(QWidget& form, QChar character)
{
  return !character.isNull() && !TCandidates(form, character.toLower()).List.empty();
}

bool ResolveAccelerator(QWidget& form, QChar character)
{
  if (character.isNull()) return false;
  std::vector<TCandidate> candidates = TCandidates(form, character.toLower()).List;
  if (candidates.empty()) return false;
  for (const TCandidate& candidate : candidates) {
    if (!candidate.Direct) continue;
    candidate.Act();
    return true;
  }
  const auto current =
      std::find_if(candidates.begin(), candidates.end(), [](const TCandidate& c) { return c.Current; });
  if (current == candidates.end()) {
    candidates.front().Act();
    return true;
  }
  const std::size_t n = candidates.size();
  const auto start = static_cast<std::size_t>(current - candidates.begin());
  for (std::size_t k = 1; k < n; ++k) {
    const TCandidate& next = candidates[(start + k) % n];
    if (next.Current) continue;
    next.Act();
    return true;
  }
  return true;  // every candidate is current: nothing moves
}

}  // namespace umbrinex
