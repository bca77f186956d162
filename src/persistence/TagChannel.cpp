#include "persistence/TagChannel.h"

#include "framework/data/TextUtils.h"
#include "persistence/FileErrors.h"

namespace umbrinex {

void TTagChannel::SetStream(TStream* stream, const TFileStream* file)
{
  FStream = stream;
  FFile = file;
}

void TTagChannel::Release()
{
  FStream = nullptr;
  FFile = nullptr;
  FOpen = false;
}

void TTagChannel::RequireOpen(TFileMode mode) const
{
  if (!FOpen) RaiseUnexpectedFileError("The file is not open.");
  if (FMode != mode)
    RaiseUnexpectedFileError(mode == TFileMode::Read ? "The file is not open for reading."
                                                     : "The file is not open for writing.");
}

void TTagChannel::Put(const void* p, std::size_t n)
{
  RequireOpen(TFileMode::Write);
  if (!FStream->Write(p, n)) WriteError();
}

void TTagChannel::Fetch(void* p, std::size_t n)
{
  RequireOpen(TFileMode::Read);
  if (n != 0 && FStream->Read(p, n) != n) Corrupt();
}

void TTagChannel::MoveTo(std::int64_t position)
{
  if (!FStream->Seek(position)) FMode == TFileMode::Write ? WriteError() : Corrupt();
}

void TTagChannel::Corrupt() const
{
  RaiseFileError(Format("File '%s' is corrupt.", FileNameForMessage(FFileName).c_str()));
}

void TTagChannel::WriteError() const
{
  RaiseWriteError(FFileName, FFile ? FFile->LastErrorNumber() : 0);
}

void TTagChannel::StreamError(const std::string& systemText) const
{
  RaiseFileError("File error.  " + Trim(systemText));
}

}  // namespace umbrinex
