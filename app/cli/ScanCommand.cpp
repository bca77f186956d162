// --scan: a load history through the design, read, solved and written in
// blocks, so that a history of any length takes the memory of one block;
// the rows leave in the order they came whichever thread solved them.

#include <unistd.h>

#include <charconv>
#include <chrono>
#include <fstream>
#include <iostream>
#include <memory>
#include <ostream>
#include <utility>

#include "bend/Bend.h"
#include "bend/LoadHistoryScan.h"
#include "cli/Cli.h"
#include "framework/data/DiskFile.h"
#include "framework/data/TextUtils.h"
#include "numerics/ParallelFor.h"
#include "numerics/ReservedDoubles.h"
#include "persistence/CsvColumns.h"
#include "persistence/HistoryCsv.h"

namespace umbrinex {

namespace {

// Rows a block holds: enough to keep every thread busy between two writes.
constexpr int BlockRows = 8192;

// A number as the response file has it: the shortest text that reads back
// as the same double; no bend at all is an infinite radius.
void AppendValue(std::string& line, double value)
{
  if (IsInfinite(value))
    line += value > 0 ? "inf" : "-inf";
  else if (IsSpecial(value) && value != Tiny && value != -Tiny)
    line += "nan";
  else
    AppendShortestNumber(line, value);
}

// The response goes to a file that replaces its target only when written,
// or to the output stream.
class TResponseOutput {
 public:
  TResponseOutput(const std::string& fileName, std::ostream& out) : FOut(out)
  {
    if (!fileName.empty() && fileName != "-") FFile = std::make_unique<TReplacementFile>(fileName);
  }
  void Write(std::string_view text)
  {
    if (FFile)
      FFile->Write(text);
    else
      FOut.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  void Finish()
  {
    if (FFile) FFile->Commit();
  }

 private:
  std::ostream& FOut;
  std::unique_ptr<TReplacementFile> FFile;
};

// The rows scanned so far on standard error, about once a second on a
// terminal and every ten seconds into a file, once the run has taken more
// than two.
class TScanProgress {
 public:
  explicit TScanProgress(std::ostream& err) : FErr(err), FTerminal(&err == &std::cerr && isatty(STDERR_FILENO)) {}
  ~TScanProgress()
  {
    if (FShown && FTerminal) FErr << '\n';
  }
  void Tell(long long rows)
  {
    const auto now = std::chrono::steady_clock::now();
    if (now - FStart < std::chrono::seconds(2) || now - FLast < std::chrono::seconds(FTerminal ? 1 : 10)) return;
    FLast = now;
    FShown = true;
    FErr << (FTerminal ? "\r" : "") << "umbrinex-cli: " << rows << " rows of the history scanned"
         << (FTerminal ? "" : "\n") << std::flush;
  }

 private:
  std::ostream& FErr;
  bool FTerminal;
  bool FShown = false;
  std::chrono::steady_clock::time_point FStart = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point FLast = FStart;
};

class THistoryScanRun {
 public:
  THistoryScanRun(TBend& bend, std::istream& history, const TScanWords& words)
      : FReader(history, bend), FScan(bend, ScanStates(bend, words.State), CalculationThreads()), FLines(BlockRows)
  {
  }

  std::string Header() const
  {
    return std::string("row,") + (FReader.HasTime() ? "time," : "") +
           "state,tension,angle,root_moment,root_shear,min_bend_radius,position,on,ratio,max_strain\n";
  }

