#include <clocale>
#include <iostream>

#include "cli/Cli.h"

int main(int argc, char** argv)
{
  // Times and dates in the reports follow the user's locale; numbers keep
  // the program's own format.
  std::setlocale(LC_TIME, "");
  umbrinex::InstallInterruptHandler();
  return umbrinex::RunCommandLine(argc, argv, std::cout, std::cerr);
}
