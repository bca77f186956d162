#pragma once
// Records of comma-, semicolon- or tab-separated text, as spreadsheets and
// analysis programs write them: fields may be quoted (a quoted field may
// hold the separator, doubled quotes and line breaks), the first line may
// carry a UTF-8 byte order mark, and blank lines and lines starting with
// '#' are skipped. The separator is the one the first record (the header)
// uses outside quotes: a tab, else a semicolon, else a comma. The fields
// are split by libcsv; this class adds the line numbers that messages need
// and reads with constant memory however long the text.

#include <cstdio>
#include <fstream>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "numerics/Errors.h"

namespace umbrinex {

class ECsvError : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

// A physical line longer than this is no table row: the text is refused
// rather than read into memory whole.
inline constexpr std::size_t MaxCsvLineLength = 64 * 1024;

struct TCsvRecord {
  int Line = 0;  // where the record starts, from 1
  // The fields, trimmed of spaces unless quoted. Only the first Count are
  // this record's: the strings are reused from record to record.
  std::vector<std::string> Fields;
  int Count = 0;

  const std::string& Field(int i) const { return Fields[static_cast<std::size_t>(i)]; }
};

// Opens a table file to read: only a regular file, as the design files are
// opened; any other raises the file error that names it.
std::ifstream OpenCsvFile(const std::string& fileName);

class TCsvReader {
 public:
  // Reads from the stream, which must outlive the reader.
  explicit TCsvReader(std::istream& in);
  ~TCsvReader();
  TCsvReader(const TCsvReader&) = delete;
  TCsvReader& operator=(const TCsvReader&) = delete;

  // The next record; false at the end of the text. Raises ECsvError for a
  // line too long, a misplaced quote, a quoted field left open at the end,
  // text that is not 8-bit (UTF-16 or 32) or a stream that fails to read.
  bool Next(TCsvRecord& record);
  // The separator, known once the first record is read.
  char Delimiter() const { return FDelimiter; }

  struct TParser;

 private:
  bool ReadLine();
  // The next chunk of the stream into the buffer; false when none is left.
  bool Refill();
  void StartParser();
  void Feed(const char* data, std::size_t size);

  std::istream& FIn;
  std::unique_ptr<TParser> FParser;
  std::vector<char> FBuffer;
  std::size_t FBegin = 0;
  std::size_t FEnd = 0;
  std::string FLine;
  int FLineNumber = 0;
  char FDelimiter = 0;
  bool FFirstLine = true;
  bool FAtEnd = false;
};

}  // namespace umbrinex
