#pragma once
// One user setting: its name, default, current value and where it is kept.
// A setting reads itself when it is made and writes itself the moment its
// value changes, so that the stored settings never lag behind the program;
// a value equal to the default is removed rather than written, so that a
// later change of a default reaches every user who never changed it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "charts/GraphSettings.h"

namespace umbrinex {

class TKitRegistry;

class TPreference {
 public:
  using TListener = std::function<void(TPreference&)>;
  // 0: one value named after the setting; 1: a sub-key of that name holding
  // several values.
  enum class TStorage { Value, SubKey };

  virtual ~TPreference();
  TPreference(const TPreference&) = delete;
  TPreference& operator=(const TPreference&) = delete;

  // Empty for a setting that is never stored.
  const std::string& Name() const { return FName; }
  // The program key, or the maker key for a setting shared by the maker's programs.
  const std::string& Key() const { return FKey; }
  TStorage Storage() const { return FStorage; }

  virtual void ResetToDefault() = 0;
  virtual bool IsDefault() const = 0;
  // From and to the registry's open key (for a sub-key setting, the sub-key).
  virtual void ReadValue(const TKitRegistry& registry) = 0;
  virtual void WriteValue(TKitRegistry& registry) const = 0;
  // The value a later RevertValue goes back to.
  virtual void KeepValue() = 0;
  virtual void RevertValue() = 0;

  // Listeners are told after each change, in the order they were added; the
  // object identifies a listener for its removal.
  void AddListener(const void* object, TListener listener);
  void RemoveListener(const void* object);

 protected:
  TPreference(std::string name, bool shared, TStorage storage);
  // Reads the stored value; the constructors of the concrete classes call it
  // last, once the object can answer ReadValue.
  void Load();
  // Stores the new value (or removes it at its default) and tells the listeners.
  void Changed();

 private:
  std::string StorageKey() const;
  std::string FName;
  std::string FKey;
  TStorage FStorage;
  std::vector<std::pair<const void*, TListener>> FListeners;
};

// Every setting of the program, in the order made.
const std::vector<TPreference*>& AllPreferences();
TPreference* FindPreference(const std::string& name);
// Around the preferences form: Cancel puts every setting back, in memory and in store.
void KeepAllValues();
void RevertAllValues();

template <class T>
class TValuePreference : public TPreference {
 public:
  const T& CurrentValue() const { return FValue; }
  const T& DefaultValue() const { return FDefault; }
  void ChangeValue(const T& value)
  {
    if (Same(value, FValue)) return;
    FValue = value;
    Changed();
  }
  void ResetToDefault() override { FValue = FDefault; }
  bool IsDefault() const override { return Same(FValue, FDefault); }
  void KeepValue() override { FSaved = FValue; }
  void RevertValue() override { ChangeValue(FSaved); }

 protected:
  TValuePreference(std::string name, bool shared, TStorage storage, T defaultValue)
      : TPreference(std::move(name), shared, storage),
        FValue(defaultValue),
        FDefault(defaultValue),
        FSaved(defaultValue)
  {
  }
  virtual bool Same(const T& a, const T& b) const { return a == b; }
  // For the readers: a value read from the store, kept as the saved value too.
  void SetRead(const T& value) { FValue = FSaved = value; }

 private:
  T FValue;
  T FDefault;
  T FSaved;
};

class TIntegerPreference : public TValuePreference<std::int32_t> {
 public:
  // Stored values outside min..max are clamped into it.
  TIntegerPreference(std::string name, bool shared, std::int32_t defaultValue, std::int32_t min = INT32_MIN,
                     std::int32_t max = INT32_MAX);
  void ReadValue(const TKitRegistry& registry) override;
  void WriteValue(TKitRegistry& registry) const override;

 private:
  std::int32_t FMin, FMax;
};

// 0 normal, 1 minimised, 2 maximised.
class TWindowStatePreference : public TIntegerPreference {
 public:
  TWindowStatePreference(std::string name, bool shared, std::int32_t defaultValue)
      : TIntegerPreference(std::move(name), shared, defaultValue, 0, 2)
  {
  }
};

class TLegendAlignmentPreference : public TIntegerPreference {
 public:
  using TIntegerPreference::TIntegerPreference;
};

class TBooleanPreference : public TValuePreference<bool> {
 public:
  TBooleanPreference(std::string name, bool shared, bool defaultValue);
  void Toggle() { ChangeValue(!CurrentValue()); }
  void ReadValue(const TKitRegistry& registry) override;
  void WriteValue(TKitRegistry& registry) const override;
};

// Equality is exact: a value that differs in the last bit is a change.
class TDoublePreference : public TValuePreference<double> {
 public:
  TDoublePreference(std::string name, bool shared, double defaultValue);
  void ReadValue(const TKitRegistry& registry) override;
  void WriteValue(TKitRegistry& registry) const override;
};

// 0x00BBGGRR.
class TColorPreference : public TValuePreference<std::uint32_t> {
 public:
  TColorPreference(std::string name, bool shared, std::uint32_t defaultValue);
  void ReadValue(const TKitRegistry& registry) override;
  void WriteValue(TKitRegistry& registry) const override;
};

class TStringPreference : public TValuePreference<std::string> {
 public:
  TStringPreference(std::string name, bool shared, std::string defaultValue, bool caseSensitive = true);
  void ReadValue(const TKitRegistry& registry) override;
  void WriteValue(TKitRegistry& registry) const override;

 protected:
  bool Same(const std::string& a, const std::string& b) const override;

 private:
  bool FCaseSensitive;
};

class TFontPreference : public TValuePreference<TFontSetting> {
 public:
  TFontPreference(std::string name, bool shared, TFontSetting defaultValue);
  void ReadValue(const TKitRegistry& registry) override;
  void WriteValue(TKitRegistry& registry) const override;
};

// Curve and font styles are the charts' own (graphics/GraphSettings.h).
class TCurvePreference : public TValuePreference<TCurveStyle> {
 public:
  TCurvePreference(std::string name, bool shared, TCurveStyle defaultValue);
  void ReadValue(const TKitRegistry& registry) override;
  void WriteValue(TKitRegistry& registry) const override;
};

}  // namespace umbrinex
