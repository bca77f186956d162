#include "presentation/DataForms.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <filesystem>

#include "bend/Bend.h"
#include "bend/Materials.h"
#include "formdata/FormText.h"

namespace umbrinex {

namespace {
// The placeholders of the data tree, by position in the sequence; the
// materials list stands at position 3.
constexpr int MaterialsPosition = 3;
}  // namespace

std::vector<TModelObject*> DataObjectSequence(const TBend& bend)
{
  std::vector<TModelObject*> sequence;
  for (int i = 0; i < 7; ++i) {
    if (i == MaterialsPosition) sequence.push_back(&bend.Materials());
    sequence.push_back(&bend.Placeholder(i));
  }
  return sequence;
}

std::optional<int> DataFormPosition(const TBend& bend, const TModelObject& object)
{
  const std::vector<TModelObject*> sequence = DataObjectSequence(bend);
  const auto found = std::find(sequence.begin(), sequence.end(), &object);
  if (found == sequence.end()) return std::nullopt;
  return static_cast<int>(found - sequence.begin());
}

const TFormDescription& DataFormDescription(int position)
{
  using TDescriber = const TFormDescription& (*)();
  static constexpr std::array<TDescriber, DataFormCount> forms = {
      ProjectFormDescription,   CableFormDescription,    StiffenerFormDescription, MaterialsFormDescription,
      LoadCasesFormDescription, AnalysisFormDescription, DrawingFormDescription,   MouldFormDescription};
  return forms.at(static_cast<std::size_t>(position))();
}

std::string DesignDataText(TBend& bend, const std::string& title, const std::vector<TModelObject*>& objects)
{
  std::vector<std::string> lines = {title, ""};
  for (TModelObject* object : objects.empty() ? DataObjectSequence(bend) : objects) {
    const std::optional<int> position = DataFormPosition(bend, *object);
    if (!position) continue;
    const TFormDescription& form = DataFormDescription(*position);
    lines.push_back("_____ " + form.Caption + " _____");
    lines.emplace_back();
    // Every form edits the whole design, whatever object it is opened for.
    TFormText text(form, bend);
    text.Write(lines);
  }
  std::string joined;
  for (const std::string& line : lines) joined += line + '\n';
  return joined;
}

std::string DataReportTitle(const std::string& fileName)
{
  if (fileName.empty()) return "Umbrinex";
  std::error_code error;
  const auto modified = std::filesystem::last_write_time(fileName, error);
  std::string when;
  if (!error) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(modified));
    std::tm local{};
    localtime_r(&seconds, &local);
    std::array<char, 64> time{}, date{};
    std::strftime(time.data(), time.size(), "%H:%M:%S", &local);
    std::strftime(date.data(), date.size(), "%b %Y", &local);
    when = " (modified " + std::string(time.data()) + " on " + std::to_string(local.tm_mday) + " " + date.data() + ")";
  }
  return "Umbrinex: " + fileName + when;
}

}  // namespace umbrinex
