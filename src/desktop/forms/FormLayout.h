#pragma once
// A form laid out for printing: one vertical sequence of its controls with
// absolute positions. Tab sheets are stacked one below the
// other, group boxes open into a heading line and their contents, tables
// grow to show every row, and the gaps close to one line so that nothing
// overlaps. The layout changes its form while it exists (left edges scaled,
// grids in output mode) and puts it back when it goes.

#include <cstdint>
#include <map>
#include <vector>

#include <QPoint>

class QPainter;
class QWidget;

namespace umbrinex {

class TFormOutput;
class TKitGrid;

enum TPrintState : std::uint8_t {
  psNotOnPage = 0,
  psFits = 1,
  psPartlyFits = 2,  // a table that will be split
  psFirstPartPrinted = 3,
  psPrinted = 4,
};

struct TFormLayoutItem {
  QWidget* Control = nullptr;
  int X = 0;
  int Y = 0;
  std::uint8_t PrintState = psNotOnPage;
  bool Expanded = false;
};

class TFormLayout {
 public:
  TFormLayout(TFormOutput& form, double scale);
  ~TFormLayout();
  TFormLayout(const TFormLayout&) = delete;
  TFormLayout& operator=(const TFormLayout&) = delete;

  const std::vector<TFormLayoutItem>& Items() const { return FItems; }

  // Prints what fits on the page below position y; the lowest printed
  // position, and whether every item is printed.
  struct TPageResult {
    int Bottom;
    bool Done;
  };
  TPageResult PrintPage(QPainter& canvas, int y, int top, int pageHeight);

  // Item measures in the form's font.
  int Height(const TFormLayoutItem& item) const;
  int Width(const TFormLayoutItem& item) const;
  bool Related(std::size_t a, std::size_t b) const;
  void Compact();

 private:
  using TItems = std::vector<TFormLayoutItem>;
  void AddControls(QWidget& container, TItems& list);
  void AddControl(QWidget& control, TItems& list);
  bool Before(const TFormLayoutItem& a, const TFormLayoutItem& b) const;
  TFormLayoutItem MakeItem(QWidget& control) const;
  QPoint Position(const QWidget& control) const;
  void OpenPageControl(std::size_t at);
  void OpenGroupBox(std::size_t at);
  void MoveFrom(std::size_t first, int dy);
  void ShowAllRows(TKitGrid& grid);
  int TextHeight() const;
  // Rows of a grid (titles included) that fit into a height.
  int RowsThatFit(TKitGrid& grid, int height) const;

  TFormOutput& FForm;
  QWidget& FWindow;
  TItems FItems;
  std::map<QWidget*, int> FLeftEdges;
  std::map<const QWidget*, int> FStackedTops;
};

}  // namespace umbrinex
