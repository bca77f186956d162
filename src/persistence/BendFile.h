#pragma once
// Designs on disk: saving as a data file of this version, opening one of
// this version or of the previous one, and peeking at a file's type.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/data/FileClass.h"

namespace umbrinex {

class TBend;

// Saves the design; returns the full name written (with the default
// extension added when the name had none, unless the naming is exact). A
// failed save leaves any file of that name as it was.
std::string SaveToFile(TBend& bend, const std::string& fileName, TFileNaming naming = TFileNaming::AddExtension);

// Opens a design of the given class; returns the full name read. A failed
// open raises the file error and leaves the design that was open before.
std::string LoadFromFile(TBend& bend, const std::string& fileName, const TFileClass& fileClass);
// The bytes SaveToFile would write for the design, kept in memory: for a
// copy of the design to work on. The design keeps its file name and its
// modified mark; nothing is said about texts a file cannot hold.
std::vector<std::uint8_t> SaveToMemory(TBend& bend);
// The same for a design file held in memory; the design gets no file name.
void LoadFromMemory(TBend& bend, const std::vector<std::uint8_t>& bytes, const TFileClass& fileClass);
// Opens a design whose class its header decides: type 0 the previous
// version, anything else this version.
std::string LoadFromFile(TBend& bend, const std::string& fileName);

// The file type code in a file's header: 10 this version, 0 the previous
// version, 255 when the file is not a tagged file or cannot be read.
int PeekFileTypeCode(const std::string& fileName);

}  // namespace umbrinex
