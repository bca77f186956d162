#pragma once
// Where every value read from a tagged file arrives. Normally it is stored
// in its destination; in check mode it is compared with the destination
// instead, which keeps its value, and differences go to the comparison log.

#include <cstdint>
#include <string>

#include "persistence/CheckLog.h"

namespace umbrinex {

class TValueStore {
 public:
  // Switching check mode on marks the file as compared.
  void SetCheckMode(bool on)
  {
    FCheckMode = on;
    if (on) FCompared = true;
  }
  bool CheckMode() const { return FCheckMode; }
  bool Compared() const { return FCompared; }
  // What the differences found next are reported as (see TCheckLog).
  void SetItemName(const std::string& name) { FCheck.SetItemName(name); }
  void SetItemIndex(int index) { FCheck.SetItemIndex(index); }
  void SetSampleNumber(int sample) { FCheck.SetSampleNumber(sample); }
  const TCheckLog& CheckLog() const { return FCheck; }
  TCheckLog& CheckLog() { return FCheck; }

  // A new header: nothing compared yet, the log starts again for the file.
  void Reset(const std::string& fileName)
  {
    FCompared = false;
    FCheck.Reset(fileName);
  }
  // Appends the log to "checks.txt" in the folder of targetPath when the
  // file has a name; either way the file counts as not compared after.
  void AppendLog(const std::string& fileName, const std::string& targetPath);

  template <typename T>
  void StoreOrdinal(T& destination, T value)
  {
    if (FCheckMode)
      FCheck.CompareInteger(static_cast<long long>(value), static_cast<long long>(destination));
    else
      destination = value;
  }
  void StoreDouble(double& destination, double value);
  void StoreBoolean(bool& destination, bool value);
  void StoreString(std::string& destination, std::string value);
  void StoreBytes(void* destination, const std::uint8_t* source, std::size_t n);

 private:
  bool FCheckMode = false;
  bool FCompared = false;
  TCheckLog FCheck;
};

}  // namespace umbrinex
