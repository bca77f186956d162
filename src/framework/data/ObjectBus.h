#pragma once
// The object bus: one process-wide broadcast list through which objects hear
// about changes to other objects (names, units, destruction) without knowing
// who they are.

#include <functional>

#include "framework/data/NamedObjects.h"

namespace umbrinex {

class TNotifier {
 public:
  using THandler = std::function<void(TObjectMessage message, TNamedObject* sender, int kind)>;

  TNotifier(TNamedObject* owner, THandler handler);
  TNotifier(const TNotifier&) = delete;
  TNotifier& operator=(const TNotifier&) = delete;
  // Tells every other notifier that this one's object is going.
  ~TNotifier();

  TNamedObject* Owner() const { return FOwner; }
  // Calls the handler of every other notifier, newest first.
  void Broadcast(TObjectMessage message, int kind);

 private:
  TNamedObject* FOwner;
  THandler FHandler;
};

}  // namespace umbrinex
