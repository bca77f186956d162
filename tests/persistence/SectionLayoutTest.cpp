// The stiffener section's record layout, laid out by hand, and files whose
// records a later version made longer.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "BendFileTestSupport.h"
#include "TaggedFileTestSupport.h"
#include "bend/Bend.h"
#include "persistence/BendFile.h"

namespace umbrinex {
namespace {

using namespace umbrinex::testing;

// ---- bytes laid out by hand ----

TBytes I32(std::int32_t v)
{
  TBytes bytes(4);
  for (int i = 0; i < 4; ++i)
    bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::uint32_t(v) >> (8 * i));
  return bytes;
}

TBytes F64(double v)
{
  TBytes bytes(8);
  const auto bits = std::bit_cast<std::uint64_t>(v);
  for (int i = 0; i < 8; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits >> (8 * i));
  return bytes;
}

TBytes Text(const std::string& s)
{
  TBytes bytes(s.size() + 2);
  bytes[0] = static_cast<std::uint8_t>(s.size());
  bytes[1] = static_cast<std::uint8_t>(s.size() >> 8);
  std::copy(s.begin(), s.end(), bytes.begin() + 2);
  return bytes;
}

TBytes Join(std::initializer_list<TBytes> parts)
{
  TBytes bytes;
  for (const TBytes& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
  return bytes;
}

// A record: its length, counting the four bytes of the length, then the contents.
TBytes Record(std::initializer_list<TBytes> parts)
{
  const TBytes contents = Join(parts);
  return Join({I32(static_cast<std::int32_t>(contents.size() + 4)), contents});
}

// The data of tag (39, sub) of a file, and the length its header gives.
TBytes TagData(const TBytes& file, int sub)
{
  TDataReader reader(file, DataFileClass);
  for (;;) {
    reader.File.ReadTagHeader();
    if (reader.File.TagNumber() == 255) return {};
    if (reader.File.TagNumber() == 39 && reader.File.SubNumber() == sub) break;
    reader.File.FinishTag();
  }
  TBytes data(static_cast<std::size_t>(reader.File.BytesLeft()));
  reader.File.ReadBytes(data.data(), data.size());
  return data;
}

struct TPoint {
  double ArcLength, Diameter;
  const char* Material;
};
const TPoint FourPoints[] = {{0.0, 0.3, "Material 1"}, {0.1, 0.25, "Soft"}, {0.25, 0.2, "Material 1"}, {0.4, 0.18, ""}};

// A user-defined profile of four points over two materials.
std::unique_ptr<TBend> FourPointDesign()
{
  auto bend = New<TBend>();
  Set(*bend, vnNumberOfTypes, 2, vtInt);
  Set(*bend, vnMaterialName, "Soft", vtText, 1);
  Set(*bend, vnStiffenerDefinition, "User Defined", vtText);
  Set(*bend, vnNumberOfPoints, 4, vtInt);
  for (int i = 0; i < 4; ++i) {
    const TPoint& p = FourPoints[i];
    Set(*bend, vnPointArcLength, p.ArcLength, vtReal, i);
    Set(*bend, vnPointDiameter, p.Diameter, vtReal, i);
    if (i < 3) Set(*bend, vnPointMaterial, p.Material, vtText, i);
  }
  return bend;
}

class SectionLayout : public TDesignFileTest {};

TEST_F(SectionLayout, AFourPointProfileOfTwoMaterialsReadsBackWithEveryPoint)
{
  const std::string name = SaveToFile(*FourPointDesign(), folder.File("profile.mxd"));
  auto loaded = New<TBend>();
  LoadFromFile(*loaded, name);
  const TUserDefinedStiffener& profile = loaded->Profile();
  ASSERT_EQ(profile.Count(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(profile.Point(i).ArcLength, FourPoints[i].ArcLength) << i;
    EXPECT_EQ(profile.Point(i).Diameter, FourPoints[i].Diameter) << i;
    const TBendStiffenerMaterial* material = profile.Point(i).Material;
    EXPECT_EQ(material ? material->Name() : std::string(), FourPoints[i].Material) << i;
  }
  EXPECT_TRUE(messages.Warnings.empty()) << messages.Warnings.front();
}

TEST_F(SectionLayout, TheStiffenerSectionHoldsTheCountAndTheProfileBlockInItsThirdRecord)
{
  const TBytes file = ReadBytes(SaveToFile(*FourPointDesign(), folder.File("bytes.mxd")));
  TBytes arcs = I32(4), diameters = I32(4), materials = I32(4);
  for (const TPoint& p : FourPoints) {
    arcs = Join({arcs, F64(p.ArcLength)});
    diameters = Join({diameters, F64(p.Diameter)});
  }
  for (int i = 0; i < 3; ++i) materials = Join({materials, Text(FourPoints[i].Material)});
  const TBytes expected = Join({
      Record({{0x00}}),  // User Defined
      Record({F64(2.0), F64(0.25), F64(0.16), F64(0.5), F64(2.0), Text("Material 1")}),
      Record({I32(4), Record({Record({arcs}), Record({diameters}), Record({materials})})}),
  });
  EXPECT_EQ(TagData(file, 2), expected);
}

TEST_F(SectionLayout, AProfileBlockWrittenAfterItsCountRecordByEarlierBuildsStillReads)
{
  const std::string name = folder.File("sibling.mxd");
  WriteBytes(name, WriteDataFile([](TTaggedFile& file) {
               file.BeginTag(39, 2);
               file.BeginRecord();
               file.WriteByte(0);
               file.EndRecord();
               file.BeginRecord();
               file.EndRecord();
               file.BeginRecord();
               file.WriteInteger(2);
               file.EndRecord();
               file.BeginRecord();
               for (int column = 0; column < 2; ++column) {
                 file.BeginRecord();
                 file.WriteInteger(2);
                 file.WriteDouble(column == 0 ? 0.0 : 0.4);
                 file.WriteDouble(column == 0 ? 0.7 : 0.2);
                 file.EndRecord();
               }
               file.EndRecord();
               file.EndTag();
             }));
  auto bend = New<TBend>();
  LoadFromFile(*bend, name);
  ASSERT_EQ(bend->Profile().Count(), 2);
  EXPECT_EQ(bend->Profile().Point(1).ArcLength, 0.7);
  EXPECT_EQ(bend->Profile().Point(0).Diameter, 0.4);
}

// A writer of a later version: every record and every tag carries more than
// this version writes.
class TLaterVersionFile : public TWindowsUmbrinexFile {
 public:
  using TWindowsUmbrinexFile::TWindowsUmbrinexFile;
  void EndRecord() override
  {
    WriteInteger(0x7E57);
    WriteDouble(-1.0);
    TWindowsUmbrinexFile::EndRecord();
  }
  void EndTag() override
  {
    BeginRecord();
    WriteString("appended by a later version");
    EndRecord();
    WriteDouble(99.0);
    TWindowsUmbrinexFile::EndTag();
  }
};

TEST_F(SectionLayout, AFileWhoseEveryRecordAndSectionALaterVersionExtendedOpensLikeThePlainFile)
{
  auto design = ModifiedDesign();
  design->SetStateIncluded(1, 0, false);
  const std::string plain = SaveToFile(*design, folder.File("plain.mxd"));
  const std::string extended = folder.File("extended.mxd");
  {
    design->BeforeWrite();
    TLaterVersionFile file(design.get(), TFileMode::Write, ctSavedDataFile);
    file.OpenFile(extended, DataFileClass);
    design->WriteData(file);
    file.WriteEndOfData();
    file.Close();
  }
  ASSERT_GT(ReadBytes(extended).size(), ReadBytes(plain).size() + 1000) << "every record grew";

  auto fromPlain = New<TBend>();
  LoadFromFile(*fromPlain, plain);
  auto fromExtended = New<TBend>();
  LoadFromFile(*fromExtended, extended);
  EXPECT_EQ(AllItems(*fromExtended), AllItems(*fromPlain));
  EXPECT_EQ(fromExtended->Profile().Point(1).Material->Name(), "Polyurethane 95A");
  EXPECT_FALSE(fromExtended->StateIncluded(1, 0));
  EXPECT_TRUE(messages.Warnings.empty()) << messages.Warnings.front();
}

}  // namespace
}  // namespace umbrinex
