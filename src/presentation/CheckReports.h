#pragma once
// Reports of the design check, the discretisation error and the converged
// results. Each is appended to the active sheet below whatever it holds,
// opening with its title in bold; the batch program prints the sheet as
// text, the desktop program shows it in a table window.

#include <string>

#include "presentation/SpreadSheet.h"

namespace umbrinex {

class TBend;
struct TAccuracy;
struct TConvergedResults;
struct TDesignCheck;
struct TDesignCheckCase;

// Every load case and state with its smallest bend radius, where it lies,
// the ABR, the ratio and PASS or FAIL, then the governing case and the
// verdict.
void WriteDesignCheck(const TBend& bend, const TDesignCheck& check, TSpreadSheet& sheet,
                      const std::string& title = "Design Check");
// The station intervals, every root moment, root shear and smallest bend
// radius with its extrapolated value and estimated relative error, and the
// warning when the governing ratio's error is too large.
void WriteAccuracy(const TBend& bend, const TDesignCheck& check, const TAccuracy& accuracy, TSpreadSheet& sheet);
// How far the intervals were refined, the converged values and their check.
void WriteConverged(const TBend& bend, const TConvergedResults& converged, TSpreadSheet& sheet);

// "Load Case 4, State 1".
std::string CheckCaseText(const TDesignCheckCase& c);
// The verdict in one line: "FAIL.  The smallest MBR/ABR is 0.7366, in Load
// Case 4, State 1.", or why nothing was checked.
std::string VerdictText(const TDesignCheck& check);

}  // namespace umbrinex
