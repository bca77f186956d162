#pragma once
// The user's settings store. The program keeps its settings as a tree of
// keys with typed values, the way the maker's programs always have; on this
// platform the tree lives in one INI file in the user's configuration folder
// (or in the folder UMBRINEX_CONFIG_DIR names), each key path a group path.
//
// An INI file keeps no types, so a type is a matter of what the text reads
// as: integers and Booleans are decimal numbers (Booleans 0 and 1), doubles
// are 8 raw bytes, texts are texts. A value that does not read as the type
// asked for counts as missing, and the setting keeps its default.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QString>
#include <QVariant>

class QSettings;

namespace umbrinex {

// Key paths, relative to the root of the current user's tree.
inline constexpr const char* MakerKey = "Software/Tessan";
inline constexpr const char* ProgramKey = "Software/Tessan/Umbrinex";

// The settings file: Umbrinex.ini in UMBRINEX_CONFIG_DIR when that is set,
// else in the "Tessan" folder of the user's configuration folder.
QString SettingsFileName();

class TKitRegistry {
 public:
  explicit TKitRegistry(const QString& fileName);
  ~TKitRegistry();
  TKitRegistry(const TKitRegistry&) = delete;
  TKitRegistry& operator=(const TKitRegistry&) = delete;

  // A key exists while it holds a value or a sub-key; an INI file cannot
  // hold an empty group, so opening for writing always succeeds and the key
  // appears with its first value.
  bool KeyExists(const std::string& key) const;
  bool OpenKey(const std::string& key, bool canCreate);
  // Writes what was changed under the key to the file.
  void CloseKey();
  const std::string& CurrentKey() const { return FCurrentKey; }

  // Of the open key. The readers return false, leaving value alone, when the
  // value is missing or does not read as the type.
  bool ValueExists(const std::string& name) const;
  bool ReadInteger(const std::string& name, std::int32_t& value) const;
  bool ReadBool(const std::string& name, bool& value) const;
  bool ReadDouble(const std::string& name, double& value) const;
  bool ReadString(const std::string& name, std::string& value) const;
  void WriteInteger(const std::string& name, std::int32_t value);
  void WriteBool(const std::string& name, bool value);
  void WriteDouble(const std::string& name, double value);
  void WriteString(const std::string& name, const std::string& value);
  // True when there was such a value.
  bool DeleteValue(const std::string& name);
  std::vector<std::string> ValueNames() const;
  std::vector<std::string> KeyNames() const;
  // The stored value as it is, for copying between keys with its type.
  QVariant RawValue(const std::string& name) const;
  void WriteRawValue(const std::string& name, const QVariant& value);

  // A key path, not relative to the open key; everything below it goes too.
  void DeleteKey(const std::string& key);

  // Writes pending changes to the file.
  void Flush();

 private:
  QString Path(const std::string& name) const;
  std::unique_ptr<QSettings> FSettings;
  std::string FCurrentKey;
};

// The program's one store, made by the first setting that needs it.
TKitRegistry& KitRegistry();
// Flushes and discards the store, so that the next use reads the file
// afresh (as the next run of the program would).
void ReleaseKitRegistry();

// Copies the settings of the previous major version into the program key,
// once per user; failures are ignored.
void MigrateUserSettings();

}  // namespace umbrinex
