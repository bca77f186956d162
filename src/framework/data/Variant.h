#pragma once
// The value carried by an item access, and the list targets that vtList
// accesses fill and read.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace umbrinex {

// What a list entry stands for: an enumeration ordinal or an object pointer.
using TListData = std::intptr_t;

// A list control seen from the model side (combo box, list box, grid drop-down).
class IListTarget {
 public:
  virtual ~IListTarget() = default;
  virtual void Clear() = 0;
  virtual void Add(const std::string& text, TListData data) = 0;
  virtual int Count() const = 0;
  virtual std::string TextAt(int i) const = 0;
  virtual TListData DataAt(int i) const = 0;
  virtual int SelectedIndex() const = 0;  // -1 when nothing is selected
  virtual void SetSelectedIndex(int i) = 0;
  // Multi-select lists mark entries instead of having one selection.
  virtual bool MultiSelect() const { return false; }
  virtual void SetMarked(int /*i*/, bool /*marked*/) {}
};

// A list target held in memory: the model side's own list, also used by the
// batch program and the tests.
class TStringListTarget final : public IListTarget {
 public:
  struct TEntry {
    std::string Text;
    TListData Data = 0;
    bool Marked = false;
  };
  explicit TStringListTarget(bool multiSelect = false) : FMultiSelect(multiSelect) {}

  void Clear() override
  {
    FEntries.clear();
    FSelected = -1;
  }
  void Add(const std::string& text, TListData data) override { FEntries.push_back({text, data, false}); }
  int Count() const override { return static_cast<int>(FEntries.size()); }
  std::string TextAt(int i) const override { return FEntries.at(i).Text; }
  TListData DataAt(int i) const override { return FEntries.at(i).Data; }
  int SelectedIndex() const override { return FSelected; }
  void SetSelectedIndex(int i) override { FSelected = (i >= 0 && i < Count()) ? i : -1; }
  bool MultiSelect() const override { return FMultiSelect; }
  void SetMarked(int i, bool marked) override { FEntries.at(i).Marked = marked; }
  bool Marked(int i) const { return FEntries.at(i).Marked; }
  // Selects the entry with this text; false when there is none.
  bool SelectText(const std::string& text);

 private:
  std::vector<TEntry> FEntries;
  int FSelected = -1;
  bool FMultiSelect = false;
};

// The value of an item access. Conversions follow ordinary variant rules:
// numbers read from text use the program's text rules, so "~", "?" and
// "Infinity" arrive as the special doubles.
class TVariant {
 public:
  enum class TKind { Empty, Integer, Real, Text, Boolean, List };

  TVariant() = default;
  TVariant(int v) : FValue(std::int64_t{v}) {}
  TVariant(unsigned v) : FValue(std::int64_t{v}) {}
  TVariant(std::int64_t v) : FValue(v) {}
  TVariant(double v) : FValue(v) {}
  TVariant(std::string v) : FValue(std::move(v)) {}
  TVariant(const char* v) : FValue(std::string(v)) {}
  TVariant(bool v) : FValue(v) {}
  TVariant(IListTarget* v) : FValue(v) {}

  TKind Kind() const { return static_cast<TKind>(FValue.index()); }
  bool IsEmpty() const { return Kind() == TKind::Empty; }
  bool IsText() const { return Kind() == TKind::Text; }

  // The value as an integer: reals are rounded (half to even); text is read
  // as a number. Empty when the value cannot be turned into an integer.
  std::optional<std::int64_t> ToInteger() const;
  // The value as a double; text is read with the real-number text rules.
  std::optional<double> ToReal() const;
  // The value as text: reals with the value-to-text rule, booleans as
  // "true"/"false", a list as its selected entry's text.
  std::string ToText() const;
  // The list target carried by a vtList access, or nullptr.
  IListTarget* ToList() const;

  friend bool operator==(const TVariant&, const TVariant&) = default;

 private:
  std::variant<std::monostate, std::int64_t, double, std::string, bool, IListTarget*> FValue;
};

}  // namespace umbrinex
