#include "persistence/CheckLog.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

#include "bend/ProgramInfo.h"
#include "framework/data/Clock.h"
#include "framework/data/ValueText.h"

namespace umbrinex {

namespace {

constexpr const char* Indent = "    ";
// Beyond the range of a single, a double is one of the special values (or
// garbage): only an exact match makes sense for those.
constexpr double OrdinaryLimit = 3.4e38;
constexpr double SmallestDivisor = 1e-307;

bool IsOrdinary(double x)
{
  return x >= -OrdinaryLimit && x <= OrdinaryLimit;
}

std::string Figures12(double x)
{
  return FormatGeneral(x, 12);
}
std::string Figures4(double x)
{
  return FormatGeneral(x, 4);
}
std::string Figures6(double x)
{
  return FormatGeneral(x, 6);
}

}  // namespace

TCheckSettings& CheckSettings()
{
  static TCheckSettings settings;
  return settings;
}

void TCheckLog::Reset(const std::string& fileName)
{
  FFileName = fileName;
  FItemName.clear();
  FItemIndex = -1;
  FSampleNumber = -1;
  FElement = -1;
  FDifferenceCount = 0;
  FLargestDifference = 0.0;
  FLargestRelativeDifference = 0.0;
  FLargestError = 0.0;
  FLines.clear();
}

void TCheckLog::SetItemName(const std::string& name)
{
  FItemName = name;
  FElement = -1;
}

std::string TCheckLog::BaseItemText() const
{
  std::string text = FItemName;
  const std::size_t placeholder = text.find("%d");
  if (FItemIndex >= 0 && placeholder != std::string::npos) text.replace(placeholder, 2, std::to_string(FItemIndex));
  return text;
}

std::string TCheckLog::SampleText() const
{
  return FSampleNumber >= 0 ? " at sample " + std::to_string(FSampleNumber) : std::string();
}

std::string TCheckLog::ItemText() const
{
  std::string text = BaseItemText();
  if (FElement >= 0) text.append("[").append(std::to_string(FElement)).append("]");
  return text.append(SampleText());
}

void TCheckLog::AddLine(const std::string& line)
{
  if (FLines.empty()) {
    FLines.push_back(std::string("============ ") + ApplicationTitle + " run at " + TimeAndDateText() + " ============");
    FLines.push_back("Test against " + FFileName + ": ");
  }
  FLines.push_back(line);
}

void TCheckLog::AddDifference(const std::string& item, const std::string& description, const std::string& stored,
                              const std::string& current)
{
  ++FDifferenceCount;
  std::string line = Indent + item + ": ";
  if (!description.empty()) line += description + " ";
  AddLine(line + "was " + stored + " but is now " + current);
}

void TCheckLog::CompareInteger(long long stored, long long current, const char* description)
{
  if (stored == current) return;
  AddDifference(ItemText(), description == nullptr ? "" : description, std::to_string(stored), std::to_string(current));
}

void TCheckLog::CompareBoolean(bool stored, bool current)
{
  if (stored == current) return;
  AddDifference(ItemText(), "", stored ? "True" : "False", current ? "True" : "False");
}

void TCheckLog::CompareString(const std::string& stored, const std::string& current)
{
  if (stored == current) return;
  AddDifference(ItemText(), "", stored, current);
}

void TCheckLog::CompareBytes(const void* stored, const void* current, std::size_t n)
{
  if (n == 0 || std::memcmp(stored, current, n) == 0) return;
  AddDifference(ItemText(), "", "some bytes", "different bytes");
}

void TCheckLog::CompareArrayLength(long long stored, long long current)
{
  if (stored == current) return;
  AddDifference("Length(" + BaseItemText() + ")" + SampleText(), "double array length", std::to_string(stored),
                std::to_string(current));
}

void TCheckLog::CompareDouble(double stored, double current)
{
  const double a = current;
  const double b = stored;
  if (!IsOrdinary(a) || !IsOrdinary(b)) {
    const bool same = a == b || (std::isnan(a) && std::isnan(b));
    if (!same) AddDifference(ItemText(), "", Figures12(b), Figures12(a));
    return;
  }
  const double d = std::fabs(a - b);
  if (d == 0.0) return;

  const TCheckSettings& settings = CheckSettings();
  const std::string start = Indent + ItemText() + ": was " + Figures12(b);
  // The line shows the largest values before this one: a difference that
  // beats them is visible as such.
  if (settings.ReportAllDifferences) {
    const double rd = std::fabs(b) > SmallestDivisor ? std::fabs(d / b) : 0.0;
    ++FDifferenceCount;
    if (FDifferenceCount <= settings.DifferenceCount || d > FLargestDifference || rd > FLargestRelativeDifference)
      AddLine(start + " D=" + Figures4(d) + " RD=" + Figures4(rd) + " LD=" + Figures4(FLargestDifference) +
              " LRD=" + Figures4(FLargestRelativeDifference));
    FLargestDifference = std::max(FLargestDifference, d);
    FLargestRelativeDifference = std::max(FLargestRelativeDifference, rd);
  } else {
    const double e = std::fabs(b) >= 1.0 ? d / std::fabs(b) : d;
    if (e > settings.DifferenceThreshold) {
      ++FDifferenceCount;
      if (FDifferenceCount <= settings.DifferenceCount || e > FLargestError)
        AddLine(start + " E=" + Figures4(e) + " LE=" + Figures4(FLargestError));
    }
    FLargestError = std::max(FLargestError, e);
  }
}

void TCheckLog::Finish()
{
  if (CheckSettings().ReportAllDifferences) {
    if (FLargestDifference != 0.0) {
      AddLine("Largest difference          = " + Figures6(FLargestDifference));
      AddLine("Largest relative difference = " + Figures6(FLargestRelativeDifference));
    }
  } else if (FLargestError != 0.0) {
    AddLine("Largest error = " + Figures6(FLargestError));
  }
  AddLine("");
}

}  // namespace umbrinex
