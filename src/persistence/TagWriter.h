#pragma once
// The values of a tagged file, written inside the tags and records that
// TRecordWriter frames.

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/data/TaggedFileInterface.h"
#include "persistence/RecordWriter.h"
#include "persistence/TextEncoder.h"

namespace umbrinex {

class TTagWriter : public virtual ITaggedWriter {
 public:
  TTagWriter(TTagChannel& channel, TTextEncoder& texts) : FChannel(channel), FTexts(texts), FFrames(channel) {}

  // The form BeginTag writes.
  int TagForm() const { return FTagForm; }
  void SetTagForm(int form) { FTagForm = form; }
  TRecordWriter& Frames() { return FFrames; }
  void WriteEndOfData();
  // A text of the file's header: its length byte, then the text padded to
  // the width.
  void WriteHeaderText(const std::string& text, std::size_t width);

  void BeginTag(int tag, int sub) override { FFrames.StartTag(tag, sub, FTagForm, true); }
  void EndTag() override { FFrames.EndTag(); }
  void BeginRecord() override { FFrames.BeginRecord(); }
  void EndRecord() override { FFrames.EndRecord(); }

  void WriteBytes(const void* p, std::size_t n) override { FChannel.Put(p, n); }
  void WritePadding(std::size_t n) override;
  void WriteByte(std::uint8_t v) override;
  void WriteShortInt(std::int8_t v) override;
  void WriteSmallInt(std::int16_t v) override;
  void WriteWord(std::uint16_t v) override;
  void WriteInteger(std::int32_t v) override;
  void WriteDouble(double v) override;
  void WriteDoubleArray(const double* values, int high) override;
  void WriteVector(const TVector& v) override;
  void WriteVector2(const TVector2& v) override;
  void WriteMatrix(const TMatrix& m) override;
  void WriteSymmetricMatrix6(const TSymmetricMatrix6& m) override;
  void WriteCountedBytes(const void* p, std::size_t n) override;
  void WriteBoolean(bool v) override;
  void WriteBodyState(const TBodyState& s) override;
  void WriteString(const std::string& s) override;
  void WriteFixedString(const std::string& s, int width) override;

 private:
  void PutDoubles(const double* values, std::size_t n);

  TTagChannel& FChannel;
  TTextEncoder& FTexts;
  TRecordWriter FFrames;
  int FTagForm = tfShort;
};

}  // namespace umbrinex
