#pragma once
// The design's eight data forms described as data, in the order of the data
// tree, of Next and of data export and printing; the objects of the data
// tree they are opened for; and the design's data written out as text as
// the forms show it.

#include <optional>
#include <string>
#include <vector>

#include "formdata/FormDescription.h"

namespace umbrinex {

class TBend;
class TModelObject;

// The objects of the data tree, in its order: the placeholders of the
// project, cable and stiffener, the materials list, then the placeholders
// of the load cases, analysis, drawing and mould.
std::vector<TModelObject*> DataObjectSequence(const TBend& bend);
// Where an object stands in that sequence; none for an object without a form.
std::optional<int> DataFormPosition(const TBend& bend, const TModelObject& object);

// The description of the form at a position of the sequence (0 to 7).
const TFormDescription& DataFormDescription(int position);
constexpr int DataFormCount = 8;

// Made once each, on first use.
const TFormDescription& ProjectFormDescription();
const TFormDescription& CableFormDescription();
const TFormDescription& StiffenerFormDescription();
const TFormDescription& MaterialsFormDescription();
const TFormDescription& LoadCasesFormDescription();
const TFormDescription& AnalysisFormDescription();
const TFormDescription& DrawingFormDescription();
const TFormDescription& MouldFormDescription();

// The text export of the forms of these objects of the design (every form
// of the data tree when none are given), under a title line.
std::string DesignDataText(TBend& bend, const std::string& title, const std::vector<TModelObject*>& objects = {});
// "Umbrinex" without a file; else the program's name, the file and its
// last change, the time and date as the C locale writes them.
std::string DataReportTitle(const std::string& fileName);

}  // namespace umbrinex
