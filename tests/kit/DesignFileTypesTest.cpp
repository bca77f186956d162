// The desktop knows design files by the MIME types the installation
// declares: by name and header for this version's files, by header alone
// for the older ones, whose ".dat" is too common a name to claim.

#include <QMimeDatabase>

#include "KitTestSupport.h"

namespace umbrinex::testing {
namespace {

class DesignFileTypes : public TKitTest {
 protected:
  // The declarations installed where the shared MIME database looks first,
  // before anything reads the database in this process.
  void SetUp() override
  {
    TKitTest::SetUp();
    const fs::path packages = Folder.Path / "data" / "mime" / "packages";
    fs::create_directories(packages);
    fs::copy_file(fs::path(UMBRINEX_SOURCE_DIR) / "packaging" / "umbrinex-mime.xml", packages / "umbrinex.xml");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((Folder.Path / "data").string()));
  }

  std::string TypeOf(const std::string& file) const
  {
    return QMimeDatabase().mimeTypeForFile(QString::fromStdString(file)).name().toStdString();
  }
};

TEST_F(DesignFileTypes, DesignsAreKnownByNameAndHeaderAndOlderOnesByHeader)
{
  std::unique_ptr<TBend> bend = New<TBend>();
  const std::string design = Folder.File("riser.mxd");
  SaveToFile(*bend, design);
  EXPECT_EQ(TypeOf(design), "application/x-umbrinex-design");
  fs::copy_file(design, Folder.File("riser.backup"));
  EXPECT_EQ(TypeOf(Folder.File("riser.backup")), "application/x-umbrinex-design") << "by its header";

  WriteOlderDesign(Folder.File("old.dat"), "Older riser");
  EXPECT_EQ(TypeOf(Folder.File("old.dat")), "application/x-umbrinex-older-design");
  WriteText(Folder.File("other.dat"), "Umbrinex is mentioned but this is text");
  EXPECT_NE(TypeOf(Folder.File("other.dat")), "application/x-umbrinex-older-design");
}

}  // namespace
}  // namespace umbrinex::testing
