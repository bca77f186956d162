#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "TaggedFileTestSupport.h"
#include "framework/data/Model.h"
#include "framework/data/TextUtils.h"
#include "persistence/TessanFile.h"

namespace umbrinex {
namespace {

namespace fs = std::filesystem;
using testing::FileErrorOf;
using testing::TBytes;

class TaggedFileDiskTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    Folder = fs::temp_directory_path() / ("umbrinex-files-" + std::to_string(getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(Folder);
  }
  void TearDown() override
  {
    SetFileBufferingLimit(8 * 1024 * 1024);
    std::error_code ignored;
    fs::permissions(Folder / "locked.mxd", fs::perms::owner_all, ignored);
    fs::remove_all(Folder, ignored);
  }

  static TBytes Contents(const fs::path& path)
  {
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> FilesInFolder() const
  {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Folder)) names.push_back(entry.path().filename().string());
    return names;
  }
  // Saves a design holding one value under name; returns the name used.
  std::string Save(const std::string& name, double value)
  {
    TWindowsUmbrinexFile file(nullptr, TFileMode::Write, ctSavedDataFile);
    file.OpenFile(name, DataFileClass);
    file.BeginTag(39, 1);
    file.WriteDouble(value);
    file.EndTag();
    file.WriteEndOfData();
    file.Close();
    return file.FileName();
  }
  double Load(const std::string& name)
  {
    TWindowsUmbrinexFile file(nullptr, TFileMode::Read);
    file.OpenFile(name, DataFileClass);
    file.ReadTagHeader();
    double value = 0;
    file.ReadDouble(value);
    return value;
  }

  fs::path Folder;
};

TEST_F(TaggedFileDiskTest, NameWithoutExtensionGetsTheExtensionOfItsClass)
{
  const std::string base = (Folder / "design").string();
  EXPECT_EQ(Save("  " + base + " ", 3.5), base + ".mxd");
  EXPECT_TRUE(fs::exists(base + ".mxd"));
  EXPECT_EQ(Load(base), 3.5);
}

TEST_F(TaggedFileDiskTest, SaveThatFailsOrIsAbandonedLeavesThePreviousFileIntact)
{
  const std::string name = (Folder / "design.mxd").string();
  Save(name, 1.0);
  const TBytes good = Contents(name);

  try {
    TWindowsUmbrinexFile file(nullptr, TFileMode::Write, ctSavedDataFile);
    file.OpenFile(name, DataFileClass);
    file.BeginTag(39, 1);
    file.WriteDouble(2.0);
    throw std::runtime_error("the model could not be written");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(Contents(name), good);

  TWindowsUmbrinexFile abandoned(nullptr, TFileMode::Write, ctSavedDataFile);
  abandoned.OpenFile(name, DataFileClass);
  abandoned.WriteEndOfData();
  abandoned.Abandon();
  EXPECT_EQ(Contents(name), good);
  EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"design.mxd"});

  Save(name, 2.0);
  EXPECT_EQ(Load(name), 2.0);
  EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"design.mxd"});
}

TEST_F(TaggedFileDiskTest, ErrorsNameTheFileTrimmedAndInLowerCase)
{
  const std::string shown = LowerCase((Folder / "design.mxd").string());
  const std::string typed = Format(" %s ", (Folder / "Design.MXD").c_str());
  EXPECT_EQ(FileErrorOf([&] { Load(typed); }), "File Error: File '" + shown + "' does not exist.");

  {
    TDOSUmbrinexFile older(nullptr, TFileMode::Write);
    older.OpenFile(typed, OldDataFileClass);
    older.WriteEndOfData();
    older.Close();
  }
  EXPECT_EQ(FileErrorOf([&] { Load(typed); }), "File Error: '" + shown + "' is not an Umbrinex file");

  const fs::path locked = Folder / "Locked.mxd";
  Save(locked.string(), 1.0);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_EQ(FileErrorOf([&] { Save(locked.string(), 2.0); }),
            "File Error: File '" + LowerCase(locked.string()) + "' is read-only.");
  EXPECT_EQ(Load(locked.string()), 1.0);
  fs::permissions(locked, fs::perms::owner_all);
}

TEST_F(TaggedFileDiskTest, LargeFilesAreWrittenAndReadStraightThroughTheDisk)
{
  SetFileBufferingLimit(0);
  const std::string name = (Folder / "large.dat").string();
  std::vector<double> values(9000);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = 0.5 * static_cast<double>(i);
  {
    TDOSUmbrinexFile file(nullptr, TFileMode::Write, ctSavedDataFile);
    file.OpenFile(name, OldDataFileClass);
    file.BeginTag(39, 5);
    file.BeginRecord();
    file.WriteDoubleArray(values.data(), static_cast<int>(values.size()) - 1);
    file.EndRecord();
    file.EndTag();
    file.WriteEndOfData();
    file.Close();
  }
  EXPECT_EQ(Contents(name)[25], 0xFD);  // too long for a short tag

  TDOSUmbrinexFile file(nullptr, TFileMode::Read);
  file.OpenFile(name, OldDataFileClass);
  file.ReadTagHeader();
  std::vector<double> read(values.size());
  file.BeginReadRecord();
  file.ReadDoubleArray(read.data(), static_cast<int>(read.size()) - 1);
  file.EndReadRecord();
  file.FinishTag();
  file.ReadTagHeader();
  EXPECT_EQ(file.TagNumber(), tagEndOfData);
  EXPECT_EQ(read, values);
}

TEST_F(TaggedFileDiskTest, ModelIsLoadingWhileAReadingFileObjectExists)
{
  TModel model;
  {
    TWindowsUmbrinexFile writer(&model, TFileMode::Write);
    EXPECT_FALSE(model.Loading());
    TWindowsUmbrinexFile reader(&model, TFileMode::Read);
    EXPECT_TRUE(model.Loading());
  }
  EXPECT_FALSE(model.Loading());
}

}  // namespace
}  // namespace umbrinex
