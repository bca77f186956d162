#pragma once
// Enumeration values above their bound, collected during a load and
// reported together at its end, as one warning.

#include <string>
#include <vector>

namespace umbrinex {

class TUnrecognisedValues {
 public:
  // Starts (or stops) collecting, forgetting what was collected.
  void Collect(bool on);
  // Remembers the item once, while collecting.
  void Note(const std::string& itemName);
  // Shows the warning for what was collected, if anything, and forgets it.
  void Report();
  const std::vector<std::string>& Names() const { return FNames; }

 private:
  bool FCollecting = false;
  std::vector<std::string> FNames;
};

}  // namespace umbrinex
