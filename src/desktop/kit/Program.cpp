#include "desktop/kit/Program.h"

#include <utility>

namespace umbrinex {

namespace {
TProgramDescription& Described()
{
  static TProgramDescription program;
  return program;
}
}  // namespace

void SetProgram(TProgramDescription program)
{
  Described() = std::move(program);
}

const TProgramDescription& Program()
{
  return Described();
}

}  // namespace umbrinex
