#include "framework/data/DiskFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "FileTestSupport.h"
#include "framework/data/TextUtils.h"

namespace umbrinex {
namespace {

namespace fs = std::filesystem;

class DiskFileTest : public ::testing::Test {
 protected:
  DiskFileTest()
  {
    folder = fs::temp_directory_path() / ("umbrinex-disk-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder);
  }
  ~DiskFileTest() override { fs::remove_all(folder); }

  static std::string Contents(const fs::path& file)
  {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::string Shown(const fs::path& path) const { return FileNameForMessage(path.string()); }

  fs::path folder;
};

TEST_F(DiskFileTest, OnlyARegularFileIsOpenedForReadingAndAnythingElseIsNamed)
{
  const fs::path file = folder / "Design.mxd", pipe = folder / "Pipe.mxd", missing = folder / "Missing.mxd";
  std::ofstream(file) << "data";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::FILE* opened = OpenFileForReading(file.string());
  ASSERT_NE(opened, nullptr);
  char buffer[8] = {};
  EXPECT_EQ(std::fread(buffer, 1, sizeof buffer, opened), 4u);
  std::fclose(opened);

  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(testing::FileErrorOf([&] { OpenFileForReading(pipe.string()); }),
            "File Error: File '" + Shown(pipe) + "' is not a regular file.");
  EXPECT_EQ(TryOpenFileForReading(pipe.string()), nullptr);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << "no wait for a writer";
  EXPECT_EQ(testing::FileErrorOf([&] { OpenFileForReading(folder.string()); }),
            "File Error: File '" + Shown(folder) + "' is a folder.");
  EXPECT_EQ(testing::FileErrorOf([&] { OpenFileForReading("/dev/null"); }),
            "File Error: File '/dev/null' is not a regular file.");
  EXPECT_EQ(testing::FileErrorOf([&] { OpenFileForReading(missing.string()); }),
            "File Error: File '" + Shown(missing) + "' does not exist.");
}

TEST_F(DiskFileTest, AReplacementTakesThePlaceAndThePermissionsOfItsTargetOnlyWhenCommitted)
{
  const fs::path target = folder / "report.txt";
  std::ofstream(target) << "old";
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  {
    TReplacementFile replacement(target.string());
    EXPECT_EQ(fs::path(replacement.Path()).parent_path(), folder) << "beside its target";
    std::ofstream(replacement.Path()) << "given up";
  }
  EXPECT_EQ(Contents(target), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  TReplacementFile replacement(target.string());
  const int descriptor = replacement.ReleaseDescriptor();
  ASSERT_EQ(::write(descriptor, "new", 3), 3);
  ::close(descriptor);
  replacement.Commit();
  EXPECT_EQ(Contents(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
}

TEST_F(DiskFileTest, TargetsThatASaveMayNotReplaceAreRefusedBeforeAnythingIsWritten)
{
  const fs::path locked = folder / "Locked.mxd", inFolder = folder / "Sub.mxd", missing = folder / "Gone" / "x.mxd";
  std::ofstream(locked) << "kept";
  fs::permissions(locked, fs::perms::owner_read);
  fs::create_directory(inFolder);
  EXPECT_EQ(testing::FileErrorOf([&] { TReplacementFile file(locked.string()); }),
            "File Error: File '" + Shown(locked) + "' is read-only.");
  EXPECT_EQ(testing::FileErrorOf([&] { TReplacementFile file(inFolder.string()); }),
            "File Error: File '" + Shown(inFolder) + "' is a folder.");
  EXPECT_EQ(testing::FileErrorOf([&] { TReplacementFile file("/dev/null"); }),
            "File Error: File '/dev/null' is not a regular file.");
  EXPECT_EQ(testing::FileErrorOf([&] { TReplacementFile file(missing.string()); }),
            "File Error: Cannot create file '" + Shown(missing) + "': folder '" + Shown(folder / "Gone") +
                "' does not exist.");
  EXPECT_EQ(Contents(locked), "kept");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
}

TEST_F(DiskFileTest, AWriteTheDiskCannotTakeLeavesThePreviousFileAndNoTemporaryOne)
{
  const fs::path target = folder / "report.txt";
  std::ofstream(target) << "the previous report";
  std::string message;
  {
    testing::TFileSizeLimit full(100);
    message = testing::FileErrorOf([&] { SaveBinaryFile(target.string(), std::string(4096, 'x')); });
  }
  EXPECT_EQ(message, "File Error: Write error on file '" + Shown(target) + "'.  File too large.");
  EXPECT_EQ(Contents(target), "the previous report");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  SaveBinaryFile(target.string(), std::string("a\0b", 3));
  EXPECT_EQ(Contents(target), std::string("a\0b", 3)) << "bytes, not a C string";
}

TEST_F(DiskFileTest, NamesThatStandForAnotherFileOrForNoneAreRefused)
{
  const fs::path cut = folder / "cut";
  const std::string withNul = cut.string() + std::string(1, '\0') + ".mxd";
  EXPECT_EQ(testing::FileErrorOf([&] { SaveTextFile(withNul, "x"); }),
            "File Error: File name '" + Shown(cut) + "\\x00.mxd' holds a NUL character.");
  EXPECT_EQ(testing::FileErrorOf([&] { OpenFileForReading(withNul); }),
            "File Error: File name '" + Shown(cut) + "\\x00.mxd' holds a NUL character.");
  EXPECT_EQ(testing::FileErrorOf([&] { SaveTextFile("", "x"); }), "File Error: No file name was given.");
  EXPECT_EQ(testing::FileErrorOf([&] { CheckWritableTarget(""); }), "File Error: No file name was given.");
  EXPECT_FALSE(fs::exists(cut));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 0);
}

TEST_F(DiskFileTest, DevicesAndTheirFoldersAreNeverWrittenNorGivenAnExtension)
{
  const fs::path full = folder / "full";
  fs::create_symlink("/dev/full", full);
  EXPECT_EQ(testing::FileErrorOf([&] { SaveTextFile(full.string(), "x"); }),
            "File Error: File '" + Shown(full) + "' is not a regular file.");
  EXPECT_EQ(testing::FileErrorOf([&] { CheckWritableTarget("/dev/umbrinex-test.mxd"); }),
            "File Error: Cannot create file '/dev/umbrinex-test.mxd' in the device folder '/dev'.");
  EXPECT_FALSE(fs::exists("/dev/umbrinex-test.mxd"));
  EXPECT_TRUE(IsDeviceFolder("/dev") && IsDeviceFolder("/proc/self") && IsDeviceFolder("/sys/"));
  EXPECT_FALSE(IsDeviceFolder("/dev/shm") || IsDeviceFolder("/devices") || IsDeviceFolder(folder.string()));

  EXPECT_TRUE(MayTakeDefaultExtension((folder / "design").string()));
  EXPECT_FALSE(MayTakeDefaultExtension((folder / "design.mxd").string()));
  EXPECT_FALSE(MayTakeDefaultExtension("/dev/full")) << "it would become /dev/full.mxd";
  EXPECT_FALSE(MayTakeDefaultExtension("/dev/nothing"));
  EXPECT_FALSE(MayTakeDefaultExtension(full.string()));
  EXPECT_FALSE(MayTakeDefaultExtension(folder.string()));
  EXPECT_FALSE(MayTakeDefaultExtension(""));
}

TEST_F(DiskFileTest, TheTargetCheckFindsWhatTheSaveWouldMeetAndWritesNothing)
{
  const fs::path locked = folder / "Locked.xlsx", missing = folder / "Gone" / "r.xlsx";
  std::ofstream(locked) << "kept";
  fs::permissions(locked, fs::perms::owner_read);
  EXPECT_EQ(testing::FileErrorOf([&] { CheckWritableTarget(locked.string()); }),
            "File Error: File '" + Shown(locked) + "' is read-only.");
  EXPECT_EQ(testing::FileErrorOf([&] { CheckWritableTarget(missing.string()); }),
            "File Error: Cannot create file '" + Shown(missing) + "': folder '" + Shown(folder / "Gone") +
                "' does not exist.");
  EXPECT_NO_THROW(CheckWritableTarget((folder / "new.xlsx").string()));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(DiskFileTest, FileNamesInMessagesAreLowerCaseWithTheirControlCharactersShown)
{
  EXPECT_EQ(FileNameForMessage("  /Tmp/A\x1b[2J.MXD "), "/tmp/a\\x1B[2j.mxd");
}

}  // namespace
}  // namespace umbrinex
