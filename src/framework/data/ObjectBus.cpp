#include "framework/data/ObjectBus.h"

#include <algorithm>
#include <vector>

namespace umbrinex {

namespace {
std::vector<TNotifier*>& Notifiers()
{
  static std::vector<TNotifier*> notifiers;
  return notifiers;
}
}  // namespace

TNotifier::TNotifier(TNamedObject* owner, THandler handler) : FOwner(owner), FHandler(std::move(handler))
{
  Notifiers().push_back(this);
}

TNotifier::~TNotifier()
{
  auto& all = Notifiers();
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
  Broadcast(TObjectMessage::Destroyed, 0);
}

void TNotifier::Broadcast(TObjectMessage message, int kind)
{
  // Handlers may make or destroy notifiers: walk a snapshot and skip any
  // that have gone since it was taken.
  const std::vector<TNotifier*> snapshot = Notifiers();
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    TNotifier* other = *it;
    if (other == this) continue;
    const auto& live = Notifiers();
    if (std::find(live.begin(), live.end(), other) == live.end()) continue;
    if (other->FHandler) other->FHandler(message, FOwner, kind);
  }
}

}  // namespace umbrinex
