#include "presentation/WorkbookFiles.h"

#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <map>

#include "framework/data/DiskFile.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "numerics/Errors.h"

namespace umbrinex {

// ---------------------------------------------------------------------------
// Text form

std::string CellText(const TCellValue& value)
{
  if (const auto* number = std::get_if<double>(&value)) return RealToText(*number);
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "TRUE" : "FALSE";
  if (const auto* text = std::get_if<std::string>(&value)) {
    std::string line = *text;
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    // Texts of the design end up on terminals (cat, less -R) and in other
    // programs: their control characters are shown rather than kept.
    return VisibleText(line);
  }
  return {};
}

std::string RangeText(const TSheet& sheet, const TCellRange& range)
{
  std::string result;
  for (int row = range.Row1; row <= range.Row2; ++row) {
    std::string line;
    int pendingTabs = 0;  // held back until a later cell of the line has text
    for (int col = range.Col1; col <= range.Col2; ++col) {
      const std::string text = CellText(sheet.Cell(row, col).Value);
      if (col > range.Col1) ++pendingTabs;
      if (text.empty()) continue;
      line.append(static_cast<std::size_t>(pendingTabs), '\t').append(text);
      pendingTabs = 0;
    }
    result.append(line).append("\n");
  }
  return result;
}

std::string WorkbookText(const TWorkbook& workbook)
{
  auto usedText = [](const TSheet& sheet) { return RangeText(sheet, {1, 1, sheet.LastRow(), sheet.LastCol()}); };
  if (workbook.SheetCount() == 1) return usedText(workbook.Sheet(0));
  std::string result;
  for (int i = 0; i < workbook.SheetCount(); ++i) {
    if (i > 0) result += "\n";
    result.append(CellText(workbook.Sheet(i).Name())).append("\n").append(usedText(workbook.Sheet(i)));
  }
  return result;
}

void SaveWorkbookText(const TWorkbook& workbook, const std::string& fileName)
{
  SaveTextFile(fileName, WorkbookText(workbook));
}

// ---------------------------------------------------------------------------
// .xlsx

namespace {

lxw_color_t ToRgb(TColour colour)
{
  const lxw_color_t rgb = ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
  // Zero means "unset" to the writer; black has a code of its own.
  return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;
}

std::uint8_t ToXlsxAlignment(THorizontalAlignment alignment)
{
  switch (alignment) {
    case THorizontalAlignment::Left:
      return LXW_ALIGN_LEFT;
    case THorizontalAlignment::Centre:
      return LXW_ALIGN_CENTER;
    case THorizontalAlignment::Right:
      return LXW_ALIGN_RIGHT;
    case THorizontalAlignment::CentreAcross:
      return LXW_ALIGN_CENTER_ACROSS;
    case THorizontalAlignment::General:
      break;
  }
  return LXW_ALIGN_NONE;
}

// One writer format per distinct cell format: station tables repeat a few
// formats over thousands of cells.
class TXlsxFormats {
 public:
  explicit TXlsxFormats(lxw_workbook* book) : FBook(book) {}

  lxw_format* Get(const TCellFormat& format)
  {
    lxw_format*& found = FFormats[format];
    if (found == nullptr) found = Make(format);
    return found;
  }

 private:
  lxw_format* Make(const TCellFormat& format)
  {
    lxw_format* result = workbook_add_format(FBook);
    format_set_num_format(result, format.NumberFormat.c_str());
    if (format.Bold) format_set_bold(result);
    if (format.Italic) format_set_italic(result);
    if (format.FontColour != NoColour) format_set_font_color(result, ToRgb(format.FontColour));
    format_set_font_size(result, format.FontSize);
    if (format.Fill != NoColour) {
      format_set_pattern(result, LXW_PATTERN_SOLID);
      format_set_bg_color(result, ToRgb(format.Fill));
    }
    format_set_align(result, ToXlsxAlignment(format.Alignment));
    format_set_left(result, format.Borders[bsLeft]);
    format_set_top(result, format.Borders[bsTop]);
    format_set_right(result, format.Borders[bsRight]);
    format_set_bottom(result, format.Borders[bsBottom]);
    return result;
  }

