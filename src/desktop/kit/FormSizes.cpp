#include "desktop/kit/FormSizes.h"

#include <string>

#include "desktop/kit/Registry.h"

namespace umbrinex {

namespace {

// The sizes are bounded so that an edited settings file cannot make a form
// vanish or swamp the screen.
constexpr std::int32_t LargestSide = 16384;

std::string SizeKey(const QString& form)
{
  // A caption is a key name; the separator of key paths may not be in it.
  QString name = form;
  name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
  return std::string(ProgramKey) + "/Form Sizes/" + name.toStdString();
}

}  // namespace

std::optional<QSize> StoredFormSize(const QString& form)
{
  TKitRegistry& registry = KitRegistry();
  if (form.isEmpty() || !registry.OpenKey(SizeKey(form), false)) return std::nullopt;
  std::int32_t width = 0, height = 0;
  const bool read = registry.ReadInteger("Width", width) && registry.ReadInteger("Height", height);
  registry.CloseKey();
  if (!read || width <= 0 || height <= 0 || width > LargestSide || height > LargestSide) return std::nullopt;
  return QSize(width, height);
}

void StoreFormSize(const QString& form, const QSize& size)
{
  if (form.isEmpty() || !size.isValid()) return;
  TKitRegistry& registry = KitRegistry();
  if (!registry.OpenKey(SizeKey(form), true)) return;
  registry.WriteInteger("Width", size.width());
  registry.WriteInteger("Height", size.height());
  registry.CloseKey();
}

void ForgetFormSize(const QString& form)
{
  if (!form.isEmpty()) KitRegistry().DeleteKey(SizeKey(form));
}

}  // namespace umbrinex
