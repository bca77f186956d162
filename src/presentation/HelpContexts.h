#pragma once
// The help topics of the data forms, by name; a data item's topic is its
// VarNum. The manual's HTML has the anchor "topic-N" for each.

namespace umbrinex {

enum THelpContext : int {
  hcMouldData = 81,
  hcCableData = 3,
  hcStiffenerData = 14,
  hcAnalysisData = 43,
  hcDrawingData = 77,
  hcProjectData = 78,
  hcMaterialsData = 79,
  hcLoadCaseData = 80,
  // Editing a table and its count: rows, pasting, filling.
  hcDataTables = 580,
  // The units of a design.
  hcUnits = 88,
};

}  // namespace umbrinex
