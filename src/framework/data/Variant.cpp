#include "framework/data/Variant.h"

#include <cmath>

#include "framework/data/ValueText.h"

namespace umbrinex {

bool TStringListTarget::SelectText(const std::string& text)
{
  for (int i = 0; i < Count(); ++i) {
    if (FEntries[static_cast<std::size_t>(i)].Text == text) {
      FSelected = i;
      return true;
    }
  }
  return false;
}

namespace {
std::optional<std::int64_t> RoundToInteger(double v)
{
  // Beyond this the rounding is an invalid operation.
  if (!std::isfinite(v) || std::fabs(v) >= 9.2e18) return std::nullopt;
  return static_cast<std::int64_t>(std::nearbyint(v));
}
}  // namespace

std::optional<std::int64_t> TVariant::ToInteger() const
{
  switch (Kind()) {
    case TKind::Empty:
      return 0;
    case TKind::Integer:
      return std::get<std::int64_t>(FValue);
    case TKind::Real:
      return RoundToInteger(std::get<double>(FValue));
    case TKind::Boolean:
      return std::get<bool>(FValue) ? 1 : 0;
    case TKind::Text: {
      std::int32_t v = 0;
      if (TextToLong(std::get<std::string>(FValue), v) == TTextError::None) return v;
      double d = 0.0;
      if (TextToReal(std::get<std::string>(FValue), d) == TTextError::None) return RoundToInteger(d);
      return std::nullopt;
    }
    case TKind::List:
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<double> TVariant::ToReal() const
{
  switch (Kind()) {
    case TKind::Empty:
      return 0.0;
    case TKind::Integer:
      return static_cast<double>(std::get<std::int64_t>(FValue));
    case TKind::Real:
      return std::get<double>(FValue);
    case TKind::Boolean:
      return std::get<bool>(FValue) ? 1.0 : 0.0;
    case TKind::Text: {
      double d = 0.0;
      if (TextToReal(std::get<std::string>(FValue), d) == TTextError::None) return d;
      return std::nullopt;
    }
    case TKind::List:
      return std::nullopt;
  }
  return std::nullopt;
}

std::string TVariant::ToText() const
{
  switch (Kind()) {
    case TKind::Empty:
      return {};
    case TKind::Integer:
      return std::to_string(std::get<std::int64_t>(FValue));
    case TKind::Real:
      return RealToText(std::get<double>(FValue));
    case TKind::Boolean:
      return std::get<bool>(FValue) ? "true" : "false";
    case TKind::Text:
      return std::get<std::string>(FValue);
    case TKind::List: {
      const IListTarget* list = std::get<IListTarget*>(FValue);
      if (list == nullptr || list->SelectedIndex() < 0) return {};
      return list->TextAt(list->SelectedIndex());
    }
  }
  return {};
}

IListTarget* TVariant::ToList() const
{
  return Kind() == TKind::List ? std::get<IListTarget*>(FValue) : nullptr;
}

}  // namespace umbrinex
