#pragma once
// The window kit's description of this program: its name and the design
// files of the bend model.

namespace umbrinex {

// Hands the description to the kit; done before the application and its
// main window are made.
void InstallBendProgram();

}  // namespace umbrinex
