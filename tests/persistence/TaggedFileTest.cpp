#include "persistence/TaggedFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "TaggedFileTestSupport.h"
#include "persistence/TessanFile.h"

namespace umbrinex {
namespace {

using testing::Concat;
using testing::FileErrorOf;
using testing::TBytes;
using testing::TCapturedMessages;
using testing::TDataReader;
using testing::TOldDataReader;
using testing::WriteDataFile;
using testing::WriteOldDataFile;

// Header of a data file of this version, then its declaration of feature 11.
const TBytes DataFileStart = {0x08, 0x55, 0x4D, 0x42, 0x52, 0x49, 0x4E, 0x45, 0x58, 0x00, 0x04, 0x00,
                              0x02, 0x32, 0x62, 0x00, 0x00, 0x0A, 0x04, 0x34, 0x2E, 0x30, 0x61, 0x00,
                              0x00, 0xFD, 0x11, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0xFD, 0x00,
                              0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0B, 0x00, 0x00, 0x00};
// Where the data of the first model tag of such a file starts (long form).
constexpr std::size_t FirstTagData = 46 + 17;
constexpr std::size_t OldHeaderSize = 25;

TBytes ShortTagHeader(std::uint8_t tag, std::uint8_t sub, std::uint8_t high, std::uint8_t low)
{
  return {0xFF, tag, sub, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, high, low};
}
TBytes OldHeader()
{
  return WriteOldDataFile([](TTaggedFile&) {});
}
const TBytes EndTag = ShortTagHeader(255, 0, 0, 0);

TEST(TaggedFileTest, DataFileBeginsWithHeaderAndLongNameDeclaration)
{
  const TBytes bytes = WriteDataFile([](TTaggedFile&) {});
  ASSERT_GE(bytes.size(), DataFileStart.size());
  EXPECT_EQ(TBytes(bytes.begin(), bytes.begin() + static_cast<long>(DataFileStart.size())), DataFileStart);

  TDataReader reader(bytes, DataFileClass);
  EXPECT_EQ(reader.File.Header().Signature(), "UMBRINEX");
  EXPECT_EQ(reader.File.Header().ProgramMajorVersion(), 4);
  EXPECT_EQ(reader.File.Header().ProgramMinorVersion(), "2b");
  EXPECT_EQ(reader.File.Header().FileVersion(), "4.0a");
  EXPECT_TRUE(reader.File.Header().HasFeature(ftrLongNames));
  EXPECT_TRUE(reader.File.UsesLongNames());
  reader.File.ReadTagHeader();
  EXPECT_EQ(reader.File.TagNumber(), tagEndOfData);
}

TEST(TaggedFileTest, OlderDataFilesDeclareNoFeaturesAndStoreShortNames)
{
  TOldDataReader reader(OldHeader(), OldDataFileClass);
  EXPECT_EQ(reader.File.Header().Features().Count(), 0);
  EXPECT_FALSE(reader.File.UsesLongNames());
  EXPECT_EQ(reader.File.Header().FileVersion(), "3.0a");
}

struct TTextCase {
  const char* Text;
  int Width;  // 0: written as a string
  TBytes Bytes;
  const char* ReadBack;
};

class TextEncodingTest : public ::testing::TestWithParam<TTextCase> {};

TEST_P(TextEncodingTest, WritesTheBytesAndReadsTheTrimmedText)
{
  const TTextCase& c = GetParam();
  const TBytes bytes = WriteDataFile([&](TTaggedFile& file) {
    file.BeginTag(39, 0);
    if (c.Width > 0)
      file.WriteFixedString(c.Text, c.Width);
    else
      file.WriteString(c.Text);
    file.EndTag();
  });
  EXPECT_EQ(TBytes(bytes.begin() + FirstTagData, bytes.begin() + static_cast<long>(FirstTagData + c.Bytes.size())),
            c.Bytes);

  TDataReader reader(bytes, DataFileClass);
  reader.File.ReadTagHeader();
  std::string text = "unread";
  if (c.Width > 0)
    reader.File.ReadFixedString(text, c.Width);
  else
    reader.File.ReadString(text);
  EXPECT_EQ(text, c.ReadBack);
  EXPECT_EQ(reader.File.BytesLeft(), 0);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextEncodingTest,
                         ::testing::Values(TTextCase{"abc", 6, {0x61, 0x62, 0x63, 0, 0, 0}, "abc"},
                                           TTextCase{"abc", 0, {0x03, 0x00, 0x61, 0x62, 0x63}, "abc"},
                                           TTextCase{"  abc \t", 0, {0x03, 0x00, 0x61, 0x62, 0x63}, "abc"},
                                           TTextCase{" abcdefgh", 4, {0x61, 0x62, 0x63, 0x64}, "abcd"},
                                           // Cut by the width of the file's form, one byte per character.
                                           TTextCase{"Größe", 4, {0x47, 0x72, 0xF6, 0xDF}, "Größ"},
                                           TTextCase{"", 0, {0x00, 0x00}, ""}));

TEST(TaggedFileTest, ShortTagLengthIsBigEndianAndFFFFMeansEmpty)
{
  const TBytes fiveBytes = Concat(Concat(OldHeader(), ShortTagHeader(39, 1, 0x00, 0x05)), {1, 2, 3, 4, 5});
  TOldDataReader five(Concat(fiveBytes, EndTag), OldDataFileClass);
  five.File.ReadTagHeader();
  EXPECT_EQ(five.File.TagNumber(), 39);
  EXPECT_EQ(five.File.SubNumber(), 1);
  EXPECT_EQ(five.File.BytesLeft(), 5);
  five.File.FinishTag();
  five.File.ReadTagHeader();
  EXPECT_EQ(five.File.TagNumber(), tagEndOfData);

  TOldDataReader empty(Concat(Concat(OldHeader(), ShortTagHeader(39, 1, 0xFF, 0xFF)), EndTag), OldDataFileClass);
  empty.File.ReadTagHeader();
  EXPECT_EQ(empty.File.BytesLeft(), 0);
  empty.File.FinishTag();
  empty.File.ReadTagHeader();
  EXPECT_EQ(empty.File.TagNumber(), tagEndOfData);
}

class ShortTagSizeTest : public ::testing::TestWithParam<std::size_t> {};

TEST_P(ShortTagSizeTest, TagTooLongForShortFormMovesToLongFormWithSameNumbers)
{
  const std::size_t size = GetParam();
  TBytes data(size);
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(i * 7);
  const TBytes bytes = WriteOldDataFile([&](TTaggedFile& file) {
    file.BeginTag(39, 7);
    file.WriteBytes(data.data(), size);
    file.EndTag();
    file.WriteEndOfData();
  });
  EXPECT_EQ(bytes[OldHeaderSize], size > 65534 ? 0xFD : 0xFF);

  TOldDataReader reader(bytes, OldDataFileClass);
  reader.File.ReadTagHeader();
  EXPECT_EQ(reader.File.TagNumber(), 39);
  EXPECT_EQ(reader.File.SubNumber(), 7);
  ASSERT_EQ(reader.File.BytesLeft(), static_cast<std::int64_t>(size));
  TBytes read(size);
  reader.File.ReadBytes(read.data(), size);
  EXPECT_EQ(read, data);
  reader.File.ReadTagHeader();
  EXPECT_EQ(reader.File.TagNumber(), tagEndOfData);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ShortTagSizeTest, ::testing::Values(65534, 65535, 70000));

TEST(TaggedFileTest, EmptyRecordIsItsLengthAloneAndExhaustedRecordKeepsDefaults)
{
  const TBytes bytes = WriteDataFile([](TTaggedFile& file) {
    file.BeginTag(39, 0);
    file.BeginRecord();
    file.EndRecord();
    file.WriteInteger(7);
    file.EndTag();
  });
  EXPECT_EQ(TBytes(bytes.begin() + FirstTagData, bytes.begin() + FirstTagData + 4), (TBytes{4, 0, 0, 0}));

  TDataReader reader(bytes, DataFileClass);
  ITaggedFile& file = reader.File;
  reader.File.ReadTagHeader();
  double value = 1.5;
  file.BeginReadRecord();
  file.ReadDouble(value);
  file.EndReadRecord();
  std::int32_t seven = 0;
  file.ReadInteger(seven);
  EXPECT_EQ(seven, 7);
  // Nothing remains in the tag: a record here is empty and reads nothing.
  std::string text = "kept";
  bool flag = true;
  file.BeginReadRecord();
  file.ReadDouble(value);
  file.ReadString(text);
  file.ReadBoolean(flag);
  file.BeginReadRecord();
  file.EndReadRecord();
  file.EndReadRecord();
  EXPECT_EQ(value, 1.5);
  EXPECT_EQ(text, "kept");
  EXPECT_TRUE(flag);
}

TEST(TaggedFileTest, ReaderSkipsWhatANewerWriterAppendedToARecord)
{
  const TBytes bytes = WriteDataFile([](TTaggedFile& file) {
    file.BeginTag(39, 4);
    file.BeginRecord();
    file.WriteInteger(12);
    file.BeginRecord();  // a nested group the reader knows nothing of
    file.WriteString("new");
    file.EndRecord();
    file.WriteDouble(2.5);
    file.EndRecord();
    file.WriteBoolean(true);
    file.EndTag();
  });

  TDataReader reader(bytes, DataFileClass);
  ITaggedFile& file = reader.File;
  reader.File.ReadTagHeader();
  std::int32_t known = 0;
  bool after = false;
  file.BeginReadRecord();
  file.ReadInteger(known);
  file.EndReadRecord();
  file.ReadBoolean(after);
  EXPECT_EQ(known, 12);
  EXPECT_TRUE(after);
  EXPECT_EQ(file.BytesLeft(), 0);
}

TEST(TaggedFileTest, ValuesOfEveryKindRoundTrip)
{
  const TMatrix matrix = {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}};
  TSymmetricMatrix6 symmetric{};
  for (std::size_t i = 0; i < 6; ++i)
    for (std::size_t j = 0; j <= i; ++j) symmetric[i][j] = symmetric[j][i] = 10.0 * static_cast<double>(i) + j;
  const double array[4] = {1.25, -2.5, 3.75, 4.0};
  const std::uint8_t raw[5] = {9, 8, 7, 6, 5};

