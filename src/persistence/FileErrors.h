#pragma once
// Errors of reading and writing data files, and the broadcast every file
// error goes out on before it is raised (a diagnostics log or an error list
// can listen). The errors themselves are shared with every other writer of
// files and live with the data framework.

#include <string>

#include "framework/data/DiskFile.h"

namespace umbrinex {

// Warnings of the file layer go through the program's message service.
void ShowFileWarning(const std::string& text);

}  // namespace umbrinex
