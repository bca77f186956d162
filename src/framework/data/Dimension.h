#pragma once
// How a stored value depends on the units, and the two interfaces through
// which unit changes reach the objects that hold dimensioned values.

#include <cstdint>

namespace umbrinex {

// Integer powers of length, mass, force and time; a nonzero IsTemperature
// makes the value a temperature, converted by formula, and the powers are
// then ignored. A nonzero IsAngle marks an angle in degrees: no unit system
// converts it, but it is shown with its unit.
struct TDimension {
  std::int32_t Length = 0;
  std::int32_t Mass = 0;
  std::int32_t Force = 0;
  std::int32_t Time = 0;
  std::int32_t IsTemperature = 0;
  std::int32_t IsAngle = 0;

  friend constexpr bool operator==(const TDimension&, const TDimension&) = default;
};

inline constexpr TDimension dmDimensionless{0, 0, 0, 0, 0};
inline constexpr TDimension dmLength{1, 0, 0, 0, 0};
inline constexpr TDimension dmMass{0, 1, 0, 0, 0};
inline constexpr TDimension dmForce{0, 0, 1, 0, 0};
inline constexpr TDimension dmTime{0, 0, 0, 1, 0};
inline constexpr TDimension dmTemperature{0, 0, 0, 0, 1};
inline constexpr TDimension dmAngle{0, 0, 0, 0, 0, 1};
inline constexpr TDimension dmVolume{3, 0, 0, 0, 0};
inline constexpr TDimension dmMoment{1, 0, 1, 0, 0};
inline constexpr TDimension dmVelocity{1, 0, 0, -1, 0};
inline constexpr TDimension dmAcceleration{1, 0, 0, -2, 0};
inline constexpr TDimension dmDensity{-3, 1, 0, 0, 0};
inline constexpr TDimension dmStress{-2, 0, 1, 0, 0};
inline constexpr TDimension dmFrequency{0, 0, 0, -1, 0};
inline constexpr TDimension dmCurvature{-1, 0, 0, 0, 0};
inline constexpr TDimension dmPerTimeSquared{0, 0, 0, -2, 0};
inline constexpr TDimension dmBendingStiffness{2, 0, 1, 0, 0};
inline constexpr TDimension dmKinematicViscosity{2, 0, 0, -1, 0};
inline constexpr TDimension dmForcePerLength{-1, 0, 1, 0, 0};

// Rescales one stored value in place for its dimension.
class IScaleValue {
 public:
  virtual void Apply(double& value, const TDimension& dimension) const = 0;

 protected:
  ~IScaleValue() = default;
};

// Told when the units of its model change. A listener may use the scale only
// for the duration of the call.
class IUnitsListener {
 public:
  virtual void UnitsChanged(const IScaleValue& scale) = 0;

 protected:
  ~IUnitsListener() = default;
};

}  // namespace umbrinex
