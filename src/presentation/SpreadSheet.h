#pragma once
// TSpreadSheet: the one way reports and table windows write on a workbook.
// It adds the program's rules to the plain model: the sheet limits with the
// truncation message, the special values shown as their texts, the default
// number format, unique sheet names and the table-window commands.
//
// The workbook is not owned: the table window that shows it owns it. Every
// operation acts on the active sheet, with 1-based rows and columns, and
// never moves the user's selection, so there is nothing to restore after a
// formatting step.

#include <functional>
#include <optional>
#include <string>

#include "framework/data/Messages.h"

#include "framework/data/Variant.h"
#include "presentation/Workbook.h"

namespace umbrinex {

class TSpreadSheet {
 public:
  static constexpr int MaxRows = 16384;
  static constexpr int MaxCols = 256;

  explicit TSpreadSheet(TWorkbook& workbook) : FWorkbook(workbook) {}

  TWorkbook& Workbook() { return FWorkbook; }
  const TWorkbook& Workbook() const { return FWorkbook; }

  // Given to every number written.
  std::string DefaultNumberFormat = DefaultNumberFormatText;
  // Shows an information message: the message service unless the owner
  // routes it elsewhere.
  std::function<void(const std::string&)> OnInformation = [](const std::string& text) { ShowInformation(text); };

  // Empty clears the value; text is written as text; a special value as its
  // text, right-aligned; any other number as a number with
  // DefaultNumberFormat.
  void SetCellValue(int row, int col, const TVariant& value);
  // Empty, real, text or boolean.
  TVariant GetCellValue(int row, int col);
  bool IsNumberCell(int row, int col);

  // Formatting of a range; a range given with its corners reversed does nothing.
  void SetNumberFormat(const TCellRange& range, const std::string& format);
  void SetAlignment(const TCellRange& range, THorizontalAlignment alignment);
  void CentreAcross(int row, int col1, int col2);
  void SetBold(const TCellRange& range, bool on);
  void SetItalic(const TCellRange& range, bool on);
  void SetFontColour(const TCellRange& range, TColour colour);  // NoColour: nothing
  void SetFontSize(const TCellRange& range, int points);
  void SetFill(const TCellRange& range, TColour colour);  // solid; NoColour: nothing
  // Borders around the range only; inner borders are left as they are.
  void SetOutline(const TCellRange& range, int style);

  // The used area, never less than row 1 and column 1.
  int LastRow();
  int LastCol();

  int ColumnWidth(int col);  // 1/256 of a character
  void SetColumnWidth(int col, int width);
  int RowHeight(int row);  // twips
  void SetRowHeight(int row, int height);
  int DefaultFontSize() const { return umbrinex::DefaultFontSize; }

  int SheetCount() const { return FWorkbook.SheetCount(); }
  void SetSheetCount(int count) { FWorkbook.SetSheetCount(count); }
  void SelectSheet(int index) { FWorkbook.SetActiveIndex(index); }  // 0-based
  std::string SheetName() const { return FWorkbook.ActiveSheet().Name(); }
  // Gives the active sheet this name, trimmed, or the first of "name (2)",
  // "name (3)"... that no sheet has.
  void NameSheet(const std::string& name);
  void SetRepaint(bool on) { FWorkbook.SetRepaint(on); }
  // Empties the active sheet, keeping its place and name.
  void ClearSheet() { FWorkbook.ResetActiveSheet(); }

  // Table-window commands on the active sheet's selection. Copies come as
  // tab-separated text with numbers at full precision; the window puts them
  // on the clipboard.
  void SelectAll();
  void ClearSelection();
  std::string CopyAsGeneral() const;
  std::string CutAsGeneral();
  // Tab-separated text from the top-left cell of the selection on; fields
  // that read as numbers (or special values) become numbers.
  void Paste(const std::string& text);
  // An .xlsx workbook, or tab-separated text when the name ends in ".txt".
  void SaveAs(const std::string& fileName) const;

 private:
  // The range cut back to the sheet limits, or nothing when it lies wholly
  // beyond them or is empty. Going beyond the limits tells the user once.
  std::optional<TCellRange> Clamp(TCellRange range);
  template <typename Action>
  void ForEachCell(const TCellRange& range, Action&& action);

  TWorkbook& FWorkbook;
  bool FTruncationShown = false;
};

}  // namespace umbrinex
