// Row counts and material counts of design files that cannot be true: a
// count that disagrees with the rows stored after it, one no design can
// have, more materials than a design can hold. The files are saved designs
// with bytes patched at offsets found by walking the tag headers by hand, or
// tags laid out value by value.

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <limits>

#include "BendFileTestSupport.h"
#include "TaggedFileTestSupport.h"
#include "bend/Bend.h"
#include "framework/data/DiskFile.h"
#include "persistence/BendFile.h"

namespace umbrinex {
namespace {

using namespace umbrinex::testing;
using std::chrono::steady_clock;

std::int32_t Le32(const TBytes& bytes, std::size_t at)
{
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | bytes.at(at + static_cast<std::size_t>(i));
  return static_cast<std::int32_t>(v);
}

void PutLe32(TBytes& bytes, std::size_t at, std::int32_t value)
{
  for (int i = 0; i < 4; ++i) bytes.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(value >> (8 * i));
}

// Where the data of the (occurrence + 1)-th tag (tag, sub) starts: after the
// 25-byte file header come tags of the short form (FF, tag, sub, a zero,
// eleven bytes, then the data length big-endian in two bytes) or of the long
// form (FD, then the header length, data length, tag and sub as i32).
std::size_t TagData(const TBytes& bytes, int tag, int sub, int occurrence = 0)
{
  std::size_t at = 25;
  while (at < bytes.size()) {
    std::size_t header = 16, length = 0;
    int t = 0, s = 0;
    if (bytes[at] == 0xFF || bytes[at] == 0xFE) {
      t = bytes[at + 1];
      s = bytes[at + 2];
      length = static_cast<std::size_t>(bytes[at + 14] << 8 | bytes[at + 15]);
      if (length == 0xFFFF) length = 0;
    } else {
      header = static_cast<std::size_t>(Le32(bytes, at + 1));
      length = static_cast<std::size_t>(Le32(bytes, at + 5));
      t = Le32(bytes, at + 9);
      s = Le32(bytes, at + 13);
    }
    if (t == tag && s == sub && occurrence-- == 0) return at + header;
    at += header + length;
  }
  ADD_FAILURE() << "no tag (" << tag << ", " << sub << ")";
  return 0;
}

// Offsets in a record: its i32 length counts itself.
std::size_t SkipRecords(const TBytes& bytes, std::size_t at, int records)
{
  for (int i = 0; i < records; ++i) at += static_cast<std::size_t>(Le32(bytes, at));
  return at;
}

// A count of a saved design and the first stored row count of the table
// block that follows it.
struct TCountPlace {
  const char* Table;
  std::function<std::size_t(const TBytes&)> Count;
  std::function<std::size_t(const TBytes&)> StoredRows;
};

// Sections 3, 8 and 9: a record with the count, then the table block (a
// record of column records, each beginning with its row count).
std::size_t CountedTable(const TBytes& b, int sub)
{
  return TagData(b, 39, sub) + 4;
}
std::size_t CountedTableRows(const TBytes& b, int sub)
{
  return TagData(b, 39, sub) + 16;
}
// Section 2, record 3: the point count, then the profile block.
std::size_t ProfileCount(const TBytes& b)
{
  return SkipRecords(b, TagData(b, 39, 2), 2) + 4;
}
std::size_t ProfileRows(const TBytes& b)
{
  return SkipRecords(b, TagData(b, 39, 2), 2) + 16;
}
// The first state tag of the first material, record 2.
std::size_t CurveCount(const TBytes& b)
{
  return SkipRecords(b, TagData(b, 39, 7), 1) + 4;
}
std::size_t CurveRows(const TBytes& b)
{
  return SkipRecords(b, TagData(b, 39, 7), 1) + 16;
}

const TCountPlace CountPlaces[] = {
    {"LoadCases", [](const TBytes& b) { return CountedTable(b, 3); },
     [](const TBytes& b) { return CountedTableRows(b, 3); }},
    {"Circles", [](const TBytes& b) { return CountedTable(b, 8); },
     [](const TBytes& b) { return CountedTableRows(b, 8); }},
    {"MouldDiameters", [](const TBytes& b) { return CountedTable(b, 9); },
     [](const TBytes& b) { return CountedTableRows(b, 9); }},
    {"ProfilePoints", ProfileCount, ProfileRows},
    {"StressStrainCurve", CurveCount, CurveRows},
};

class StoredCounts : public TDesignFileTest, public ::testing::WithParamInterface<TCountPlace> {
 protected:
  // ModifiedDesign has six load cases, two circles, three moulds, four
  // profile points and curves of several points.
  StoredCounts() : Saved(SaveToFile(*ModifiedDesign(), folder.File("saved.mxd"))), Bytes(ReadBytes(Saved)) {}