  const TBytes bytes = WriteDataFile([&](TTaggedFile& file) {
    file.BeginTag(39, 2);
    file.WriteByte(200);
    file.WriteShortInt(-5);
    file.WriteSmallInt(-300);
    file.WriteWord(65000);
    file.WriteInteger(-70000);
    file.WriteDouble(-0.125);
    file.WriteDoubleArray(array, 3);
    file.WriteVector({1, 2, 3});
    file.WriteVector2({4, 5});
    file.WriteMatrix(matrix);
    file.WriteSymmetricMatrix6(symmetric);
    file.WriteCountedBytes(raw, 5);
    file.WritePadding(300);
    file.EndTag();
  });

  TDataReader reader(bytes, DataFileClass);
  ITaggedFile& file = reader.File;
  reader.File.ReadTagHeader();
  std::uint8_t byte = 0, shortInt = 0;
  std::int16_t smallInt = 0;
  std::uint16_t word = 0;
  std::int32_t integer = 0;
  double real = 0;
  double readArray[2] = {};  // room for fewer than were stored
  TVector vector{};
  TVector2 vector2{};
  TMatrix readMatrix{};
  TSymmetricMatrix6 readSymmetric{};
  std::uint8_t readRaw[4] = {};  // room for four of five
  file.ReadByte(byte);
  file.ReadByte(shortInt);
  file.ReadSmallInt(smallInt);
  file.ReadWord(word);
  file.ReadInteger(integer);
  file.ReadDouble(real);
  file.ReadDoubleArray(readArray, 1);
  file.ReadVector(vector);
  file.ReadVector2(vector2);
  file.ReadMatrix(readMatrix);
  file.ReadSymmetricMatrix6(readSymmetric);
  file.ReadCountedBytes(readRaw, 4, 2);
  file.Skip(300);

