#pragma once
// The design's input data printed as it appears in the data forms: every
// form of the data tree, or the one that is open, one after another, on
// paper (TPrintData). The text export lays the forms' descriptions out
// without a window (formdata/FormText.h).

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPrinter;

namespace umbrinex {

class TModelObject;
class TTessanDataForm;

// What a run covers: the forms of these objects, in order, each made by the
// maker (a fresh form that keeps no copies and is never shown).
struct TDataOutputSource {
  std::string ReportTitle;
  // The design's file, empty without one.
  std::string DesignFileName;
  std::vector<TModelObject*> Objects;
  std::function<std::unique_ptr<TTessanDataForm>(TModelObject&)> MakeForm;
};

// Runs fn on every form of the source that takes part in output, between
// the form's BeginOutput and EndOutput, once per output pass.
void ForEachOutputForm(const TDataOutputSource& source,
                       const std::function<void(TTessanDataForm&)>& beginForm,
                       const std::function<void(TTessanDataForm&)>& pass);

class TPrintData {
 public:
  explicit TPrintData(TDataOutputSource source) : FSource(std::move(source)) {}
  // "Umbrinex Data", and ": " and the design's file name when it has one,
  // cut at the first ".".
  std::string JobTitle() const;
  // Prints on a printer whose job has been prepared.
  void Run(QPrinter& printer);
  int PageCount() const { return FPage; }

 private:
  TDataOutputSource FSource;
  int FPage = 0;
};

std::string PrintJobTitle(const std::string& designFileName);

}  // namespace umbrinex