  lxw_workbook* FBook;
  std::map<TCellFormat, lxw_format*> FFormats;
};

lxw_error WriteXlsxCell(lxw_worksheet* sheet, int row, int col, const TCell& cell, lxw_format* format)
{
  const auto r = static_cast<lxw_row_t>(row - 1);
  const auto c = static_cast<lxw_col_t>(col - 1);
  if (const auto* number = std::get_if<double>(&cell.Value))
    return worksheet_write_number(sheet, r, c, *number, format);
  if (const auto* text = std::get_if<std::string>(&cell.Value))
    return worksheet_write_string(sheet, r, c, text->c_str(), format);
  if (const auto* flag = std::get_if<bool>(&cell.Value)) return worksheet_write_boolean(sheet, r, c, *flag, format);
  return worksheet_write_blank(sheet, r, c, format);
}

lxw_error WriteXlsxSheet(lxw_worksheet* target, const TSheet& sheet, TXlsxFormats& formats)
{
  lxw_error error = LXW_NO_ERROR;
  for (const auto& [col, width] : sheet.ColumnWidths()) {
    const auto c = static_cast<lxw_col_t>(col - 1);
    if (!error) error = worksheet_set_column(target, c, c, width / 256.0, nullptr);
  }
  for (const auto& [row, height] : sheet.RowHeights())
    if (!error) error = worksheet_set_row(target, static_cast<lxw_row_t>(row - 1), height / 20.0, nullptr);
  const int lastRow = sheet.LastRow();
  const int lastCol = sheet.LastCol();
  for (int row = 1; row <= lastRow && !error; ++row) {
    for (int col = 1; col <= lastCol && !error; ++col) {
      const TCell& cell = sheet.Cell(row, col);
      if (!cell.IsBlank()) error = WriteXlsxCell(target, row, col, cell, formats.Get(cell.Format));
    }
  }
  return error;
}

// Our names are unique already, but a file also forbids some characters and
// names over 31 characters; such a sheet falls back to a plain name.
std::string XlsxSheetName(lxw_workbook* book, const std::string& name, int index)
{
  std::string candidate = name;
  std::replace_if(
      candidate.begin(), candidate.end(),
      [](char c) { return std::string_view("[]:*?/\\").find(c) != std::string_view::npos; }, '_');
  candidate = LeftChars(candidate, 31);
  for (int n = 1; workbook_validate_sheet_name(book, candidate.c_str()) != LXW_NO_ERROR; ++n)
    candidate = n == 1 ? Format("Sheet%d", index + 1) : Format("Sheet%d (%d)", index + 1, n);
  return candidate;
}

// The writer reports its failures on standard error as well as by its
// result; the program reports them once, in its own words.
class TQuietStandardError {
 public:
  TQuietStandardError() : FSaved(dup(STDERR_FILENO))
  {
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (FSaved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~TQuietStandardError()
  {
    if (FSaved < 0) return;
    dup2(FSaved, STDERR_FILENO);
    close(FSaved);
  }
  TQuietStandardError(const TQuietStandardError&) = delete;
  TQuietStandardError& operator=(const TQuietStandardError&) = delete;

 private:
  int FSaved;
};

// The writer's text for a failure, or empty when the workbook was written.
std::string WriteXlsx(const TWorkbook& workbook, const std::string& fileName)
{
  TQuietStandardError quiet;
  lxw_workbook* book = workbook_new(fileName.c_str());
  if (book == nullptr) return "the workbook cannot be created";
  TXlsxFormats formats(book);
  lxw_error error = LXW_NO_ERROR;
  for (int i = 0; i < workbook.SheetCount() && !error; ++i) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, XlsxSheetName(book, workbook.Sheet(i).Name(), i).c_str());
    if (sheet == nullptr) {
      error = LXW_ERROR_MEMORY_MALLOC_FAILED;
      break;
    }
    if (i == workbook.ActiveIndex()) worksheet_activate(sheet);
    error = WriteXlsxSheet(sheet, workbook.Sheet(i), formats);
  }
  // Closing also frees the writer, so it runs on failure too.
  const lxw_error closeError = workbook_close(book);
  if (!error) error = closeError;
  return error ? lxw_strerror(error) : "";
}

}  // namespace

void SaveWorkbookXlsx(const TWorkbook& workbook, const std::string& fileName)
{
  TReplacementFile file(fileName);
  // The writer makes the file again under the same name; it keeps the
  // permissions the temporary file was given.
  close(file.ReleaseDescriptor());
  errno = 0;
  const std::string reason = WriteXlsx(workbook, file.Path());
  if (!reason.empty()) {
    const int failure = errno;
    if (failure != 0) RaiseWriteError(fileName, failure);
    RaiseFileError(Format("Write error on file '%s'.  %s", FileNameForMessage(fileName).c_str(), reason.c_str()));
  }
  file.Commit();
}

}  // namespace umbrinex
