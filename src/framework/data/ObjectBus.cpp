#include "framework/data/ObjectBus.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace umbrinex {

namespace {

// In order of creation, and as a set, so that a broadcast can tell in
// constant time whether a notifier of its snapshot is still alive: searching
// the list for each of them made every broadcast quadratic in the number of
// objects.
struct TNotifiers {
  std::vector<TNotifier*> Ordered;
  std::unordered_set<const TNotifier*> Live;
};

TNotifiers& Notifiers()
{
  static TNotifiers notifiers;
  return notifiers;
}
}  // namespace

TNotifier::TNotifier(TNamedObject* owner, THandler handler) : FOwner(owner), FHandler(std::move(handler))
{
  Notifiers().Ordered.push_back(this);
  Notifiers().Live.insert(this);
}

TNotifier::~TNotifier()
{
  auto& all = Notifiers();
  all.Live.erase(this);
  // Objects mostly go newest first.
  const auto it = std::find(all.Ordered.rbegin(), all.Ordered.rend(), this);
  if (it != all.Ordered.rend()) all.Ordered.erase(std::next(it).base());
  Broadcast(TObjectMessage::Destroyed, 0);
}

void TNotifier::Broadcast(TObjectMessage message, int kind)
{
  // Handlers may make or destroy notifiers: walk a snapshot and skip any
  // that have gone since it was taken.
  const std::vector<TNotifier*> snapshot = Notifiers().Ordered;
  const auto& live = Notifiers().Live;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    TNotifier* other = *it;
    if (other == this || live.count(other) == 0) continue;
    if (other->FHandler) other->FHandler(message, FOwner, kind);
  }
}

}  // namespace umbrinex
