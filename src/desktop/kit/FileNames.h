#pragma once
// File-name rules of the shell: folder parts, extensions, the shortened
// names of captions and menus, and where the examples are.

#include <string>

namespace umbrinex {

// The folder part ends at the last separator and keeps it; empty for a bare name.
std::string FolderPart(const std::string& fileName);
std::string FileNameOnly(const std::string& fileName);
// The extension (from the last dot of the file part) replaced by ext, which
// carries its dot; a name without extension gets ext added.
std::string ChangeFileExt(const std::string& fileName, const std::string& ext);
std::string RemoveFileExt(const std::string& fileName);

// A name whose folder part has more than maxLevels separators keeps its
// first component, then ".../", then only as many of its last folders as
// keep maxLevels - 1 of them.
std::string ShortenFolders(const std::string& fileName, int maxLevels);
// The main window's caption: no extension, the last four folders.
std::string CaptionFileName(const std::string& fileName);
// The recent-file menus: extension kept, the last two folders.
std::string MenuFileName(const std::string& fileName);

// The absolute, normalised name (trimmed first).
std::string FullFileName(const std::string& fileName);
// The full name of an existing file; raises EExpected for a missing one.
std::string LongFileName(const std::string& fileName);

// The folder the running program file is in, with no trailing separator.
std::string ProgramFolder();
// Where an installed program keeps its data: "share/umbrinex" beside the
// folder of the program file ("bin"), whether it exists or not.
std::string InstalledDataFolder(const std::string& programFolder);
// The "Examples" folder of an installed program (in its data folder);
// otherwise, from programFolder upward, the first folder holding a
// sub-folder "Examples" gives that sub-folder; with none, programFolder
// itself.
std::string ExamplesFolder(const std::string& programFolder);

}  // namespace umbrinex
