#include "desktop/kit/Preference.h"

#include <algorithm>

#include "framework/data/TextUtils.h"
#include "desktop/kit/Registry.h"

namespace umbrinex {

namespace {

// Never destroyed: preferences held by objects of static storage leave it
// at program end, whatever the order their destructors run in.
std::vector<TPreference*>& Settings()
{
  static auto* settings = new std::vector<TPreference*>;
  return *settings;
}

}  // namespace

// ---- TPreference ----

TPreference::TPreference(std::string name, bool shared, TStorage storage)
    : FName(std::move(name)), FKey(shared ? MakerKey : ProgramKey), FStorage(storage)
{
  Settings().push_back(this);
}

TPreference::~TPreference()
{
  std::erase(Settings(), this);
}

std::string TPreference::StorageKey() const
{
  return FStorage == TStorage::SubKey ? FKey + "/" + FName : FKey;
}

void TPreference::Load()
{
  ResetToDefault();
  KeepValue();
  if (FName.empty()) return;
  TKitRegistry& registry = KitRegistry();
  if (!registry.OpenKey(StorageKey(), false)) return;
  ReadValue(registry);
  registry.CloseKey();
}

void TPreference::Changed()
{
  if (!FName.empty()) {
    TKitRegistry& registry = KitRegistry();
    if (IsDefault()) {
      if (FStorage == TStorage::SubKey) {
        registry.DeleteKey(StorageKey());
      } else if (registry.OpenKey(FKey, false)) {
        registry.DeleteValue(FName);
        registry.CloseKey();
      }
    } else if (registry.OpenKey(StorageKey(), true)) {
      WriteValue(registry);
      registry.CloseKey();
    }
  }
  // A listener may remove itself or others while being told.
  const auto listeners = FListeners;
  for (const auto& [object, listener] : listeners) listener(*this);
}

void TPreference::AddListener(const void* object, TListener listener)
{
  FListeners.emplace_back(object, std::move(listener));
}

void TPreference::RemoveListener(const void* object)
{
  std::erase_if(FListeners, [object](const auto& entry) { return entry.first == object; });
}

const std::vector<TPreference*>& AllPreferences()
{
  return Settings();
}

TPreference* FindPreference(const std::string& name)
{
  for (TPreference* setting : Settings())
    if (!name.empty() && setting->Name() == name) return setting;
  return nullptr;
}

void KeepAllValues()
{
  for (TPreference* setting : Settings()) setting->KeepValue();
}

void RevertAllValues()
{
  for (TPreference* setting : Settings()) setting->RevertValue();
}

// ---- Typed settings ----

TIntegerPreference::TIntegerPreference(std::string name, bool shared, std::int32_t defaultValue, std::int32_t min,
                                       std::int32_t max)
    : TValuePreference(std::move(name), shared, TStorage::Value, defaultValue), FMin(min), FMax(max)
{
  Load();
}

void TIntegerPreference::ReadValue(const TKitRegistry& registry)
{
  std::int32_t value = 0;
  if (registry.ReadInteger(Name(), value)) SetRead(std::clamp(value, FMin, FMax));
}

void TIntegerPreference::WriteValue(TKitRegistry& registry) const
{
  registry.WriteInteger(Name(), CurrentValue());
}

TBooleanPreference::TBooleanPreference(std::string name, bool shared, bool defaultValue)
    : TValuePreference(std::move(name), shared, TStorage::Value, defaultValue)
{
  Load();
}

void TBooleanPreference::ReadValue(const TKitRegistry& registry)
{
  bool value = false;
  if (registry.ReadBool(Name(), value)) SetRead(value);
}

void TBooleanPreference::WriteValue(TKitRegistry& registry) const
{
  registry.WriteBool(Name(), CurrentValue());
}

TDoublePreference::TDoublePreference(std::string name, bool shared, double defaultValue)
    : TValuePreference(std::move(name), shared, TStorage::Value, defaultValue)
{
  Load();
}

void TDoublePreference::ReadValue(const TKitRegistry& registry)
{
  double value = 0.0;
  if (registry.ReadDouble(Name(), value)) SetRead(value);
}

void TDoublePreference::WriteValue(TKitRegistry& registry) const
{
  registry.WriteDouble(Name(), CurrentValue());
}

TColorPreference::TColorPreference(std::string name, bool shared, std::uint32_t defaultValue)
    : TValuePreference(std::move(name), shared, TStorage::Value, defaultValue)
{
  Load();
}

void TColorPreference::ReadValue(const TKitRegistry& registry)
{
  std::int32_t value = 0;
  if (registry.ReadInteger(Name(), value)) SetRead(static_cast<std::uint32_t>(value));
}

void TColorPreference::WriteValue(TKitRegistry& registry) const
{
  registry.WriteInteger(Name(), static_cast<std::int32_t>(CurrentValue()));
}

TStringPreference::TStringPreference(std::string name, bool shared, std::string defaultValue, bool caseSensitive)
    : TValuePreference(std::move(name), shared, TStorage::Value, std::move(defaultValue)), FCaseSensitive(caseSensitive)
{
  Load();
}

void TStringPreference::ReadValue(const TKitRegistry& registry)
{
  std::string value;
  if (registry.ReadString(Name(), value)) SetRead(value);
}

void TStringPreference::WriteValue(TKitRegistry& registry) const
{
  registry.WriteString(Name(), CurrentValue());
}

bool TStringPreference::Same(const std::string& a, const std::string& b) const
{
  return FCaseSensitive ? a == b : SameText(a, b);
}

TFontPreference::TFontPreference(std::string name, bool shared, TFontSetting defaultValue)
    : TValuePreference(std::move(name), shared, TStorage::SubKey, std::move(defaultValue))
{
  Load();
}

void TFontPreference::ReadValue(const TKitRegistry& registry)
{
  TFontSetting font = DefaultValue();
  std::int32_t colour = 0;
  registry.ReadInteger("Charset", font.Charset);
  if (registry.ReadInteger("Color", colour)) font.Colour = static_cast<std::uint32_t>(colour);
  registry.ReadInteger("Size", font.Size);
  registry.ReadString("Name", font.Name);
  registry.ReadBool("Bold", font.Bold);
  registry.ReadBool("Italic", font.Italic);
  registry.ReadBool("Underline", font.Underline);
  registry.ReadBool("Strikeout", font.Strikeout);
  SetRead(font);
}

void TFontPreference::WriteValue(TKitRegistry& registry) const
{
  const TFontSetting& font = CurrentValue();
  registry.WriteInteger("Charset", font.Charset);
  registry.WriteInteger("Color", static_cast<std::int32_t>(font.Colour));
  registry.WriteInteger("Size", font.Size);
  registry.WriteString("Name", font.Name);
  registry.WriteBool("Bold", font.Bold);
  registry.WriteBool("Italic", font.Italic);
  registry.WriteBool("Underline", font.Underline);
  registry.WriteBool("Strikeout", font.Strikeout);
}

TCurvePreference::TCurvePreference(std::string name, bool shared, TCurveStyle defaultValue)
    : TValuePreference(std::move(name), shared, TStorage::SubKey, defaultValue)
{
  Load();
}

void TCurvePreference::ReadValue(const TKitRegistry& registry)
{
  TCurveStyle curve = DefaultValue();
  std::int32_t n = 0;
  if (registry.ReadInteger("Color", n)) curve.Colour = static_cast<std::uint32_t>(n);
  registry.ReadBool("Include In Legend", curve.InLegend);
  registry.ReadDouble("Std. Dev. Interval", curve.StdDevInterval);
  // A style this program does not know keeps the default one.
  if (registry.ReadInteger("Style", n) && n >= 0 && n <= 6) curve.Style = n;
  registry.ReadBool("Visible", curve.Visible);
  registry.ReadInteger("Width", curve.Width);
  SetRead(curve);
}

void TCurvePreference::WriteValue(TKitRegistry& registry) const
{
  const TCurveStyle& curve = CurrentValue();
  registry.WriteInteger("Color", static_cast<std::int32_t>(curve.Colour));
  registry.WriteBool("Include In Legend", curve.InLegend);
  registry.WriteDouble("Std. Dev. Interval", curve.StdDevInterval);
  registry.WriteInteger("Style", curve.Style);
  registry.WriteBool("Visible", curve.Visible);
  registry.WriteInteger("Width", curve.Width);
}

}  // namespace umbrinex
