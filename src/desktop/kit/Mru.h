#pragma once
// The recent-files list: the last data files opened or saved, newest first,
// kept under a key of its own and shown between pairs of separators in menus.

#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace umbrinex {

class TKitRegistry;

// How many recent files the lists show, 0..9 (5 unless stored otherwise).
int RecentFileCount();
// Clamped to 0..9; every list rebuilds its menus, and the count is stored
// with the next save of a list.
void SetRecentFileCount(int n);
// The count stored as "Size" of the main window's list, or the default.
void LoadRecentFileCount(TKitRegistry& registry);

class TMRU {
 public:
  using TClickHandler = std::function<void(const std::string& fileName)>;

  // Loads the list kept under the program key + "/" + listName.
  explicit TMRU(const std::string& listName);
  // Saves the list.
  ~TMRU();
  TMRU(const TMRU&) = delete;
  TMRU& operator=(const TMRU&) = delete;

  // The list's items go between the two separators of the menu.
  void AddMenuPlace(QMenu* menu, QAction* start, QAction* finish);
  void SetClickHandler(TClickHandler handler) { FClickHandler = std::move(handler); }
  // Puts the file at the top (moving it there when the list names it
  // already, in any case), then rebuilds the menus and saves.
  void AddFile(const std::string& fileName);

  const std::vector<std::string>& Files() const { return FFiles; }
  const std::string& Key() const { return FKey; }
  // The entries the menus show: at most the recent-files count.
  int ShownCount() const;
  void RebuildMenus();
  void Save() const;

 private:
  struct TMenuPlace {
    QMenu* Menu;
    QAction* Start;
    QAction* Finish;
  };
  void Load();
  void RebuildMenu(const TMenuPlace& place);

  std::string FKey;
  std::vector<std::string> FFiles;
  std::vector<TMenuPlace> FPlaces;
  TClickHandler FClickHandler;
};

}  // namespace umbrinex