  std::string Patched(std::size_t at, std::int32_t value)
  {
    TBytes bytes = Bytes;
    PutLe32(bytes, at, value);
    const std::string name = folder.File("patched.mxd");
    WriteBytes(name, bytes);
    return name;
  }
  // The error of opening the file over a design in progress, which must
  // stay as it was; "loaded" when the file opens.
  std::string OpenError(const std::string& name)
  {
    auto bend = New<TBend>();
    Set(*bend, vnProject, "Work in progress", vtText);
    const std::vector<std::string> before = AllItems(*bend);
    try {
      LoadFromFile(*bend, name);
    } catch (const EFileError& e) {
      EXPECT_EQ(AllItems(*bend), before);
      return e.what();
    }
    return "loaded";
  }
  std::string Corrupt(const std::string& name) const
  {
    return "File Error: File '" + FileNameForMessage(name) + "' is corrupt.";
  }

  std::string Saved;
  TBytes Bytes;
};

TEST_P(StoredCounts, TheSavedCountsAgreeAndOpen)
{
  const TCountPlace& place = GetParam();
  const std::int32_t count = Le32(Bytes, place.Count(Bytes));
  ASSERT_GT(count, 1);
  ASSERT_EQ(Le32(Bytes, place.StoredRows(Bytes)), count) << "the offsets are those of the count and its rows";
  EXPECT_EQ(OpenError(Patched(place.Count(Bytes), count)), "loaded");
}

TEST_P(StoredCounts, ACountThatDisagreesWithTheRowsStoredIsRefused)
{
  const TCountPlace& place = GetParam();
  const std::int32_t count = Le32(Bytes, place.Count(Bytes));
  for (std::int32_t wrong : {count + 1, count - 1, 0, -5, std::numeric_limits<std::int32_t>::max(),
                             std::numeric_limits<std::int32_t>::min()}) {
    const std::string name = Patched(place.Count(Bytes), wrong);
    EXPECT_EQ(OpenError(name), Corrupt(name)) << place.Table << " count " << wrong;
  }
}

TEST_P(StoredCounts, RowsStoredThatDisagreeWithTheCountAreRefused)
{
  const TCountPlace& place = GetParam();
  const std::int32_t count = Le32(Bytes, place.StoredRows(Bytes));
  for (std::int32_t wrong : {count + 1, count - 1, -1}) {
    const std::string name = Patched(place.StoredRows(Bytes), wrong);
    EXPECT_EQ(OpenError(name), Corrupt(name)) << place.Table << " rows " << wrong;
  }
}

INSTANTIATE_TEST_SUITE_P(EachCountedTable, StoredCounts, ::testing::ValuesIn(CountPlaces),
                         [](const auto& param) { return std::string(param.param.Table); });

// Section 3 laid out value by value: the count, then a table block of the
// four load case columns with `rows` cells each.
void WriteLoadCases(TTaggedFile& file, std::int32_t count, std::int32_t rows)
{
  file.BeginTag(39, 3);
  file.BeginRecord();
  file.WriteInteger(count);
  file.BeginRecord();
  for (int column = 0; column < 4; ++column) {
    file.BeginRecord();
    file.WriteInteger(rows);
    for (int row = 0; row < rows; ++row) {
      if (column < 3) {
        file.WriteDouble(column == 2 ? 2.0 : 10.0 * (row + 1));
      } else {
        file.BeginRecord();
        file.WriteBoolean(true);
        file.WriteBoolean(row % 2 == 0);
        file.EndRecord();
      }
    }
    file.EndRecord();
  }
  file.EndRecord();
  file.EndRecord();
  file.EndTag();
}

class OlderFileCounts : public TDesignFileTest {
 protected:
  std::string Write(std::int32_t count, std::int32_t rows)
  {
    const std::string name = folder.File("old.dat");
    WriteBytes(name, WriteOldDataFile([&](TTaggedFile& file) {
                 WriteLoadCases(file, count, rows);
                 file.WriteEndOfData();
               }));
    return name;
  }
};

TEST_F(OlderFileCounts, ALoadCaseCountThatAgreesGivesTheStoredLoadCases)
{
  auto bend = New<TBend>();
  LoadFromFile(*bend, Write(6, 6));
  ASSERT_EQ(bend->LoadCaseCount(), 6);
  EXPECT_EQ(bend->LoadCaseTension(5), 60.0);
  EXPECT_FALSE(bend->StateIncluded(5, 1));
}

TEST_F(OlderFileCounts, ALoadCaseCountThatDisagreesIsRefusedAsInADataFile)
{
  for (std::int32_t count : {std::numeric_limits<std::int32_t>::max(), 7, 5, -5}) {
    const std::string name = Write(count, 6);
    auto bend = New<TBend>();
    try {
      LoadFromFile(*bend, name);
      ADD_FAILURE() << count << " load cases opened with " << bend->LoadCaseCount();
    } catch (const EFileError& e) {
      EXPECT_EQ(std::string(e.what()), "File Error: File '" + FileNameForMessage(name) + "' is corrupt.");
    }
    EXPECT_EQ(bend->LoadCaseCount(), New<TBend>()->LoadCaseCount()) << "the design before stays";
  }
}

// ---- the number of materials ----

// A file with `materials` material tags, each as the program writes it:
// object header, name, and the two state tags, after the project section.
TBytes MaterialsFile(int materials)
{
  return WriteDataFile([&](TTaggedFile& file) {
    file.BeginTag(39, 0);
    file.BeginRecord();
    for (const char* text : {"Project", "Client", "Designer"}) file.WriteString(text);
    file.EndRecord();
    file.EndTag();
    for (int m = 0; m < materials; ++m) {
      const std::string name = "M" + std::to_string(m + 1);
      file.BeginTag(0, 0);
      file.WriteByte(39);
      file.WriteString(name);
      file.WriteByte(0);
      file.WriteByte(0);
      file.EndTag();
      file.BeginTag(39, 6);
      file.BeginRecord();
      file.WriteString(name);
      file.EndRecord();
      file.EndTag();
      for (int s = 0; s < 2; ++s) {
        file.BeginTag(39, 7);
        file.BeginRecord();
        file.WriteDouble(100000.0 + m);
        file.EndRecord();
        file.EndTag();
      }
    }
  });
}

double SecondsToOpen(const std::string& name, std::string& error)
{
  auto bend = New<TBend>();
  const auto start = steady_clock::now();
  try {
    LoadFromFile(*bend, name);
    error = "loaded " + std::to_string(bend->Materials().Count());
  } catch (const EFileError& e) {
    error = e.what();
  }
  return std::chrono::duration<double>(steady_clock::now() - start).count();
}

class MaterialCount : public TDesignFileTest {};

TEST_F(MaterialCount, AThousandMaterialsOpenQuickly)
{
  const std::string name = folder.File("thousand.mxd");
  WriteBytes(name, MaterialsFile(1000));
  std::string result;
  const double seconds = SecondsToOpen(name, result);
  EXPECT_EQ(result, "loaded 1000");
  EXPECT_LT(seconds, 2.0);
  auto bend = New<TBend>();
  LoadFromFile(*bend, name);
  EXPECT_EQ(bend->Materials().Material(999)->Name(), "M1000");
  EXPECT_EQ(bend->Materials().Material(999)->LinearE(1), 100999.0);
}

TEST_F(MaterialCount, MoreMaterialsThanADesignCanHoldAreRefusedAtOnce)
{
  for (int materials : {1001, 20000}) {
    const std::string name = folder.File("many.mxd");
    WriteBytes(name, MaterialsFile(materials));
    std::string error;
    const double seconds = SecondsToOpen(name, error);
    EXPECT_EQ(error, "File Error: File '" + FileNameForMessage(name) +
                         "' holds more than 1000 materials, more than a design can have.");
    EXPECT_LT(seconds, 2.0) << materials;
  }
}

}  // namespace
}  // namespace umbrinex
