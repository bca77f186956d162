#pragma once
// Helpers for the tagged-file tests: data files written to memory, readers
// over given bytes, and the hooks captured.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FileTestSupport.h"
#include "framework/data/Messages.h"
#include "persistence/TessanFile.h"

namespace umbrinex::testing {

using TBytes = std::vector<std::uint8_t>;

// The bytes of a data file of this version whose model tags body writes.
template <typename F>
TBytes WriteDataFile(F body)
{
  TMemoryStream stream;
  TWindowsUmbrinexFile file(nullptr, TFileMode::Write, ctSavedDataFile);
  file.OpenStream(stream, DataFileClass);
  body(file);
  file.WriteEndOfData();
  file.Close();
  return stream.TakeBytes();
}

// The same for an older data file: short tags, no feature declarations, so
// the first tag starts right after the 25-byte header.
template <typename F>
TBytes WriteOldDataFile(F body)
{
  TMemoryStream stream;
  TDOSUmbrinexFile file(nullptr, TFileMode::Write, ctSavedDataFile);
  file.OpenStream(stream, OldDataFileClass);
  body(file);
  file.Close();
  return stream.TakeBytes();
}

// Reads given bytes as a file of class TFile.
template <typename TFile>
struct TReader {
  explicit TReader(TBytes bytes, const TFileClass& fileClass) : Stream(std::move(bytes))
  {
    File.OpenStream(Stream, fileClass);
  }
  TMemoryStream Stream;
  TFile File{nullptr, TFileMode::Read};
};
using TDataReader = TReader<TWindowsUmbrinexFile>;
using TOldDataReader = TReader<TDOSUmbrinexFile>;

inline TBytes Concat(TBytes a, const TBytes& b)
{
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Captures warnings and broadcast errors while a test runs.
class TCapturedMessages : public IMessagePresenter {
 public:
  TCapturedMessages()
  {
    FPrevious = SetMessagePresenter(this);
    SetFileErrorBroadcast([this](const std::string& text) { Errors.push_back(text); });
  }
  ~TCapturedMessages() override
  {
    SetMessagePresenter(FPrevious);
    SetFileErrorBroadcast(nullptr);
  }
  int Present(const TMessageRequest& request) override
  {
    Warnings.push_back(request.Text);
    return maOk;
  }
  IMessagePresenter* FPrevious = nullptr;
  std::vector<std::string> Warnings;
  std::vector<std::string> Errors;
};

}  // namespace umbrinex::testing
