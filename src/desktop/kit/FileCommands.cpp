#include "desktop/kit/FileCommands.h"

#include "framework/data/Messages.h"
#include "desktop/kit/Filer.h"
#include "desktop/kit/Program.h"
#include "framework/data/Model.h"

namespace umbrinex {

const TFileClass& DataFileClassOf(const std::string& fileName)
{
  return Program().PeekFileTypeCode(fileName) == ftOldDataFile ? OldDataFileClass : DataFileClass;
}

void TFileCommands::CheckSaveChanges()
{
  if (!FModel().Modified()) return;
  if (AskQuestion("The design has been modified.  Do you want to save the changes?", true, true)) Save();
}

void TFileCommands::New()
{
  TBusy busy;
  CheckSaveChanges();
  // Clearing tells the window, which forgets the file.
  FModel().ClearModel();
  Done();
}

void TFileCommands::Open()
{
  CheckSaveChanges();
  FFiler.ShowOpenDialog("Open " + Program().Name + " File", {DataFileClass, OldDataFileClass, AllFilesClass}, false, "",
                        DataFileClass);
  const std::string fileName = FFiler.LatestFileName();
  const TFileClass chosen = FFiler.ChosenFileClass();
  FFiler.Load(fileName, chosen == AllFilesClass ? DataFileClassOf(fileName) : chosen, FModel());
  Done();
}

void TFileCommands::Save()
{
  if (FFiler.HasFileName())
    FFiler.Save("", DataFileClass, false, FModel());
  else
    SaveAs();
  Done();
}

void TFileCommands::SaveAs()
{
  FFiler.ShowSaveDialog("Save Data", {DataFileClass}, DataFileClass);
  FFiler.Save(FFiler.LatestFileName(), DataFileClass, true, FModel());
  Done();
}

void TFileCommands::OpenFile(const std::string& fileName)
{
  CheckSaveChanges();
  FFiler.Load(fileName, DataFileClassOf(fileName), FModel());
  Done();
}

}  // namespace umbrinex
