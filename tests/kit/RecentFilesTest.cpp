#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "KitTestSupport.h"
#include "desktop/kit/Mru.h"
#include "desktop/kit/Registry.h"

namespace umbrinex {
namespace {

using namespace umbrinex::testing;

class RecentFiles : public TKitTest {
 protected:
  static std::string StoredEntry(int k)
  {
    TKitRegistry& registry = KitRegistry();
    std::string value = "(none)";
    if (registry.OpenKey("Software/Tessan/Umbrinex/MRU", false)) {
      registry.ReadString(std::to_string(k), value);
      registry.CloseKey();
    }
    return value;
  }
  static QStringList Captions(const QMenu& menu)
  {
    QStringList captions;
    for (const QAction* action : menu.actions())
      captions << (action->isSeparator() ? (action->isVisible() ? QStringLiteral("--") : QStringLiteral("(--)"))
                                         : action->text());
    return captions;
  }
};

TEST_F(RecentFiles, ASixthFileDropsTheOldestAndClearsTheSurplusValues)
{
  {
    // A list once longer leaves values behind.
    TKitRegistry& registry = KitRegistry();
    registry.OpenKey("Software/Tessan/Umbrinex/MRU", true);
    for (int k = 6; k <= 9; ++k) registry.WriteString(std::to_string(k), "/stale/" + std::to_string(k) + ".mxd");
    registry.CloseKey();
  }
  TMRU list("MRU");
  for (int i = 1; i <= 6; ++i) list.AddFile("/designs/d" + std::to_string(i) + ".mxd");
  EXPECT_EQ(list.Files(), (std::vector<std::string>{"/designs/d6.mxd", "/designs/d5.mxd", "/designs/d4.mxd",
                                                    "/designs/d3.mxd", "/designs/d2.mxd"}));
  EXPECT_EQ(StoredEntry(1), "/designs/d6.mxd");
  EXPECT_EQ(StoredEntry(5), "/designs/d2.mxd");
  for (int k = 6; k <= 9; ++k) EXPECT_EQ(StoredEntry(k), "(none)") << k;
}

TEST_F(RecentFiles, AFileOpenedAgainMovesToTheTopAlsoInAnotherCase)
{
  TMRU list("MRU");
  list.AddFile("/designs/a.mxd");
  list.AddFile("/designs/b.mxd");
  list.AddFile("/designs/c.mxd");
  list.AddFile("/DESIGNS/A.MXD");
  EXPECT_EQ(list.Files(), (std::vector<std::string>{"/designs/a.mxd", "/designs/c.mxd", "/designs/b.mxd"}));
}

TEST_F(RecentFiles, AreReadBackByTheNextRunUpToTheCount)
{
  {
    TMRU list("MRU");
    for (int i = 1; i <= 4; ++i) list.AddFile("/designs/d" + std::to_string(i) + ".mxd");
  }
  Restart();
  SetRecentFileCount(3);
  TMRU list("MRU");
  EXPECT_EQ(list.Files(), (std::vector<std::string>{"/designs/d4.mxd", "/designs/d3.mxd", "/designs/d2.mxd"}));
}

TEST_F(RecentFiles, CountIsClampedToNineAndStoredWithTheList)
{
  SetRecentFileCount(12);
  EXPECT_EQ(RecentFileCount(), 9);
  {
    TMRU list("MRU");
  }
  SetRecentFileCount(-3);
  EXPECT_EQ(RecentFileCount(), 0);
  Restart();
  EXPECT_EQ(RecentFileCount(), 9);
}

TEST_F(RecentFiles, FillTheirMenuPlacesWithNumberedShortenedNames)
{
  QMenu file;
  file.addAction(QStringLiteral("&New"));
  QAction* start = file.addSeparator();
  QAction* finish = file.addSeparator();
  file.addAction(QStringLiteral("E&xit"));
  QMenu dropDown;
  QAction* dropStart = dropDown.addSeparator();
  QAction* dropFinish = dropDown.addSeparator();

  TMRU list("MRU");
  list.AddMenuPlace(&file, start, finish);
  list.AddMenuPlace(&dropDown, dropStart, dropFinish);
  EXPECT_EQ(Captions(file), (QStringList{QStringLiteral("&New"), QStringLiteral("(--)"), QStringLiteral("--"),
                                         QStringLiteral("E&xit")}));

  list.AddFile("/home/me/work/R&D/rigs/x.mxd");
  list.AddFile("/y.mxd");
  EXPECT_EQ(Captions(file),
            (QStringList{QStringLiteral("&New"), QStringLiteral("--"), QStringLiteral("&1. /y.mxd"),
                         QStringLiteral("&2. /.../R&&D/rigs/x.mxd"), QStringLiteral("--"), QStringLiteral("E&xit")}));
  // In a menu of their own the separators have nothing to separate.
  EXPECT_EQ(Captions(dropDown), (QStringList{QStringLiteral("(--)"), QStringLiteral("&1. /y.mxd"),
                                             QStringLiteral("&2. /.../R&&D/rigs/x.mxd"), QStringLiteral("(--)")}));

  std::string clicked;
  list.SetClickHandler([&](const std::string& name) { clicked = name; });
  dropDown.actions()[2]->trigger();
  EXPECT_EQ(clicked, "/home/me/work/R&D/rigs/x.mxd");

  SetRecentFileCount(1);
  EXPECT_EQ(Captions(dropDown),
            (QStringList{QStringLiteral("(--)"), QStringLiteral("&1. /y.mxd"), QStringLiteral("(--)")}));
}

}  // namespace
}  // namespace umbrinex
