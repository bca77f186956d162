// Graph and drawing files go through the safe save: a target that must not
// be replaced is refused before anything is drawn, and a write that fails
// leaves the previous file as it was.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "FileTestSupport.h"
#include "bend/Bend.h"
#include "graphics/DrawingFiles.h"
#include "graphics/GraphFiles.h"
#include "graphics/GraphOutput.h"

namespace umbrinex {
namespace {

namespace fs = std::filesystem;
using testing::FileErrorOf;

class PictureFiles : public ::testing::Test {
 protected:
  PictureFiles()
  {
    folder = fs::temp_directory_path() / ("umbrinex-pictures-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder);
    bend = New<TBend>();
  }
  ~PictureFiles() override { fs::remove_all(folder); }

  static std::string Contents(const fs::path& file)
  {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static std::string Shown(const fs::path& file) { return FileNameForMessage(file.string()); }
  std::size_t FilesInFolder() const
  {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }

  // The two ways a picture reaches a file: a results graph and a drawing.
  std::function<void(const std::string&)> Writer(bool drawing)
  {
    if (drawing) return [this](const std::string& file) { RenderDrawingToFile(*bend, "General Arrangement", 1, file); };
    return [this](const std::string& file) { RenderGraphToFile(*bend, "Diameter", 1, file); };
  }

  fs::path folder;
  std::unique_ptr<TBend> bend;
};

TEST_F(PictureFiles, AFullDiskLeavesThePreviousFileOfEveryKindAsItWas)
{
  for (const bool drawing : {false, true}) {
    for (const char* extension : {".svg", ".pdf", ".png", ".bmp"}) {
      const fs::path target = folder / (std::string(drawing ? "drawing" : "graph") + extension);
      const std::string previous = "the previous picture, complete";
      std::ofstream(target, std::ios::binary) << previous;
      std::string message;
      {
        // Every picture is larger than this.
        testing::TFileSizeLimit full(512);
        message = FileErrorOf([&] { Writer(drawing)(target.string()); });
      }
      EXPECT_EQ(message, "File Error: Write error on file '" + Shown(target) + "'.  File too large.") << target;
      EXPECT_EQ(Contents(target), previous) << target;
      EXPECT_EQ(FilesInFolder(), 1u) << "no temporary file left beside " << target;
      fs::remove(target);
    }
  }
}

TEST_F(PictureFiles, TargetsThatASaveMayNotReplaceAreRefusedByNameWithoutWaiting)
{
  const fs::path locked = folder / "locked.svg", pipe = folder / "pipe.svg", full = folder / "full.svg",
                 sub = folder / "sub.svg";
  std::ofstream(locked) << "kept";
  fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read);
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  fs::create_symlink("/dev/full", full);
  fs::create_directory(sub);
  // A reader holds the pipe open, so that a writer would not wait but pour
  // the picture into it.
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  for (const bool drawing : {false, true}) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(FileErrorOf([&] { Writer(drawing)(locked.string()); }),
              "File Error: File '" + Shown(locked) + "' is read-only.");
    EXPECT_EQ(FileErrorOf([&] { Writer(drawing)(pipe.string()); }),
              "File Error: File '" + Shown(pipe) + "' is not a regular file.");
    EXPECT_EQ(FileErrorOf([&] { Writer(drawing)(full.string()); }),
              "File Error: File '" + Shown(full) + "' is not a regular file.");
    EXPECT_EQ(FileErrorOf([&] { Writer(drawing)(sub.string()); }),
              "File Error: File '" + Shown(sub) + "' is a folder.");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  }
  char byte = 0;
  EXPECT_LE(::read(reader, &byte, 1), 0) << "nothing was written into the pipe";
  ::close(reader);
  EXPECT_EQ(Contents(locked), "kept");
  EXPECT_EQ(FilesInFolder(), 4u);
}

TEST_F(PictureFiles, AGoodFileIsReplacedWholeWithThePermissionsOfTheOldOne)
{
  const fs::path target = folder / "arrangement.pdf";
  std::ofstream(target) << "old";
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  RenderDrawingToFile(*bend, "General Arrangement", 1, target.string());
  const std::string pdf = Contents(target);
  EXPECT_EQ(pdf.substr(0, 4), "%PDF");
  EXPECT_NE(pdf.find("%%EOF"), std::string::npos) << "a complete document";
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  // The drawing in memory is the file's own bytes, for the clipboard.
  const QByteArray svg = DrawingFileBytes(*bend, "General Arrangement", 1, TGraphFileKind::Svg);
  EXPECT_TRUE(svg.startsWith("<?xml") && svg.contains("</svg>"));
}

}  // namespace
}  // namespace umbrinex
