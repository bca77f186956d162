#include "desktop/kit/Mru.h"

#include <algorithm>

#include <QAction>
#include <QMenu>

#include "framework/data/TextUtils.h"
#include "desktop/kit/FileNames.h"
#include "desktop/kit/Registry.h"

namespace umbrinex {

namespace {

constexpr int MaxRecentFiles = 9;
constexpr int DefaultRecentFiles = 5;
constexpr const char* MainListName = "MRU";

int& Count()
{
  static int count = DefaultRecentFiles;
  return count;
}

std::vector<TMRU*>& Lists()
{
  static std::vector<TMRU*> lists;
  return lists;
}

std::string ListKey(const std::string& listName)
{
  return std::string(ProgramKey) + "/" + listName;
}

}  // namespace

int RecentFileCount()
{
  return Count();
}

void SetRecentFileCount(int n)
{
  n = std::clamp(n, 0, MaxRecentFiles);
  if (n == Count()) return;
  Count() = n;
  for (TMRU* list : Lists()) list->RebuildMenus();
}

void LoadRecentFileCount(TKitRegistry& registry)
{
  Count() = DefaultRecentFiles;
  if (!registry.OpenKey(ListKey(MainListName), false)) return;
  int size = 0;
  if (registry.ReadInteger("Size", size)) Count() = std::clamp(size, 0, MaxRecentFiles);
  registry.CloseKey();
}

TMRU::TMRU(const std::string& listName) : FKey(ListKey(listName))
{
  Lists().push_back(this);
  Load();
}

TMRU::~TMRU()
{
  std::erase(Lists(), this);
  Save();
}

void TMRU::Load()
{
  TKitRegistry& registry = KitRegistry();
  if (!registry.OpenKey(FKey, false)) return;
  FFiles.clear();
  for (int k = 1; k <= RecentFileCount(); ++k) {
    std::string name;
    if (registry.ReadString(std::to_string(k), name) && !name.empty()) FFiles.push_back(name);
  }
  registry.CloseKey();
  RebuildMenus();
}

int TMRU::ShownCount() const
{
  return std::min(static_cast<int>(FFiles.size()), RecentFileCount());
}

void TMRU::AddFile(const std::string& fileName)
{
  const std::string full = FullFileName(fileName);
  const auto same = std::find_if(FFiles.begin(), FFiles.end(),
                                 [&](const std::string& entry) { return SameText(FullFileName(entry), full); });
  if (same != FFiles.end()) {
    std::rotate(FFiles.begin(), same, same + 1);
  } else {
    FFiles.insert(FFiles.begin(), fileName);
    if (static_cast<int>(FFiles.size()) > RecentFileCount()) FFiles.pop_back();
  }
  RebuildMenus();
  Save();
}

void TMRU::Save() const
{
  TKitRegistry& registry = KitRegistry();
  if (!registry.OpenKey(FKey, true)) return;
  registry.WriteInteger("Size", RecentFileCount());
  for (int k = 1; k <= MaxRecentFiles; ++k) {
    if (k <= ShownCount())
      registry.WriteString(std::to_string(k), FFiles[static_cast<std::size_t>(k - 1)]);
    else
      registry.DeleteValue(std::to_string(k));
  }
  registry.CloseKey();
}

void TMRU::AddMenuPlace(QMenu* menu, QAction* start, QAction* finish)
{
  FPlaces.push_back({menu, start, finish});
  RebuildMenu(FPlaces.back());
}

void TMRU::RebuildMenus()
{
  for (const TMenuPlace& place : FPlaces) RebuildMenu(place);
}

void TMRU::RebuildMenu(const TMenuPlace& place)
{
  QList<QAction*> actions = place.Menu->actions();
  const qsizetype start = actions.indexOf(place.Start);
  const qsizetype finish = actions.indexOf(place.Finish);
  for (qsizetype i = start + 1; i < finish; ++i) {
    place.Menu->removeAction(actions[i]);
    delete actions[i];
  }
  for (int k = 0; k < ShownCount(); ++k) {
    const std::string& fileName = FFiles[static_cast<std::size_t>(k)];
    QString shown = QString::fromStdString(MenuFileName(fileName));
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    auto* item = new QAction(QStringLiteral("&%1. %2").arg(k + 1).arg(shown), place.Menu);
    item->setData(QString::fromStdString(fileName));
    QObject::connect(item, &QAction::triggered, item, [this, fileName] {
      if (FClickHandler) FClickHandler(fileName);
    });
    place.Menu->insertAction(place.Finish, item);
  }
  actions = place.Menu->actions();
  place.Start->setVisible(ShownCount() > 0 && actions.indexOf(place.Start) > 0);
  place.Finish->setVisible(actions.indexOf(place.Finish) < actions.size() - 1);
}

}  // namespace umbrinex
