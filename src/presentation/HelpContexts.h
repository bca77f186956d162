#pragma once
// The help topics of the data forms, by name.

namespace umbrinex {

enum THelpContext : int {
  hcMouldData = 0,
  hcCableData = 3,
  hcStiffenerData = 14,
  hcAnalysisData = 43,
  hcDrawingData = 77,
  hcProjectData = 78,
  hcMaterialsData = 79,
  hcLoadCaseData = 80,
  // Editing a table and its count: rows, pasting, filling.
  hcDataTables = 580,
};

}  // namespace umbrinex
