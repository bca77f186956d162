#pragma once
// The comparison log of a reader in check mode. In check mode every value
// read is compared with the value already in memory instead of being stored,
// and each difference becomes a line of this log, which is appended to
// "checks.txt" in the data file's folder when the file is closed. The one
// user is the comparison of stored results with freshly calculated ones, so
// the lines name results items ("FC[3]") rather than file positions.
//
// Doubles are judged by size: computed results rarely agree to the last bit,
// so after the first few differences only those that beat the largest so far
// are logged, and the log ends with the largest difference seen.

#include <cstddef>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace umbrinex {

// How differences of doubles are judged and how many are logged. They belong
// to the in-house testing preferences, last while the program runs and are
// never stored.
struct TCheckSettings {
  // On: every difference counts, judged by its absolute and relative size.
  // Off: only errors above the threshold count.
  bool ReportAllDifferences = true;
  // Differences logged unconditionally; later ones only when they are the
  // largest so far.
  int DifferenceCount = 20;
  double DifferenceThreshold = 0.001;
};
TCheckSettings& CheckSettings();

inline constexpr const char* CheckLogFileName = "checks.txt";

class TCheckLog {
 public:
  // Starts afresh for a file of that name: no lines, no differences.
  void Reset(const std::string& fileName);

  // The name under which differences are reported. A "%d" in it is replaced
  // by the item index when one is set; array elements add "[i]", a sample
  // number " at sample n".
  void SetItemName(const std::string& name);
  void SetItemIndex(int index) { FItemIndex = index; }          // < 0: none
  void SetSampleNumber(int sample) { FSampleNumber = sample; }  // < 0: none
  void SetElement(int element) { FElement = element; }          // < 0: not an array element
  std::string ItemText() const;

  // Each compares the value stored in the file with the current one in
  // memory and logs a line when they differ.
  void CompareInteger(long long stored, long long current, const char* description = nullptr);
  void CompareBoolean(bool stored, bool current);
  void CompareString(const std::string& stored, const std::string& current);
  void CompareBytes(const void* stored, const void* current, std::size_t n);
  // The count of a double array, reported as "Length(item)".
  void CompareArrayLength(long long stored, long long current);
  void CompareDouble(double stored, double current);

  // The closing lines: the summary of the largest differences and an empty
  // line. The banner comes first if nothing differed.
  void Finish();

  int DifferenceCount() const { return FDifferenceCount; }
  double LargestDifference() const { return FLargestDifference; }
  double LargestRelativeDifference() const { return FLargestRelativeDifference; }
  double LargestError() const { return FLargestError; }
  const std::vector<std::string>& Lines() const { return FLines; }

 private:
  std::string BaseItemText() const;
  std::string SampleText() const;
  // Logs a line that always counts as a difference.
  void AddDifference(const std::string& item, const std::string& description, const std::string& stored,
                     const std::string& current);
  void AddLine(const std::string& line);

  std::string FFileName;
  std::string FItemName;
  int FItemIndex = -1;
  int FSampleNumber = -1;
  int FElement = -1;
  int FDifferenceCount = 0;
  double FLargestDifference = 0.0;
  double FLargestRelativeDifference = 0.0;
  double FLargestError = 0.0;
  std::vector<std::string> FLines;
};

}  // namespace umbrinex
