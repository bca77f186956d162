#pragma once
// The two drawings of a design: the general arrangement of the stiffener on
// the straight cable with its key dimensions, and the deflected shape of
// stiffener and cable for the selected load case with the design's circles.

#include <vector>

#include "graphics/ViewPort.h"

namespace umbrinex {

class TBend;
class TBendStiffener;

enum TArrangementMode : int { amGeneralArrangement = 0, amDeflectedShape = 1 };

// The edges of a stiffener over every station of a solution (the cable
// stations carry the bore), straight along the axis or deflected.
struct TOutline {
  std::vector<TVector> Upper;
  std::vector<TVector> Lower;
  int TipStation = 0;  // 1-based, the last stiffener station
};
TOutline StiffenerOutline(const TBendStiffener& solution, bool deflected);

// Places the view as the main window does before each redraw.
void PlaceView(const TBend& bend, TViewPort& viewport, int mode);

// Draws the arrangement; an invalid design, or a load case without states
// in the deflected mode, raises its error before anything is drawn.
void DrawArrangement(TBend& bend, TViewPort& viewport, int mode);
void DrawCircles(const TBend& bend, TViewPort& viewport);
// A whole view as the main window shows it: the drawing, its circles (in
// the deflected mode), the scale bar and the axes.
void DrawView(TBend& bend, TViewPort& viewport, int mode);

}  // namespace umbrinex
