#pragma once
// What happens between the start of the program and its first idle moment,
// and at exit: the command line, the file named on it, and the main
// window's placement.

#include <optional>
#include <string>
#include <vector>

#include <QRect>

#include "framework/data/FileClass.h"

namespace umbrinex {

// Reads the parameters after the program's name: "-" or "/" starts a switch
// (names compared without regard to case), anything else names a file; so
// does a full file name such as "/home/me/x.mxd", though it starts with "/". An
// unknown switch is reported through the error handler and the next
// parameter is read. Returns the last file name, or an empty one.
std::string ReadCommandLine(const std::vector<std::string>& parameters);

// The class of a design file by its header's type code; none for a file of
// any other type, or for something that is not a file.
std::optional<TFileClass> CommandLineFileClass(const std::string& fileName);
// The class a file named on the command line is opened with: an older data
// file by its type code, and anything else as a data file of this version,
// so that a file that is missing, empty, not a design or not a file at all
// is refused with the message that the batch program gives.
TFileClass CommandLineOpeningClass(const std::string& fileName);

// Moves a window (its outer frame being the window grown by border on every
// side) so that it does not overhang the monitor: first off the right and
// bottom edges, then, if need be, back onto the left and top ones.
QRect KeepOnMonitor(const QRect& window, int border, const QRect& monitor);

// The stored window state as the window starts: clamped to 0..2, and a
// window left minimised comes back normal. 0 normal, 2 maximised.
int StartingWindowState(int stored);

// What exit stores: nothing for a minimised window, the state alone for a
// maximised one, the state and the placement for a normal one.
enum class TClosingState { Normal, Minimised, Maximised };
void StoreWindowPlacement(TClosingState state, const QRect& normalGeometry);

}  // namespace umbrinex
