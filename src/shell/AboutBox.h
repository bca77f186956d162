#pragma once
// The About box: the program, its version, and the machine it runs on.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

namespace umbrinex {

// A number with thousands separators and the given decimals: "15,923.4".
std::string GroupedNumber(double value, int decimals);
// Physical memory in megabytes: "15,923.4 MB".
std::string MegabytesText(std::uint64_t bytes);
// A process's memory in the largest unit that still shows more than 1023 of
// the next smaller one: "812 bytes", "1,000.0 KB", "45.3 MB", "1.2 GB".
std::string MemorySizeText(std::uint64_t bytes);

struct TMachineFacts {
  std::optional<std::uint64_t> TotalMemory;  // bytes
  std::optional<std::uint64_t> FreeMemory;
  std::optional<std::uint64_t> MemoryUsed;  // by this process
  unsigned Processors = 0;
  std::string OperatingSystem;
};
// From /proc and the system.
TMachineFacts ReadMachineFacts();
// The lines under the description, in order.
std::vector<std::string> AboutLines(const TMachineFacts& facts);

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace umbrinex
