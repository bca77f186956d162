#include "PyDesign.h"

#include <filesystem>
#include <vector>

#include "NumpyColumns.h"
#include "PythonJson.h"
#include "bend/Bend.h"
#include "cli/ItemListing.h"
#include "framework/data/Messages.h"
#include "framework/data/TextUtils.h"
#include "persistence/BendFile.h"
#include "presentation/DataForms.h"

namespace umbrinex {

namespace py = pybind11;

namespace {

// Messages raised while the program works (a warning while a file is read)
// are kept and handed to Python's warnings once the work is done, answered
// as the batch program answers them: a warning turned into an exception
// must not unwind through the model.
class TMessageCollector {
 public:
  void Warn() const
  {
    for (const std::string& text : FRecorder.Texts())
      if (PyErr_WarnEx(PyExc_UserWarning, text.c_str(), 2) != 0) throw py::error_already_set();
  }

 private:
  TMessageRecorder FRecorder{maYes};
};

template <typename TWork>
auto WithMessages(TWork work)
{
  TMessageCollector messages;
  if constexpr (std::is_void_v<decltype(work())>) {
    work();
    messages.Warn();
  } else {
    auto result = work();
    messages.Warn();
    return result;
  }
}

// A Python value as the text a user would type: floats in the shortest form
// that reads back as the same double. Integers and reals of numpy count as
// what they stand for.
std::string TypedText(const py::handle& value)
{
  if (py::isinstance<py::str>(value)) return value.cast<std::string>();
  if (py::isinstance<py::bool_>(value)) return value.cast<bool>() ? "Yes" : "No";
  if (PyIndex_Check(value.ptr())) return py::str(py::int_(py::reinterpret_borrow<py::object>(value)));
  if (py::isinstance<py::float_>(value) || py::hasattr(value, "__float__")) {
    return ShortestNumberText(py::float_(py::reinterpret_borrow<py::object>(value)));
  }
  throw py::type_error("an item's value is a str, int, float or bool, not " +
                       py::str(py::type::of(value).attr("__name__")).cast<std::string>());
}

// The item as --set names it in its messages.
std::string ItemText(int varNum, std::optional<int> row)
{
  return row ? Format("%d:%d", varNum, *row) : std::to_string(varNum);
}

// A named item in messages: the name as given, then the item as --set
// names it.
std::string NamedItemText(const std::string& name, int varNum, std::optional<int> row)
{
  return (row ? Format("%s:%d", name.c_str(), *row) : name) + " (" + ItemText(varNum, row) + ")";
}

int RowIndex(std::optional<int> row, const std::string& label)
{
  if (row && *row < 1) throw py::value_error(label + ": rows are numbered from 1");
  return row ? *row - 1 : 0;
}

// The system reads a name only up to a NUL, so such a name would quietly
// stand for another file; an empty one stands for none.
void CheckFileName(const std::string& fileName)
{
  if (fileName.empty()) throw py::value_error("the file name is empty");
  if (fileName.find('\0') != std::string::npos) throw py::value_error("the file name holds a NUL character");
}

}  // namespace

TPyDesign::TPyDesign() : FBend(New<TBend>()) {}

TPyDesign::~TPyDesign() = default;

std::unique_ptr<TPyDesign> TPyDesign::Open(const std::string& fileName)
{
  CheckFileName(fileName);
  auto design = std::make_unique<TPyDesign>();
  WithMessages([&] { LoadFromFile(design->Bend(), fileName); });
  design->FFileName = std::filesystem::absolute(fileName).string();
  return design;
}

void TPyDesign::Save(const std::string& fileName)
{
  CheckFileName(fileName);
  // As umbrinex-cli --save: the name given is the file written.
  WithMessages([&] { SaveToFile(Bend(), fileName, TFileNaming::Exact); });
  FFileName = std::filesystem::absolute(fileName).string();
}

py::tuple TPyDesign::PickleState()
{
  const std::vector<std::uint8_t> bytes = SaveToMemory(Bend());
  return py::make_tuple(py::bytes(reinterpret_cast<const char*>(bytes.data()), bytes.size()), FFileName);
}

std::unique_ptr<TPyDesign> TPyDesign::FromPickleState(const py::tuple& state)
{
  if (state.size() != 2 || !py::isinstance<py::bytes>(state[0]) || !py::isinstance<py::str>(state[1]))
    throw py::type_error("a pickled Design holds its file bytes and its file name");
  const std::string bytes = state[0].cast<std::string>();
  auto design = std::make_unique<TPyDesign>();
  WithMessages(
      [&] { LoadFromMemory(design->Bend(), std::vector<std::uint8_t>(bytes.begin(), bytes.end()), DataFileClass); });
  design->FFileName = state[1].cast<std::string>();
  design->Bend().SetFileName(design->FFileName);
  return design;
}

py::dict TPyDesign::LoadCasesFrame()
{
  const TBend& bend = Bend();
  const auto count = static_cast<std::size_t>(bend.LoadCaseCount());
  const auto row = [](std::size_t i) { return static_cast<int>(i); };
  py::dict columns;
  columns["number"] = NumpyColumn<std::int64_t>(count, [](std::size_t i) { return i + 1; });
  columns["tension"] =
      NumpyColumn<double>(count, [&](std::size_t i) { return PlainNumber(bend.LoadCaseTension(row(i))); });
  columns["angle"] = NumpyColumn<double>(count, [&](std::size_t i) { return PlainNumber(bend.LoadCaseAngle(row(i))); });
  columns["abr"] = NumpyColumn<double>(count, [&](std::size_t i) { return PlainNumber(bend.LoadCaseABR(row(i))); });
  columns["state1"] = NumpyColumn<bool>(count, [&](std::size_t i) { return bend.StateIncluded(row(i), 0); });
  columns["state2"] = NumpyColumn<bool>(count, [&](std::size_t i) { return bend.StateIncluded(row(i), 1); });
  return columns;
}

namespace {

// The variables as a list of names or one comma-separated string.
std::string VaryWords(const py::object& vary)
{
  if (vary.is_none()) return {};
  if (py::isinstance<py::str>(vary)) return vary.cast<std::string>();
  std::string words;
  for (const py::handle name : vary) {
    if (!words.empty()) words += ',';
    words += py::str(name).cast<std::string>();
  }
  return words;
}

// The bounds as a dict of name to (lower, upper), either of them None.
std::string BoundsWords(const py::object& bounds)
{
  if (bounds.is_none()) return {};
  std::string words;
  const auto side = [](const py::handle value) { return value.is_none() ? std::string() : TypedText(value); };
  for (const auto& [name, range] : bounds.cast<py::dict>()) {
    const py::tuple pair = py::reinterpret_borrow<py::object>(range).cast<py::tuple>();
    if (pair.size() != 2) throw py::value_error("a bound is a pair (lower, upper)");
    if (!words.empty()) words += ',';
    words += py::str(name).cast<std::string>();
    words += '=';
    words += side(pair[0]);
    words += ':';
    words += side(pair[1]);
  }
  return words;
}

}  // namespace

py::tuple TPyDesign::Size(const py::object& vary, const py::object& bounds, double target,
                          std::optional<double> maxStrain, const std::string& objective, bool moulds)
{
  CheckNotScanning();
  TSizingWords words{VaryWords(vary), BoundsWords(bounds), target, maxStrain, objective, moulds};
  TSizingRequest request;
  try {
    request = CompleteSizingRequest(*FBend, SizingRequestFrom(words));
  } catch (const EUmbrinexError& e) {
    throw py::value_error(e.what());
  }
  // Ctrl+C stops the search where the solutions look for Cancel, leaving
  // the design as it was.
  const TSizingResult result = WithMessages([&] { return SizeStiffener(*FBend, request); });
  const py::object report = ToPython(SizingJson(request, result));
  if (!result.Sized) return py::make_tuple(py::none(), report);
  auto sized = std::make_unique<TPyDesign>();
  LoadFromMemory(sized->Bend(), SaveToMemory(*FBend), DataFileClass);
  ApplySizing(sized->Bend(), request, result.After);
  return py::make_tuple(py::cast(std::move(sized)), report);
}

std::string TPyDesign::ExportData() const
{
  return DesignDataText(*FBend, DataReportTitle(FFileName));
}

py::object TPyDesign::Get(int varNum, std::optional<int> row)
{
  return GetItem(varNum, row, ItemText(varNum, row));
}

void TPyDesign::Set(int varNum, const py::handle& value, std::optional<int> row)
{
  SetItem(varNum, value, row, ItemText(varNum, row));
}

py::object TPyDesign::Get(const std::string& name, std::optional<int> row)
{
  const int varNum = VarNumOf(name);
  return GetItem(varNum, row, NamedItemText(name, varNum, row));
}

void TPyDesign::Set(const std::string& name, const py::handle& value, std::optional<int> row)
{
  const int varNum = VarNumOf(name);
  SetItem(varNum, value, row, NamedItemText(name, varNum, row));
}

int TPyDesign::VarNumOf(const std::string& name)
{
  if (FVarNumOfName.empty())
    for (TItemName& item : ListedItemNames(Bend())) FVarNumOfName.emplace(std::move(item.Name), item.VarNum);
  if (const auto found = FVarNumOfName.find(name); found != FVarNumOfName.end()) return found->second;
  py::list names;
  for (const TItemName& item : ListedItemNames(Bend())) names.append(item.Name);
  const py::list close = py::module_::import("difflib").attr("get_close_matches")(name, names, 3, 0.6);
  std::string message = "no item is named '" + name + "'";
  for (std::size_t i = 0; i < close.size(); ++i)
    message += (i == 0 ? "; did you mean " : (i + 1 == close.size() ? " or " : ", ")) + close[i].cast<std::string>();
  throw py::value_error(close.empty() ? message + " (design.items() lists every name)" : message + "?");
}

py::object TPyDesign::GetItem(int varNum, std::optional<int> row, const std::string& label)
{
  RowIndex(row, label);
  TAccessStatus status;
  const std::optional<TListedItem> item = ListedItem(Bend(), varNum, row.value_or(0), status);
  if (!item) throw py::value_error(label + ": " + status.Text());
  return ToPython(ItemValueJson(*item));
}

void TPyDesign::SetItem(int varNum, const py::handle& value, std::optional<int> row, const std::string& label)
{
  CheckNotScanning();
  const int index = RowIndex(row, label);
  const std::string text = TypedText(value);
  const TAccessStatus status = WithMessages([&] { return EnterItemText(Bend(), varNum, index, text); });
  if (status.Code != acOk) throw py::value_error(label + ": " + status.Text());
}

void TPyDesign::CheckNotScanning() const
{
  if (FScans > 0) throw std::runtime_error("the design is being scanned in another thread and cannot change now");
}

py::object TPyDesign::Items()
{
  return ToPython(ItemsJson(Bend())["items"]);
}

void TPyDesign::CheckLoadCase(int number)
{
  if (number < 1 || number > Bend().LoadCaseCount())
    throw py::value_error(Format("load case %d: the design has %d load cases", number, Bend().LoadCaseCount()));
}

nlohmann::ordered_json TPyDesign::Section(const TReportChoice& choice, const char* key)
{
  nlohmann::ordered_json json = WithMessages([&] { return ResultsJson(Bend(), choice); });
  return std::move(json[key]);
}

py::object TPyDesign::Results(const TReportChoice& choice)
{
  if (choice.LoadCase != 0) CheckLoadCase(choice.LoadCase);
  nlohmann::ordered_json json = WithMessages([&] { return ResultsJson(Bend(), choice); });
  py::dict result;
  for (auto& [key, value] : json.items()) {
    if (key != "load_cases") {
      result[py::str(key)] = ToPython(value);
      continue;
    }
    py::list cases;
    for (const auto& loadCase : value) cases.append(LoadCaseToPython(loadCase));
    result[py::str(key)] = std::move(cases);
  }
  return result;
}

py::object TPyDesign::KeyResults()
{
  return ToPython(Section({.Key = true}, "key_results"));
}

py::object TPyDesign::LoadCases()
{
  return ToPython(Section({.Key = true}, "load_cases"));
}

py::object TPyDesign::LoadCase(int number)
{
  CheckLoadCase(number);
  const nlohmann::ordered_json cases = Section({.LoadCase = number}, "load_cases");
  return LoadCaseToPython(cases.at(static_cast<std::size_t>(number - 1)));
}

py::object TPyDesign::DesignChart()
{
  return ToPython(Section({.DesignChart = true}, "design_chart"));
}

py::object TPyDesign::PerformanceChart()
{
  return ToPython(Section({.PerformanceChart = true}, "performance_chart"));
}

py::object TPyDesign::DesignCheck()
{
  return ToPython(Section({.Key = true}, "design_check"));
}

py::object TPyDesign::Accuracy()
{
  return ToPython(Section({.Accuracy = true}, "accuracy"));
}

py::object TPyDesign::Converged(double tolerance)
{
  if (!(tolerance > 0 && tolerance < 1)) throw py::value_error("The tolerance must lie between 0 and 1.");
  return ToPython(Section({.Converged = true, .Tolerance = tolerance}, "converged"));
}

}  // namespace umbrinex
