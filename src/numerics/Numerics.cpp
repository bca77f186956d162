#include "numerics/ReservedDoubles.h"

namespace umbrinex {
static_assert(Infinity == 1e307);
static_assert(Undefined == 2e307);
static_assert(NotApplicable == 3e307);
static_assert(Tiny == 1e-307);
static_assert(DefaultValue > 1.5e307);
}  // namespace umbrinex
