#include "desktop/kit/Registry.h"

#include <cstring>
#include <limits>

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include "desktop/kit/Mru.h"

namespace umbrinex {

namespace {

QString Q(const std::string& text)
{
  return QString::fromStdString(text);
}

bool ToInt32(const QVariant& value, std::int32_t& result)
{
  qlonglong n = 0;
  bool ok = false;
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
      n = value.toLongLong(&ok);
      break;
    case QMetaType::QString:
      n = value.toString().trimmed().toLongLong(&ok, 10);
      break;
    default:
      return false;
  }
  // A registry number is an unsigned 32-bit word: colours use all of it.
  if (!ok || n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::uint32_t>::max())
    return false;
  result = static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
  return true;
}

std::unique_ptr<TKitRegistry>& RegistryInstance()
{
  static std::unique_ptr<TKitRegistry> registry;
  return registry;
}

void CopyKey(TKitRegistry& registry, const std::string& from, const std::string& to)
{
  if (!registry.OpenKey(from, false)) return;
  const std::vector<std::string> names = registry.ValueNames();
  const std::vector<std::string> keys = registry.KeyNames();
  std::vector<QVariant> values;
  for (const std::string& name : names) values.push_back(registry.RawValue(name));
  registry.OpenKey(to, true);
  for (std::size_t i = 0; i < names.size(); ++i) registry.WriteRawValue(names[i], values[i]);
  for (const std::string& key : keys) CopyKey(registry, from + "/" + key, to + "/" + key);
}

}  // namespace

QString SettingsFileName()
{
  const QString redirected = qEnvironmentVariable("UMBRINEX_CONFIG_DIR");
  if (!redirected.isEmpty()) return QDir(redirected).filePath(QStringLiteral("Umbrinex.ini"));
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return QDir(folder).filePath(QStringLiteral("Tessan/Umbrinex.ini"));
}

TKitRegistry::TKitRegistry(const QString& fileName)
    : FSettings(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{
}

TKitRegistry::~TKitRegistry()
{
  Flush();
}

QString TKitRegistry::Path(const std::string& name) const
{
  return Q(FCurrentKey + "/" + name);
}

bool TKitRegistry::KeyExists(const std::string& key) const
{
  FSettings->beginGroup(Q(key));
  const bool exists = !FSettings->childKeys().isEmpty() || !FSettings->childGroups().isEmpty();
  FSettings->endGroup();
  return exists;
}

bool TKitRegistry::OpenKey(const std::string& key, bool canCreate)
{
  if (!canCreate && !KeyExists(key)) return false;
  FCurrentKey = key;
  return true;
}

void TKitRegistry::CloseKey()
{
  FCurrentKey.clear();
  Flush();
}

bool TKitRegistry::ValueExists(const std::string& name) const
{
  return FSettings->contains(Path(name));
}

bool TKitRegistry::ReadInteger(const std::string& name, std::int32_t& value) const
{
  return ToInt32(FSettings->value(Path(name)), value);
}

bool TKitRegistry::ReadBool(const std::string& name, bool& value) const
{
  std::int32_t n = 0;
  if (!ReadInteger(name, n)) return false;
  value = n != 0;
  return true;
}

bool TKitRegistry::ReadDouble(const std::string& name, double& value) const
{
  const QVariant stored = FSettings->value(Path(name));
  if (stored.typeId() != QMetaType::QByteArray) return false;
  const QByteArray bytes = stored.toByteArray();
  if (bytes.size() != sizeof(double)) return false;
  std::memcpy(&value, bytes.constData(), sizeof(double));
  return true;
}

bool TKitRegistry::ReadString(const std::string& name, std::string& value) const
{
  const QVariant stored = FSettings->value(Path(name));
  std::int32_t n = 0;
  if (stored.typeId() == QMetaType::QString)
    value = stored.toString().toStdString();
  else if (ToInt32(stored, n))
    // What a number read back from the file would give as text.
    value = std::to_string(n);
  else
    return false;
  return true;
}

void TKitRegistry::WriteInteger(const std::string& name, std::int32_t value)
{
  FSettings->setValue(Path(name), value);
}

void TKitRegistry::WriteBool(const std::string& name, bool value)
{
  WriteInteger(name, value ? 1 : 0);
}

void TKitRegistry::WriteDouble(const std::string& name, double value)
{
  FSettings->setValue(Path(name), QByteArray(reinterpret_cast<const char*>(&value), sizeof value));
}

void TKitRegistry::WriteString(const std::string& name, const std::string& value)
{
  FSettings->setValue(Path(name), Q(value));
}

bool TKitRegistry::DeleteValue(const std::string& name)
{
  if (!ValueExists(name)) return false;
  FSettings->remove(Path(name));
  return true;
}

std::vector<std::string> TKitRegistry::ValueNames() const
{
  FSettings->beginGroup(Q(FCurrentKey));
  const QStringList names = FSettings->childKeys();
  FSettings->endGroup();
  std::vector<std::string> result;
  for (const QString& name : names) result.push_back(name.toStdString());
  return result;
}

std::vector<std::string> TKitRegistry::KeyNames() const
{
  FSettings->beginGroup(Q(FCurrentKey));
  const QStringList names = FSettings->childGroups();
  FSettings->endGroup();
  std::vector<std::string> result;
  for (const QString& name : names) result.push_back(name.toStdString());
  return result;
}

QVariant TKitRegistry::RawValue(const std::string& name) const
{
  return FSettings->value(Path(name));
}

void TKitRegistry::WriteRawValue(const std::string& name, const QVariant& value)
{
  FSettings->setValue(Path(name), value);
}

void TKitRegistry::DeleteKey(const std::string& key)
{
  FSettings->remove(Q(key));
  Flush();
}

void TKitRegistry::Flush()
{
  FSettings->sync();
}

TKitRegistry& KitRegistry()
{
  auto& registry = RegistryInstance();
  if (!registry) {
    registry = std::make_unique<TKitRegistry>(SettingsFileName());
    LoadRecentFileCount(*registry);
  }
  return *registry;
}

void ReleaseKitRegistry()
{
  RegistryInstance().reset();
}

void MigrateUserSettings()
{
  try {
    TKitRegistry& registry = KitRegistry();
    const std::string program = ProgramKey;
    if (registry.KeyExists(program)) {
      registry.OpenKey(program, false);
      bool migrated = false;
      registry.ReadBool("UserSettingsMigrated", migrated);
      if (!migrated) {
        CopyKey(registry, program + "/4", program);
        // The copy may have brought an older recent-files list with it.
        LoadRecentFileCount(registry);
      }
    }
    registry.OpenKey(program, true);
    registry.WriteBool("UserSettingsMigrated", true);
    registry.CloseKey();
  } catch (...) {
    // A user who cannot keep old settings starts with the defaults.
  }
}

}  // namespace umbrinex
