#include "charts/ChartItems.h"

#include <algorithm>

#include "framework/data/TextUtils.h"

namespace umbrinex {

TInterceptList::TInterceptList()
{
  for (int axis = 0; axis < 2; ++axis) {
    FBuiltIn[axis].Axis = axis;
    FBuiltIn[axis].Active = false;
    FBuiltIn[axis].IncludeInRange = false;
  }
}

TIntercept& TInterceptList::Add()
{
  return FAdded.emplace_back();
}

void TInterceptList::Delete(int i)
{
  FAdded.erase(FAdded.begin() + i);
}

TIntercept* TInterceptList::Find(const std::string& label)
{
  auto it = std::find_if(FAdded.begin(), FAdded.end(), [&](const TIntercept& line) { return line.Label == label; });
  return it == FAdded.end() ? nullptr : &*it;
}

std::string TInterceptList::FreeName() const
{
  for (int k = 1;; ++k) {
    const std::string name = Format("Intercept%d", k);
    if (std::none_of(FAdded.begin(), FAdded.end(), [&](const TIntercept& line) { return line.Label == name; }))
      return name;
  }
}

}  // namespace umbrinex
