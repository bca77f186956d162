#include "persistence/CsvReader.h"

#include <csv.h>

#include <algorithm>
#include <cstring>

#include "framework/data/DiskFile.h"
#include "framework/data/TextUtils.h"

namespace umbrinex {

struct TCsvReader::TParser {
  csv_parser Parser{};
  TCsvRecord* Record = nullptr;
  bool Ended = false;
  std::size_t RecordBytes = 0;

  TParser() = default;
  TParser(const TParser&) = delete;
  TParser& operator=(const TParser&) = delete;
  ~TParser() { csv_free(&Parser); }
};

namespace {

constexpr std::size_t ChunkSize = 64 * 1024;

extern "C" void OnField(void* data, std::size_t size, void* parser)
{
  TCsvRecord& record = *static_cast<TCsvReader::TParser*>(parser)->Record;
  if (static_cast<std::size_t>(record.Count) == record.Fields.size()) record.Fields.emplace_back();
  record.Fields[static_cast<std::size_t>(record.Count++)].assign(data ? static_cast<const char*>(data) : "", size);
}

extern "C" void OnRecordEnd(int, void* parser)
{
  static_cast<TCsvReader::TParser*>(parser)->Ended = true;
}

// Tabs count as spaces around a field only where they do not separate.
extern "C" int IsSpace(unsigned char c)
{
  return c == ' ' || c == '\t';
}

extern "C" int IsBlank(unsigned char c)
{
  return c == ' ';
}

bool IsBlankOrComment(const std::string& line)
{
  const std::size_t first = line.find_first_not_of(" \t");
  return first == std::string::npos || line[first] == '#';
}

// The separator the header uses outside quotes: a tab, else a semicolon,
// else a comma.
char DetectDelimiter(const std::string& line)
{
  bool quoted = false, tab = false, semicolon = false;
  for (const char c : line) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    tab = tab || c == '\t';
    semicolon = semicolon || c == ';';
  }
  return tab ? '\t' : semicolon ? ';' : ',';
}

}  // namespace

std::ifstream OpenCsvFile(const std::string& fileName)
{
  std::fclose(OpenFileForReading(fileName));
  std::ifstream in(fileName, std::ios::binary);
  if (!in) RaiseFileError(Format("Cannot open file '%s'.", FileNameForMessage(fileName).c_str()));
  return in;
}

TCsvReader::TCsvReader(std::istream& in) : FIn(in), FBuffer(ChunkSize) {}

TCsvReader::~TCsvReader() = default;

bool TCsvReader::ReadLine()
{
  FLine.clear();
  for (;;) {
    if (FBegin == FEnd && (FAtEnd || !Refill())) return !FLine.empty();
    const char* start = FBuffer.data() + FBegin;
    const char* end = FBuffer.data() + FEnd;
    const char* stop = std::find_if(start, end, [](char c) { return c == '\n' || c == '\r'; });
    FLine.append(start, stop);
    if (FLine.size() > MaxCsvLineLength)
      throw ECsvError(Format("Line %d is longer than %zu characters: this is not a table of numbers.", FLineNumber + 1,
                             MaxCsvLineLength));
    FBegin = static_cast<std::size_t>(stop - FBuffer.data());
    if (stop == end) continue;
    ++FBegin;
    // CR LF, LF and a lone CR all end a line.
    if (*stop == '\r') {
      if (FBegin == FEnd && !FAtEnd) Refill();
      if (FBegin < FEnd && FBuffer[FBegin] == '\n') ++FBegin;
    }
    return true;
  }
}

bool TCsvReader::Refill()
{
  FIn.read(FBuffer.data(), static_cast<std::streamsize>(FBuffer.size()));
  if (FIn.bad()) throw ECsvError(Format("Line %d: the text could not be read.", FLineNumber + 1));
  FBegin = 0;
  FEnd = static_cast<std::size_t>(FIn.gcount());
  FAtEnd = FEnd < FBuffer.size();
  return FEnd > 0;
}

void TCsvReader::StartParser()
{
  FParser = std::make_unique<TParser>();
  if (csv_init(&FParser->Parser, CSV_STRICT | CSV_STRICT_FINI) != 0) throw ECsvError("Out of memory reading a table.");
  csv_set_delim(&FParser->Parser, static_cast<unsigned char>(FDelimiter));
  csv_set_space_func(&FParser->Parser, FDelimiter == '\t' ? IsBlank : IsSpace);
}

void TCsvReader::Feed(const char* data, std::size_t size)
{
  FParser->RecordBytes += size;
  if (FParser->RecordBytes > MaxCsvLineLength)
    throw ECsvError(Format("Line %d: a quoted field runs on for more than %zu characters; is a closing quote missing?",
                           FParser->Record->Line, MaxCsvLineLength));
  if (csv_parse(&FParser->Parser, data, size, OnField, OnRecordEnd, FParser.get()) == size) return;
  if (csv_error(&FParser->Parser) == CSV_EPARSE)
    throw ECsvError(
        Format("Line %d: a quote stands inside a field. A field with quotes is quoted whole, "
               "with a quote inside it doubled (\"\").",
               FLineNumber));
  throw ECsvError(Format("Line %d: %s.", FLineNumber, csv_strerror(csv_error(&FParser->Parser))));
}

bool TCsvReader::Next(TCsvRecord& record)
{
  record.Count = 0;
  bool inRecord = false;
  while (ReadLine()) {
    ++FLineNumber;
    if (FFirstLine) {
      FFirstLine = false;
      if (FLine.compare(0, 3, "\xEF\xBB\xBF") == 0) FLine.erase(0, 3);
      if (FLine.compare(0, 2, "\xFF\xFE") == 0 || FLine.compare(0, 2, "\xFE\xFF") == 0)
        throw ECsvError("The file is UTF-16 text: save it as CSV in UTF-8 (or in the Windows code page).");
    }
    if (!inRecord) {
      if (IsBlankOrComment(FLine)) continue;
      if (FDelimiter == 0) {
        FDelimiter = DetectDelimiter(FLine);
        StartParser();
      }
      record.Line = FLineNumber;
      FParser->Record = &record;
      FParser->Ended = false;
      FParser->RecordBytes = 0;
      inRecord = true;
    }
    FLine.push_back('\n');
    Feed(FLine.data(), FLine.size());
    if (FParser->Ended) return true;
  }
  if (inRecord && csv_fini(&FParser->Parser, OnField, OnRecordEnd, FParser.get()) != 0)
    throw ECsvError(Format("Line %d: a quoted field is not closed before the end of the text.", record.Line));
  return inRecord && FParser->Ended;
}

}  // namespace umbrinex
