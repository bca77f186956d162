#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <iostream>

#include "cli/Cli.h"

int main(int argc, char** argv)
{
  // Times and dates in the reports follow the user's locale; numbers keep
  // the program's own format.
  std::setlocale(LC_TIME, "");
  umbrinex::InstallInterruptHandler();
  // Into a file or a pipe the output goes in large blocks; the last of them
  // is written when the run ends, where a failure is reported with the
  // system's reason (a write that fails earlier loses it).
  // (The C library sizes a buffer it makes itself by the device: given.)
  static char buffer[1 << 20];
  if (!isatty(STDOUT_FILENO)) std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  const int status = umbrinex::RunCommandLine(argc, argv, std::cout, std::cerr);
  return umbrinex::FinishStandardOutput(status, std::cerr);
}
