#pragma once
// A described form written out as text, without a window: one vertical
// sequence of the controls that take part, at their places in the reference
// font. Group boxes open into a heading line and their contents, tables
// grow to show every row, and the gaps close to one line so that nothing
// overlaps; each pass of the form (once per state, say) is written after
// the other.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formdata/FormDescription.h"
#include "framework/grid/GridLayout.h"

namespace umbrinex {

class TDataTextPort;

class TFormText {
 public:
  // The form as made for the object: labels take their width from their
  // captions now, as a label sizes itself when it is made.
  TFormText(const TFormDescription& form, TDataObject& object);
  ~TFormText();
  TFormText(const TFormText&) = delete;
  TFormText& operator=(const TFormText&) = delete;

  // The lines of every pass, each pass ended by an empty line.
  void Write(std::vector<std::string>& lines);

  // Place of a control on the form and its size, in pixels, as the form
  // made in the reference font has them.
  int Left(int control) const;
  int Top(int control) const;
  int Width(int control) const;
  int Height(int control) const;

 private:
  // A control in output order with its place, in pixels from the top left.
  struct TItem {
    int Control;
    int X, Y;
    bool Expanded = false;
  };
  using TItems = std::vector<TItem>;
  // For one pass (state -1 for a form written once).
  TItems Layout(int state);
  // Whether a control takes part in the pass laid out last.
  bool Included(int control) const;
  // The text a control shows, without accelerator marks.
  std::string ControlText(int control) const;
  const TControlDescription& Control(int i) const { return FForm[i]; }
  TGridCore* Grid(int i) const { return FGrids[static_cast<std::size_t>(i)].get(); }
  bool Shows(int i) const;
  // The entry a drop-down list shows; none without a selection.
  std::optional<std::string> SelectedEntry(int i) const;
  void AddControls(int container, TItems& list) const;
  void AddControl(int control, TItems& list) const;
  TItem MakeItem(int control) const;
  void OpenGroupBox(TItems& items, std::size_t at) const;
  int ItemWidth(const TItem& item) const;
  int ItemHeight(const TItem& item) const;
  bool Related(const TItems& items, std::size_t a, std::size_t b) const;
  bool RelatedOneWay(int x, int y) const;
  bool CounterPair(int x, int y) const;
  void Compact(TItems& items);
  void ShowAllRows(int grid);
  void WriteItem(const TItem& item, TDataTextPort& port) const;

  const TFormDescription& FForm;
  TDataObject& FObject;
  std::vector<std::unique_ptr<TGridCore>> FGrids;
  std::vector<TGridLayout> FGridLayouts;
  std::vector<int> FLabelWidths;
  int FState = -1;
};

}  // namespace umbrinex
