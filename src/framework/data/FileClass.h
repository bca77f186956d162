#pragma once
// Kinds of file the program offers in its dialogs and reads or writes. Each
// class is one constant; code compares classes by value.

#include <string_view>

namespace umbrinex {

struct TFileClass {
  std::string_view DefaultExtension;  // with its leading dot
  int FileTypeCode;                   // in the header of tagged files; 255 for the others
  std::string_view Filter;            // "description|pattern" for the file dialogs

  bool operator==(const TFileClass&) const = default;
};

// Whether a name without an extension is given its class's default one (as
// typed in a save dialog), or used exactly as given (a name on a command
// line or from a script).
enum class TFileNaming { AddExtension, Exact };

inline constexpr int ftOldDataFile = 0;
inline constexpr int ftDataFile = 10;
inline constexpr int ftUntagged = 255;

inline constexpr TFileClass DataFileClass{".mxd", ftDataFile, "Umbrinex Files (*.mxd)|*.mxd"};
inline constexpr TFileClass OldDataFileClass{".dat", ftOldDataFile, "DOS Umbrinex Files (*.dat)|*.dat"};
inline constexpr TFileClass AllFilesClass{".*", ftUntagged, "All Files (*.*)|*.*"};
inline constexpr TFileClass TextFileClass{".txt", ftUntagged, "Text Files (*.txt)|*.txt"};
inline constexpr TFileClass RichTextFileClass{".rtf", ftUntagged, "Rich Text Files (*.rtf)|*.rtf"};

}  // namespace umbrinex
