#pragma once
// What the window kit knows of the program it is part of: who it is, and how
// its model is read from and written to the program's data files. The kit
// knows the model only as a TModel; the program hands this in before its
// main window is made.

#include <functional>
#include <string>

#include "framework/data/FileClass.h"

namespace umbrinex {

class TModel;

struct TProgramDescription {
  std::string Name;   // "Umbrinex"
  std::string Version;
  std::string Title;  // the name with the version
  // The model read from a file of the class, replacing what it held; the
  // file's full name. Raises the program's file errors.
  std::function<std::string(TModel& model, const std::string& fileName, const TFileClass& fileClass)> Load;
  // The model written; the file's full name.
  std::function<std::string(TModel& model, const std::string& fileName)> Save;
  // The file type code in a tagged file's header; ftUntagged for a file
  // that is not one.
  std::function<int(const std::string& fileName)> PeekFileTypeCode;
};

void SetProgram(TProgramDescription program);
// The description handed in; an empty one (no name, no file access) until then.
const TProgramDescription& Program();

}  // namespace umbrinex