  // Reads, solves and writes block after block; the status of the run.
  int Run(TResponseOutput& output, std::ostream& err, const std::function<void()>& checkCancel)
  {
    TScanProgress progress(err);
    output.Write(Header());
    std::string failure;
    int status = ExitOk;
    ReadAhead();
    for (;;) {
      std::swap(FBlock, FNext);
      FAhead = false;
      if (!FNextFailure.empty()) {
        failure = std::exchange(FNextFailure, {});
        status = ExitFailed;
      }
      const bool more = status == ExitOk && FBlock.Count() == BlockRows;
      int finished = 0, polls = 0;
      try {
        Solve(finished, [&](int rows) {
          checkCancel();
          progress.Tell(FDone + rows);
          // The first poll comes before the workers start.
          if (more && ++polls == 2) ReadAhead();
        });
        finished = FBlock.Count();
      } catch (const ESilentAbort&) {
        failure = "stopped by the user";
        status = ExitCancelled;
      } catch (const std::exception& e) {
        const auto at = static_cast<std::size_t>(finished);
        failure = Format("Line %d: tension %s and angle %s could not be solved: %s", FBlock.Line[at],
                         ShortestNumberText(FBlock.Tension[at]).c_str(), ShortestNumberText(FBlock.Angle[at]).c_str(),
                         e.what());
        status = ExitFailed;
      }
      WriteLines(output, finished);
      if (status != ExitOk || !more) break;
      ReadAhead();
    }
    if (status == ExitOk && FDone == 0) {
      err << "The history has a header but no rows of tension and angle.\n";
      return ExitFailed;
    }
    if (status != ExitOk) {
      output.Write(Format("# incomplete after %lld rows of the history: %s\n", FDone, VisibleText(failure).c_str()));
      if (status == ExitFailed) err << VisibleText(failure, true) << '\n';
    }
    output.Finish();
    return status;
  }

 private:
  // The next block, read on the waiting thread while the workers solve the
  // current one; a refused row is told once the rows before it are done.
  void ReadAhead()
  {
    if (FAhead) return;
    FAhead = true;
    try {
      FReader.Read(BlockRows, FNext);
    } catch (const ECsvError& e) {
      FNextFailure = e.what();
    }
  }

  void Solve(int& finished, const std::function<void(int)>& tell)
  {
    const std::size_t states = FScan.States().size();
    FScan.Solve(
        FBlock.Tension.data(), FBlock.Angle.data(), FBlock.Count(), nullptr,
        [&](int row, int, const TScanResponse* responses) {
          std::string& line = FLines[static_cast<std::size_t>(row)];
          line.clear();
          for (std::size_t k = 0; k < states; ++k) AppendLine(line, row, FScan.States()[k], responses[k]);
        },
        [&](int rows) {
          finished = rows;
          tell(rows);
        });
  }

  void AppendLine(std::string& line, int row, int state, const TScanResponse& r) const
  {
    const auto at = static_cast<std::size_t>(row);
    char number[24];
    line.append(number, std::to_chars(number, number + sizeof number, FDone + row + 1).ptr);
    line += ',';
    if (FReader.HasTime()) {
      AppendValue(line, FBlock.Time[at]);
      line += ',';
    }
    line += static_cast<char>('1' + state);
    for (const double value :
         {FBlock.Tension[at], FBlock.Angle[at], r.RootMoment, r.RootShear, r.MinBendRadius, r.Position}) {
      line += ',';
      AppendValue(line, value);
    }
    line += r.OnCable ? ",cable," : ",stiffener,";
    AppendValue(line, r.Ratio);
    line += ',';
    AppendValue(line, r.MaxStrain);
    line += '\n';
  }

  void WriteLines(TResponseOutput& output, int count)
  {
    FText.clear();
    for (int row = 0; row < count; ++row) FText += FLines[static_cast<std::size_t>(row)];
    output.Write(FText);
    FDone += count;
  }

  THistoryReader FReader;
  TLoadHistoryScan FScan;
  THistoryBlock FBlock;
  THistoryBlock FNext;
  bool FAhead = false;
  std::string FNextFailure;
  std::vector<std::string> FLines;
  std::string FText;
  long long FDone = 0;
};

}  // namespace

int ScanHistory(TBend& bend, const TScanWords& words, const std::string& responseFile, std::ostream& out,
                std::ostream& err, const std::function<void()>& checkCancel)
{
  std::ifstream file;
  if (words.History != "-") file = OpenCsvFile(words.History);
  std::istream& history = words.History == "-" ? std::cin : file;
  THistoryScanRun run(bend, history, words);
  TResponseOutput output(responseFile, out);
  return run.Run(output, err, checkCancel);
}

}  // namespace umbrinex