  EXPECT_EQ(byte, 200);
  EXPECT_EQ(static_cast<std::int8_t>(shortInt), -5);
  EXPECT_EQ(smallInt, -300);
  EXPECT_EQ(word, 65000);
  EXPECT_EQ(integer, -70000);
  EXPECT_EQ(real, -0.125);
  EXPECT_EQ(readArray[0], 1.25);
  EXPECT_EQ(readArray[1], -2.5);
  EXPECT_EQ(vector, (TVector{1, 2, 3}));
  EXPECT_EQ(vector2, (TVector2{4, 5}));
  EXPECT_EQ(readMatrix, matrix);
  EXPECT_EQ(readSymmetric, symmetric);
  EXPECT_EQ(TBytes(readRaw, readRaw + 4), (TBytes{9, 8, 7, 6}));
  EXPECT_EQ(file.BytesLeft(), 0);
}

TEST(TaggedFileTest, EnumerationAboveItsBoundKeepsTheValueAndWarnsOnce)
{
  const TBytes bytes = WriteDataFile([](TTaggedFile& file) {
    file.BeginTag(39, 4);
    for (std::uint8_t b : {2, 1, 9, 5}) file.WriteByte(b);
    file.EndTag();
  });
  const auto read = [&](int count) {
    TCapturedMessages messages;
    TDataReader reader(bytes, DataFileClass);
    reader.File.Unrecognised().Collect(true);
    reader.File.ReadTagHeader();
    const char* names[] = {"calculation type", "stiffener definition", "stress specifier", "calculation type"};
    std::uint8_t values[4] = {0, 0, 0, 0};
    for (int i = 0; i < count; ++i) reader.File.ReadEnum(values[i], 1, names[i]);
    EXPECT_EQ(values[0], 0);
    reader.File.Unrecognised().Report();
    return messages.Warnings;
  };

  EXPECT_EQ(read(1),
            std::vector<std::string>{"WARNING.  Unrecognised value for calculation type - using default value.  "
                                     "Results will probably be affected."});
  EXPECT_EQ(read(4), std::vector<std::string>{"WARNING.  The following data items had unrecognised values:\r\n\n"
                                              " - calculation type\r\n - stress specifier\r\n\r\n"
                                              "Default values have been used and this will probably affect "
                                              "results."});
}

TEST(TaggedFileTest, BooleanOtherThanZeroOrOneIsAnUnexpectedFileError)
{
  const TBytes bytes = WriteDataFile([](TTaggedFile& file) {
    file.BeginTag(39, 0);
    file.WriteByte(2);
    file.EndTag();
  });
  TCapturedMessages messages;
  TDataReader reader(bytes, DataFileClass);
  reader.File.ReadTagHeader();
  bool value = false;
  try {
    reader.File.ReadBoolean(value);
    FAIL() << "no error";
  } catch (const EUnexpectedFileError& error) {
    EXPECT_STREQ(error.what(), "File Error: Error reading file: invalid Boolean value.");
  }
  EXPECT_EQ(messages.Errors, std::vector<std::string>{"Error reading file: invalid Boolean value."});
}

// A data file of this version that claims to be a later one.
class TLaterDataFile : public TWindowsUmbrinexFile {
 public:
  using TWindowsUmbrinexFile::TWindowsUmbrinexFile;
  void SetVersion(const std::string& version) { EditHeader().SetFileVersion(version); }
};

TEST(TaggedFileTest, HeaderOfAnotherVersionOrTypeIsRefused)
{
  TMemoryStream later;
  {
    TLaterDataFile file(nullptr, TFileMode::Write);
    file.SetVersion("4.1a");
    file.OpenStream(later, DataFileClass);
  }
  EXPECT_EQ(FileErrorOf([&] { TDataReader reader(later.Bytes(), DataFileClass); }),
            "File Error: Wrong file version.  This is a 4.1a file.");
  EXPECT_EQ(FileErrorOf([&] { TDataReader reader(OldHeader(), DataFileClass); }),
            "File Error: This is not an Umbrinex file");
  EXPECT_EQ(FileErrorOf([&] { TOldDataReader reader(later.Bytes(), OldDataFileClass); }),
            "File Error: This is not a data file.");
}

TEST(TaggedFileTest, FeatureNoteIsWrittenOncePerBitAndOnlyForSavedFiles)
{
  const std::string text = "some load cases exclude some states";
  const auto tags = [&](int copyType) {
    TMemoryStream stream;
    {
      TWindowsUmbrinexFile file(nullptr, TFileMode::Write, copyType);
      file.OpenStream(stream, DataFileClass);
      file.NoteFeatureUsed(71, true, false, text);
      file.NoteFeatureUsed(71, true, false, text);
      file.NoteFeatureUsed(3, false, true, "x");
      file.WriteEndOfData();
    }
    TDataReader reader(stream.Bytes(), DataFileClass);
    std::vector<int> numbers;
    for (reader.File.ReadTagHeader(); reader.File.TagNumber() != tagEndOfData; reader.File.ReadTagHeader()) {
      numbers.push_back(reader.File.TagNumber());
      if (numbers.size() == 1) {
        std::uint16_t size = 0, bit = 0;
        std::uint8_t value = 0, flag = 1;
        std::string note;
        reader.File.ReadWord(size);
        reader.File.ReadWord(bit);
        reader.File.ReadByte(value);
        reader.File.ReadString(note);
        reader.File.ReadByte(flag);
        EXPECT_EQ(size, text.size() + 6);
        EXPECT_EQ(bit, 71);
        EXPECT_EQ(value, 1);
        EXPECT_EQ(note, text);
        EXPECT_EQ(flag, 0);
      }
      reader.File.FinishTag();
    }
    return numbers;
  };
  EXPECT_EQ(tags(ctSavedDataFile), (std::vector<int>{tagFeatureNote, tagFeatureNote, tagFiller}));
  EXPECT_EQ(tags(ctPlainCopy), std::vector<int>{});
}

struct TCorruptCase {
  const char* Name;
  TBytes Tag;  // after the header of an older data file
  std::function<void(TTaggedFile&)> Read;
};

class CorruptFileTest : public ::testing::TestWithParam<TCorruptCase> {};

TEST_P(CorruptFileTest, IsReportedAsCorrupt)
{
  const TCorruptCase& c = GetParam();
  // Opening reads on while it finds feature declarations, so it may be the
  // first to meet the fault.
  EXPECT_EQ(FileErrorOf([&] {
              TOldDataReader reader(Concat(OldHeader(), c.Tag), OldDataFileClass);
              reader.File.ReadTagHeader();
              c.Read(reader.File);
            }),
            "File Error: File '' is corrupt.");
}

const auto Nothing = [](TTaggedFile&) {};
const auto ReadRecord = [](TTaggedFile& file) { file.BeginReadRecord(); };
const auto ReadInteger = [](TTaggedFile& file) {
  std::int32_t v = 0;
  file.ReadInteger(v);
};
const auto ReadString = [](TTaggedFile& file) {
  std::string s;
  file.ReadString(s);
};
const auto ReadArray = [](TTaggedFile& file) {
  double values[4] = {};
  file.ReadDoubleArray(values, 3);
};
const auto SkipRecordTail = [](TTaggedFile& file) {
  file.BeginReadRecord();
  file.Skip(5);
};

INSTANTIATE_TEST_SUITE_P(
    Cases, CorruptFileTest,
    ::testing::Values(
        TCorruptCase{"FileEndsBeforeEndTag", {}, Nothing}, TCorruptCase{"TagHeaderCut", {0xFF, 39, 0, 0, 0}, Nothing},
        TCorruptCase{"LengthBeyondStream", Concat(ShortTagHeader(39, 0, 0, 16), {1, 2, 3, 4}), Nothing},
        TCorruptCase{"ReservedByteSet", {0xFF, 39, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, Nothing},
        TCorruptCase{
            "NegativeHeaderLength", {0xFD, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 39, 0, 0, 0, 0, 0, 0, 0}, Nothing},
        TCorruptCase{
            "NegativeDataLength", {0xFD, 17, 0, 0, 0, 0xFB, 0xFF, 0xFF, 0xFF, 39, 0, 0, 0, 0, 0, 0, 0}, Nothing},
        TCorruptCase{"LegacyHeaderTooShort", {0x10, 4, 0, 0, 0, 0, 0, 0, 0}, Nothing},
        TCorruptCase{"RecordShorterThanItsLength", Concat(ShortTagHeader(39, 0, 0, 4), {2, 0, 0, 0}), ReadRecord},
        TCorruptCase{"RecordBeyondItsTag", Concat(ShortTagHeader(39, 0, 0, 6), {20, 0, 0, 0, 1, 2}), ReadRecord},
        TCorruptCase{"RecordLengthCut", Concat(ShortTagHeader(39, 0, 0, 2), {8, 0}), ReadRecord},
        TCorruptCase{"ValueLargerThanWhatRemains", Concat(ShortTagHeader(39, 0, 0, 3), {1, 2, 3}), ReadInteger},
        TCorruptCase{"StringBeyondWhatRemains", Concat(ShortTagHeader(39, 0, 0, 4), {10, 0, 65, 66}), ReadString},
        TCorruptCase{"ArrayCountBeyondWhatRemains",
                     Concat(ShortTagHeader(39, 0, 0, 12), {0x40, 0x42, 0x0F, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}),
                     ReadArray},
        TCorruptCase{"SkipBeyondRecord", Concat(ShortTagHeader(39, 0, 0, 7), {7, 0, 0, 0, 1, 2, 3}), SkipRecordTail}),
    [](const ::testing::TestParamInfo<TCorruptCase>& testInfo) { return testInfo.param.Name; });

// A small file with something of everything, and a reader that reads it the
// way a model reads its tags.
TBytes SampleFile()
{
  return WriteDataFile([](TTaggedFile& file) {
    const double values[3] = {1, 2, 3};
    file.BeginTag(tagObjectHeader, 0);
    file.WriteByte(39);
    file.WriteString("Bend");
    file.EndTag();
    file.BeginTag(39, 0);
    file.BeginRecord();
    file.WriteString("Project");
    file.WriteFixedString("Client", 10);
    file.BeginRecord();
    file.WriteDoubleArray(values, 2);
    file.WriteBoolean(true);
    file.WriteByte(1);
    file.EndRecord();
    file.EndRecord();
    file.WriteInteger(2);
    file.EndTag();
    file.NoteFeatureUsed(71, true, true, "note");
    file.BeginTag(39, 9);
    file.WriteCountedBytes("abcd", 4);
    file.EndTag();
  });
}

void ReadSample(TTaggedFile& file)
{
  for (file.ReadTagHeader(); file.TagNumber() != tagEndOfData; file.ReadTagHeader()) {
    if (file.TagNumber() == 39 && file.SubNumber() == 0) {
      std::string text;
      double values[3] = {};
      bool flag = false;
      std::uint8_t choice = 0;
      std::int32_t count = 0;
      file.BeginReadRecord();
      file.ReadString(text);
      file.ReadFixedString(text, 10);
      file.BeginReadRecord();
      file.ReadDoubleArray(values, 2);
      file.ReadBoolean(flag);
      file.ReadEnum(choice, 1, "choice");
      file.EndReadRecord();
      file.EndReadRecord();
      file.ReadInteger(count);
    } else if (file.TagNumber() == 39 && file.SubNumber() == 9) {
      char bytes[4];
      file.ReadCountedBytes(bytes, sizeof bytes, 1);
    }
    file.FinishTag();
  }
}

TEST(TaggedFileTest, FileCutAtAnyByteGivesAFileErrorAndNothingWorse)
{
  const TBytes whole = SampleFile();
  {
    TDataReader reader(whole, DataFileClass);
    ReadSample(reader.File);
  }
  for (std::size_t size = 0; size < whole.size(); ++size) {
    EXPECT_NE(FileErrorOf([&] {
                TDataReader reader(TBytes(whole.begin(), whole.begin() + static_cast<long>(size)), DataFileClass);
                ReadSample(reader.File);
              }),
              "(no file error)")
        << "cut at " << size;
  }
}

TEST(TaggedFileTest, FileWithAnyByteChangedReadsOrGivesAFileError)
{
  const TBytes whole = SampleFile();
  for (std::size_t i = 0; i < whole.size(); ++i) {
    for (std::uint8_t b : {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF}) {
      TBytes changed = whole;
      changed[i] = b;
      try {
        TDataReader reader(changed, DataFileClass);
        ReadSample(reader.File);
      } catch (const EFileError&) {
      }
    }
  }
}

}  // namespace
}  // namespace umbrinex
