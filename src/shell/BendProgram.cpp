#include "shell/BendProgram.h"

#include "bend/Bend.h"
#include "bend/ProgramInfo.h"
#include "desktop/kit/Program.h"
#include "persistence/BendFile.h"

namespace umbrinex {

void InstallBendProgram()
{
  TProgramDescription program;
  program.Name = ApplicationName;
  program.Version = ApplicationVersion;
  program.Title = ApplicationTitle;
  program.Load = [](TModel& model, const std::string& fileName, const TFileClass& fileClass) {
    return LoadFromFile(static_cast<TBend&>(model), fileName, fileClass);
  };
  program.Save = [](TModel& model, const std::string& fileName) {
    return SaveToFile(static_cast<TBend&>(model), fileName);
  };
  program.PeekFileTypeCode = [](const std::string& fileName) { return PeekFileTypeCode(fileName); };
  SetProgram(std::move(program));
}

}  // namespace umbrinex
