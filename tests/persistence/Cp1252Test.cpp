#include "persistence/Cp1252.h"

#include <gtest/gtest.h>

#include "TaggedFileTestSupport.h"

namespace umbrinex {
namespace {

using testing::TBytes;
using testing::TDataReader;
using testing::WriteDataFile;

TEST(Cp1252Test, EveryByteOfAFileTextSurvivesReadingAndWritingBack)
{
  // Blanks at the ends would be trimmed on writing; keep them inside.
  std::string fileText = "<";
  for (int b = 0; b < 256; ++b) fileText += static_cast<char>(b);
  fileText += ">";

  const std::string utf8 = Cp1252ToUtf8(fileText);
  EXPECT_NE(utf8.find("\xE2\x82\xAC"), std::string::npos);  // 0x80, the euro sign
  EXPECT_NE(utf8.find("\xC2\x81"), std::string::npos);      // 0x81 has no character of its own
  EXPECT_TRUE(IsRepresentableInFileText(utf8));
  std::size_t replaced = 0;
  EXPECT_EQ(Utf8ToCp1252(utf8, &replaced), fileText);
  EXPECT_EQ(replaced, 0u);

  // The same through a file: read as a string, written again as one.
  const TBytes bytes = WriteDataFile([&](TTaggedFile& file) {
    file.BeginTag(39, 0);
    file.WriteString(utf8);
    file.EndTag();
  });
  TDataReader reader(bytes, DataFileClass);
  reader.File.ReadTagHeader();
  std::string read;
  reader.File.ReadString(read);
  EXPECT_EQ(read, utf8);
}

struct TUnrepresentableCase {
  const char* Utf8;
  const char* FileText;
  std::size_t Replaced;
};

class UnrepresentableTextTest : public ::testing::TestWithParam<TUnrepresentableCase> {};

TEST_P(UnrepresentableTextTest, IsRefusedAtEntryAndVisiblyReplacedByTheWriter)
{
  const TUnrepresentableCase& c = GetParam();
  EXPECT_EQ(IsRepresentableInFileText(c.Utf8), c.Replaced == 0);

  TMemoryStream stream;
  TWindowsUmbrinexFile file(nullptr, TFileMode::Write);
  file.OpenStream(stream, DataFileClass);
  file.WriteFixedString(c.Utf8, 12);
  EXPECT_EQ(file.Texts().ReplacedCharacters(), c.Replaced);
  const std::string written(stream.Bytes().end() - 12, stream.Bytes().end());
  EXPECT_EQ(written.substr(0, written.find('\0')), c.FileText);
}

INSTANTIATE_TEST_SUITE_P(Texts, UnrepresentableTextTest,
                         ::testing::Values(TUnrepresentableCase{"Straße 5 €", "Stra\xDF\x65 5 \x80", 0},
                                           TUnrepresentableCase{"Ω = 2 kN", "? = 2 kN", 1},
                                           TUnrepresentableCase{"a\xF0\x9F\x98\x80z", "a?z", 1},
                                           // Not UTF-8: a stray lead byte, a lone continuation, an overlong '/'.
                                           TUnrepresentableCase{"x\xC3(", "x?(", 1},
                                           TUnrepresentableCase{"\x80y", "?y", 1},
                                           TUnrepresentableCase{"\xC0\xAF", "??", 2}));

}  // namespace
}  // namespace umbrinex
